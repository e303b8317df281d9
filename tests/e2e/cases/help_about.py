"""Help > How To Play with and without a word processor, Help > About and its links, Buy Source
Code, and the build stamp switch. Stand-in programs registered in the case's prefix record what the
shell was asked to open, so no word processor or browser runs."""

import os
import shutil

from harness import procs
from harness.checks import CaseFailure, expect, expect_box, expect_eq
from harness.pelmor import BOX_CAPTION
from harness.registry import case

ABOUT_CLASS = "TAboutBox"
HOME_PAGE = "https://www.halvek.example/"
APP_PAGE = HOME_PAGE + "/pelmor-solitaire/"
PAYMENT_PAGE = "https://www.paypal.example/cgi-bin/webscr?cmd=_s-xclick&hosted_button_id=PELMOR-SRC-1001"
EDITED_PAGE = b"<html>edited by the player</html>"


def in_prefix(app, *parts):
    return os.path.join(app.session.prefix, "drive_c", "windows", *parts)


def remove_write_exe(app):
    """Takes Wine's own Write.exe out of this case's prefix (a copy whose files are hard links, so
    the link is removed, never written through)."""
    for folder in ("system32", "syswow64"):
        path = in_prefix(app, folder, "write.exe")
        if os.path.lexists(path):
            os.remove(path)


def stand_in(app, host_path):
    """Puts the recorder at host_path; returns the log it writes."""
    if os.path.lexists(host_path):
        os.remove(host_path)
    shutil.copy(app.session.run.program("shell-recorder.exe"), host_path)
    return host_path + ".log"


def recorded(log, count=1, timeout=10.0):
    """The lines a stand-in recorded, once there are `count` of them."""
    def lines():
        if not os.path.exists(log):
            return []
        with open(log, encoding="latin-1") as f:
            return f.read().splitlines()
    found = procs.wait_until(lambda: len(lines()) >= count, timeout)
    expect(found, "the stand-in recorded %d of %d requests" % (len(lines()), count))
    return lines()


def reg(app, *arguments):
    code, out = procs.run(app.session.run.kind.command("reg", *arguments), env=app.session.env, timeout=60)
    expect(code == 0, "reg %s failed: %s" % (" ".join(arguments), out.strip()))


def register_opener(app, key, command):
    reg(app, "add", "HKCR\\%s\\shell\\open\\command" % key, "/ve", "/d", command, "/f")


def recorder_in_root(app, name):
    host = os.path.join(app.session.root, name)
    log = stand_in(app, host)
    return "Z:" + host.replace("/", "\\"), log


def cwd_files(app):
    return sorted(os.listdir(app.session.cwd))


def read_cwd(app, name):
    with open(os.path.join(app.session.cwd, name), "rb") as f:
        return f.read()


def expect_write_document(data):
    expect(len(data) % 128 == 0 and data[:2] == b"\x31\xbe", "pelmor16.wri is not a Write 3.0 file")


@case("help.how_to_play_opens_write")
def how_to_play_opens_write(app):
    log = stand_in(app, in_prefix(app, "system32", "write.exe"))
    # Wine prefers its own programs to files in its system folder unless told otherwise.
    app.driver.send("reg_set", key=r"Software\Wine\DllOverrides", name="write.exe", type="sz", data="native")
    with open(os.path.join(app.session.cwd, "pelmor16.htm"), "wb") as f:
        f.write(EDITED_PAGE)
    pid, table = app.start("5")
    app.choose(table, "Help", "How To Play")
    line = recorded(log)[0]
    command, folder = line.split("\t")
    expect(command.lower().endswith("pelmor16.wri"), "Write.exe was started with %r" % command)
    expect_eq(folder.rstrip("\\").lower(), app.windows_cwd().rstrip("\\").lower(), "Write.exe's working directory")
    expect_write_document(read_cwd(app, "pelmor16.wri"))
    expect_eq(cwd_files(app), ["pelmor16.htm", "pelmor16.wri"], "files in the working directory")
    expect_eq(read_cwd(app, "pelmor16.htm"), EDITED_PAGE, "the web page, which Write.exe made unneeded")
    app.no_message_box(pid, wait_ms=300)


@case("help.how_to_play_falls_back_to_the_web_page")
def how_to_play_falls_back(app):
    remove_write_exe(app)
    opener, log = recorder_in_root(app, "viewer.exe")
    reg(app, "add", "HKCR\\.htm", "/ve", "/d", "pelmortest.htm", "/f")
    register_opener(app, "pelmortest.htm", '"%s" "%%1"' % opener)
    with open(os.path.join(app.session.cwd, "pelmor16.htm"), "wb") as f:
        f.write(EDITED_PAGE)
    pid, table = app.start("5")
    app.choose(table, "Help", "How To Play")
    command = recorded(log)[0].split("\t")[0]
    expect("pelmor16.htm" in command.lower(), "the viewer was started with %r" % command)
    expect_eq(cwd_files(app), ["pelmor16.htm", "pelmor16.wri"], "files in the working directory")
    expect_write_document(read_cwd(app, "pelmor16.wri"))
    page = read_cwd(app, "pelmor16.htm")
    expect(page.startswith(b"<html>\r\n<head>\r\n<title>Orvandis Pelmor Help</title>"), "the page was not rewritten")
    app.no_message_box(pid, wait_ms=300)

    # A second How To Play writes both documents anew over the player's edits.
    document = read_cwd(app, "pelmor16.wri")
    for name in ("pelmor16.wri", "pelmor16.htm"):
        with open(os.path.join(app.session.cwd, name), "wb") as f:
            f.write(b"edited")
    app.choose(table, "Help", "How To Play")
    recorded(log, 2)
    expect_eq(read_cwd(app, "pelmor16.wri"), document, "the Write document after a second How To Play")
    expect_eq(read_cwd(app, "pelmor16.htm"), page, "the web page after a second How To Play")


