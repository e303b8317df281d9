"""Wine prefixes: a template made once (and cached by Wine version), a private copy per case,
and a wineserver per copy."""

import glob
import os
import shutil
import struct
import subprocess
import time
import uuid

from . import procs

# Bump when the way the template is made changes, so an old cache is not reused.
TEMPLATE_RECIPE = 4

LOADER_32 = "/usr/lib/wine/wine"
LOADER_64 = "/usr/lib/wine/wine64"

# The machine field of a PE file's COFF header, by the bitness it names.
PE_MACHINES = {0x014C: 32, 0x8664: 64}

BASE_ENV_OVERRIDES = {
    "WINEDEBUG": "-all",
    "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
}


def program_bits(path):
    """32 or 64: the bitness of a Windows program, read from its PE header."""
    with open(path, "rb") as f:
        head = f.read(4096)
    if head[:2] != b"MZ" or len(head) < 0x40:
        raise RuntimeError("%s is not a Windows program" % path)
    pe = struct.unpack_from("<I", head, 0x3C)[0]
    if head[pe:pe + 4] != b"PE\0\0":
        raise RuntimeError("%s has no PE header" % path)
    machine = struct.unpack_from("<H", head, pe + 4)[0]
    if machine not in PE_MACHINES:
        raise RuntimeError("%s is for machine 0x%04x, neither i686 nor x86_64" % (path, machine))
    return PE_MACHINES[machine]


def _host_env():
    env = {k: v for k, v in os.environ.items() if not k.startswith("WINE")}
    env["WINEDEBUG"] = "-all"
    return env


class WineKind:
    """The Wine of one bitness: its loader, its prefix architecture and its environment."""

    def __init__(self, bits):
        if bits not in (32, 64):
            raise ValueError("bits must be 32 or 64")
        self.bits = bits
        # Debian's /usr/bin/wine picks the 32-bit loader whenever it is installed, even where the
        # host cannot run it, so each bitness names its loader itself.
        self.loader = LOADER_64 if bits == 64 else LOADER_32
        self.arch = "win64" if bits == 64 else "win32"

    @classmethod
    def for_program(cls, path):
        return cls(program_bits(path))

    def command(self, *argv):
        """The command line that runs a Windows program (or one of Wine's, such as reg) here."""
        return [self.loader, *argv]

    def runs_here(self):
        """(True, version) when this host runs the loader; else (False, why). The loader is
        tried, not guessed: a host without 32-bit user code has wine32 installed all the same and
        fails with "Exec format error"."""
        if not os.access(self.loader, os.X_OK):
            return False, "%s is not installed" % self.loader
        try:
            code, out = procs.run(self.command("--version"), env=_host_env(), timeout=30)
        except (OSError, subprocess.TimeoutExpired) as failure:
            return False, str(failure)
        text = out.strip()
        if code != 0:
            return False, text.splitlines()[-1] if text else "exit code %d" % code
        return True, text

    def version(self):
        runs, text = self.runs_here()
        if not runs:
            raise RuntimeError("%d-bit Wine cannot run here: %s" % (self.bits, text))
        return text

    def env(self, prefix, home, display=None):
        env = _host_env()
        env.update(BASE_ENV_OVERRIDES)
        env["WINEARCH"] = self.arch
        env["WINELOADER"] = self.loader
        env["WINEPREFIX"] = prefix
        env["HOME"] = home
        env.pop("DISPLAY", None)
        if display is not None:
            env["DISPLAY"] = display
        return env


def _safe_name(text):
    return "".join(c if c.isalnum() or c in ".-_" else "_" for c in text)


def template_prefix(kind, cache_dir, log=print):
    """Returns the template prefix for this Wine and bitness, making it when it is not cached yet."""
    version = kind.version()
    root = os.path.join(cache_dir, "prefix-%s-%s-r%d" % (kind.arch, _safe_name(version), TEMPLATE_RECIPE))
    ready = os.path.join(root, "ready")
    prefix = os.path.join(root, "prefix")
    if os.path.exists(ready):
        return prefix
    os.makedirs(cache_dir, exist_ok=True)
    building = root + ".building-" + uuid.uuid4().hex[:8]
    log("e2e: making a %d-bit Wine prefix template for %s (once)" % (kind.bits, version))
    started = time.monotonic()
    _make_template(kind, os.path.join(building, "prefix"), os.path.join(building, "home"))
    try:
        os.rename(building, root)
    except OSError:
        # Another run made it meanwhile; use theirs.
        shutil.rmtree(building, ignore_errors=True)
    with open(ready, "w") as f:
        f.write(version + "\n")
    log("e2e: template ready in %.1f s" % (time.monotonic() - started))
    return prefix


