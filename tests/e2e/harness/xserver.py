"""A private Xvfb display for one run, on a free display number that Xvfb picks itself."""

import os
import select

from . import procs


class VirtualDisplay:
    def __init__(self, width=1024, height=768, depth=24, timeout=20.0):
        read_fd, write_fd = os.pipe()
        try:
            self.proc = procs.start(
                ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "%dx%dx%d" % (width, height, depth),
                 "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_fd,))
        finally:
            os.close(write_fd)
        try:
            number = b""
            while not number.endswith(b"\n"):
                ready, _, _ = select.select([read_fd], [], [], timeout)
                if not ready:
                    raise RuntimeError("Xvfb did not report its display")
                chunk = os.read(read_fd, 64)
                if not chunk:
                    raise RuntimeError("Xvfb ended before it reported its display")
                number += chunk
        except Exception:
            procs.stop(self.proc)
            raise
        finally:
            os.close(read_fd)
        self.display = ":" + number.decode().strip()

    def stop(self):
        procs.stop(self.proc)
