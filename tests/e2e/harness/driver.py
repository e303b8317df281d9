"""Client of pelmor-e2e-driver.exe: one command line out, one JSON reply line back, each with a timeout."""

import json
import os
import selectors
import subprocess
import time

from . import procs


class DriverError(Exception):
    """The driver answered a command with ok=false, or did not answer in time."""


def quote(value):
    """One word of the driver's command syntax."""
    text = str(value)
    escaped = (text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n")
               .replace("\r", "\\r").replace("\t", "\\t"))
    return '"' + escaped + '"'


class Driver:
    def __init__(self, command, env, log_path, timeout=60.0):
        """command: the driver's command line, the Wine loader first."""
        self.log = open(log_path, "a", encoding="utf-8")
        self.proc = procs.start(command, env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                stderr=self.log)
        self._buffer = b""
        self._sent_at = time.monotonic()
        self._selector = selectors.DefaultSelector()
        self._selector.register(self.proc.stdout, selectors.EVENT_READ)
        os.set_blocking(self.proc.stdout.fileno(), False)
        ready = self._read_reply(timeout)
        if not ready.get("ready"):
            raise DriverError("driver did not start: %r" % ready)

    def _read_reply(self, timeout):
        deadline = time.monotonic() + timeout
        while b"\n" not in self._buffer:
            left = deadline - time.monotonic()
            if left <= 0:
                raise DriverError("driver did not answer within %.0f s" % timeout)
            if not self._selector.select(left):
                continue
            try:
                chunk = self.proc.stdout.read(65536)
            except BlockingIOError:
                continue
            if not chunk:
                raise DriverError("driver ended (exit %s)" % self.proc.poll())
            self._buffer += chunk
        line, self._buffer = self._buffer.split(b"\n", 1)
        took = (time.monotonic() - self._sent_at) * 1000.0
        self.log.write("<< %.0f ms %s\n" % (took, line.decode("utf-8", "replace")[:4000]))
        self.log.flush()
        return json.loads(line.decode("utf-8"))

    def send(self, verb, *words, reply_timeout=None, check=True, **options):
        """Sends one command. Options become name=value words; wait options given in
        milliseconds also bound how long this side waits for the reply."""
        parts = [verb] + [quote(w) for w in words]
        for name, value in options.items():
            if value is None:
                continue
            if isinstance(value, bool):
                value = 1 if value else 0
            parts.append("%s=%s" % (name, quote(value)))
        line = " ".join(parts)
        self.log.write(">> %s\n" % line)
        self.log.flush()
        self._sent_at = time.monotonic()
        try:
            self.proc.stdin.write((line + "\n").encode("utf-8"))
            self.proc.stdin.flush()
        except (BrokenPipeError, OSError) as e:
            raise DriverError("driver is gone: %s" % e)
        if reply_timeout is None:
            inner = max(int(options.get("timeout") or 0), int(options.get("wait") or 0))
            reply_timeout = inner / 1000.0 + 15.0
        reply = self._read_reply(reply_timeout)
        if check and not reply.get("ok"):
            raise DriverError("%s: %s" % (verb, reply.get("error")))
        return reply

    def close(self):
        """Asks the driver to end what it launched and waits for it; ends it by PID otherwise."""
        if self.proc.poll() is None:
            try:
                self.send("end", reply_timeout=15)
            except DriverError:
                pass
            try:
                self.proc.stdin.close()
            except OSError:
                pass
            try:
                self.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        procs.stop(self.proc, grace=1.0)
        self._selector.close()
        self.log.close()
