"""The bundled example answered through the module and through the zoltoc tool (which drives the
C++ interface): both must agree on every record, query, plan and check."""

import doctest

import pytest

import zoltoc
from conftest import EXAMPLES, MEDIA

INSTALLATION = EXAMPLES / "installation"


def describe(toc, record):
    """A record as `zoltoc element --json` shows it."""
    shown = {
        "name": record.name, "type": record.type.name.lower(), "package": record.package.name,
        "label": record.label, "line": record.line, "supersedes": list(record.supersedes),
        "prereqs": list(record.prereqs), "sizefs": record.size, "timestamp": record.timestamp,
        "os": record.os, "gaLevel": record.ga_level, "spkLevel": record.spk_level,
        "langSizes": list(record.lang_sizes),
        "ifreqs": [{"condition": c, "requires": r} for c, r in record.ifreqs],
        "supersededBy": [r.name for r in toc.superseding(record.name, record.type)],
        "requiredBy": [r.name for r in toc.requiring(record.name, record.type)],
        "conditionallyRequiredBy": [
            r.name for r in toc.conditionally_requiring(record.name, record.type)],
    }
    if record.medium is not None:
        shown["media"] = {"medium": record.medium, "order": record.order,
                          "archiveSize": record.archive_size}
    return shown


@pytest.mark.parametrize("load, where", [
    (zoltoc.MediaToc, ["--media", MEDIA]), (zoltoc.InstalledToc, ["--install", INSTALLATION])])
def test_packages_records_and_levels_match_the_tool(zoltoc_tool, load, where):
    toc, listed = load(where[1]), zoltoc_tool("packages", *where)["elements"]
    assert [{"name": r.name, "type": r.type.name.lower(), "package": r.package.name,
             "label": r.label} for r in toc.packages()] == listed
    fix_sets = zoltoc_tool("packages", *where, "--package", "FSP", "--type", "code")["elements"]
    assert [r.name for r in toc.packages(zoltoc.Package.FSP, type=zoltoc.Type.CODE)] == [
        e["name"] for e in fix_sets]
    firsts = {(r.name, r.type): r for r in reversed(list(toc))}  # each name and type's first
    for (name, type), record in firsts.items():
        assert toc.find(name, type) == record
        assert describe(toc, record) == zoltoc_tool(
            "element", name, *where, "--type", type.name.lower())
    assert zoltoc_tool("levels", *where) == {
        "os": toc.os, "gaLevel": toc.ga_level, "spkLevel": toc.spk_level,
        "previousSpkLevel": toc.previous_spk_level, "hfxLevel": toc.hfx_level,
        "hfxName": toc.hfx_name, "elements": len(toc), "source": toc.path}


def test_plans_match_the_tool(zoltoc_tool):
    media, installed = zoltoc.MediaToc(MEDIA), zoltoc.InstalledToc(INSTALLATION)
    runs = [([name], mode, archive)
            for name in {r.name for r in media if r.type == zoltoc.Type.CODE}
            for mode, archive in (("general", False), ("general", True), ("ga", False))]
    runs += [(["ZOLSP.1"], "spk", False), (["ZOLHF.1.3"], "hfx", False),
             (["ANALYZER", "REPORTER", "ANALYZER"], "general", False)]
    for names, mode, archive in runs:
        want = zoltoc_tool("plan", "--media", MEDIA, "--install", INSTALLATION, "--mode", mode,
                           *(["--archive"] if archive else []), *names, status=(0, 1))
        try:
            plan = media.plan(names, installed=installed, mode=mode, archive=archive)
            got = {"ok": True, "messages": plan.messages, "total": plan.total, "mode": plan.mode,
                   "archive": plan.archive, "elements": [
                       {"name": r.name, "medium": r.medium, "order": r.order, "sizefs": r.size,
                        "archiveSize": r.archive_size, "label": r.label} for r in plan]}
        except zoltoc.PlanError as error:
            got = {"ok": False, "messages": error.messages}
        assert got == {key: want[key] for key in got}, names


def test_the_readme_session_gives_what_it_shows(monkeypatch):
    readme = (EXAMPLES.parent / "README.md").read_text()
    session = readme.split("```python\n", 1)[1].split("```", 1)[0]
    monkeypatch.chdir(EXAMPLES.parent)
    runner = doctest.DocTestRunner()
    runner.run(doctest.DocTestParser().get_doctest(session, {}, "README.md", "README.md", 0))
    assert runner.summarize(verbose=False).failed == 0


@pytest.mark.parametrize("level", [0, 1, 2])
def test_checks_match_the_tool(zoltoc_tool, installation, level):
    (installation / "bin" / "editor").write_bytes(b"changed\n")
    (installation / "share" / "editor" / "editor.cfg").unlink()
    (installation / "control" / "EDITORSAMPLES").unlink()
    want = zoltoc_tool("check", "--install", installation, "--level", level, status=(1,))
    got = zoltoc.check(installation, level)
    keys = ("status", "findings", "report", "elements", "files", "bytes", "interrupted", "level")
    assert {key: getattr(got, key) for key in keys} == {key: want[key] for key in keys}
    assert got.findings and not got.ok


def test_record(installation):
    media = zoltoc.MediaToc(MEDIA)
    assert zoltoc.record(media, installation, ["NETFWK"]) == ["NETFWK"]
    installed = zoltoc.InstalledToc(installation)
    assert installed.is_installed("NETFWK") and len(installed) == 8
    with pytest.raises(zoltoc.RecordError) as raised:
        zoltoc.record(media, installation, ["NOSUCH", "DATAFWK"])
    assert (raised.value.recorded, raised.value.failures) == (
        ["DATAFWK"], [("NOSUCH", -300, "the media TOC has no line for this element")])


def test_checksum_rewrites_a_file_list(installation):
    control = installation / "control" / "EDITOR"
    want = control.read_text()
    control.write_text("".join(line.split(" ")[0] + "\n" for line in want.splitlines()))
    assert zoltoc.checksum(control) == str(control)
    assert control.read_text() == want
    copy = installation / "EDITOR.copy"
    assert zoltoc.checksum(str(control).encode(), output=copy) == str(copy)
    assert copy.read_text() == want
    with pytest.raises(zoltoc.ChecksumError) as raised:
        zoltoc.checksum(installation / "no-such-list")
    assert raised.value.file == str(installation / "no-such-list")
