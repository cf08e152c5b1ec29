"""The startup manager, the process viewer with its report and the file viewer against what the
Wine prefix really holds: Run values and Startup links planted for the test (and removed after
it), processes the test starts, copies of a file planted on the drive."""
import os
import shutil
import struct
import subprocess

from harness import Failure, Program, check, screenshot, wait_until

RUN = "Software\\Microsoft\\Windows\\CurrentVersion\\"
HKLM_RUN, HKLM_RUNONCE = "HKLM\\" + RUN + "Run", "HKLM\\" + RUN + "RunOnce"
HKCU_RUN, HKCU_RUNONCE = "HKCU\\" + RUN + "Run", "HKCU\\" + RUN + "RunOnce"
STARTUP = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp"

# (key, value name or None for the default value, data, type); the DWORD lies between two strings
# in the order Wine enumerates (by name, letter case aside).
PLANTED = [
    (HKLM_RUN, "QexAlpha", "C:\\qex\\alpha.exe", "REG_SZ"),
    (HKLM_RUN, "qexBeta", "7", "REG_DWORD"),
    (HKLM_RUN, "QexGamma", "C:\\qex\\gamma.exe -quiet", "REG_SZ"),
    (HKLM_RUN, "QexTwin", "C:\\qex\\machine.exe", "REG_SZ"),
    (HKLM_RUNONCE, None, "C:\\qex\\default.exe", "REG_SZ"),
    (HKCU_RUN, "QexTwin", "C:\\qex\\user.exe", "REG_EXPAND_SZ"),
    (HKCU_RUNONCE, "QexOnce", "C:\\qex\\once.exe", "REG_SZ"),
]
# The rows the startup manager adds for them, in its order (the DWORD is passed over).
PLANTED_ROWS = [
    "QexAlpha\tC:\\qex\\alpha.exe", "QexGamma\tC:\\qex\\gamma.exe -quiet", "QexTwin\tC:\\qex\\machine.exe",
    "\tC:\\qex\\default.exe", "QexTwin\tC:\\qex\\user.exe", "QexOnce\tC:\\qex\\once.exe",
]


def shortcut_to(target):
    """A shell link file (the binary format Windows writes) to a local file, ANSI strings."""
    guid = bytes.fromhex("0114020000000000c000000000000046")
    header = struct.pack("<I16sIIQQQIIIHHII", 0x4C, guid, 0x2, 0x20, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0)
    volume = struct.pack("<IIII", 0x11, 3, 0, 0x10) + b"\0"
    base = target.encode("latin-1") + b"\0"
    offset_volume = 0x1C
    offset_base = offset_volume + len(volume)
    offset_suffix = offset_base + len(base)
    size = offset_suffix + 1
    info = struct.pack("<IIIIIII", size, 0x1C, 0x1, offset_volume, offset_base, 0, offset_suffix)
    return header + info + volume + base + b"\0" + struct.pack("<I", 0)


def has_value(wine, key, name):
    args = ["reg", "query", key] + (["/ve"] if name is None else ["/v", name])
    return wine.run(args, timeout=60).returncode == 0


def remove_value(wine, key, name):
    wine.run(["reg", "delete", key, "/f"] + (["/ve"] if name is None else ["/v", name]), timeout=60)


def rows(p, form):
    text = p.get(form + ".ListView1.rows")
    return text.split("\n") if text else []


def wait_box(p, title, what):
    def found():
        return [b for b in p.boxes() if b.split("\t")[0] == title]
    return wait_until(found, 20, what=what)[0].split("\t", 1)[1]


def answer_box(p, title, button):
    """Answers the box with that title and waits until it has gone."""
    p.answer(button)
    wait_until(lambda: not [b for b in p.boxes() if b.split("\t")[0] == title], 20, what="the box to close")


def select(p, form, row):
    p.act("select %s.ListView1 %d" % (form, row))
    wait_until(lambda: p.get(form + ".ListView1.selected") == str(row), 10, what="the selection")


