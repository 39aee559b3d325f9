"""The planning and integrity case files of the C++ tests (tests/data/*/README describes them),
answered through the module: it must give the answers the C++ tests check."""

import os
import re
from pathlib import Path

import pytest

import zoltoc
from conftest import toc_line, write_toc

CASES = sorted((Path(__file__).resolve().parent.parent / "data").glob("*/*.case"))
MODES = {"GetSize": "general", "GetSizeGA": "ga", "GetSizeSPK": "spk", "GetSizeHFX": "hfx"}


def unescape(text):
    return re.sub(r"\\(.)", lambda m: {"n": "\n", "s": " "}.get(m[1], m[1]), text)


def options(words, bare):
    """The key=value words as a dictionary (values unescaped), the last bare word under `bare`."""
    pairs = [word.partition("=") for word in words]
    fields = {k: unescape(v) for k, eq, v in pairs if eq}
    return {**{bare: k for k, eq, _ in pairs if not eq}, **fields}


def case_blocks(text):
    """The lines of a case file that start in the first column (blank lines and comments left
    out), each with its line number and the indented lines that follow it."""
    blocks = []
    for number, line in enumerate(text.splitlines(), 1):
        if line[:1] in (" ", "\t") and blocks:
            blocks[-1][2].append(line)
        elif line.strip() and not line.startswith("#"):
            blocks.append((number, line.rstrip(), []))
    return blocks


def planning_failures(text, tmp, env):
    """Loads a planning case's TOCs and runs its requests through MediaToc.plan; yields every
    answer that differs from the case, with the line of its request."""
    tocs, expected, requests = {"media": None, "installed": None}, {}, []
    for line, head, more in case_blocks(text):
        key, _, value = head.partition(":")
        more = [m.strip(" \t") for m in more if m.strip() and not m.strip().startswith("#")]
        if key in tocs:
            elements = [(w[0], options(w[1:], "pkg")) for w in map(str.split, [value, *more]) if w]
            path = tmp / ("MEDIA.TOC" if key == "media" else "inst/control/PRESENT")
            write_toc(path, elements, media=key == "media")
            tocs = {**tocs, key: (zoltoc.MediaToc if key == "media" else zoltoc.InstalledToc)(path)}
            expected = {}  # expectations after a section belong to no request
            continue
        value = value.lstrip(" ") + "".join(
            ("" if key in ("messages", "trace") else " ") + m for m in more)
        if key == "request":
            if expected:  # a new group; requests in a row share the expectations that follow
                expected = {}
            requests.append((line, value, tocs, expected))
        else:
            expected[key] = value
    if not requests:
        yield "the case makes no request"
    for line, request, tocs, expected in requests:
        opts, actual = answer(request, **tocs)
        expected = {"messages": "", **expected}
        for key in expected.keys() & actual.keys():  # met and trace are not handed out
            want, got = unescape(expected[key]), actual[key]
            if key == "messages":  # after what msg= held, without the line feeds errors lack
                want, got = (t.removeprefix(opts.get("msg", "")).rstrip("\n ") for t in (want, got))
            if got != ("" if key == "install" and want == "unset" else want):
                yield f"line {line}: {request}: {key}: {got!r} != {want!r}"


def answer(request, media, installed):
    """A request's options, and its answers through MediaToc.plan as the case names them."""
    operation, *words = request.split()
    opts, mode = options(words, "type"), MODES[operation]
    try:
        plan = media.plan(
            [n for n in opts.get("names", "").split(",") if n], installed=installed, mode=mode,
            archive=opts.get("archive") == "1", check_prereqs=opts.get("check") == "1",
            type=zoltoc.Type[opts.get("type", "code").upper()])
    except (zoltoc.PlanError, ValueError) as error:
        # What the library answers where the module refuses: a hot fix that is not on the medium
        # sizes 0; a service pack without an installation is refused, with nothing said.
        if isinstance(error, ValueError) and (mode != "spk" or installed is not None):
            raise
        return opts, {"result": "0" if mode == "hfx" else "-1", "install": "",
                      "messages": getattr(error, "messages", "") if mode != "hfx" else ""}
    nothing = mode in ("ga", "spk") and not plan.names and "Nothing to install" in plan.messages
    actual = {"result": "-1" if nothing else str(plan.total), "install": " ".join(plan.names),
              "messages": plan.messages}
    if mode != "hfx":
        actual["medium"] = "".join(r.medium for r in plan) if opts.get("media") != "0" else ""
    return opts, actual


def integrity_failures(text, root, env):
    """Builds an integrity case's tree below `root`, runs its checks through InstalledToc.check
    and yields every check whose status or report differs; `env` is pytest's monkeypatch."""
    for name in ("ZOL_MSGCAT_PATH", "ZOLReffilesPath"):
        env.delenv(name, raising=False)

    def expand(text):
        text = re.sub(r"\{([^{}*]*)\*(\d+)\}", lambda m: m[1] * int(m[2]), text)
        return text.replace("$ROOT", str(root)).replace("\\n", "\n").replace("\\r", "\r")

    def summed(match):  # "./path {sum}": the sum of the bytes of the file written before
        return f"{match[1]} {sum((root / match[1][2:]).read_bytes()) % 2**32}"

    records, checks = [], []  # records: None once checked, until a present line starts anew
    for number, line, body in case_blocks(text):
        word, _, rest = line.partition(" ")
        quoted = re.match(r'"([^"]*)"\s*|(\S*)\s*', rest.strip())
        arg = expand(quoted[1] if quoted[1] is not None else quoted[2])
        more = expand(rest.strip()[quoted.end():])
        if word == "present":
            records = (records or []) + [(arg, dict(w.split("=", 1) for w in more.split()))]
        elif word == "report":
            checks[-1][3] += expand(rest.strip())
        elif word in ("file", "control"):
            content = more + "".join(expand(text[2:]) + "\n" for text in body)
            path = root / (arg if word == "file" else "control/" + arg)
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(os.fsencode(re.sub(r"^(\./\S*) \{sum\}", summed, content, flags=re.M)))
        elif word == "env":
            env.setenv(arg, more) if more else env.delenv(arg, raising=False)
        elif word == "check":
            present = root / "control/PRESENT"
            if records is not None:
                write_toc(present, records, media=False)
            level, _, compact = more.partition(" ")
            checks.append([number, zoltoc.InstalledToc(present).check(
                None if arg == "null" else arg, int(level),
                compact_doc=compact.strip() not in ("", "0")), None, ""])
            records = None
        elif word == "status":
            checks[-1][2] = int(arg)
        else:
            raise ValueError(f"line {number}: unknown directive {word}")
    if not checks:
        yield "the case makes no check"
    for number, got, status, report in checks:
        if (got.status, got.report) != (status, report):
            yield f"check on line {number}: {(got.status, got.report)!r} != {(status, report)!r}"


def test_case_files_of_both_kinds_are_found():
    assert {path.parent.name for path in CASES} == {"planning", "integrity"}


@pytest.mark.parametrize("path", CASES, ids=lambda path: f"{path.parent.name}/{path.stem}")
def test_case_file(path, tmp_path, monkeypatch):
    assert path.is_file(), f"{path} is not a regular file"  # a FIFO would block the read
    text = path.read_text()
    if "\nsigint-at " in text:
        pytest.skip("raises SIGINT from an access(2) hook, and expects the interrupt to stay "
                    "caught in later checks; the module clears it before each check "
                    "(test_check.py tests Ctrl-C)")
    run = planning_failures if path.parent.name == "planning" else integrity_failures
    assert list(run(text, tmp_path, monkeypatch)) == []
