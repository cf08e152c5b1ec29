"""Start-up of the real program: one copy only, the missing skin, the tray-only monitor mode,
and a look at every window."""
import time

from harness import Program, check, screenshot, wait_until

SKIN_WARNING = "An error occured when trying to locate the file 'ulmres.dll'."


def program_windows(p):
    """Visible top-level windows of the program, by class, leaving out Wine's tray holder."""
    return [w for w in p.windows() if w and w[0].startswith("T")]


def test_second_copy_exits_at_once_and_leaves_the_first_alone(wine):
    p = Program(wine, "second")
    p.start()
    p.wait_ready()
    started = time.time()
    second = wine.run([p.exe], cwd=p.dir, timeout=40)
    check(second.returncode == 0, "second copy exit code %s" % second.returncode)
    check(time.time() - started < 20, "second copy took %.1f s" % (time.time() - started))
    check(p.running(), "the first copy ended")
    p.expect("qex_ulm_frm.visible", "1", "the first copy's window was touched")
    p.kill()


def test_missing_skin_warns_and_ends_without_a_window(wine):
    p = Program(wine, "noskin", with_skin=False)
    p.start()
    boxes = wait_until(lambda: p.boxes(), 40, what="the warning box")
    check(boxes == ["Orvanta Kestrel\t" + SKIN_WARNING], "boxes: %r" % boxes)
    screenshot(wine, "missing-skin")
    check(program_windows(p) == [], "windows shown: %r" % program_windows(p))
    p.answer("OK")
    code = p.wait_exit(30)
    check(code == 0, "exit code %s" % code)


def test_monitor_mode_keeps_only_the_tray_icon(wine):
    p = Program(wine, "monitor")
    p.start("-monitor")
    p.wait_ready()
    wait_until(lambda: p.get("qex_ulm_frm.visible") == "0", 20, what="the main window to hide")
    # The news would open from Timer4 after the first painting, for a window that was shown.
    wait_until(lambda: p.get("qex_ulm_frm.Timer4.fired") == "1", 20, what="the news timer")
    check(program_windows(p) == [], "visible windows: %r" % program_windows(p))
    tray = [w for w in p.windows() if w and w[0] == "__winex11_standalone_tray"]
    check(tray, "no tray icon: %r" % p.windows())
    check(p.running(), "the program ended")
    screenshot(wine, "monitor-mode")
    p.kill()


def test_unknown_argument_behaves_like_none(wine):
    p = Program(wine, "otherarg")
    p.start("-whatever")
    p.wait_ready()
    # "-monitor" hides the window at its first painting, which comes before any timer.
    wait_until(lambda: p.get("qex_ulm_frm.Timer4.fired") == "1", 20, what="the news timer")
    p.expect("qex_ulm_frm.visible", "1", "the main window is hidden")
    p.kill()


def test_every_window_can_be_looked_at(wine):
    p = Program(wine, "shots")
    p.write_ini("[System]\nNews=0\n")
    p.start()
    p.wait_ready()
    screenshot(wine, "qex_ulm_frm", "Orvanta Works", settle=3)
    # The cleaner closes itself when its run is done; test_cleaner looks at it while it works.
    menu = {
        "deepscanfrm": "SystemScan1",
        "startfrm": "ManageWindowsStartup1",
        "systemprofrm": "DetectRunningProcesses1",
        "preffrm": "Preferences1",
        "aboutfrm": "AboutKestrel1",
    }
    for form, item in menu.items():
        p.act("menu qex_ulm_frm.PopupMenu1." + item)
        wait_until(lambda: p.get(form + ".visible") == "1", 20, what=form)
        screenshot(wine, form, p.get(form + ".caption"), settle=3)
        p.act("close " + form)

        # A scan under way asks before it ends.
        def closed():
            if p.get(form + ".visible") == "0":
                return True
            if any("end this scan" in box for box in p.boxes()):
                p.answer("Yes")
            return False
        wait_until(closed, 30, step=0.5, what=form + " to close")
    # The news window is modal; the rest open from the dashboard's own links.
    opened_by = {
        "qextodayfrm": "menu qex_ulm_frm.PopupMenu1.QEXToday1",
        "softwarefrm": "click qex_ulm_frm.Image22",
        "loginfrm": "click qex_ulm_frm.Image17",
    }
    for form, command in opened_by.items():
        p.act(command)
        wait_until(lambda: p.get(form + ".visible") == "1", 20, what=form)
        screenshot(wine, form, p.get(form + ".caption"), settle=3)
        p.act("close " + form)
        wait_until(lambda: p.get(form + ".visible") == "0", 20, what=form + " to close")
    p.kill()
