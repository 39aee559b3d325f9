"""What the tests of the zoltoc module share: the bundled example, TOC writers, the tool."""

import json
import os
import shutil
import subprocess
from pathlib import Path

import pytest

EXAMPLES = Path(__file__).resolve().parent.parent.parent / "examples"
MEDIA = EXAMPLES / "medium" / "MEDIA.TOC"


def toc_line(name, fields, order=None):
    """A 13-field TOC line; with an order number (which an "order" field overrides), a media TOC
    line behind its medium, order and archive size."""
    lists = [fields.get(k, "").replace(",", " ") for k in ("supersede", "prereq", "ifreq")]
    media = [fields.get("medium", "A"), str(fields.get("order", order)), fields.get("archive", "0")]
    return ":".join([
        *(media if order is not None else []), fields.get("type", "code"), fields.get("pkg", "PRD"),
        name, *lists, fields.get("size", "0"), "20260101000000", fields.get("os", "os1"),
        fields.get("ga", "ga1"), fields.get("spk", "0"), fields.get("label", name + " label"),
        fields.get("langs", "")])


def write_toc(path, records, media=True, end="\n"):
    """Writes the (name, fields) records as a TOC, each line of a media TOC with its index + 3 as
    order number; texts may carry surrogate-escaped bytes."""
    path.parent.mkdir(parents=True, exist_ok=True)
    lines = [toc_line(*record, i + 3 if media else None) for i, record in enumerate(records)]
    path.write_bytes(os.fsencode("".join(line + end for line in lines)))
    return path


@pytest.fixture
def installation(tmp_path):
    """A copy of the bundled example installation, to change."""
    root = tmp_path / "installation"
    shutil.copytree(EXAMPLES / "installation", root, symlinks=True)
    return root


@pytest.fixture
def zoltoc_tool():
    """Runs the command-line tool of the same build (ZOLTOC) with --json, to compare answers with;
    returns what it printed."""
    tool = os.environ.get("ZOLTOC")
    if not tool or not os.access(tool, os.X_OK):
        pytest.skip("ZOLTOC does not name the zoltoc tool of this build (built without tools)")

    def run(*args, status=(0,)):
        done = subprocess.run([tool, *map(str, args), "--json"], capture_output=True, text=True)
        assert done.returncode in status, done.stderr
        return json.loads(done.stdout)
    return run
