"""The main window against what the Wine prefix really has, closing to the tray, the tray
menu, and quitting."""
import os
import socket
import subprocess
import threading

from community import Swallower
from harness import Program, check, qexctl, screenshot, wait_until

BADGES = {"winxp": "os_xp", "win2k": "os_2000", "win98": "os_98"}
MENU = [
    ("SystemScan1", "System Scan"), ("-", "-"), ("DeleteTemporaryFiles1", "Delete Temporary Files"),
    ("ManageWindowsStartup1", "Manage Windows Startup"), ("DetectRunningProcesses1", "Detect Running Processes"),
    ("-", "-"), ("Preferences1", "Preferences"), ("AboutKestrel1", "About Orvanta Kestrel"),
    ("Helpmanual1", "Orvanta Kestrel Manual"), ("-", "-"), ("QEXToday1", "QEX Today"),
    ("Donatetothissoftware1", "Donate to this software"), ("-", "-"), ("Quit1", "Quit"),
]


class FreeSpaceSeen:
    """The lowest and highest free space of C: (in GB of 10^9 bytes, as the dashboard shows it)
    while the block runs, sampled often: on a busy machine the disk fills and empties between
    the program's reading and any single reading of the test's."""

    def __init__(self, wine):
        self.path = wine.unix_path("C:\\")
        self.low = self.high = self.now()
        self.done = threading.Event()
        self.sampler = threading.Thread(target=self.sample, daemon=True)

    def now(self):
        st = os.statvfs(self.path)
        return st.f_bavail * st.f_frsize / 1e9

    def take(self):
        gb = self.now()
        self.low, self.high = min(self.low, gb), max(self.high, gb)

    def sample(self):
        while not self.done.wait(0.02):
            self.take()

    def __enter__(self):
        self.sampler.start()
        return self

    def __exit__(self, *exc):
        self.done.set()
        self.sampler.join()
        self.take()

    def holds(self, shown):
        """Whether a figure shown with two decimals can be a reading taken in between."""
        return self.low - 0.005 - 1e-9 <= shown <= self.high + 0.005 + 1e-9


def check_dashboard(wine, version):
    wine.set_version(version)
    wine.reg_add("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", "Logon User Name", "kestrel")
    p = Program(wine, "dash-" + version)
    p.write_ini("[System]\nNews=0\n")
    # From before the program's first reading until after the label is read back.
    with FreeSpaceSeen(wine) as space:
        p.start()
        p.wait_ready()
        label7 = p.get("qex_ulm_frm.Label7.caption")
    p.expect("qex_ulm_frm.caption", "Orvanta Works", "caption")
    sizes = [w for w in p.windows() if w and w[0] == "Tqex_ulm_frm"]
    check(sizes and sizes[0][2] == "700x450", "client size: %r" % sizes)
    p.expect("qex_ulm_frm.Image8.picture", BADGES[version], "badge for " + version)
    p.expect("qex_ulm_frm.Label1.caption", "Windows user: kestrel", "user line")
    shown = p.get("qex_ulm_frm.Label3.caption")
    rc, count = p.ctl("--processes")
    check(rc == 0, "process snapshot: " + count)
    check(shown.startswith("Running Processes: "), shown)
    # The test's own snapshot runs in a process of its own, so it may see one more.
    check(int(shown.split(": ")[1]) in (int(count) - 1, int(count) - 2), "%s, snapshot %s" % (shown, count))
    check(label7.startswith("Free space on C: is ") and label7.endswith(" GB"), label7)
    figure = float(label7[len("Free space on C: is "):-3].replace(",", "."))
    check(space.holds(figure), "%s, while C: had %.3f to %.3f GB free" % (label7, space.low, space.high))
    # The harness points the connection test at a closed loopback port.
    wait_until(lambda: p.get("qex_ulm_frm.Image1.picture") == "offline", 20, what="the offline badge")
    screenshot(wine, "main-" + version, "Orvanta Works")
    p.kill()


def test_dashboard_on_windows_xp(wine):
    check_dashboard(wine, "winxp")


def test_dashboard_on_windows_2000(wine):
    check_dashboard(wine, "win2k")


def test_dashboard_on_windows_98(wine):
    try:
        check_dashboard(wine, "win98")
    finally:
        wine.set_version("winxp")


def test_connection_badge_asks_the_configured_address(wine):
    with socket.socket() as listener:
        listener.bind(("127.0.0.1", 0))
        listener.listen(8)
        p = Program(wine, "online")
        p.write_ini("[System]\nNews=0\n[Addresses]\nConnectionTest=http://127.0.0.1:%d/\n"
                    % listener.getsockname()[1])
        p.start()
        p.wait_ready()
        wait_until(lambda: p.get("qex_ulm_frm.Image1.picture") == "online", 20, what="the online badge")
        p.kill()


def test_an_address_that_swallows_the_connection_neither_holds_the_start_nor_the_quit(wine):
    with Swallower() as swallower:
        p = Program(wine, "swallowed")
        p.write_ini("[System]\nNews=0\n[Addresses]\nConnectionTest=http://127.0.0.1:%d/\n"
                    % swallower.port)
        p.start()
        p.wait_ready()
        p.expect("qex_ulm_frm.visible", "1", "the window is not up")
        p.expect("qex_ulm_frm.Image1.picture", "", "a badge before any answer")
        check(p.get("qex_ulm_frm.Label3.caption").startswith("Running Processes: "),
              "the dashboard")
        screenshot(wine, "main-connection-pending", "Orvanta Works")
        p.act("menu qex_ulm_frm.PopupMenu1.Quit1")
        code = p.wait_exit(30)
        check(code == 0, "exit code %s" % code)