def bright_pixels(png, left, top, width, height):
    """The pixels of the area that are bright: the ink of white lettering on the dark skin."""
    area = "%dx%d+%d+%d" % (width, height, left, top)
    r = subprocess.run(["convert", png, "-crop", area, "-depth", "8", "txt:-"],
                       stdout=subprocess.PIPE, timeout=30, check=True)
    bright = 0
    for line in r.stdout.decode().splitlines()[1:]:  # "x,y: (r,g,b)  #RRGGBB  srgb(...)"
        hexa = line.split("#")[1][:6]
        bright += sum(int(hexa[i:i + 2], 16) for i in (0, 2, 4)) > 600
    return bright


def test_an_ampersand_in_a_name_is_drawn(wine):
    """Two Run values whose names differ by an "&" alone: the startup manager's line about
    the one with it carries more ink, so the "&" is drawn and not taken for an access-key mark."""
    names = ["Tom & Jerry", "Tom Jerry"]
    p = Program(wine, "ampersand")
    p.write_ini("[System]\nNews=0\n")
    try:
        for name in names:
            wine.reg_add(HKCU_RUN, name, "C:\\Tools & Games\\%s.exe" % name)
        p.start()
        p.wait_ready()
        p.act("click qex_ulm_frm.Image3")
        wait_until(lambda: p.get("startfrm.visible") == "1", 20, what="the startup manager")
        captions = [r.split("\t")[0] for r in rows(p, "startfrm")]
        ink = {}
        for name in names:
            select(p, "startfrm", captions.index(name))
            p.expect("startfrm.Label9.caption", "HKEY_CURRENT_USER\n" + name, "the line about the row")
            shot = screenshot(wine, "startfrm-" + name.replace(" & ", "-and-").replace(" ", "-"),
                              settle=2)
            x, y = p.origin("Tstartfrm")
            box = [int(p.get("startfrm.Label9." + k)) for k in ("left", "top", "width", "height")]
            ink[name] = bright_pixels(shot, x + box[0], y + box[1], box[2], box[3])
        check(ink[names[0]] > ink[names[1]], "no ink for the \"&\": %r" % ink)
    finally:
        p.kill()
        for name in names:
            remove_value(wine, HKCU_RUN, name)


