"""The integrity check from Python: progress, callbacks, Ctrl-C, one check at a time."""

import os
import signal
import subprocess
import sys
import textwrap
import threading

import pytest

import zoltoc


def run_child(code, root):
    """Runs `code` in a fresh interpreter (a SIGINT that went astray must not reach pytest)."""
    child = subprocess.run([sys.executable, "-c", textwrap.dedent(code), str(root)],
                           capture_output=True, text=True, timeout=120)
    return child.returncode, child.stdout, child.stderr


def test_progress_is_reported_for_each_element(installation):
    seen = []
    result = zoltoc.check(installation, progress=lambda p: seen.append(
        (p.element, p.elements, p.name, p.files, p.bytes)))
    names = [r.name for r in zoltoc.InstalledToc(installation)]
    assert [s[2] for s in seen] == names + [None]
    assert [s[0] for s in seen] == list(range(1, len(names) + 2))
    assert seen[-1][3:] == (result.files, result.bytes) and result.files > 0 < result.bytes
    assert result.ok and result.level == 2 and result.elements == len(names)


def test_an_exception_in_the_callback_stops_the_check_and_propagates(installation):
    calls = []

    def stop(progress):
        calls.append(progress.name)
        if len(calls) == 2:
            raise LookupError("enough")
    with pytest.raises(LookupError, match="enough"):
        zoltoc.check(installation, progress=stop)
    assert len(calls) == 2
    assert zoltoc.check(installation).ok  # the next check runs whole


def test_a_check_cannot_start_inside_another(installation):
    toc = zoltoc.InstalledToc(installation)
    errors = []

    def nested(progress):
        if progress.name and not errors:
            with pytest.raises(zoltoc.BusyError) as raised:
                toc.check(installation)
            errors.append(raised.value)
            assert toc.find(progress.name).name == progress.name  # lookups are fine
    assert toc.check(installation, progress=nested).ok
    assert len(errors) == 1


def test_without_a_root_only_dependencies_are_checked(installation):
    (installation / "control" / "EDITOR").unlink()
    toc = zoltoc.InstalledToc(installation)
    assert toc.check(None).ok
    assert not toc.check(installation, 0).ok


def test_checks_from_threads_take_turns(installation):
    (installation / "bin" / "editor").write_bytes(b"changed")
    want = zoltoc.check(installation).findings
    results = []
    threads = [threading.Thread(target=lambda: results.append(
        zoltoc.check(installation, progress=lambda p: None).findings)) for _ in range(4)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert results == [want] * 4 and len(want) == 1


CTRL_C = """
    import os, signal, sys, zoltoc
    root = sys.argv[1]
    handler = signal.getsignal(signal.SIGINT)

    def ctrl_c(progress):
        if progress.element == 2:
            os.kill(os.getpid(), signal.SIGINT)
    try:
        zoltoc.check(root, progress=ctrl_c)
        print("not interrupted")
    except KeyboardInterrupt as interrupt:
        result = interrupt.result
        print("interrupted", result.interrupted, result.ok, result.findings)
    print("handler restored", signal.getsignal(signal.SIGINT) is handler)
    again = zoltoc.check(root)
    print("next check", again.ok, again.interrupted, again.findings)
    try:
        os.kill(os.getpid(), signal.SIGINT)
        signal.pause()
    except KeyboardInterrupt:
        print("python's own Ctrl-C")
"""


def test_ctrl_c_stops_the_check_then_raises_keyboard_interrupt(installation):
    status, out, err = run_child(CTRL_C, installation)
    assert status == 0, err
    assert out.splitlines() == [
        "interrupted True False ['CheckIntegrity has been interrupted (signal 2)']",
        "handler restored True",
        "next check True False []",
        "python's own Ctrl-C",
    ]


def test_a_second_ctrl_c_during_a_check_ends_the_process(installation):
    status, out, _ = run_child("""
        import os, signal, sys, zoltoc

        def twice(progress):
            if progress.element == 2:
                os.kill(os.getpid(), signal.SIGINT)
                os.kill(os.getpid(), signal.SIGINT)
        zoltoc.check(sys.argv[1], progress=twice)
        print("survived")
    """, installation)
    assert (status, out) == (-signal.SIGINT, "")


def test_the_interrupt_state_is_cleared_for_each_check_only(installation):
    # The C++ walk reads the exported flags: a check from Python starts with them cleared and
    # leaves them as it ended, so that C++ code of the process sees the interrupt.
    status, out, err = run_child("""
        import ctypes, os, signal, sys, zoltoc
        lib = ctypes.CDLL("libZOLINSTocLib.so.1")  # the one the module loaded
        def flag():
            return ctypes.c_int.in_dll(lib, "_i_SignalIntercept_KillProcess").value
        try:
            zoltoc.check(sys.argv[1], progress=lambda p: p.element == 1 and os.kill(
                os.getpid(), signal.SIGINT))
        except KeyboardInterrupt:
            print("after the interrupt", flag())
        zoltoc.check(sys.argv[1])
        print("after a whole check", flag())
    """, installation)
    assert status == 0, err
    assert out.splitlines() == ["after the interrupt 1", "after a whole check 0"]
