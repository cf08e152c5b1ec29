"""The threat scan under Wine: signature lists written with the vendor's list tool, files planted
under C:\\windows and keys and values in the registry, the scan run from the tray menu, and what
it leaves on disk and in the registry; Quarantine, Delete files and Save log checked on disk;
the "-scan" start at logon."""
import glob
import os
import re
import shutil
import stat
import subprocess
import tempfile

from harness import TOP, Program, check, qexctl, screenshot, wait_until

SIGLIST = os.path.join(TOP, "build", "native", "qexsiglist")
LISTS = ["ThreatData.db", "ThreatDataExt1.db", "ThreatDataExt2.db", "SysDataExt2.db",
         "ThreatDataExt3.db", "SysDataExt3.db", "SysDataExt1.db"]
TITLE = "Orvanta System Scan"

TOOLBAR = "HKLM\\Software\\Microsoft\\Internet Explorer\\Toolbar"
BROWSER = "HKCU\\Software\\Microsoft\\Internet Explorer\\Toolbar\\WebBrowser"
RUN = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"
ROOTS = {"HKLM": "HKEY_LOCAL_MACHINE", "HKCU": "HKEY_CURRENT_USER", "HKCR": "HKEY_CLASSES_ROOT"}

# Listed keys (with subkeys) and their unlisted siblings; listed values and their neighbours.
BAD_KEYS = ["HKCR\\QexScan.Bad", "HKLM\\Software\\QexScanBad", "HKCU\\Software\\QexScanBad"]
GOOD_KEYS = ["HKCR\\QexScan.Good", "HKLM\\Software\\QexScanGood", "HKCU\\Software\\QexScanGood"]
# A registry link inside a listed key, leading to a key that is not listed: the link goes, what
# it leads to stays.
DOOR = "Software\\QexScanBad\\Door"
VICTIM = "Software\\QexScanVictim"
VALUES = [(TOOLBAR, "QexBadBar", "QexGoodBar"), (BROWSER, "QexBadBrowser", "QexGoodBrowser"),
          (RUN, "QexBadRun", "QexGoodRun")]


def full(key):
    root, _, rest = key.partition("\\")
    return ROOTS[root] + "\\" + rest


def regedit(wine, lines):
    with tempfile.NamedTemporaryFile("w", suffix=".reg", delete=False, newline="") as f:
        f.write("REGEDIT4\r\n\r\n" + "\r\n".join(lines) + "\r\n")
    try:
        r = wine.run(["regedit", "/s", wine.windows_path(f.name)], timeout=120)
        check(r.returncode == 0, "regedit /s failed")
    finally:
        os.remove(f.name)


def plant_registry(wine):
    lines = []
    for key in BAD_KEYS:
        lines += ["[%s]" % full(key), '@="listed"', "[%s\\Sub\\Deeper]" % full(key), '"x"=dword:00000001']
    for key in GOOD_KEYS:
        lines += ["[%s]" % full(key), '@="kept"']
    for key, bad, good in VALUES:
        lines += ["[%s]" % full(key), '"%s"="listed"' % bad, '"%s"="kept"' % good]
    lines += ["[%s]" % full("HKLM\\" + VICTIM), '"precious"="data"', "[%s\\Inner]" % full("HKLM\\" + VICTIM)]
    regedit(wine, lines)
    rc, out = qexctl(wine, "--registry-link", DOOR, VICTIM)
    check(rc == 0, "no registry link: " + out)


def clean_registry(wine):
    lines = ["[-%s]" % full(key) for key in BAD_KEYS + GOOD_KEYS + ["HKLM\\" + VICTIM]]
    for key, bad, good in VALUES:
        lines += ["[%s]" % full(key), '"%s"=-' % bad, '"%s"=-' % good]
    regedit(wine, lines)


def key_exists(wine, key):
    return wine.run(["reg", "query", key], timeout=60).returncode == 0


def value_names(wine, key):
    out = wine.run(["reg", "query", key], timeout=60).stdout.decode("latin-1")
    return {line.split()[0] for line in out.splitlines() if line.startswith("    ") and line.split()}


def write_lists(program, phases):
    """The seven lists beside the program, written by the vendor's tool; phases maps a list's
    index to its plain lines, the others are empty."""
    for i, name in enumerate(LISTS):
        plain = os.path.join(program.dir, name + ".txt")
        with open(plain, "w", newline="") as f:
            f.write("".join(line + "\r\n" for line in phases.get(i, [])))
        r = subprocess.run([SIGLIST, "write", plain, os.path.join(program.dir, name)],
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=60)
        check(r.returncode == 0, "qexsiglist: " + r.stdout.decode())
        os.remove(plain)


def windows_dir(wine):
    return wine.unix_path("C:\\windows")


def plant_file(path, content):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(content)


