"""The players' zip of the program's bitness: unpacked into an empty folder, it starts and deals."""

import os
import re
import zipfile

from harness import wine
from harness.checks import expect, expect_eq
from harness.pelmor import DESIGN_BOUNDS, TABLE_CLASS
from harness.registry import case

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))


def release_zip(bits):
    with open(os.path.join(REPO, "resources", "version.h")) as f:
        version = re.search(r'PELMOR_VERSION_TEXT "([0-9.]+)"', f.read()).group(1)
    path = os.path.join(REPO, "build", "release", "Pelmor-%s-win%d.zip" % (version, bits))
    expect(os.path.isfile(path), "%s is missing: make it with scripts/release" % path)
    return path


@case("release.zip_unpacks_starts_and_deals")
def zip_unpacks_starts_and_deals(app):
    run = app.session.run
    with zipfile.ZipFile(release_zip(run.bits)) as archive:
        names = archive.namelist()
        folders = {name.split("/", 1)[0] for name in names}
        expect_eq(len(folders), 1, "top-level folders in the zip")
        archive.extractall(app.session.cwd)
    folder = os.path.join(app.session.cwd, folders.pop())
    for name in ("Pelmor.exe", "README.txt", "LICENSE.txt", "lose.wav", "winner.wav", "ticktock.wav"):
        expect(os.path.isfile(os.path.join(folder, name)), "the zip holds no %s" % name)
    exe = os.path.join(folder, "Pelmor.exe")
    expect_eq(wine.program_bits(exe), run.bits, "bitness of the zip's Pelmor.exe")
    with open(os.path.join(folder, "README.txt"), "rb") as f:
        readme = f.read()
    expect(b"\r\n" in readme and b"\n" not in readme.replace(b"\r\n", b""), "README.txt has CR LF line ends")

    launched = app.driver.send("launch", exe=exe, dir=folder, args="0")
    table = app.driver.send("find", pid=launched["pid"], visible=True, timeout=15000,
                            caption="Pelmor Solitaire #0", **{"class": TABLE_CLASS})
    expect_eq(table["rect"], DESIGN_BOUNDS, "outer bounds of the table window")
    app.no_message_box(launched["pid"], wait_ms=300)
