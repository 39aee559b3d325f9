"""Loading, lookups and queries: errors, texts that are not UTF-8, lifetimes, sizes."""

import gc
import os

import pytest

import zoltoc
from conftest import write_toc


# The library refuses FIFOs and devices without blocking (tests/base/NonRegularFilesTest.cpp); the
# module raises the same error whatever the failure. For InstalledToc a directory is the root of an
# installation, whose control/PRESENT is missing.
@pytest.mark.parametrize("load, records, path, file, line, said", [
    (zoltoc.MediaToc, [("A", {}), ("B", {}), ("C", {"type": "nonsense"})], "TOC", "TOC", 3,
     ["line number 3", "unknown type: nonsense"]),
    (zoltoc.InstalledToc, [("A", {}), ("B", {"os": "other"})], "TOC", "TOC", 2,
     ["Operating system mismatch"]),
    (zoltoc.InstalledToc, [("A", {}), ("A", {})], "TOC", "TOC", None, ["Duplicate entry"]),
    (zoltoc.MediaToc, [], "missing", "missing", None, []),
    (zoltoc.MediaToc, [], "dir", "dir", None, []),
    (zoltoc.InstalledToc, [], "dir", "dir/control/PRESENT", None, []),
], ids=["unknown-type", "other-system", "duplicate", "missing", "directory", "no-PRESENT"])
def test_a_failed_load_raises_with_the_message_file_and_line(tmp_path, load, records, path, file,
                                                             line, said):
    write_toc(tmp_path / "TOC", records, media=load is zoltoc.MediaToc)
    (tmp_path / "dir").mkdir()
    with pytest.raises(zoltoc.LoadError) as raised:
        load(tmp_path / path)
    error = raised.value
    assert isinstance(error, zoltoc.Error)
    assert (error.file, error.line) == (str(tmp_path / file), line)
    assert all(text in error.message for text in said), error.message
    assert str(error) == error.message and not error.message.endswith("\n")


def test_bytes_that_are_not_utf8_survive_with_surrogateescape(tmp_path):
    name, label = b"PR\xe9D", b"Caf\xe9 \xff label"
    toc = zoltoc.MediaToc(write_toc(tmp_path / "MEDIA.TOC", [
        (os.fsdecode(name), {"label": os.fsdecode(label)}), ("X", {"prereq": os.fsdecode(name)})],
        end="\r\n"))
    record = toc[name]
    assert toc[os.fsdecode(name)] == record and name in toc and os.fsdecode(name) in toc
    assert os.fsencode(record.name) == name
    assert record.label.encode("utf-8", "surrogateescape") == label
    assert [r.name for r in toc.requiring(name)] == ["X"]
    assert toc["X"].label == "X label"  # CRLF line ends load
    assert toc.plan([name]).names == [os.fsdecode(name)]


# The queries and record fields on the example are compared with the tool in test_example.py.
def test_lookups_types_and_wrong_arguments(tmp_path):
    toc = zoltoc.MediaToc(write_toc(tmp_path / "MEDIA.TOC", [
        ("V", {"label": "code V"}), ("V", {"type": "rux2", "label": "rux V"}),
        ("F", {"pkg": "FWK"}), ("P", {"prereq": "F", "supersede": "OLD", "ifreq": "C/F"}),
        ("R", {"type": "rux2", "prereq": "F"}), ("V", {"label": "again", "prereq": "F"})]))
    assert toc["V"].label == "code V" and toc.find("V", zoltoc.Type.RUX2).label == "rux V"
    assert toc.find("V", 1).type is zoltoc.Type.RUX2
    assert toc.find("NONE") is None and "NONE" not in toc and 3 not in toc
    assert [r.name for r in toc.requiring("F")] == ["P", "V"]
    # every type, in table order
    assert [r.name for r in toc.requiring("F", None)] == ["P", "R", "V"]
    assert [r.name for r in toc.requiring("F", zoltoc.Type.RUX2)] == ["R"]
    assert toc["P"].ifreqs == (("C", "F"),)
    for call, error in ((lambda: toc["NONE"], KeyError), (lambda: toc.find("V", 6), ValueError),
                        (lambda: toc.find("A\0B"), ValueError), (lambda: toc.find(3), TypeError),
                        (lambda: zoltoc.MediaToc("a\0b"), ValueError),
                        (lambda: zoltoc.InstalledToc(42), TypeError)):
        with pytest.raises(error):
            call()


def test_record_levels(tmp_path):
    toc = zoltoc.InstalledToc(write_toc(tmp_path / "control" / "PRESENT", [
        ("B", {"pkg": "FWK", "spk": "1"}), ("B.4", {"pkg": "FSP", "prereq": "B", "spk": "4"}),
        ("B.4.27x", {"pkg": "HFX", "prereq": "B.4", "spk": "3", "size": "9"})], media=False))
    assert [(r.spk_level, r.max_spk_level, r.hfx_level, r.size) for r in toc] == [
        (1, 4, 0, 0), (4, 0, 0, 0), (3, 0, 27, 9)]


def test_records_and_plans_outlive_their_tables(tmp_path):
    path = write_toc(tmp_path / "MEDIA.TOC", [("F", {"pkg": "FWK", "size": "5"}),
                                              ("P", {"prereq": "F", "label": "kept"})])
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
    toc = zoltoc.MediaToc(write_toc(tmp_path / "MEDIA.TOC", [
        ("N%05d" % i, {"pkg": "FWK" if i % 2 else "PRD", "prereq": "N00001"})
        for i in range(count)]))
    assert len(toc) == count and len(list(toc)) == count
    frameworks = toc.packages(zoltoc.Package.FWK)
    assert len(frameworks) == count // 2
    assert [r.name for r in frameworks[:2]] == ["N00001", "N00003"]
    assert len(toc.requiring("N00001")) == count
    assert toc.plan(["N%05d" % i for i in range(0, 4000, 2)]).names[:2] == ["N00000", "N00001"]