@case("help.how_to_play_reports_when_nothing_opens")
def how_to_play_reports(app):
    remove_write_exe(app)
    pid, table = app.start("5")
    app.choose(table, "Help", "How To Play")
    box = app.message_box(pid)
    expect_box(box, caption=BOX_CAPTION, text="Couldn't launch help file", icon="error")
    app.press(box, "OK")
    expect_eq(cwd_files(app), ["pelmor16.htm", "pelmor16.wri"], "files in the working directory")


def about_window(app, pid, count=1):
    found = app.driver.send("windows", pid=pid, visible=True, **{"class": ABOUT_CLASS})["windows"]
    expect_eq(len(found), count, "visible about windows")
    return found[0] if found else None


def controls(app, window):
    return {child["id"]: child for child in app.driver.send("children", hwnd=window["hwnd"])["children"]}


@case("about.shows_its_texts_once_and_ok_hides_it")
def about_texts(app):
    pid, table = app.start("5")
    app.choose(table, "Help", "About")
    about = app.driver.send("find", pid=pid, visible=True, timeout=10000, **{"class": ABOUT_CLASS})
    expect_eq(about["caption"], "About", "the about window's caption")
    children = app.driver.send("children", hwnd=about["hwnd"])["children"]
    texts = [c["caption"] for c in children if c["visible"]]
    bits = "%d-Bit" % app.session.run.bits
    for text in ("Orvandis", bits, "ANSI-Char", "Orvandis Pelmor", "Version 1.0.0.1",
                 "If you like this app you can then support me by buying the source code", "", "OK"):
        expect(text in texts, "%r is not among the dialog's texts %r" % (text, texts))
    hidden = sorted(c["caption"] for c in children if not c["visible"])
    expect_eq(hidden, ["Donate via Cash App", "Donate via Paypal"], "hidden controls")
    wanted = ("ANSI-Char", bits, "Orvandis Pelmor", "Version 1.0.0.1")
    shown = sorted((c["rect"]["top"], c["caption"]) for c in children if c["visible"] and c["caption"] in wanted)
    expect_eq([caption for _, caption in shown], ["ANSI-Char", bits, "Orvandis Pelmor", "Version 1.0.0.1"],
              "texts from top to bottom")

    app.choose(table, "Help", "About")  # a second time: the same window, still one
    again = about_window(app, pid)
    expect_eq(again["hwnd"], about["hwnd"], "the about window's handle")
    app.press(again, "OK")
    expect(app.window_exists(about["hwnd"]), "OK destroyed the about window")
    expect(not app.window(about["hwnd"])["visible"], "OK left the about window shown")
    app.choose(table, "Help", "About")
    expect_eq(about_window(app, pid)["hwnd"], about["hwnd"], "the about window shown again")


@case("about.links_and_buy_source_code_open_their_addresses")
def about_links(app):
    opener, log = recorder_in_root(app, "browser.exe")
    for scheme in ("http", "https"):
        register_opener(app, scheme, '"%s" "%%1"' % opener)
    pid, table = app.start("5")
    app.choose(table, "Help", "About")
    about = app.driver.send("find", pid=pid, visible=True, timeout=10000, **{"class": ABOUT_CLASS})
    origin = about["client"]
    children = app.driver.send("children", hwnd=about["hwnd"])["children"]

    def click(caption):
        child = next(c for c in children if c["caption"] == caption)
        x = child["rect"]["left"] + child["rect"]["width"] // 2 - origin["left"]
        y = child["rect"]["top"] + child["rect"]["height"] // 2 - origin["top"]
        app.driver.send("click", hwnd=about["hwnd"], x=x, y=y)

    click("Orvandis")  # the banner, away from the labels over it
    recorded(log, 1)
    click("%d-Bit" % app.session.run.bits)
    recorded(log, 2)
    click("Pelmor")  # the program icon's frame
    recorded(log, 3)
    app.choose(table, "Help", "Buy Source Code")
    lines = recorded(log, 4)
    addresses = [line.split("\t")[0].split('" "', 1)[-1].strip('"') for line in lines]
    expect_eq(addresses, [HOME_PAGE, HOME_PAGE, APP_PAGE, PAYMENT_PAGE], "addresses opened")
    app.no_message_box(pid, wait_ms=300)


@case("about.kesmarup_rewrites_the_build_stamp")
def kesmarup(app):
    stamp = os.path.join(app.session.cwd, "lastver.cpp")
    with open(stamp, "wb") as f:
        f.write(b"name=Pelmor\r\ncompiletime:tdatetime=2;\r\ncompilecount:dword=$FF;\r\n")
    pid, table = app.start("5 /KesMarUp")
    with open(stamp, "rb") as f:
        lines = f.read().decode("latin-1").split("\r\n")
    expect_eq(lines[0], "name=Pelmor", "other lines")
    expect_eq(lines[2], "compilecount:dword=$100;", "the count")
    expect_eq(lines[3:], [""], "the last line's end")
    expect(lines[1].startswith("compiletime:tdatetime=") and lines[1].endswith(";"), "time line %r" % lines[1])
    days = float(lines[1].split("=", 1)[1].rstrip(";").replace(",", "."))
    expect(45000 < days < 60000, "the time stamp %r is not today's day count" % lines[1])
