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
    lists = {k: fields.get(k, "").replace(",", " ") for k in ("supersede", "prereq", "ifreq")}
    line = ":".join([
        fields.get("type", "code"), fields.get("pkg", "PRD"), name, lists["supersede"],
        lists["prereq"], lists["ifreq"], fields.get("size", "0"), "20260101000000",
        fields.get("os", "os1"), fields.get("ga", "ga1"), fields.get("spk", "0"),
        fields.get("label", name + " label"), fields.get("langs", ""),
    ])
    return line if media_prefix is None else ":".join(media_prefix) + ":" + line


def words_to_fields(words):
    fields, bare = {}, None
    for word in words:
        key, eq, value = word.partition("=")
        if eq:
            fields[key] = unescape(value)
        else:
            bare = word
    return fields, bare


class PlanningCase:
    """One planning case file: loads its TOCs and runs its requests through MediaToc.plan."""

    MODES = {"GetSize": "general", "GetSizeGA": "ga", "GetSizeSPK": "spk", "GetSizeHFX": "hfx"}

    def __init__(self, text, tmp):
        self.tmp, self.media, self.installed = tmp, None, None
        self.requests, self.expected, self.failures = [], {}, []
        key, value, at = "", "", 0
        for number, line in enumerate(text.splitlines(), 1):
            line = line.rstrip(" \t")
            stripped = line.lstrip(" \t")
            if not stripped or stripped.startswith("#"):
                continue
            if stripped != line:
                sep = "\n" if key in ("media", "installed") else "" if key in (
                    "messages", "trace") else " "
                value += sep + stripped
                continue
            self.take(key, value, at)
            key, _, value = line.partition(":")
            value, at = value.lstrip(" "), number
        self.take(key, value, at)
        self.check()

    def take(self, key, value, line):
        if key in ("media", "installed") or (key == "request" and self.expected):
            self.check()
        if key in ("media", "installed"):
            self.load(key == "media", [v for v in value.split("\n") if v])
        elif key == "request":
            self.requests.append((line, value))
        elif key:
            self.expected[key] = value

    def load(self, media, elements):
        lines = []
        for i, element in enumerate(elements):
            words = element.split()
            fields, package = words_to_fields(words[1:])
            fields["pkg"] = package or "PRD"
            prefix = (fields.pop("medium", "A"), fields.pop("order", str(i + 3)),
                      fields.pop("archive", "0"))
            lines.append(toc_line(words[0], fields, prefix if media else None))
        path = self.tmp / ("MEDIA.TOC" if media else "inst/control/PRESENT")
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text("".join(line + "\n" for line in lines))
        if media:
            self.media = zoltoc.MediaToc(path)
        else:
            self.installed = zoltoc.InstalledToc(path)

    def check(self):
        self.expected.setdefault("messages", "")
        for line, request in self.requests:
            opts, actual = self.call(request)
            for key, want in self.expected.items():
                if key not in actual:  # met and trace: not something the module hands out
                    continue
                want = unescape(want)
                if key == "messages":
                    want = self.comparable(want, opts)
                if key == "install" and want == "unset":
                    want = ""
                if actual[key] != want:
                    self.failures.append(f"line {line}: {request}: {key}: "
                                         f"{actual[key]!r} != {want!r}")
        self.requests, self.expected = [], {}

    @staticmethod
    def comparable(messages, opts):
        """Messages without what msg= held before the call, and without the trailing line feeds
        that errors do not carry."""
        before = unescape(opts.get("msg", ""))
        if messages.startswith(before):
            messages = messages[len(before):]
        return messages.rstrip("\n ")

    def call(self, request):
        words = request.split()
        opts, bare = words_to_fields(words[1:])
        mode = self.MODES[words[0]]
        names = [n for n in opts.get("names", "").split(",") if n]
        try:
            plan = self.media.plan(
                names, installed=self.installed, mode=mode, archive=opts.get("archive") == "1",
                type=zoltoc.Type[(bare or "code").upper()], check_prereqs=opts.get("check") == "1")
        except zoltoc.PlanError as error:
            # A hot fix that is not on the medium sizes 0 in the library; the module refuses it.
            return opts, {"result": "0" if mode == "hfx" else "-1", "install": "",
                          "messages": "" if mode == "hfx" else self.comparable(error.messages, opts)}
        except ValueError:
            # The library refuses a service pack without an installation, saying nothing; the
            # module refuses the call.
            if mode != "spk" or self.installed is not None:
                raise
            return opts, {"result": "-1", "install": "", "messages": ""}
        nothing = mode in ("ga", "spk") and not plan.names and "Nothing to install" in plan.messages
        actual = {"result": "-1" if nothing else str(plan.total), "install": " ".join(plan.names),
                  "messages": self.comparable(plan.messages, opts)}
        if mode != "hfx":
            actual["medium"] = "".join(r.medium for r in plan) if opts.get("media") != "0" else ""
        return opts, actual


