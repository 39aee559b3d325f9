"""Readers of the planning and integrity case files (tests/data/*/README describes them), run
through the Python module so that it must give the answers the C++ tests check."""

import os
import re
from pathlib import Path

import zoltoc

DATA = Path(__file__).resolve().parent.parent / "data"


def unescape(text):
    return re.sub(r"\\(.)", lambda m: {"n": "\n", "s": " "}.get(m[1], m[1]), text)


def toc_line(name, fields, media_prefix=None):
    """A 13-field TOC line, behind the three media fields when given."""
    lists = [fields.get(k, "").replace(",", " ") for k in ("supersede", "prereq", "ifreq")]
    line = ":".join([
        fields.get("type", "code"), fields.get("pkg", "PRD"), name, *lists,
        fields.get("size", "0"), "20260101000000", fields.get("os", "os1"),
        fields.get("ga", "ga1"), fields.get("spk", "0"), fields.get("label", name + " label"),
        fields.get("langs", ""),
    ])
    return line if media_prefix is None else ":".join(media_prefix) + ":" + line


def words_to_fields(words):
    """The key=value words as a dictionary (values unescaped), and the last bare word."""
    fields = {k: unescape(v) for k, eq, v in (w.partition("=") for w in words) if eq}
    bare = [w for w in words if "=" not in w]
    return fields, bare[-1] if bare else None


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


class PlanningCase:
    """One planning case file: loads its TOCs and runs its requests through MediaToc.plan;
    `failures` lists every answer that differs from the case."""

    MODES = {"GetSize": "general", "GetSizeGA": "ga", "GetSizeSPK": "spk", "GetSizeHFX": "hfx"}

    def __init__(self, text, tmp):
        self.tmp, self.tocs, self.failures = tmp, {"media": None, "installed": None}, []
        requests, expected = [], {}
        for line, head, more in case_blocks(text) + [(0, "", [])]:
            key, _, value = head.partition(":")
            more = [m.strip(" \t") for m in more if m.strip() and not m.strip().startswith("#")]
            value = value.lstrip(" ") + "".join(
                ("\n" if key in ("media", "installed") else
                 "" if key in ("messages", "trace") else " ") + m for m in more)
            if key in ("media", "installed", "") or (key == "request" and expected):
                self.check(requests, expected)
                requests, expected = [], {}
            if key in ("media", "installed"):
                self.load(key, [v for v in value.split("\n") if v])
            elif key == "request":
                requests.append((line, value))
            elif key:
                expected[key] = value

    def load(self, kind, elements):
        lines = []
        for i, element in enumerate(elements):
            words = element.split()
            fields, package = words_to_fields(words[1:])
            fields["pkg"] = package or "PRD"
            prefix = (fields.pop("medium", "A"), fields.pop("order", str(i + 3)),
                      fields.pop("archive", "0"))
            lines.append(toc_line(words[0], fields, prefix if kind == "media" else None))
        path = self.tmp / ("MEDIA.TOC" if kind == "media" else "inst/control/PRESENT")
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text("".join(line + "\n" for line in lines))
        self.tocs[kind] = (zoltoc.MediaToc if kind == "media" else zoltoc.InstalledToc)(path)

    def check(self, requests, expected):
        expected.setdefault("messages", "")
        for line, request in requests:
            opts, actual = self.call(request)
            for key in expected.keys() & actual.keys():  # met and trace are not handed out
                want, got = unescape(expected[key]), actual[key]
                if key == "messages":
                    want, got = self.comparable(want, opts), self.comparable(got, opts)
                want = "" if key == "install" and want == "unset" else want
                if got != want:
                    self.failures.append(f"line {line}: {request}: {key}: {got!r} != {want!r}")

    @staticmethod
    def comparable(messages, opts):
        """Messages without what msg= held before the call, and without the trailing line feeds
        that errors do not carry."""
        before = unescape(opts.get("msg", ""))
        return (messages[len(before):] if messages.startswith(before) else messages).rstrip("\n ")

    def call(self, request):
        words = request.split()
        opts, bare = words_to_fields(words[1:])
        mode = self.MODES[words[0]]
        names = [n for n in opts.get("names", "").split(",") if n]
        try:
            plan = self.tocs["media"].plan(
                names, installed=self.tocs["installed"], mode=mode,
                archive=opts.get("archive") == "1", check_prereqs=opts.get("check") == "1",
                type=zoltoc.Type[(bare or "code").upper()])
        except zoltoc.PlanError as error:
            # A hot fix that is not on the medium sizes 0 in the library; the module refuses it.
            return opts, {"result": "0" if mode == "hfx" else "-1", "install": "",
                          "messages": "" if mode == "hfx" else error.messages}
        except ValueError:
            # The library refuses a service pack without an installation, saying nothing; the
            # module refuses the call.
            if mode != "spk" or self.tocs["installed"] is not None:
                raise
            return opts, {"result": "-1", "install": "", "messages": ""}
        nothing = mode in ("ga", "spk") and not plan.names and "Nothing to install" in plan.messages
        actual = {"result": "-1" if nothing else str(plan.total), "install": " ".join(plan.names),
                  "messages": plan.messages}
        if mode != "hfx":
            actual["medium"] = "".join(r.medium for r in plan) if opts.get("media") != "0" else ""
        return opts, actual


