"""The monitor mode for real: the watcher on C:\\windows, the fading popup above the taskbar, the
preferences writing the autostart Run value, a start from that value, and quitting from the tray
while the watcher waits."""
import os
import select
import subprocess
import time

from harness import BUILD, LOADER, SHOTS, Failure, Program, check, screenshot, wait_until

RUN_KEY = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"
MONITOR_VALUE = "QKR System Monitor"
SCREEN_W, SCREEN_H = 1024, 768
# Under Xvfb the taskbar is a strip of one pixel at the bottom of the screen.
POPUP_AT = "%d,%d" % (SCREEN_W - 192, SCREEN_H - 250 - 1)
# Time for a change notification to have come if it were coming (Linux writes: 20-60 ms).
QUIET = 3


def program_windows(p):
    return [w for w in p.windows() if w and w[0].startswith("T")]


def start_monitor(wine, name, ini="[System]\nNews=0\nSysChange=1\n"):
    p = Program(wine, name)
    p.write_ini(ini)
    p.start("-monitor")
    p.wait_ready()
    wait_until(lambda: p.get("qex_ulm_frm.visible") == "0", 20, what="the main window to hide")
    return p


class Windows:
    """Files written into C:\\windows from Linux, removed again at the end."""

    def __init__(self, wine):
        self.dir = wine.unix_path("C:\\windows")
        self.made = []

    def write(self, name):
        path = os.path.join(self.dir, name)
        with open(path, "w") as f:
            f.write("x")
        self.made.append(path)

    def clean(self):
        for path in self.made:
            if os.path.exists(path):
                os.remove(path)


