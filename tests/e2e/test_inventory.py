"""The forum member from the default browser's cookie, and the Software Wizard's report, against
what the Wine prefix really holds: Internet Explorer's cookie files and a Firefox profile
planted where this prefix's shell folders point, the warning for a code that is no member id,
and the inventory's links and mail hand-off."""
import os
import subprocess

from harness import Program, check, screenshot, start_program, wait_until

EXPLORER = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"
SHELL_FOLDERS = EXPLORER + "\\Shell Folders"
DDE = "HKCR\\http\\shell\\open\\ddeexec"
CPU = "HKLM\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0"
HOST = "community.orvanta.example"
# The forum links' left edge in each layout (Image21).
MEMBER_LEFT, GUEST_LEFT = "299", "257"
REFRESH = 10.0  # the main window's Timer2


class Planted:
    """What a test plants in the shared prefix: the default browser and files, all removed when
    it ends, so that no later test finds a cookie it did not plant."""

    def __init__(self, wine, browser):
        self.wine = wine
        self.paths = []
        fresh_prefix(wine, browser)

    def write(self, path, text):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="latin-1", newline="") as f:
            f.write(text)
        self.paths.append(path)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        for path in self.paths:
            if os.path.exists(path):
                os.remove(path)
        self.wine.reg_delete(DDE)


def fresh_prefix(wine, browser):
    """The default browser's DDE name as given (None: none, as in a fresh prefix), no logon name
    (so the cookie files carry the account's name, as the program then reads it) and the
    Windows version whose name the report's first line shows."""
    wine.set_version("winxp")
    wine.reg_delete(EXPLORER, "Logon User Name")
    wine.reg_delete(DDE)
    if browser:
        wine.reg_add(DDE + "\\Application", None, browser)


def account_name(p):
    line = p.get("qex_ulm_frm.Label1.caption")
    check(line.startswith("Windows user: "), line)
    return line[len("Windows user: "):]


def gaps_until_member(p, seconds):
    """Waits for the member layout, asking the window back to back; the seconds it took and the
    longest the window left a question unanswered meanwhile."""
    rc, text = p.ctl("--gaps", "get qex_ulm_frm.Image21.left", MEMBER_LEFT, str(int(seconds)), timeout=seconds + 30)
    check(rc == 0 and text.startswith("ok "), "the member layout did not come: " + text)
    took, longest = (float(v) for v in text.split()[1:3])
    return took, longest


def check_member_layout(p):
    p.expect("qex_ulm_frm.Image21.picture", "profile_1", "profile link")
    p.expect("qex_ulm_frm.Image19.picture", "chat_1", "chat link")
    p.expect("qex_ulm_frm.Image17.picture", "logout_1", "logout link")


def memo_lines(p):
    return p.get("softwarefrm.Memo1.text").split("\r\n")


def open_inventory(p):
    p.act("click qex_ulm_frm.Image22")
    wait_until(lambda: p.get("softwarefrm.visible") == "1", 20, what="the Software Wizard")


def host_memory_mb():
    with open("/proc/meminfo") as f:
        for line in f:
            if line.startswith("MemTotal:"):
                return int(line.split()[1]) * 1024 >> 20
    return None


def test_internet_explorer_cookie_gives_the_member_layout(wine):
    with Planted(wine, "IExplore") as planted:
        p = start_program(wine, "member-ie")
        p.expect("qex_ulm_frm.Image15.picture", "browser_ie", "browser badge")
        p.expect("qex_ulm_frm.Image21.left", GUEST_LEFT, "member before any cookie")
        user = account_name(p)
        folder = wine.unix_path(wine.reg_value(SHELL_FOLDERS, "Cookies"))
        # Only the highest index is examined; the lower one holds other cookies of the host.
        stem = os.path.join(folder, "%s@%s" % (user, HOST.rsplit(".", 1)[0]))
        planted.write(stem + "[0].txt", "bbsessionhash\nf00d\n%s/\n1536\n*\n" % HOST)
        planted.write(stem + "[3].txt", "bblastvisit\n1\n%s/\n1536\n*\nbbuserid\n4711\n%s/\n1536\n*\n" % (HOST, HOST))
        took, longest = gaps_until_member(p, REFRESH + 10)
        print("    member layout %.2f s after the cookie was planted; longest unanswered %.3f s" % (took, longest))
        check(took < REFRESH + 2, "the member layout took %.1f s" % took)
        check_member_layout(p)
        screenshot(wine, "main-member", "Orvanta Works", settle=3)

        open_inventory(p)
        lines = memo_lines(p)
        check(lines[0] == "Microsoft Windows XP", "first line %r" % lines[0])
        check(lines[2] == "Location: C:\\windows", lines[2])
        check(lines[3].startswith("Running Processes: "), lines[3])
        check(lines[4] == "Default browser: Internet Explorer", lines[4])
        cpu = (wine.reg_value(CPU, "ProcessorNameString") or "").lstrip(" ")
        check(cpu and lines[6] == cpu, "processor %r, registry %r" % (lines[6], cpu))
        check(lines[7] == "RAM installed: %d MB" % (host_memory_mb() + 1), lines[7])
        drives = [line for line in lines[10:] if line.endswith(" is fixed") or line.endswith(" is CD-ROM")]
        check(drives == ["C: is fixed", "Z: is fixed"], "drives %r" % drives)
        check("Screen resolution: 1024x768" in lines, "screen line in %r" % lines)
        check(lines[-4:] == ["QuickTime Player not installed", "Real Player not installed",
                             "Windows Media Player not installed", "DivX Player not installed"], lines[-4:])
        p.expect("softwarefrm.Image2.top", "58", "the first topic is not chosen")
        p.act("mousemove softwarefrm.Label9")
        wait_until(lambda: p.get("softwarefrm.Label9.underline") == "1", 10, what="the link underline")
        screenshot(wine, "softwarefrm", "Software Wizard", settle=3)
        p.kill()