def test_startup_manager_lists_and_deletes_planted_entries(wine):
    folder = wine.unix_path(STARTUP)
    # A Linux dot-file is a hidden file to Wine.
    planted_files = ["alpha.lnk", "beta.bat", "gamma.lnk", ".hidden.txt", "desktop.ini"]
    p = Program(wine, "startmgr")
    p.write_ini("[System]\nNews=0\n")
    try:
        p.start()
        p.wait_ready()
        # What the prefix holds already, as the window lists it.
        p.act("click qex_ulm_frm.Image3")
        wait_until(lambda: p.get("startfrm.visible") == "1", 20, what="the startup manager")
        before = rows(p, "startfrm")
        p.act("click startfrm.Label2")
        wait_until(lambda: p.get("startfrm.Label5.caption") == "Windows Startup", 10, what="the Startup section")
        links_before = rows(p, "startfrm")
        p.act("close startfrm")
        wait_until(lambda: p.get("startfrm.visible") == "0", 10, what="the window to close")

        for key, name, data, kind in PLANTED:
            wine.reg_add(key, name, data, kind)
        for name in planted_files:
            with open(os.path.join(folder, name), "wb") as f:
                if name == "gamma.lnk":
                    f.write(shortcut_to("C:\\windows\\notepad.exe"))
                else:
                    f.write(b"[.ShellClassInfo]\r\n" if name == "desktop.ini" else b"@echo off\r\n")
        os.makedirs(os.path.join(folder, "Sub"), exist_ok=True)

        p.act("click qex_ulm_frm.Image3")
        text = wait_box(p, "Orvanta Kestrel", "the data type message")
        check(text == "Invalid data type for 'qexBeta'.", "message: %r" % text)
        answer_box(p, "Orvanta Kestrel", "OK")
        listed = rows(p, "startfrm")
        added = [r for r in listed if r not in before]
        check(added == PLANTED_ROWS, "planted rows: %r" % added)
        check(all(r in listed for r in before), "rows lost: %r against %r" % (listed, before))
        count = p.get("startfrm.Label4.caption")
        check(count == "%d startup objects were found inside the registry." % len(listed), count)
        p.expect("startfrm.Image1.top", "58", "highlight bar")
        screenshot(wine, "startfrm-registry", "Startup Wizard", settle=3)

        # The user's twin of a machine value: No changes nothing, Yes removes that one only.
        row = listed.index("QexTwin\tC:\\qex\\user.exe")
        select(p, "startfrm", row)
        p.expect("startfrm.Label9.caption", "HKEY_CURRENT_USER\nQexTwin", p.get("startfrm.Label9.caption"))
        p.act("click startfrm.Image2")
        question = wait_box(p, "Delete Registry Value", "the question")
        check(question.endswith("Are you sure you want to delete the value \"HKEY_CURRENT_USER->Run->QexTwin\"?"),
              question)
        answer_box(p, "Delete Registry Value", "No")
        check(rows(p, "startfrm") == listed, "No changed the list")
        check(has_value(wine, HKCU_RUN, "QexTwin"), "No removed the value")
        select(p, "startfrm", row)
        p.act("click startfrm.Image2")
        wait_box(p, "Delete Registry Value", "the question")
        answer_box(p, "Delete Registry Value", "Yes")
        wait_until(lambda: len(rows(p, "startfrm")) == len(listed) - 1, 10, what="the row to go")
        check(rows(p, "startfrm") == listed[:row] + listed[row + 1:], "rows after the deletion")
        check(not has_value(wine, HKCU_RUN, "QexTwin"), "the user's value is still there")
        for key, name, _, _ in PLANTED:
            if (key, name) != (HKCU_RUN, "QexTwin"):
                check(has_value(wine, key, name), "%s %s went too" % (key, name))
        check(p.get("startfrm.Label4.caption") == "%d startup objects were found inside the registry." % (len(listed) - 1),
              p.get("startfrm.Label4.caption"))

        # The Startup folder: the files, not desktop.ini nor the folder.
        p.act("click startfrm.Label2")
        wait_until(lambda: p.get("startfrm.Label5.caption") == "Windows Startup", 10, what="the Startup section")
        links = rows(p, "startfrm")
        added = sorted(r for r in links if r not in links_before)
        check(added == [name + "\t" + STARTUP for name in sorted(planted_files[:-1])], "links: %r" % links)
        n = len(links)
        check(p.get("startfrm.Label4.caption") == "%d links were detected inside the Startup folder." % n,
              p.get("startfrm.Label4.caption"))
        p.expect("startfrm.Image1.top", "90", "highlight bar")
        screenshot(wine, "startfrm-startup", "Startup Wizard", settle=3)

        select(p, "startfrm", links.index("alpha.lnk\t" + STARTUP))
        p.act("click startfrm.Image2")
        question = wait_box(p, "Delete Startup file", "the question")
        check(question == "Are you sure you want to delete the startup file \"alpha.lnk\"?", question)
        answer_box(p, "Delete Startup file", "Yes")
        wait_until(lambda: len(rows(p, "startfrm")) == n - 1, 10, what="the link's row to go")
        check(not os.path.exists(os.path.join(folder, "alpha.lnk")), "alpha.lnk is still there")
        for name in planted_files[1:] + ["Sub"]:
            check(os.path.exists(os.path.join(folder, name)), name + " went too")

        # "View folder" shows the folder in the file viewer, in the shell's order.
        select(p, "startfrm", rows(p, "startfrm").index("beta.bat\t" + STARTUP))
        p.act("menu startfrm.PopupMenu1.Viewfolder1")
        wait_until(lambda: p.get("SearchFrm.visible") == "1", 20, what="the file viewer")
        shown = rows(p, "SearchFrm")
        # Shortcuts are named without ".lnk".
        for name in ("Sub", "beta.bat", "gamma", ".hidden.txt", "desktop.ini"):
            check(name in shown, "%s not in the file viewer: %r" % (name, shown))
        check(shown.index("Sub") < shown.index("beta.bat"), "folders come first: %r" % shown)
        check("alpha" not in shown and "alpha.lnk" not in shown, "deleted link shown: %r" % shown)
        screenshot(wine, "searchfrm-startup", "Orvanta File Viewer", settle=3)
    finally:
        p.kill()
        for key, name, _, _ in PLANTED:
            remove_value(wine, key, name)
        for name in planted_files:
            if os.path.exists(os.path.join(folder, name)):
                os.remove(os.path.join(folder, name))
        shutil.rmtree(os.path.join(folder, "Sub"), ignore_errors=True)


