"""Type stubs of the zoltoc package: tables of contents of a modular software installation."""

import enum
import os
from typing import Callable, Iterable, Iterator, Optional, Union

_Path = Union[str, bytes, os.PathLike[str], os.PathLike[bytes]]
_Name = Union[str, bytes]
_Names = Union[_Name, Iterable[_Name]]
_TypeArg = Union["Type", int]

class Type(enum.IntEnum):
    """The code kind of an element."""

    CODE = 0
    RUX2 = 1
    DOCUMENTATION = 2
    UNKNOWNM = 3
    UNKNOWNQ = 4
    SAMPLES = 5

class Package(enum.IntEnum):
    """The element kind."""

    FWK = 0
    GRP = 1
    PRD = 2
    PDO = 3
    SLT = 4
    FIX = 5
    FSP = 6
    SPK = 7
    HFX = 8
    SMP = 9

class Error(Exception):
    """Base of the module's errors."""

    message: str
    file: Optional[str]
    line: Optional[int]

class LoadError(Error):
    """A TOC file does not load."""

class PlanError(Error):
    """The library refused an install plan."""

    messages: str

class RecordError(Error):
    """Some elements could not be recorded in PRESENT."""

    recorded: list[str]
    failures: list[tuple[str, int, str]]

class ChecksumError(Error):
    """A control file could not be written."""

class BusyError(Error):
    """An integrity check was started while one is running."""

class Record:
    """One element of a TOC, read-only; it keeps its table alive."""

    @property
    def name(self) -> str: ...
    @property
    def type(self) -> Type: ...
    @property
    def package(self) -> Package: ...
    @property
    def label(self) -> str: ...
    @property
    def index(self) -> int: ...
    @property
    def line(self) -> str: ...
    @property
    def supersedes(self) -> tuple[str, ...]: ...
    @property
    def prereqs(self) -> tuple[str, ...]: ...
    @property
    def ifreqs(self) -> tuple[tuple[str, str], ...]: ...
    @property
    def lang_sizes(self) -> tuple[int, ...]: ...
    @property
    def size(self) -> int: ...
    @property
    def timestamp(self) -> str: ...
    @property
    def os(self) -> str: ...
    @property
    def ga_level(self) -> str: ...
    @property
    def spk_level(self) -> int: ...
    @property
    def max_spk_level(self) -> int: ...
    @property
    def hfx_level(self) -> int: ...
    @property
    def medium(self) -> Optional[str]: ...
    @property
    def order(self) -> Optional[int]: ...
    @property
    def archive_size(self) -> Optional[int]: ...
    def __eq__(self, other: object) -> bool: ...
    def __hash__(self) -> int: ...

class Toc:
    """A loaded TOC; iterating gives its records in file order."""

    @property
    def path(self) -> str: ...
    @property
    def os(self) -> str: ...
    @property
    def ga_level(self) -> str: ...
    @property
    def spk_level(self) -> int: ...
    @property
    def previous_spk_level(self) -> int: ...
    @property
    def hfx_level(self) -> int: ...
    @property
    def hfx_name(self) -> str: ...
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[Record]: ...
    def __getitem__(self, name: _Name) -> Record: ...
    def __contains__(self, name: object) -> bool: ...
    def find(self, name: _Name, type: Optional[_TypeArg] = None) -> Optional[Record]: ...
    def packages(
        self, *packages: Union[Package, int], type: Optional[_TypeArg] = None, visible: bool = False
    ) -> list[Record]: ...
    def superseding(self, name: _Name, type: Optional[_TypeArg] = Type.CODE) -> list[Record]: ...
    def requiring(self, name: _Name, type: Optional[_TypeArg] = Type.CODE) -> list[Record]: ...
    def conditionally_requiring(
        self, name: _Name, type: Optional[_TypeArg] = Type.CODE
    ) -> list[Record]: ...

class Plan:
    """An install plan: the elements in media order and their total size."""

    @property
    def elements(self) -> list[Record]: ...
    @property
    def names(self) -> list[str]: ...
    @property
    def total(self) -> int: ...
    @property
    def messages(self) -> str: ...
    @property
    def mode(self) -> str: ...
    @property
    def archive(self) -> bool: ...
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[Record]: ...

class MediaToc(Toc):
    """The TOC of an installation medium."""

    def __init__(self, path: _Path) -> None: ...
    def plan(
        self,
        names: _Names,
        *,
        installed: Optional["InstalledToc"] = None,
        mode: str = "general",
        archive: bool = False,
        type: _TypeArg = Type.CODE,
        check_prereqs: bool = False,
    ) -> Plan: ...

class CheckProgress:
    """Where a running check is."""

    @property
    def element(self) -> int: ...
    @property
    def elements(self) -> int: ...
    @property
    def name(self) -> Optional[str]: ...
    @property
    def files(self) -> int: ...
    @property
    def bytes(self) -> int: ...

class CheckResult:
    """What an integrity check found."""

    @property
    def status(self) -> int: ...
    @property
    def ok(self) -> bool: ...
    @property
    def interrupted(self) -> bool: ...
    @property
    def findings(self) -> list[str]: ...
    @property
    def report(self) -> str: ...
    @property
    def elements(self) -> int: ...
    @property
    def files(self) -> int: ...
    @property
    def bytes(self) -> int: ...
    @property
    def level(self) -> int: ...

_Progress = Optional[Callable[[CheckProgress], object]]

class InstalledToc(Toc):
    """The TOC of an installation, its control/PRESENT."""

    def __init__(self, path: _Path) -> None: ...
    def is_installed(self, name: _Name, type: _TypeArg = Type.CODE) -> bool: ...
    def check(
        self,
        root: Optional[_Path],
        level: int = 2,
        *,
        compact_doc: bool = False,
        progress: _Progress = None,
    ) -> CheckResult: ...

def check(
    root: _Path, level: int = 2, *, compact_doc: bool = False, progress: _Progress = None
) -> CheckResult:
    """Loads the installation below `root` and checks it."""

def record(media: MediaToc, root: _Path, names: _Names) -> list[str]:
    """Records installed elements in the installation's PRESENT file."""

def checksum(list_path: _Path, output: Optional[_Path] = None) -> str:
    """Writes a control file with checksums from a file list."""