def _make_template(kind, prefix, home):
    os.makedirs(home, exist_ok=True)
    # No display while booting: no dialogs, and no window can open anywhere.
    env = kind.env(prefix, home, display=None)
    server = procs.start(["wineserver", "-f", "-p"], env=env)
    try:
        code, out = procs.run(kind.command("wineboot", "-i"), env=env, timeout=180)
        if code != 0:
            raise RuntimeError("wineboot -i failed: " + out[-2000:])
        # Without a window manager, managed windows stall on every hide; unmanaged
        # windows are placed exactly where the program asks.
        code, out = procs.run(kind.command("reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed",
                               "/t", "REG_SZ", "/d", "N", "/f"), env=env, timeout=60)
        if code != 0:
            raise RuntimeError("setting Managed=N failed: " + out[-2000:])
    finally:
        procs.run(["wineserver", "-k"], env=env, timeout=30)
        try:
            server.wait(timeout=30)
        except subprocess.TimeoutExpired:
            procs.stop(server)
    _unlink_home_folders(prefix)


def _unlink_home_folders(prefix):
    """A new prefix links Desktop, Documents and the like into $HOME; make them plain folders
    so no case writes outside its copy."""
    users = os.path.join(prefix, "drive_c", "users")
    for user in os.listdir(users):
        folder = os.path.join(users, user)
        for name in os.listdir(folder):
            path = os.path.join(folder, name)
            if os.path.islink(path):
                os.unlink(path)
                os.mkdir(path)


def copy_prefix(template, target):
    """Copies the template with its files hard-linked (fast) except the registry files, which
    wineserver rewrites and which must never be shared with the template."""
    linked = subprocess.run(["cp", "-a", "-l", template, target], stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    if linked.returncode != 0:
        # Another file system: no hard links, a full copy instead.
        shutil.rmtree(target, ignore_errors=True)
        subprocess.run(["cp", "-a", template, target], check=True)
    for name in os.listdir(target):
        if name.endswith(".reg"):
            path = os.path.join(target, name)
            os.unlink(path)
            shutil.copy2(os.path.join(template, name), path)


class WineServer:
    """A persistent wineserver for one prefix, in the foreground so its PID is ours."""

    def __init__(self, env):
        self.env = env
        self.proc = procs.start(["wineserver", "-f", "-p"], env=env)
        # The server is ready once its socket directory exists; clients would start one
        # of their own otherwise, and the two servers' clients then fail. On a loaded machine
        # the socket has been seen to take longer than 5 s, so wait for it up to a minute.
        if not procs.wait_until(lambda: self._socket_ready(), 60) or self.proc.poll() is not None:
            raise RuntimeError("wineserver did not start for %s" % env["WINEPREFIX"])

    def _socket_ready(self):
        if self.proc.poll() is not None:
            return True
        # Debian's Wine keeps server sockets under /tmp/wine-XXXXXX; upstream under /tmp/.wine-UID.
        st = os.stat(self.env["WINEPREFIX"])
        name = "server-%x-%x" % (st.st_dev, st.st_ino)
        tmp = os.environ.get("TMPDIR", "/tmp")
        patterns = [os.path.join(tmp, "wine-*", name, "socket"),
                    os.path.join(tmp, ".wine-%d" % os.getuid(), name, "socket")]
        return any(glob.glob(p) for p in patterns)

    def stop(self):
        """Ends every process of this prefix, then the server itself."""
        try:
            procs.run(["wineserver", "-k"], env=self.env, timeout=15)
        except subprocess.TimeoutExpired:
            pass
        try:
            self.proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            pass
        procs.stop(self.proc, grace=1.0)
        kill_prefix_processes(self.env["WINEPREFIX"])


def kill_prefix_processes(prefix):
    """Last sweep: any process still running with this case's WINEPREFIX was started by
    this case (Wine detaches some of its helpers into sessions of their own)."""
    needle = ("WINEPREFIX=" + prefix).encode() + b"\0"
    for pid in os.listdir("/proc"):
        if not pid.isdigit() or int(pid) == os.getpid():
            continue
        try:
            with open("/proc/%s/environ" % pid, "rb") as f:
                environ = f.read() + b"\0"
        except OSError:
            continue
        if b"\0" + needle in b"\0" + environ:
            try:
                os.kill(int(pid), 9)
            except OSError:
                pass
