"""Wine prefixes: a template made once (and cached by Wine version), a private copy per case,
and a wineserver per copy."""

import glob
import os
import shutil
import subprocess
import time
import uuid

from . import procs

# Bump when the way the template is made changes, so an old cache is not reused.
TEMPLATE_RECIPE = 3

BASE_ENV_OVERRIDES = {
    "WINEARCH": "win32",
    "WINEDEBUG": "-all",
    "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
}


def wine_version():
    code, out = procs.run(["wine", "--version"], timeout=30)
    if code != 0:
        raise RuntimeError("wine --version failed: " + out)
    return out.strip()


def base_env(prefix, home, display=None):
    env = {k: v for k, v in os.environ.items() if not k.startswith("WINE")}
    env.update(BASE_ENV_OVERRIDES)
    env["WINEPREFIX"] = prefix
    env["HOME"] = home
    env.pop("DISPLAY", None)
    if display is not None:
        env["DISPLAY"] = display
    return env


def _safe_name(text):
    return "".join(c if c.isalnum() or c in ".-_" else "_" for c in text)


def template_prefix(cache_dir, log=print):
    """Returns the template prefix for this Wine, making it when it is not cached yet."""
    version = wine_version()
    root = os.path.join(cache_dir, "prefix-%s-r%d" % (_safe_name(version), TEMPLATE_RECIPE))
    ready = os.path.join(root, "ready")
    prefix = os.path.join(root, "prefix")
    if os.path.exists(ready):
        return prefix
    os.makedirs(cache_dir, exist_ok=True)
    building = root + ".building-" + uuid.uuid4().hex[:8]
    log("e2e: making a Wine prefix template for %s (once)" % version)
    started = time.monotonic()
    _make_template(os.path.join(building, "prefix"), os.path.join(building, "home"))
    try:
        os.rename(building, root)
    except OSError:
        # Another run made it meanwhile; use theirs.
        shutil.rmtree(building, ignore_errors=True)
    with open(ready, "w") as f:
        f.write(version + "\n")
    log("e2e: template ready in %.1f s" % (time.monotonic() - started))
    return prefix


def _make_template(prefix, home):
    os.makedirs(home, exist_ok=True)
    # No display while booting: no dialogs, and no window can open anywhere.
    env = base_env(prefix, home, display=None)
    server = procs.start(["wineserver", "-f", "-p"], env=env)
    try:
        code, out = procs.run(["wineboot", "-i"], env=env, timeout=180)
        if code != 0:
            raise RuntimeError("wineboot -i failed: " + out[-2000:])
        # Without a window manager, managed windows stall on every hide; unmanaged
        # windows are placed exactly where the program asks.
        code, out = procs.run(["wine", "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed",
                               "/t", "REG_SZ", "/d", "N", "/f"], env=env, timeout=60)
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
        # of their own otherwise.
        procs.wait_until(lambda: self._socket_ready(), 5)

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