def rows(p):
    return [line.split("\t") for line in p.get("deepscanfrm.ListView1.rows").split("\n") if line]


def buttons(p):
    return [p.get("deepscanfrm.%s.enabled" % name) for name in ("Image1", "Image3", "Image2")]


def wait_complete(p, timeout=120):
    wait_until(lambda: p.get("deepscanfrm.Label2.caption") == "Scan complete.", timeout,
               what="the end of the scan")


STAMP = re.compile(r"^\d{1,2}/\d{1,2}/\d{4}  \d{1,2}:\d\d( [AP]M)?$")


def test_scan_from_the_tray_removes_what_is_listed_and_quarantines_the_files(wine):
    windows = windows_dir(wine)
    outside = os.path.join(wine.unix_path("C:\\"), "qexscan-outside.txt")
    planted = {os.path.join(windows, "qexscan-a.exe"): b"A" * 3000,
               os.path.join(windows, "qexscan-dir", "qexscan-b.dll"): b"B" * 12,
               os.path.join(windows, "qexscan-keep.exe"): b"K",
               outside: b"precious"}
    p = Program(wine, "scan")
    try:
        for path, content in planted.items():
            plant_file(path, content)
        plant_registry(wine)
        p.write_ini("[System]\nNews=0\n")
        fillers = ["\\Software\\QexScanFiller%03d" % i for i in range(400)]
        write_lists(p, {0: ["qexscan-a.exe", "qexscan-dir\\qexscan-b.dll", "qexscan-missing.exe",
                            "..\\qexscan-outside.txt", "qexscan-dir"],
                        1: ["\\QexScan.Bad", "\\QexScan.Missing"],
                        2: ["\\Software\\QexScanBad"] + fillers,
                        3: ["QexBadBar"], 4: ["\\Software\\QexScanBad"], 5: ["QexBadBrowser"],
                        6: ["QexBadRun"]})
        p.start()
        p.wait_ready()
        p.expect("qex_ulm_frm.Timer1.running", "1", "the dashboard's timer is not running")
        p.act("menu qex_ulm_frm.PopupMenu1.SystemScan1")
        wait_until(lambda: p.get("deepscanfrm.visible") == "1", 20, what="the scan window")
        sizes = [w for w in p.windows() if w and w[0] == "Tdeepscanfrm"]
        check(sizes and sizes[0][1] == TITLE and sizes[0][2] == "566x365", "window %r" % sizes)
        wait_until(lambda: p.get("deepscanfrm.Label1.caption").startswith(
            "HKEY_LOCAL_MACHINE\\Software\\QexScanFiller"), 60, step=0.1, what="the filler lines")
        p.expect("deepscanfrm.Label2.caption", "Deep Scanning Registry:", "phase caption")
        p.expect("qex_ulm_frm.Timer1.running", "0", "the dashboard's timer runs during the scan")
        check(buttons(p) == ["0", "0", "0"], "buttons enabled during the scan")
        screenshot(wine, "scan-phase", TITLE)
        wait_complete(p)

        p.expect("deepscanfrm.Label1.caption", "5 infections were found.", "Label1")
        p.expect("deepscanfrm.Label8.caption", "2", "Label8")
        p.expect("deepscanfrm.Label9.caption", "3", "Label9")
        p.expect("deepscanfrm.Label7.caption", "Items scanned: %d" % (5 + 2 + 401 + 4), "Label7")
        found = rows(p)
        check([r[0] for r in found] == [
            "C:\\windows\\qexscan-a.exe", "C:\\windows\\qexscan-dir\\qexscan-b.dll",
            "HKEY_CLASSES_ROOT\\QexScan.Bad", "HKEY_LOCAL_MACHINE\\Software\\QexScanBad",
            "HKEY_CURRENT_USER\\Software\\QexScanBad"], "rows %r" % found)
        check(all(STAMP.match(r[1]) for r in found[:2]), "time stamps %r" % found[:2])
        check(all(r[1] == "Removed" for r in found[2:]), "keys %r" % found[2:])
        check(buttons(p) == ["1", "1", "1"], "buttons after the scan")
        screenshot(wine, "scan-complete", TITLE)

        for key in BAD_KEYS:
            check(not key_exists(wine, key), key + " is still there")
        for key in GOOD_KEYS:
            check(key_exists(wine, key), key + " is gone")
        check(value_names(wine, "HKLM\\" + VICTIM) == {"precious"} and
              key_exists(wine, "HKLM\\" + VICTIM + "\\Inner"), "the link's target was touched")
        for key, bad, good in VALUES:
            names = value_names(wine, key)
            check(bad not in names and good in names, "%s: %r" % (key, sorted(names)))
        for path in planted:
            check(os.path.exists(path), path + " was touched by the scan")

        p.act("click deepscanfrm.Label12")
        wait_until(lambda: p.get("deepscanfrm.Label1.caption") == "Quarantine complete.", 30,
                   what="the quarantine")
        p.expect("deepscanfrm.Label8.caption", "0", "Label8 after the quarantine")
        check(rows(p) == [], "rows after the quarantine")
        check(buttons(p) == ["0", "0", "0"], "buttons after the quarantine")
        quarantined = os.path.join(p.dir, "Quarantined")
        for name, original in (("qexscan-a.exe", os.path.join(windows, "qexscan-a.exe")),
                               ("qexscan-b.dll", os.path.join(windows, "qexscan-dir", "qexscan-b.dll"))):
            with open(os.path.join(quarantined, name + ".qua"), "rb") as f:
                check(f.read() == planted[original], name + " copy")
            check(not os.path.exists(original), original + " stayed")
        for path in (os.path.join(windows, "qexscan-keep.exe"), outside):
            check(os.path.exists(path), path + " was removed")
        backups = glob.glob(os.path.join(quarantined, "Registry backup *.reg"))
        check(len(backups) == 1, "registry backups %r" % backups)
        with open(backups[0], encoding="latin-1") as f:
            backup = f.read()
        check("QexScanBad\\Door] was a registry link" in backup and "precious" not in backup,
              "the backup holds the link's target: %r" % backup)
        screenshot(wine, "scan-quarantined", TITLE)

        p.act("close deepscanfrm")
        wait_until(lambda: p.get("deepscanfrm.visible") == "0", 20, what="the window to close")
        check(p.boxes() == [], "a question on closing a finished scan")
        p.expect("qex_ulm_frm.Timer1.running", "1", "the dashboard's timer did not restart")
    finally:
        p.kill()
        wine.stop()
        clean_registry(wine)
        for path in planted:
            if os.path.exists(path):
                os.remove(path)
        subprocess.run(["rm", "-rf", os.path.join(windows, "qexscan-dir")])


