import os
import shutil
from pathlib import Path

import pytest

SOURCE = Path(__file__).resolve().parent.parent.parent
EXAMPLES = SOURCE / "examples"


@pytest.fixture
def installation(tmp_path):
    """A copy of the bundled example installation, to change."""
    root = tmp_path / "installation"
    shutil.copytree(EXAMPLES / "installation", root, symlinks=True)
    return root


@pytest.fixture
def zoltoc_tool():
    """The command-line tool of the same build (ZOLTOC), to compare answers with."""
    tool = os.environ.get("ZOLTOC")
    if not tool or not os.access(tool, os.X_OK):
        pytest.skip("ZOLTOC does not name the zoltoc tool of this build (built without tools)")
    return tool
