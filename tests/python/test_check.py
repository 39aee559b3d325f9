"""The integrity check from Python: progress, callbacks, threads, the GIL, Ctrl-C."""

import fcntl
import os
import signal
import subprocess
import sys
import textwrap
import time
from concurrent.futures import ThreadPoolExecutor

import pytest

import zoltoc
from conftest import MEDIA, write_toc


def test_progress_for_each_element_and_no_check_inside_another(installation):
    toc, seen, busy = zoltoc.InstalledToc(installation), [], []

    def progress(p):
        seen.append((p.element, p.elements, p.name, p.files, p.bytes))
        if p.name and not busy:
            with pytest.raises(zoltoc.BusyError) as raised:
                toc.check(installation)
            busy.append(raised.value)
            assert toc.find(p.name).name == p.name  # lookups are fine
    result = toc.check(installation, progress=progress)
    names = [r.name for r in toc]
    assert [s[:3] for s in seen] == [(i, len(names), n) for i, n in enumerate(names + [None], 1)]
    assert seen[-1][3:] == (result.files, result.bytes) and result.files > 0 < result.bytes
    assert result.ok and result.level == 2 and result.elements == len(names) and len(busy) == 1


def test_an_exception_in_the_callback_stops_the_check_and_propagates(installation):
    calls = []

    def stop(progress):
        calls.append(progress.name)
        if len(calls) == 2:
            raise LookupError("enough")
    with pytest.raises(LookupError, match="enough"):
        zoltoc.check(installation, progress=stop)
    assert len(calls) == 2 and zoltoc.check(installation).ok  # the next check runs whole


def test_checks_lookups_and_plans_from_threads_agree(installation, tmp_path):
    (installation / "bin" / "editor").write_bytes(b"changed")
    want = zoltoc.check(installation).findings
    toc = zoltoc.MediaToc(write_toc(tmp_path / "MEDIA.TOC",
                                    [("N%d" % i, {"prereq": "N0"}) for i in range(2000)]))

    def agrees(checks):
        if checks:
            return zoltoc.check(installation, progress=lambda p: None).findings == want
        return sum(toc.find("N%d" % i).index == i for i in range(2000)) + len(
            toc.plan(["N1999"]).names) == 2002
    with ThreadPoolExecutor(8) as pool:
        answers = list(pool.map(agrees, [i % 2 for i in range(8)]))
    assert answers == [True] * 8 and len(want) == 1


# A record waits in the library for the installation's lock, which this thread holds: it gets it
# only if this thread runs meanwhile, to let go of it, before the library gives up (after 5 s).
def test_python_threads_run_while_the_library_works(installation):
    lock = os.open(installation / "control" / ".zolins.lock", os.O_RDWR | os.O_CREAT)
    fcntl.flock(lock, fcntl.LOCK_EX)
    with ThreadPoolExecutor(1) as pool:
        recorded = pool.submit(zoltoc.record, zoltoc.MediaToc(MEDIA), installation, ["NETFWK"])
        time.sleep(0.5)  # for the record to start waiting
        os.close(lock)
        assert recorded.result() == ["NETFWK"]


CTRL_C = """
    import ctypes, os, signal, sys, zoltoc
    root = sys.argv[1]
    lib = ctypes.CDLL("libZOLINSTocLib.so.1")  # the one the module loaded
    flag = ctypes.c_int.in_dll(lib, "_i_SignalIntercept_KillProcess")  # read where it lies

    def ctrl_c(progress, times=1):
        if progress.element == 2:
            for _ in range(times):
                os.kill(os.getpid(), signal.SIGINT)
    try:
        zoltoc.check(root, progress=ctrl_c)
    except KeyboardInterrupt as interrupt:
        result = interrupt.result
        print("interrupted", result.interrupted, result.ok, result.findings, flag.value)
    again = zoltoc.check(root)
    print("next check", again.ok, again.interrupted, again.findings, flag.value)
    try:
        signal.raise_signal(signal.SIGINT)
    except KeyboardInterrupt:
        print("python's own Ctrl-C")
    zoltoc.check(root, progress=lambda progress: ctrl_c(progress, 2))
    print("survived a second Ctrl-C")
"""


# In a fresh interpreter: a SIGINT that went astray must not reach pytest. The C++ walk reads the
# exported interrupt flag: a check from Python starts with it cleared and leaves it as it ended, so
# that C++ code of the process sees the interrupt. A second Ctrl-C during a check ends the process.
def test_ctrl_c_raises_keyboard_interrupt_after_the_check_and_a_second_one_ends_it(installation):
    child = subprocess.run([sys.executable, "-u", "-c", textwrap.dedent(CTRL_C), installation],
                           capture_output=True, text=True, timeout=120)
    assert child.returncode == -signal.SIGINT, child.stderr
    assert child.stdout.splitlines() == [
        "interrupted True False ['CheckIntegrity has been interrupted (signal 2)'] 1",
        "next check True False [] 0",
        "python's own Ctrl-C",
    ]