def test_close_button_hides_to_the_tray(wine):
    p = Program(wine, "close")
    p.write_ini("[System]\nNews=0\n")
    p.start()
    p.wait_ready()
    p.act("close qex_ulm_frm")
    wait_until(lambda: p.get("qex_ulm_frm.visible") == "0", 20, what="the window to hide")
    p.expect("qex_ulm_frm.Timer1.running", "0", "Timer1 still runs")
    wait_until(lambda: [w for w in p.windows() if w and w[0] == "__winex11_standalone_tray"], 20,
               what="the tray icon")
    p.act("tray lbuttondblclk")
    wait_until(lambda: p.get("qex_ulm_frm.visible") == "1", 20, what="the window to come back")
    check(p.running(), "the program ended")
    p.kill()


def test_tray_menu_in_order_and_quit_keeps_the_choices(wine):
    p = Program(wine, "quit")
    p.write_ini("[System]\nNews=0\nRecycle=1\n")
    p.start()
    p.wait_ready()
    items = [tuple(line.split("\t")[:2]) for line in p.get("qex_ulm_frm.PopupMenu1.items").split("\n") if line]
    check(items == MENU, "menu: %r" % items)
    check("default" in p.get("qex_ulm_frm.PopupMenu1.items").split("\n")[0], "System Scan is not the default")
    p.act("close qex_ulm_frm")
    wait_until(lambda: p.get("qex_ulm_frm.visible") == "0", 20, what="the window to hide")
    p.act("tray rbuttonup")
    wait_until(lambda: [w for w in p.windows() if w and w[0] == "#32768"], 20, what="the popup menu")
    p.expect("qex_ulm_frm.visible", "0", "the menu showed the window")
    screenshot(wine, "tray-menu")
    # The last item of the open menu, chosen from the keyboard as a user may.
    subprocess.run(["xdotool", "key", "Up", "Return"], env=wine.env, timeout=20)
    code = p.wait_exit(30)
    check(code == 0, "exit code %s" % code)
    ini = p.read_ini()
    for line in ("Temporary=0", "Recycle=1", "Norton=1"):
        check(line in ini, "%s missing from %r" % (line, ini))


def test_about_window(wine):
    p = Program(wine, "about")
    p.write_ini("[System]\nNews=0\n")
    p.start()
    p.wait_ready()
    p.act("click qex_ulm_frm.Image31")
    wait_until(lambda: p.get("aboutfrm.visible") == "1", 20, what="the about window")
    p.expect("aboutfrm.caption", "About Orvanta Kestrel...", "caption")
    p.expect("aboutfrm.Label9.caption", "Version 1.21", "version")
    controls = [line.split("\t") for line in p.get("aboutfrm.controls").split("\n")]
    names = ["Label9", "Label2", "Label3", "Label8", "Label4", "Label6", "Label5", "Label7",
             "Label10", "Label11", "Image1", "Label1"]
    check([c[0] for c in controls] == names, "controls %r" % controls)
    check(controls[0] == ["Label9", "label", "Version 1.21", "1", "1"], "Label9 %r" % controls[0])
    close = [["Image1", "image", "", "1", "1"], ["Label1", "label", "Close", "1", "1"]]
    check(controls[-2:] == close, "close button %r" % controls[-2:])
    p.act("mousemove aboutfrm.Label6")
    wait_until(lambda: p.get("aboutfrm.Label6.underline") == "1", 10, what="the link underline")
    screenshot(wine, "aboutfrm", "About Orvanta Kestrel...", settle=3)
    p.act("mousemove aboutfrm")
    wait_until(lambda: p.get("aboutfrm.Label6.underline") == "0", 10, what="the underline to go")
    notice = p.get("aboutfrm.Label2.caption") + " " + p.get("aboutfrm.Label3.caption")
    p.act("click aboutfrm.Image1")
    wait_until(lambda: p.get("aboutfrm.visible") == "0", 10, what="the about window to close")
    p.kill()

    # The program file says the same of itself, as Windows and the process viewer read it.
    rc, text = qexctl(wine, "--version-strings", wine.windows_path(p.exe))
    check(rc == 0, "no version resource: " + text)
    strings = dict(line.split("=", 1) for line in text.split("\n"))
    for name, value in (("CompanyName", "Orvanta Works"), ("ProductName", "Orvanta Kestrel"),
                        ("FileVersion", "1.21"), ("ProductVersion", "1.21"),
                        ("LegalCopyright", notice), ("OriginalFilename", "qexsys.exe")):
        check(strings.get(name) == value, "%s: %r" % (name, strings.get(name)))
    check(strings.get("FileDescription"), "no FileDescription")
    # Its manifest: never elevated (the logon modes start from a Run value), and no DPI
    # awareness (the skin is drawn in fixed pixels). That it names the later systems shows in
    # the inventory's test under Windows 10.
    with open(p.exe, "rb") as f:
        image = f.read()
    check(b'requestedExecutionLevel level="asInvoker"' in image, "no execution level")
    check(b"dpiAware" not in image and b"supportedOS" in image, "the manifest")
