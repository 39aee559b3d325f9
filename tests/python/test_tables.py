"""Loading, lookups and queries: errors, texts that are not UTF-8, lifetimes, sizes."""

import gc
import os

import pytest

import zoltoc
from cases import toc_line


def write_toc(path, lines, media=True, end="\n"):
    text = "".join(
        (("A:%d:0:" % (i + 3)) if media else "") + line + end for i, line in enumerate(lines))
    path.write_bytes(os.fsencode(text))
    return path


@pytest.mark.parametrize("media, lines, line, said", [
    (True, [toc_line("A", {}), toc_line("B", {}), toc_line("C", {"type": "nonsense"})], 3,
     ["line number 3", "unknown type: nonsense"]),
    (False, [toc_line("A", {}), toc_line("B", {"os": "other"})], 2, ["Operating system mismatch"]),
    (False, [toc_line("A", {}), toc_line("A", {})], None, ["Duplicate entry"]),
])
def test_a_failed_load_raises_with_the_message_file_and_line(tmp_path, media, lines, line, said):
    path = write_toc(tmp_path / "TOC", lines, media=media)
    with pytest.raises(zoltoc.LoadError) as raised:
        (zoltoc.MediaToc if media else zoltoc.InstalledToc)(path)
    error = raised.value
    assert isinstance(error, zoltoc.Error) and (error.file, error.line) == (str(path), line)
    assert all(text in error.message for text in said), error.message
    assert str(error) == error.message and not error.message.endswith("\n")


# The library refuses FIFOs and devices without blocking (tests/base/NonRegularFilesTest.cpp); the
# module raises the same error whatever the failure.
def test_what_is_not_a_toc_file_raises(tmp_path):
    (tmp_path / "dir").mkdir()
    for name in ("missing", "dir"):
        with pytest.raises(zoltoc.LoadError) as raised:
            zoltoc.MediaToc(tmp_path / name)
        assert raised.value.file == str(tmp_path / name)
    # A directory is an installation root: its control/PRESENT is missing.
    with pytest.raises(zoltoc.LoadError) as raised:
        zoltoc.InstalledToc(tmp_path / "dir")
    assert raised.value.file == str(tmp_path / "dir" / "control" / "PRESENT")
    with pytest.raises(ValueError):
        zoltoc.MediaToc("a\0b")
    with pytest.raises(TypeError):
        zoltoc.MediaToc(42)


def test_bytes_that_are_not_utf8_survive_with_surrogateescape(tmp_path):
    name = b"PR\xe9D"
    label = b"Caf\xe9 \xff label"
    line = os.fsdecode(b"code:PRD:" + name + b"::::1:20260101000000:os1:ga1:0:" + label + b":")
    toc = zoltoc.MediaToc(write_toc(tmp_path / "MEDIA.TOC", [line, toc_line("X", {
        "prereq": os.fsdecode(name)})], end="\r\n"))
    record = toc[name]
    assert toc[os.fsdecode(name)] == record and name in toc and os.fsdecode(name) in toc
    assert os.fsencode(record.name) == name
    assert record.label.encode("utf-8", "surrogateescape") == label
    assert [r.name for r in toc.requiring(name)] == ["X"]
    assert toc["X"].label == "X label"  # CRLF line ends load
    assert toc.plan([name]).names == [os.fsdecode(name)]
    with pytest.raises(ValueError):
        toc.find("A\0B")
    with pytest.raises(TypeError):
        toc.find(3)


# The queries and record fields on the example are compared with the tool in test_example.py.
def test_lookups_and_types(tmp_path):
    toc = zoltoc.MediaToc(write_toc(tmp_path / "MEDIA.TOC", [
        toc_line("V", {"label": "code V"}), toc_line("V", {"type": "rux2", "label": "rux V"}),
        toc_line("F", {"pkg": "FWK"}),
        toc_line("P", {"prereq": "F", "supersede": "OLD", "ifreq": "C/F"}),
        toc_line("R", {"type": "rux2", "prereq": "F"}),
        toc_line("V", {"label": "again", "prereq": "F"})]))
    assert toc["V"].label == "code V" and toc.find("V", zoltoc.Type.RUX2).label == "rux V"
    assert toc.find("V", 1).type is zoltoc.Type.RUX2
    assert toc.find("NONE") is None and "NONE" not in toc and 3 not in toc
    with pytest.raises(KeyError):
        toc["NONE"]
    with pytest.raises(ValueError):
        toc.find("V", 6)
    assert [r.name for r in toc.requiring("F")] == ["P", "V"]
    # every type, in table order
    assert [r.name for r in toc.requiring("F", None)] == ["P", "R", "V"]
    assert [r.name for r in toc.requiring("F", zoltoc.Type.RUX2)] == ["R"]
    assert toc["P"].ifreqs == (("C", "F"),)


def test_record_levels(tmp_path):
    (tmp_path / "control").mkdir()
    toc = zoltoc.InstalledToc(write_toc(tmp_path / "control" / "PRESENT", [
        toc_line("B", {"pkg": "FWK", "spk": "1"}),
        toc_line("B.4", {"pkg": "FSP", "prereq": "B", "spk": "4"}),
        toc_line("B.4.27x", {"pkg": "HFX", "prereq": "B.4", "spk": "3", "size": "9"})], media=False))
    assert [(r.spk_level, r.max_spk_level, r.hfx_level, r.size) for r in toc] == [
        (1, 4, 0, 0), (4, 0, 0, 0), (3, 0, 27, 9)]


def test_records_and_plans_outlive_their_tables(tmp_path):
    path = write_toc(tmp_path / "MEDIA.TOC", [toc_line("F", {"pkg": "FWK", "size": "5"}),
                                              toc_line("P", {"prereq": "F", "label": "kept"})])
    # Each from a table of its own, which nothing else holds.
    record = zoltoc.MediaToc(path)["P"]
    plan = zoltoc.MediaToc(path).plan("P")
    records = iter(zoltoc.MediaToc(path))
    required = zoltoc.MediaToc(path).requiring("F")
    gc.collect()
    zoltoc.MediaToc(path)  # memory freed by a table gone too early would be taken again
    assert (record.label, record.prereqs, record.line.split(":")[2]) == ("kept", ("F",), "P")
    assert plan.names == ["F", "P"] and [r.size for r in plan.elements] == [5, 0]
    assert [r.name for r in records] == ["F", "P"]
    assert [r.label for r in required] == ["kept"]


def test_listings_are_not_bounded_at_4096(tmp_path):
    count = 60000
    lines = [toc_line("N%05d" % i, {"pkg": "FWK" if i % 2 else "PRD", "prereq": "N00001"})
             for i in range(count)]
    toc = zoltoc.MediaToc(write_toc(tmp_path / "MEDIA.TOC", lines))
    assert len(toc) == count and len(list(toc)) == count
    frameworks = toc.packages(zoltoc.Package.FWK)
    assert len(frameworks) == count // 2
    assert [r.name for r in frameworks[:2]] == ["N00001", "N00003"]
    assert len(toc.requiring("N00001")) == count
    assert toc.plan(["N%05d" % i for i in range(0, 4000, 2)]).names[:2] == ["N00000", "N00001"]
