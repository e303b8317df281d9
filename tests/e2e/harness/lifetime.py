"""Making sure a run leaves nothing behind: orphaned descendants are re-parented to this
process (child subreaper), so at the end any that remain are known by PID and ended."""

import ctypes
import os
import signal
import time

PR_SET_CHILD_SUBREAPER = 36


def adopt_orphans():
    try:
        libc = ctypes.CDLL(None, use_errno=True)
        libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)
    except (OSError, AttributeError):
        pass


def children():
    """(pid, state) of this process's children."""
    me = os.getpid()
    found = []
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % pid) as f:
                fields = f.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        if int(fields[1]) == me:
            found.append((int(pid), fields[0]))
    return found


def reap_orphans(keep):
    """Collects adopted children that have ended, leaving alone those whose PIDs are in keep
    (processes that their Popen objects still wait for)."""
    for pid, state in children():
        if state == "Z" and pid not in keep:
            try:
                os.waitpid(pid, os.WNOHANG)
            except ChildProcessError:
                pass


def end_leftovers(timeout=5.0):
    """Ends and reaps every child still there (all were started by this run)."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        left = children()
        if not left:
            return
        for pid, state in left:
            if state != "Z":
                try:
                    os.kill(pid, signal.SIGKILL)
                except OSError:
                    pass
            try:
                os.waitpid(pid, os.WNOHANG)
            except ChildProcessError:
                pass
        time.sleep(0.05)