def sample(wine, query, seconds):
    """Starts qexctl sampling a property and waits for its first reply, so that what the test
    does next is seen; returns the process, whose output is 'ms TAB reply'."""
    proc = subprocess.Popen([LOADER, os.path.join(BUILD, "qexctl.exe"), "--samples", str(seconds), query],
                            env=wine.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    # Read unbuffered, byte by byte: what follows the first line stays in the pipe for samples().
    fd, proc.first_line, end = proc.stdout.fileno(), b"", time.time() + 60
    while not proc.first_line.endswith(b"\n"):
        ready, _, _ = select.select([fd], [], [], max(0, end - time.time()))
        chunk = os.read(fd, 1) if ready else b""
        if not chunk:
            proc.kill()
            raise Failure("the sampler never answered")
        proc.first_line += chunk
    return proc


def samples(proc, timeout):
    out, _ = proc.communicate(timeout=timeout)
    out = proc.first_line + out
    values = []
    for line in out.decode("latin-1").replace("\r\n", "\n").split("\n"):
        parts = line.split("\t")
        if len(parts) == 2 and parts[1].startswith("ok "):
            values.append(parts[1][3:])
    return values


def wait_popup_gone(p):
    wait_until(lambda: p.get("notifyfrm.visible") == "0", 30, what="the popup to close")


def test_monitor_popup_rises_holds_and_falls_for_a_change_in_the_windows_folder(wine):
    p = start_monitor(wine, "monpopup")
    win = Windows(wine)
    try:
        check(program_windows(p) == [], "visible windows: %r" % program_windows(p))
        wait_until(lambda: [w for w in p.windows() if w and w[0] == "__winex11_standalone_tray"], 20,
                   what="the tray icon")
        watch = sample(wine, "get notifyfrm.alpha", 25)
        win.write("qex-monitor-1.tmp")
        wait_until(lambda: p.get("notifyfrm.visible") == "1", 20, what="the popup")
        shown = [w for w in program_windows(p) if w[0] == "Tnotifyfrm"]
        check(shown and shown[0][2] == "192x250" and shown[0][3] == POPUP_AT, "popup: %r" % shown)
        check(p.get("notifyfrm.Label3.caption").lower() == "c:\\windows", p.get("notifyfrm.Label3.caption"))
        wait_until(lambda: p.get("notifyfrm.alpha") == "249", 10, what="full opacity")
        screenshot(wine, "notifyfrm-screen")
        subprocess.run(["convert", os.path.join(SHOTS, "notifyfrm-screen.png"), "-crop",
                        "192x250+%s+%s" % tuple(POPUP_AT.split(",")), "+repage",
                        os.path.join(SHOTS, "notifyfrm.png")], timeout=30)
        wait_popup_gone(p)
        alphas = [int(a) for a in samples(watch, 40)]
        while alphas and alphas[0] == 255:  # not yet layered: the popup was never up
            alphas.pop(0)
        check(249 in alphas, "never at full opacity: %r" % alphas)
        top = alphas.index(249)
        rising, falling = alphas[:top + 1], alphas[top:]
        check(rising == sorted(rising) and min(rising) <= 25, "fade in: %r" % alphas)
        check(falling == sorted(falling, reverse=True) and falling[-1] <= 25, "fade out: %r" % alphas)
        check(len(alphas) >= 6, "too few steps seen: %r" % alphas)

        # A subfolder is not watched.
        win.write(os.path.join("temp", "qex-monitor-sub.tmp"))
        time.sleep(QUIET)
        p.expect("notifyfrm.visible", "0", "a change in C:\\windows\\temp raised the popup")
    finally:
        win.clean()
        p.kill()


def test_a_burst_of_changes_raises_one_popup(wine):
    p = start_monitor(wine, "monburst")
    win = Windows(wine)
    try:
        watch = sample(wine, "get notifyfrm.visible", 20)
        for i in range(20):
            win.write("qex-burst-%d.tmp" % i)
        seen = samples(watch, 40)
        check(seen == ["0", "1", "0"], "popup visibility over the burst: %r" % seen)
    finally:
        win.clean()
        p.kill()


def test_scan_link_opens_the_scan_window_and_the_popup_goes(wine):
    p = start_monitor(wine, "monscan")
    win = Windows(wine)
    try:
        win.write("qex-scan.tmp")
        wait_until(lambda: p.get("notifyfrm.visible") == "1", 20, what="the popup")
        p.act("click notifyfrm.Label4")
        wait_until(lambda: p.get("deepscanfrm.visible") == "1", 20, what="the scan window")
        wait_popup_gone(p)
    finally:
        win.clean()
        p.kill()


def test_preferences_write_the_monitor_run_value_and_windows_can_start_from_it(wine):
    wine.reg_delete(RUN_KEY, MONITOR_VALUE)
    p = Program(wine, "monprefs")
    p.write_ini("[System]\nNews=0\nSysChange=1\n")
    p.start()
    p.wait_ready()
    win = Windows(wine)
    started = None
    try:
        p.act("menu qex_ulm_frm.PopupMenu1.Preferences1")
        wait_until(lambda: p.get("preffrm.visible") == "1", 20, what="the preferences")
        p.expect("preffrm.Image4.picture", "pref_al_2", "SysChange is not shown on")
        p.act("click preffrm.Image7")
        wait_until(lambda: p.get("preffrm.Image7.picture") == "pref_sys_2", 10, what="the monitor switch")
        screenshot(wine, "preffrm-monitor-on", "Preferences", settle=3)
        p.act("click preffrm.Image2")
        wait_until(lambda: p.get("preffrm.visible") == "0", 10, what="the preferences to close")
        data = wine.reg_value(RUN_KEY, MONITOR_VALUE)
        expected = '"%s\\qexsys.exe" -monitor' % wine.windows_path(p.dir).rstrip("\\")
        check(data == expected, "Run value %r, expected %r" % (data, expected))
        check("SysMonitor=1" in p.read_ini(), p.read_ini())

        p.act("menu qex_ulm_frm.PopupMenu1.Quit1")
        p.wait_exit(30)

        # As Windows does at logon: the value's data is the whole command line.
        starter = wine.start([os.path.join(BUILD, "qexctl.exe"), "--start", data],
                             extra_env={"QEXSYS_AUTOMATION": "1"})
        check(starter.wait(60) == 0, "the start from the Run value failed")
        started = True
        p.wait_ready()
        wait_until(lambda: p.get("qex_ulm_frm.visible") == "0", 20, what="the monitor mode")
        check(program_windows(p) == [], "visible windows: %r" % program_windows(p))
        win.write("qex-autostart.tmp")
        wait_until(lambda: p.get("notifyfrm.visible") == "1", 20, what="the popup")
    finally:
        win.clean()
        wine.reg_delete(RUN_KEY, MONITOR_VALUE)
        if started:
            p.ctl("menu qex_ulm_frm.PopupMenu1.Quit1")
        p.kill()


def test_quit_from_the_tray_ends_at_once_while_the_watcher_waits(wine):
    p = start_monitor(wine, "monquit")
    win = Windows(wine)
    try:
        # A change handled before, so the watcher is back in its wait, re-armed.
        win.write("qex-quit.tmp")
        wait_until(lambda: p.get("notifyfrm.visible") == "1", 20, what="the popup")
        asked = time.time()  # the request itself (a Wine process of its own) counts too
        p.act("menu qex_ulm_frm.PopupMenu1.Quit1")
        try:
            code = p.proc.wait(10)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end")
        took = time.time() - asked
        check(code == 0, "exit code %s" % code)
        check(took < 2, "quitting took %.1f s" % took)
    finally:
        win.clean()
        p.kill()