def test_scan_save_log_asks_before_replacing_and_delete_files_counts_what_stays(wine):
    """... and a Quarantined folder that takes no files is named once, and every file stays."""
    windows = windows_dir(wine)
    gone = os.path.join(windows, "qexscan-c.exe")
    stays = os.path.join(windows, "qexscan-ro.exe")
    # A Unix link lists as a plain file under Wine, and deleting it by name deletes its target.
    link = os.path.join(windows, "qexscan-link.exe")
    target = os.path.join(tempfile.mkdtemp(prefix="qexscan-"), "thesis.doc")
    # A link to another file of the Windows directory (a system library, say).
    inner = os.path.join(windows, "qexscan-inner.exe")
    victim = os.path.join(windows, "system32", "qexscan-victim.dll")
    p = Program(wine, "scanlog")
    try:
        plant_file(gone, b"C")
        plant_file(stays, b"R")
        plant_file(target, b"the user's own")
        os.symlink(target, link)
        plant_file(victim, b"needed")
        os.symlink(victim, inner)
        # Read-only on the Linux side is a read-only file to Windows, which DeleteFileA refuses.
        os.chmod(stays, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
        p.write_ini("[System]\nNews=0\n")
        write_lists(p, {0: ["qexscan-c.exe", "qexscan-ro.exe", "qexscan-link.exe",
                            "qexscan-inner.exe"]})
        log = os.path.join(p.dir, "scan log.txt")
        with open(log, "w") as f:
            f.write("an older log")
        p.start()
        p.wait_ready()
        p.act("menu qex_ulm_frm.PopupMenu1.SystemScan1")
        wait_complete(p)
        p.expect("deepscanfrm.Label1.caption", "4 infections were found.", "Label1")

        p.act("click deepscanfrm.Image2")
        wait_until(lambda: [b for b in p.boxes() if b.startswith("Save Scan Log\t")], 30,
                   what="the save dialog")
        check(p.ctl("--savefile", wine.windows_path(log))[0] == 0, "no file name field")
        wait_until(lambda: [b for b in p.boxes() if "already exists" in b], 30,
                   what="the question before replacing the log")
        with open(log) as f:
            check(f.read() == "an older log", "the log was replaced before the answer")
        p.answer("Yes")
        expected = ("C:\\windows\\qexscan-c.exe\r\nC:\\windows\\qexscan-ro.exe\r\n"
                    "C:\\windows\\qexscan-link.exe\r\nC:\\windows\\qexscan-inner.exe\r\n")
        wait_until(lambda: open(log, newline="").read() == expected, 20, what="the log")
        check(buttons(p) == ["1", "1", "1"], "buttons after Save log")

        p.act("click deepscanfrm.Image3")
        wait_until(lambda: p.get("deepscanfrm.Label1.caption") == "File removal complete.", 30,
                   what="the removal")
        check(not os.path.exists(gone), gone + " stayed")
        check(os.path.exists(stays), stays + " was deleted")
        check(os.path.islink(link), "the link was deleted")
        with open(target, "rb") as f:
            check(f.read() == b"the user's own", "the link's target was touched")
        check(os.path.islink(inner), "the link into system32 was deleted")
        with open(victim, "rb") as f:
            check(f.read() == b"needed", "the file of the Windows directory it led to was touched")
        p.expect("deepscanfrm.Label8.caption", "3", "Label8 counts the files that stayed")

        # A plain file where the folder belongs refuses a write as a read-only folder would.
        quarantined = os.path.join(p.dir, "Quarantined")
        shutil.rmtree(quarantined)
        with open(quarantined, "w") as f:
            f.write("not a folder")
        p.act("close deepscanfrm")
        wait_until(lambda: p.get("deepscanfrm.visible") == "0", 20, what="the window to close")
        p.act("menu qex_ulm_frm.PopupMenu1.SystemScan1")
        wait_complete(p)
        p.act("click deepscanfrm.Label12")
        told = wait_until(lambda: [b for b in p.boxes() if "could not write" in b], 30,
                          what="the word about the program folder")
        check(wine.windows_path(quarantined) in told[0] and "administrator" in told[0],
              "the box %r" % told)
        screenshot(wine, "scan-cannot-quarantine", "Orvanta Kestrel")
        p.answer("OK")
        wait_until(lambda: p.get("deepscanfrm.Label1.caption") == "Quarantine complete.", 30,
                   what="the quarantine")
        check(p.boxes() == [], "more boxes: %r" % p.boxes())
        p.expect("deepscanfrm.Label8.caption", "3", "Label8 after a refused quarantine")
        check(os.path.exists(stays) and os.path.islink(link) and os.path.islink(inner),
              "a file went without its copy")
    finally:
        p.kill()
        for path in (gone, stays, link, inner, victim):
            if os.path.lexists(path):
                if not os.path.islink(path):
                    os.chmod(path, stat.S_IRUSR | stat.S_IWUSR)
                os.remove(path)
        shutil.rmtree(os.path.dirname(target), ignore_errors=True)


def test_scan_at_logon_fades_out_when_clean_and_the_program_stays_in_the_tray(wine):
    p = Program(wine, "logon-clean")
    try:
        p.write_ini("[System]\nNews=0\n")
        write_lists(p, {})
        p.start("-scan")
        p.wait_ready()
        wait_until(lambda: p.get("deepscanfrm.visible") == "1", 30, what="the scan window")
        p.expect("qex_ulm_frm.visible", "0", "the main window shows")
        wait_complete(p)
        p.expect("deepscanfrm.Label1.caption", "0 infections were found.", "Label1")
        p.expect("deepscanfrm.Timer3.running", "1", "no fade-out ahead")
        wait_until(lambda: p.get("deepscanfrm.visible") == "0", 40, what="the fade-out")
        # The last step of the fade stays set on the hidden window: 2 % of 255.
        p.expect("deepscanfrm.alpha", "5", "alpha " + p.get("deepscanfrm.alpha"))
        check(p.running(), "the program ended")
        p.expect("qex_ulm_frm.visible", "0", "the main window came back")
        check([w for w in p.windows() if w and w[0] == "__winex11_standalone_tray"], "no tray icon")
        # Opened again from the tray, the window is opaque from the start.
        p.act("menu qex_ulm_frm.PopupMenu1.SystemScan1")
        wait_until(lambda: p.get("deepscanfrm.visible") == "1", 20, what="the scan window again")
        p.expect("deepscanfrm.alpha", "255", "alpha after showing again")
    finally:
        p.kill()


def test_scan_at_logon_with_a_finding_stays_open(wine):
    windows = windows_dir(wine)
    found = os.path.join(windows, "qexscan-logon.exe")
    p = Program(wine, "logon-found")
    try:
        plant_file(found, b"L")
        p.write_ini("[System]\nNews=0\n")
        write_lists(p, {0: ["qexscan-logon.exe"]})
        p.start("-scan")
        p.wait_ready()
        wait_complete(p)
        p.expect("deepscanfrm.Label1.caption", "1 infections were found.", "Label1")
        # Only Timer3 starts a fade-out.
        p.expect("deepscanfrm.Timer3.running", "0", "a fade-out ahead")
        p.expect("deepscanfrm.Timer2.running", "0", "fading")
        p.expect("deepscanfrm.visible", "1", "window")
        p.expect("deepscanfrm.alpha", "255", "window alpha")
        check(os.path.exists(found), "the found file was touched")
    finally:
        p.kill()
        if os.path.exists(found):
            os.remove(found)