def test_firefox_profile_of_200000_cookies_gives_the_member_layout(wine):
    with Planted(wine, "Firefox") as planted:
        p = start_program(wine, "member-firefox")
        p.expect("qex_ulm_frm.Image15.picture", "browser_mo", "browser badge")
        p.expect("qex_ulm_frm.Image21.left", GUEST_LEFT, "member before any cookie")
        firefox = os.path.join(wine.unix_path(wine.reg_value(SHELL_FOLDERS, "AppData")), "Mozilla", "Firefox")
        # Other sites' cookies, the host's domain form (which does not count), the member last.
        lines = ["# Netscape HTTP Cookie File"]
        for i in range(199997):
            lines.append("www.site%d.example\tFALSE\t/\tFALSE\t1893456000\tsession\t%08x" % (i % 5000, i))
        lines.append(".%s\tTRUE\t/\tFALSE\t1893456000\tbbuserid\t1" % HOST)
        lines.append("%s\tFALSE\t/\tFALSE\t1893456000\tbbuserid\t815" % HOST)
        planted.write(os.path.join(firefox, "Profiles", "e2e.default", "cookies.txt"), "\n".join(lines) + "\n")
        planted.write(os.path.join(firefox, "profiles.ini"),
                   "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\nName=default\r\nIsRelative=1\r\n"
                   "Path=Profiles/e2e.default\r\n")
        took, longest = gaps_until_member(p, REFRESH + 10)
        print("    200,000 lines: member layout %.2f s after planting; longest unanswered %.3f s" % (took, longest))
        check(took < REFRESH + 2, "the member layout took %.1f s" % took)
        # Reading the file and walking it leave the window deaf a few tenths of a second at worst on
        # a busy machine; a walk that kept the messages waiting would take seconds.
        check(longest < 2.0, "the window left a question %.2f s unanswered" % longest)
        check_member_layout(p)
        open_inventory(p)
        check(memo_lines(p)[4] == "Default browser: Firefox", "browser line")
        p.kill()


def browser_helpers():
    r = subprocess.run(["pgrep", "-f", "winebrowser"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    return set(r.stdout.decode().split())


def test_without_cookie_a_question_is_refused_and_the_report_mails(wine):
    with Planted(wine, None):
        p = start_program(wine, "no-cookie")
        open_inventory(p)
        helpers = browser_helpers()
        p.act("click softwarefrm.Label8")
        wait_until(lambda: p.boxes(), 20, what="the box")
        check(p.boxes() == ["Cookie not found\tYou need to login via your browser, to use the extended forums features."],
              "boxes %r" % p.boxes())
        p.answer("OK")
        wait_until(lambda: not p.boxes(), 20, what="the box to close")
        check(browser_helpers() <= helpers, "a page was opened")

        # Wine's Simple MAPI takes the report and answers success. The click after it runs once
        # the hand-off has returned; an error box would then be open.
        p.act("click softwarefrm.Label11")
        p.act("click softwarefrm.Label2")
        wait_until(lambda: p.get("softwarefrm.Label7.caption") == "Graphic Design and Software", 20, what="the topic")
        p.expect("softwarefrm.Image2.top", "90", "the bar did not move")
        check(p.boxes() == [], "boxes %r" % p.boxes())
        p.kill()


def test_an_invalid_member_code_warns_without_piling_up_boxes(wine):
    with Planted(wine, "IExplore") as planted:
        p = start_program(wine, "invalid-code")
        user = account_name(p)
        folder = wine.unix_path(wine.reg_value(SHELL_FOLDERS, "Cookies"))
        planted.write(os.path.join(folder, "%s@%s[0].txt" % (user, HOST.rsplit(".", 1)[0])),
                      "bbuserid\n99999999999999999999999999999\n%s/\n1536\n*\n" % HOST)
        warning = ["Scan error\tMember code found in this cookie is not valid."]
        wait_until(lambda: p.boxes(), REFRESH + 10, what="the warning")
        # Two more refreshes come while the box waits for its answer.
        fired = int(p.get("qex_ulm_frm.Timer2.fired"))
        wait_until(lambda: int(p.get("qex_ulm_frm.Timer2.fired")) >= fired + 2, 2 * REFRESH + 20,
                   what="two more refreshes")
        check(p.boxes() == warning, "boxes after two more refreshes: %r" % p.boxes())
        p.expect("qex_ulm_frm.Image21.left", GUEST_LEFT, "member layout for an invalid code")
        p.answer("OK")
        wait_until(lambda: not p.boxes(), 20, what="the box to close")
        # Answered, the refresh goes on as before: the next detection warns again.
        wait_until(lambda: p.boxes() == warning, REFRESH + 10, what="the next warning")
        p.answer("OK")
        p.kill()


def test_systems_after_xp_are_named_and_wear_no_badge(wine):
    """The manifest names every system from Vista on, so each reports its own version (without
    it, Windows 10 says 6.2)."""
    try:
        for version, name in (("win7", "Microsoft Windows 7"), ("win10", "Microsoft Windows 10")):
            wine.set_version(version)
            p = Program(wine, "osname-" + version)
            # A stored member opens the inventory without a cookie.
            p.write_ini("[System]\nNews=0\nUser=demo\n")
            p.start()
            p.wait_ready()
            p.expect("qex_ulm_frm.Image8.picture", "", "a badge for " + version)
            open_inventory(p)
            wait_until(lambda: memo_lines(p)[0] == name, 20, what="the name of " + version)
            p.kill()
    finally:
        wine.set_version("winxp")
