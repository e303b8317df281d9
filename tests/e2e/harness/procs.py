"""Starting and ending host processes: everything started is ended by its PID, with timeouts."""

import os
import signal
import subprocess
import tempfile
import time


def start(argv, env=None, cwd=None, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
          stderr=subprocess.DEVNULL, pass_fds=()):
    """Starts a process in a session of its own, so its group can be ended by its PID."""
    return subprocess.Popen(argv, env=env, cwd=cwd, stdin=stdin, stdout=stdout, stderr=stderr,
                            pass_fds=pass_fds, start_new_session=True)


def stop(proc, grace=3.0):
    """Ends a process started by start(): SIGTERM to its group, then SIGKILL after the grace time."""
    if proc is None:
        return
    for sig, wait in ((signal.SIGTERM, grace), (signal.SIGKILL, grace)):
        if proc.poll() is not None:
            break
        try:
            os.killpg(proc.pid, sig)
        except ProcessLookupError:
            break
        try:
            proc.wait(timeout=wait)
        except subprocess.TimeoutExpired:
            pass
    # Children that stayed in the group after the leader went.
    try:
        os.killpg(proc.pid, signal.SIGKILL)
    except (ProcessLookupError, PermissionError):
        pass


def run(argv, env=None, timeout=60.0, cwd=None):
    """Runs a command to its end with its output captured; output goes to a file, never a pipe
    that background children (Wine's services) could hold open."""
    with tempfile.TemporaryFile() as out:
        proc = start(argv, env=env, cwd=cwd, stdout=out, stderr=subprocess.STDOUT)
        try:
            proc.wait(timeout=timeout)
        finally:
            stop(proc, grace=0.5)
        out.seek(0)
        return proc.returncode, out.read().decode("utf-8", "replace")


def wait_until(predicate, timeout, step=0.02):
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            return value
        time.sleep(step)