def integrity_failures(text, root, env):
    """Builds an integrity case's tree below `root`, runs its checks through InstalledToc.check
    and lists each check whose status or report differs; `env` is pytest's monkeypatch."""
    for name in ("ZOL_MSGCAT_PATH", "ZOLReffilesPath"):
        env.delenv(name, raising=False)

    def expand(text):
        text = re.sub(r"\{([^{}*]*)\*(\d+)\}", lambda m: m[1] * int(m[2]), text)
        return text.replace("$ROOT", str(root)).replace("\\n", "\n").replace("\\r", "\r")

    def summed(match):  # "./path {sum}": the sum of the bytes of the file written before
        return f"{match[1]} {sum((root / match[1][2:]).read_bytes()) % 2**32}"

    records, checks, new_table = [], [], False
    for number, line, body in case_blocks(text):
        word, _, rest = line.partition(" ")
        if word == "present":
            words = rest.split()
            records = [] if new_table else records
            records.append(toc_line(words[0], dict(w.split("=", 1) for w in words[1:])))
            new_table = False
            continue
        if word == "report":
            checks[-1][3] += expand(rest.strip())
            continue
        quoted = re.match(r'"([^"]*)"\s*|(\S*)\s*', rest.strip())
        arg = expand(quoted[1] if quoted[1] is not None else quoted[2])
        rest = expand(rest.strip()[quoted.end():])
        if word in ("file", "control"):
            path = root / (arg if word == "file" else "control/" + arg)
            content = rest + "".join(expand(text[2:]) + "\n" for text in body)
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(os.fsencode(re.sub(r"^(\./\S*) \{sum\}", summed, content, flags=re.M)))
        elif word == "env":
            env.setenv(arg, rest) if rest else env.delenv(arg, raising=False)
        elif word == "check":
            level, _, compact = rest.partition(" ")
            present = root / "control/PRESENT"
            present.parent.mkdir(parents=True, exist_ok=True)
            present.write_text("".join(record + "\n" for record in records))
            compact = compact.strip() not in ("", "0")
            result = zoltoc.InstalledToc(present).check(None if arg == "null" else arg,
                                                        int(level), compact_doc=compact)
            checks.append([number, result, None, ""])
            new_table = True
        elif word == "status":
            checks[-1][2] = int(arg)
        else:
            raise ValueError(f"line {number}: unknown directive {word}")
    return [f"check on line {number}: {(got.status, got.report)!r} != {(status, report)!r}"
            for number, got, status, report in checks
            if (got.status, got.report) != (status, report)]
