#!/usr/bin/python3
"""scripts/setup's decisions, with stand-ins for apt-get, dpkg-query, dpkg, id and sleep on PATH:
no network and no change to the machine."""

import os
import stat
import subprocess
import tempfile
import unittest

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# Each stand-in appends its command line to $FAKE_LOG. dpkg-query reports every package installed
# but those in $FAKE_MISSING; `apt-get update` fails its first $FAKE_UPDATE_FAILS calls (or always,
# for "always"); `apt-get install` refuses the packages in $FAKE_REFUSE as apt does.
STAND_INS = {
    "dpkg-query": r'''
echo "dpkg-query $*" >> "$FAKE_LOG"
package=${@: -1}
for m in $FAKE_MISSING; do [ "$m" = "$package" ] && { echo "dpkg-query: no packages found matching $package" >&2; exit 1; }; done
printf 'install ok installed'
''',
    "apt-get": r'''
echo "apt-get $*" >> "$FAKE_LOG"
case "$*" in
  *update*)
    count=$(( $(cat "$FAKE_LOG.updates" 2>/dev/null || echo 0) + 1 ))
    echo $count > "$FAKE_LOG.updates"
    if [ "$FAKE_UPDATE_FAILS" = always ] || [ $count -le "$FAKE_UPDATE_FAILS" ]; then
      echo "E: Failed to fetch .../binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"
      exit 100
    fi ;;
  *install*)
    for p in $FAKE_REFUSE; do
      case " $* " in *" $p "*)
        echo "The following packages have unmet dependencies:"
        echo " libxml2:i386 : Depends: liblzma5:i386 (>= 5.1.1alpha+20120614) but it is not going to be installed"
        echo "E: Unable to correct problems, you have held broken packages."
        exit 100 ;;
      esac
    done ;;
esac
''',
    "dpkg": 'echo "dpkg $*" >> "$FAKE_LOG"\n',
    "id": 'echo 0\n',
    "sleep": 'echo "sleep $*" >> "$FAKE_LOG"\n',
}

EVERY_HOST = "cmake wine64 xvfb"  # a few of the packages every host needs


class SetupTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.bin = os.path.join(self.dir.name, "bin")
        os.mkdir(self.bin)
        for name, body in STAND_INS.items():
            path = os.path.join(self.bin, name)
            with open(path, "w") as f:
                f.write("#!/bin/bash\n" + body)
            os.chmod(path, os.stat(path).st_mode | stat.S_IEXEC)
        self.log = os.path.join(self.dir.name, "calls.log")
        self.note = os.path.join(self.dir.name, "cache", "wine32-not-installed")

    def tearDown(self):
        self.dir.cleanup()

    def setup(self, missing="", runs_32=True, update_fails="0", refuse=""):
        env = dict(os.environ, PATH=self.bin + ":/usr/bin:/bin", FAKE_LOG=self.log,
                   FAKE_MISSING=missing, FAKE_UPDATE_FAILS=update_fails, FAKE_REFUSE=refuse,
                   PELMOR_PROBE_32="/bin/true" if runs_32 else "/bin/false",
                   PELMOR_WINE32_NOTE=self.note, PELMOR_APT_UPDATE_PAUSE="7")
        run = subprocess.run([os.path.join(REPO, "scripts", "setup")], env=env, text=True,
                             stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        calls = []
        if os.path.exists(self.log):
            with open(self.log) as f:
                calls = f.read().splitlines()
            os.remove(self.log)
        return run.returncode, run.stdout, [c for c in calls if not c.startswith("dpkg-query")]

    def test_a_host_with_everything_never_calls_apt(self):
        for runs_32, missing in ((True, ""), (False, "wine32:i386")):
            status, out, calls = self.setup(missing=missing, runs_32=runs_32)
            self.assertEqual((status, out, calls), (0, "", []))

    def test_update_is_tried_again_after_a_pause_and_its_failure_alone_is_not_fatal(self):
        status, out, calls = self.setup(missing=EVERY_HOST, runs_32=False, update_fails="2")
        self.assertEqual(status, 0, out)
        self.assertEqual(calls, ["apt-get update -q", "sleep 7", "apt-get update -q", "sleep 7",
                                 "apt-get update -q",
                                 "apt-get install -y -q --no-install-recommends " + EVERY_HOST])

        status, out, calls = self.setup(missing=EVERY_HOST, runs_32=False, update_fails="always")
        self.assertEqual(status, 0, out)
        self.assertIn("apt-get update still fails after 3 tries", out)
        self.assertEqual(calls[-1], "apt-get install -y -q --no-install-recommends " + EVERY_HOST)

        # What every host needs must install: apt's words are shown and setup fails.
        status, out, _ = self.setup(missing=EVERY_HOST, runs_32=False, update_fails="always",
                                    refuse="wine64")
        self.assertEqual(status, 1)
        self.assertIn("libxml2:i386 : Depends: liblzma5:i386", out)
        self.assertIn("apt-get update had failed too", out)

    def test_a_32_bit_wine_that_cannot_be_installed_is_reported_once_and_skipped(self):
        status, out, calls = self.setup(missing="wine32:i386 cmake", refuse="wine32:i386")
        self.assertEqual(status, 0, out)
        self.assertEqual(calls, [
            "dpkg --print-foreign-architectures", "dpkg --add-architecture i386",
            "apt-get update -q", "apt-get install -y -q --no-install-recommends cmake",
            "apt-get install -y -q --no-install-recommends --no-remove wine32:i386"])
        said = [line for line in out.splitlines() if "no 32-bit Wine" in line]
        self.assertEqual(said, ["setup: no 32-bit Wine: apt could not install wine32:i386: "
                                "libxml2:i386 : Depends: liblzma5:i386 (>= 5.1.1alpha+20120614) "
                                "but it is not going to be installed; going on without it "
                                "(the 32-bit program is built, not run)"])
        # The next run leaves apt alone and says why; a host without 32-bit code never asks.
        status, out, calls = self.setup(missing="wine32:i386", refuse="wine32:i386")
        self.assertEqual((status, calls), (0, []))
        self.assertIn("not trying the 32-bit Wine (wine32:i386) again yet", out)
        status, out, calls = self.setup(missing="wine32:i386 cmake", runs_32=False)
        self.assertEqual(status, 0, out)
        self.assertNotIn("wine32:i386", " ".join(calls))


if __name__ == "__main__":
    unittest.main()
