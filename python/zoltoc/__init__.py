"""Tables of contents of a modular software installation.

Load the TOC of a medium (MediaToc) or of an installation (InstalledToc, its control/PRESENT),
look records up and query them, plan installs (MediaToc.plan), record installed elements in
PRESENT (record), write control files with checksums (checksum) and check an installation
(check). Texts are str decoded from UTF-8 with "surrogateescape": bytes that are not UTF-8 come
back unchanged with os.fsencode() or .encode("utf-8", "surrogateescape"); names may be given as
str or bytes.
"""

from ._zoltoc import (
    ChecksumError,
    CheckProgress,
    CheckResult,
    Error,
    InstalledToc,
    LoadError,
    MediaToc,
    Package,
    Plan,
    PlanError,
    Record,
    RecordError,
    BusyError,
    Toc,
    Type,
    check,
    checksum,
    record,
)

__all__ = [
    "BusyError",
    "CheckProgress",
    "CheckResult",
    "ChecksumError",
    "Error",
    "InstalledToc",
    "LoadError",
    "MediaToc",
    "Package",
    "Plan",
    "PlanError",
    "Record",
    "RecordError",
    "Toc",
    "Type",
    "check",
    "checksum",
    "record",
]

# The compiled module's names present themselves as the package's own.
for _name in __all__:
    try:
        globals()[_name].__module__ = __name__
    except (AttributeError, TypeError):
        pass
del _name