def byte_sum(path):
    """The checksum the control files carry: the sum of the bytes modulo 2**32."""
    return sum(Path(path).read_bytes()) % 2**32


class IntegrityCase:
    """One integrity case file: builds its tree below `root` and runs its checks through
    InstalledToc.check. `env` is pytest's monkeypatch, for the variables a case sets."""

    def __init__(self, text, root, env):
        self.root, self.env = root, env
        self.records, self.checked, self.file = [], False, None
        self.got = self.want_status = None
        self.want_report, self.check_line, self.failures = "", 0, []
        for name in ("ZOL_MSGCAT_PATH", "ZOLReffilesPath"):
            env.delenv(name, raising=False)
        for number, line in enumerate(text.splitlines(), 1):
            self.line(line, number)
        self.write_file()
        self.compare()

    def expand(self, text):
        text = re.sub(r"\{([^{}*]*)\*(\d+)\}", lambda m: m[1] * int(m[2]), text)
        return text.replace("$ROOT", str(self.root)).replace("\\n", "\n").replace("\\r", "\r")

    def line(self, line, number):
        if self.file and line.startswith("  "):
            self.file[1] += self.expand(line[2:]) + "\n"
            return
        self.write_file()
        word, _, rest = line.strip().partition(" ")
        if not word or word.startswith("#"):
            return
        if word == "present":
            return self.present(rest.split())
        if word == "report":
            self.want_report += self.expand(rest.strip())
            return
        arg, rest = self.first_word(rest.strip())
        arg, rest = self.expand(arg), self.expand(rest)
        if word in ("file", "control"):
            self.file = [arg if word == "file" else "control/" + arg, rest]
        elif word == "env":
            self.env.setenv(arg, rest) if rest else self.env.delenv(arg, raising=False)
        elif word == "check":
            self.check(arg, rest, number)
        elif word == "status":
            self.want_status = int(arg)
        else:
            raise ValueError(f"line {number}: unknown directive {word}")

    @staticmethod
    def first_word(text):
        if text.startswith('"'):
            end = text.index('"', 1)
            return text[1:end], text[end + 1:].strip()
        word, _, rest = text.partition(" ")
        return word, rest.strip()

    def present(self, words):
        if self.checked:
            self.records, self.checked = [], False
        fields = dict(w.split("=", 1) for w in words[1:])
        self.records.append(toc_line(words[0], fields))

    def write_file(self):
        if not self.file:
            return
        relative, text = self.file
        self.file = None

        def summed(match):
            return match[1] + " " + str(byte_sum(self.root / match[1][2:]))
        text = re.sub(r"^(\./\S*) \{sum\}", summed, text, flags=re.M)
        path = self.root / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(os.fsencode(text))

    def check(self, path, levels, number):
        self.compare()
        level, _, compact = levels.partition(" ")
        present = self.root / "control/PRESENT"
        present.parent.mkdir(parents=True, exist_ok=True)
        present.write_text("".join(line + "\n" for line in self.records))
        toc = zoltoc.InstalledToc(present)
        result = toc.check(None if path == "null" else path, int(level),
                           compact_doc=compact.strip() not in ("", "0"))
        self.got, self.check_line, self.checked = result, number, True

    def compare(self):
        if not self.check_line:
            return
        if self.got.status != self.want_status:
            self.failures.append(f"check on line {self.check_line}: status "
                                 f"{self.got.status} != {self.want_status}")
        if self.got.report != self.want_report:
            self.failures.append(f"check on line {self.check_line}: report "
                                 f"{self.got.report!r} != {self.want_report!r}")
        self.check_line, self.want_status, self.want_report = 0, None, ""
