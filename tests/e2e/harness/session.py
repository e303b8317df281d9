"""One case's world: its own copy of the prefix, wineserver, driver and empty working directory."""

import os
import shutil
import tempfile

from . import driver as driver_mod
from . import wine


class RunContext:
    """What all cases of one run share: the programs, the template prefix and the display."""

    def __init__(self, kind, bin_dir, cache_dir, template, display, results_dir):
        self.kind = kind  # the Wine of the programs' bitness
        self.bits = kind.bits
        self.bin_dir = bin_dir
        self.cache_dir = cache_dir
        self.template = template
        self.display = display
        self.results_dir = results_dir

    def program(self, name):
        return os.path.join(self.bin_dir, name)


def remove_stale_cases(cache_dir):
    """Removes case folders left by runs that were killed: their run's PID is in the name."""
    cases_dir = os.path.join(cache_dir, "cases")
    if not os.path.isdir(cases_dir):
        return
    for name in os.listdir(cases_dir):
        parts = name.split("-")
        if len(parts) < 3 or parts[0] != "case" or not parts[1].isdigit():
            continue
        if not os.path.exists("/proc/%s" % parts[1]):
            shutil.rmtree(os.path.join(cases_dir, name), ignore_errors=True)


class Session:
    """Everything a case starts; close() ends it all, also after a failure or timeout."""

    def __init__(self, run, name):
        self.run = run
        self.name = name
        cases_dir = os.path.join(run.cache_dir, "cases")
        os.makedirs(cases_dir, exist_ok=True)
        # Beside the template so the copy can hard-link its files.
        self.root = tempfile.mkdtemp(prefix="case-%d-" % os.getpid(), dir=cases_dir)
        self.prefix = os.path.join(self.root, "prefix")
        self.home = os.path.join(self.root, "home")
        os.mkdir(self.home)
        self.cwd = tempfile.mkdtemp(prefix="pelmor-cwd-")
        self.log_path = os.path.join(self.root, "driver.log")
        self.server = None
        self.driver = None
        try:
            wine.copy_prefix(run.template, self.prefix)
            self.env = run.kind.env(self.prefix, self.home, run.display)
            self.server = wine.WineServer(self.env)
            self.driver = driver_mod.Driver(run.kind.command(run.program("pelmor-e2e-driver.exe")), self.env,
                                             self.log_path)
        except Exception:
            self.close(keep=True)
            raise

    def screenshot(self, file_name):
        """Saves the whole screen into the case's results (for a failure or for docs)."""
        os.makedirs(self.results(), exist_ok=True)
        path = os.path.join(self.results(), file_name)
        self.driver.send("screenshot", file=path)
        return path

    def results(self):
        return os.path.join(self.run.results_dir, self.name)

    def close(self, keep=False):
        if self.driver is not None:
            self.driver.close()
            self.driver = None
        if self.server is not None:
            self.server.stop()
            self.server = None
        if keep and os.path.exists(self.log_path):
            os.makedirs(self.results(), exist_ok=True)
            shutil.copy(self.log_path, os.path.join(self.results(), "driver.log"))
        shutil.rmtree(self.root, ignore_errors=True)
        shutil.rmtree(self.cwd, ignore_errors=True)
