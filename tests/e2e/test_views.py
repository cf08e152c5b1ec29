"""Both views of HKEY_LOCAL_MACHINE\\Software in Wine's 64-bit prefix: what a 32-bit program
registered below HKLM lies in the 32-bit view, and the startup manager, the process report and
the scan find it there, say so, and change it there alone. The program marks what it finds in
the view that is not its own: the 32-bit one for the 64-bit program, the 64-bit one for the
32-bit program (QEX_BUILD=win32)."""
import glob
import os

from harness import FLAVOUR, Program, check, start_program, wait_until
from test_scan import LISTS, rows as scan_rows, wait_complete, write_lists
from test_tool_windows import rows, select, wait_box

RUN = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"
NAME = "QexBothViews"
BAD = "HKLM\\Software\\QexScanBad32"
OWN_VIEW = 32 if FLAVOUR == "win32" else 64


def mark(view):
    """What the program adds to a name found in this view."""
    return "" if view == OWN_VIEW else " (%d-bit)" % view


def test_a_run_value_of_the_32_bit_view_is_listed_reported_and_deleted_there(wine):
    wine.reg_add(RUN, NAME, "C:\\qex\\old32.exe", view=32)
    wine.reg_add(RUN, NAME, "C:\\qex\\new64.exe", view=64)
    p = start_program(wine, "views-run")
    try:
        p.act("click qex_ulm_frm.Image4")
        wait_until(lambda: p.get("systemprofrm.visible") == "1", 20, what="the process viewer")
        p.act("click systemprofrm.Label5")
        wait_until(lambda: "Registry Run Values:" in p.get("systemprofrm.Memo1.text"), 20, what="the report")
        report = [line.rstrip("\r") for line in p.get("systemprofrm.Memo1.text").split("\n")]
        for line in ("HKEY_LOCAL_MACHINE  Run%s  %s" % (mark(64), NAME),
                     "HKEY_LOCAL_MACHINE  Run%s  %s" % (mark(32), NAME)):
            check(line in report, "%s missing from the report" % line)
        p.act("close systemprofrm")

        p.act("click qex_ulm_frm.Image3")
        wait_until(lambda: p.get("startfrm.visible") == "1", 20, what="the startup manager")
        listed = rows(p, "startfrm")
        old32 = NAME + mark(32) + "\tC:\\qex\\old32.exe"
        check(NAME + mark(64) + "\tC:\\qex\\new64.exe" in listed and old32 in listed, "rows %r" % listed)
        select(p, "startfrm", listed.index(old32))
        p.act("click startfrm.Image2")
        question = wait_box(p, "Delete Registry Value", "the question")
        check('"HKEY_LOCAL_MACHINE->Run%s->%s"?' % (mark(32), NAME) in question, question)
        p.answer("Yes")
        wait_until(lambda: len(rows(p, "startfrm")) == len(listed) - 1, 20, what="the row to go")
        check(not wine.reg_exists(RUN, NAME, view=32), "the 32-bit value stayed")
        check(wine.reg_exists(RUN, NAME, view=64), "the 64-bit value went with it")
    finally:
        p.kill()
        wine.reg_delete(RUN, NAME, view=32)
        wine.reg_delete(RUN, NAME, view=64)


def test_the_scan_removes_a_key_of_the_32_bit_view_and_its_backup_puts_it_back_there(wine):
    wine.reg_add(BAD, "v", "listed", view=32)
    wine.reg_add(BAD + "\\Sub", "w", "deeper", view=32)
    p = Program(wine, "views-scan")
    try:
        p.write_ini("[System]\nNews=0\n")
        write_lists(p, {LISTS.index("ThreatDataExt2.db"): ["\\Software\\QexScanBad32"]})
        p.start()
        p.wait_ready()
        p.act("menu qex_ulm_frm.PopupMenu1.SystemScan1")
        wait_complete(p)
        check(scan_rows(p) == [["HKEY_LOCAL_MACHINE\\Software\\QexScanBad32" + mark(32), "Removed"]],
              "rows %r" % scan_rows(p))
        check(not wine.reg_exists(BAD, view=32), "the key stayed")
        backups = glob.glob(os.path.join(p.dir, "Quarantined", "Registry backup *.reg"))
        check(len(backups) == 1, "backups %r" % backups)
        with open(backups[0], encoding="latin-1") as f:
            text = f.read()
        check("[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\QexScanBad32\\Sub]" in text, text)
        # The 64-bit regedit, which opens a registry file on 64-bit Windows, puts it back there.
        r = wine.run(["regedit", "/s", wine.windows_path(backups[0])], timeout=120)
        check(r.returncode == 0, "regedit /s failed")
        check(wine.reg_exists(BAD + "\\Sub", "w", view=32), "the backup did not bring the key back")
        check(not wine.reg_exists(BAD, view=64), "the backup made the key in the 64-bit view")
    finally:
        p.kill()
        wine.reg_delete(BAD, view=32)
        wine.reg_delete(BAD, view=64)