def process_list(p):
    rc, text = p.ctl("--process-list")
    check(rc == 0, "process snapshot: " + text)
    return sorted(line for line in text.split("\n") if line)


def test_process_viewer_ends_locates_and_reports(wine):
    drive_c = wine.unix_path("C:\\")
    planted = ["C:\\qexlocate\\one\\notepad.exe", "C:\\qexlocate\\two\\deeper\\NOTEPAD.EXE"]
    for path in planted:
        unix = os.path.join(drive_c, *path[3:].split("\\"))
        os.makedirs(os.path.dirname(unix), exist_ok=True)
        with open(unix, "wb") as f:
            f.write(b"MZ planted copy")
    # A located copy that is a link to a document elsewhere on the drive: Delete file must not
    # take the document with it.
    letter = os.path.join(drive_c, "qexlocate", "letter.doc")
    with open(letter, "wb") as f:
        f.write(b"the user's own")
    os.makedirs(os.path.join(drive_c, "qexlocate", "link"))
    os.symlink(letter, os.path.join(drive_c, "qexlocate", "link", "notepad.exe"))
    report_values = [(HKLM_RUN, "QexReportMachine"), (HKCU_RUN, "QexReportUser")]
    for key, name in report_values:
        wine.reg_add(key, name, "C:\\qex\\report.exe")
    notepads = [wine.start(["notepad.exe"]) for _ in range(2)]
    p = Program(wine, "procview")
    p.write_ini("[System]\nNews=0\n")
    try:
        wait_until(lambda: sum(1 for line in process_list(p) if line.endswith("\tnotepad.exe")) == 2, 30,
                   what="two notepads")
        p.start()
        p.wait_ready()
        p.act("click qex_ulm_frm.Image4")
        wait_until(lambda: p.get("systemprofrm.visible") == "1", 20, what="the process viewer")
        wait_until(lambda: rows(p, "systemprofrm"), 20, what="the process list")

        # The list against the test's own snapshot, taken right after it (again while something
        # in the prefix came or went between the two). The harness's own qexctl processes are
        # left out on both sides: each request starts one, and on a loaded machine the one that
        # clicked, or the one before it, may still be ending when either list is taken.
        def without_harness(pairs):
            return sorted(line for line in pairs if line.split("\t")[1].lower() != "qexctl.exe")

        differing = []

        def same():
            p.act("click systemprofrm.Label1")
            shown = rows(p, "systemprofrm")
            listed = without_harness("%s\t%s" % tuple(reversed(r.split("\t"))) for r in shown)
            snapshot = without_harness(process_list(p))
            differing[:] = sorted(set(listed) ^ set(snapshot))
            return shown if listed == snapshot else None
        try:
            shown = wait_until(same, 90, step=1, what="the list to match a snapshot")
        except Failure as e:
            raise Failure("%s (in one but not the other: %r)" % (e, differing))
        p.expect("systemprofrm.Label2.caption", str(len(shown) - 1), "count")
        p.expect("systemprofrm.Label4.caption", "running processes were found", "count words")
        screenshot(wine, "systemprofrm-processes", "System Wizard", settle=3)

        # Terminate: one notepad ends and its row goes.
        current = rows(p, "systemprofrm")
        first = [i for i, r in enumerate(current) if r.startswith("notepad.exe\t")][0]
        select(p, "systemprofrm", first)
        p.expect("systemprofrm.Image2.enabled", "1", "Terminate stays disabled")
        p.act("click systemprofrm.Image2")
        wait_until(lambda: current[first] not in rows(p, "systemprofrm"), 20, what="the row to go")
        wait_until(lambda: any(n.poll() is not None for n in notepads), 20, what="a notepad to end")
        check(current[first].split("\t")[1] not in [line.split("\t")[0] for line in process_list(p)], "still running")
        p.expect("systemprofrm.Label2.caption", str(len(current) - 2), "count after ending")

        # Terminate and Locate: the other notepad ends and every copy on C: is listed.
        current = rows(p, "systemprofrm")
        select(p, "systemprofrm", [i for i, r in enumerate(current) if r.startswith("notepad.exe\t")][0])
        p.act("menu systemprofrm.PopupMenu1.TerminateandLocatethisfile1")
        found = wait_until(lambda: p.get("systemprofrm.Label10.caption").startswith("Found "), 180,
                           what="the locate to end")
        check(found, "locate")
        located = rows(p, "systemprofrm")
        p.expect("systemprofrm.Label10.caption", "Found %d notepad.exe files." % len(located), "locate")
        for path in planted:
            check(path in located, "%s not located: %r" % (path, located))
        check("c:\\windows\\notepad.exe" in [r.lower() for r in located], "the system's own copy: %r" % located)
        wait_until(lambda: all(n.poll() is not None for n in notepads), 20, what="both notepads to end")
        p.expect("systemprofrm.Label6.caption", "Location", "mode")
        select(p, "systemprofrm", located.index(planted[0]))
        p.expect("systemprofrm.Label10.caption", planted[0], "the chosen copy")
        details = p.get("systemprofrm.Label3.caption")
        check(details.startswith("The developer and owner of this file is:\nI couldn't find any information about "
                                 "this file.\nThis file was created:\n"), details)
        screenshot(wine, "systemprofrm-locate", "System Wizard", settle=3)

        # Delete file on the link: asked, refused, and the document stays.
        linked = "C:\\qexlocate\\link\\notepad.exe"
        select(p, "systemprofrm", located.index(linked))
        p.act("menu systemprofrm.PopupMenu1.Deletefile1")
        wait_box(p, "Delete file", "the question before deleting")
        # The answer box comes under the same title as the question.
        p.answer("Yes")
        wait_until(lambda: [b for b in p.boxes() if "could not be deleted" in b], 20,
                   what="the word that the file stays")
        answer_box(p, "Delete file", "OK")
        with open(letter, "rb") as f:
            check(f.read() == b"the user's own", "the document the link led to was touched")
        check(linked in rows(p, "systemprofrm"), "the link's row went")

        # The report.
        p.act("click systemprofrm.Label5")
        wait_until(lambda: p.get("systemprofrm.Panel1.visible") == "1", 10, what="the report")
        # The memo keeps CR LF between lines; the console adds a CR of its own.
        report = [line.rstrip("\r") for line in p.get("systemprofrm.Memo1.text").split("\n")]
        check(report[:2] == ["Running Processes:", "-" * 55], "report head: %r" % report[:3])
        values = report[report.index("Registry Run Values:"):]
        for line in ("HKEY_LOCAL_MACHINE  Run  QexReportMachine", "HKEY_CURRENT_USER  Run  QexReportUser"):
            check(line in values, "%s missing from %r" % (line, values))
        check("qexsys.exe" in report[2:report.index("")], "the program itself is not in the report")
        screenshot(wine, "systemprofrm-report", "System Wizard", settle=3)

        # Back to the processes; a double click shows the Windows folder in the file viewer.
        p.act("click systemprofrm.Label1")
        wait_until(lambda: p.get("systemprofrm.ListView1.visible") == "1", 10, what="the process list")
        p.act("dblclick systemprofrm.ListView1")
        wait_until(lambda: p.get("SearchFrm.visible") == "1", 20, what="the file viewer")
        shown = rows(p, "SearchFrm")
        check("system32" in [s.lower() for s in shown] and "notepad.exe" in shown, "Windows folder: %r" % shown[:20])
        screenshot(wine, "searchfrm-windows", "Orvanta File Viewer", settle=3)
    finally:
        p.kill()
        for n in notepads:
            if n.poll() is None:
                n.kill()
        for key, name in report_values:
            remove_value(wine, key, name)
        shutil.rmtree(os.path.join(drive_c, "qexlocate"), ignore_errors=True)
