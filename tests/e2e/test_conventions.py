"""Windows' own conventions under Wine, with real input where a user gives it: Escape and Enter
in the dialogs and tool windows, Tab between the login's fields, logging off while the program
sits in the tray, and the tray icon coming back when Explorer starts anew."""
import os
import stat

from community import CommunityServer, settings
from harness import check, keyboard, qexctl, start_program, wait_until


def test_escape_closes_the_dialogs_and_tool_windows_and_enter_confirms_the_preferences(wine):
    p = start_program(wine, "keys")
    ini = os.path.join(p.dir, "qexsys.ini")
    try:
        for opener, form, title in (("menu qex_ulm_frm.PopupMenu1.Preferences1", "preffrm", "Preferences"),
                                    ("menu qex_ulm_frm.PopupMenu1.AboutKestrel1", "aboutfrm",
                                     "About Orvanta Kestrel..."),
                                    ("click qex_ulm_frm.Image4", "systemprofrm", "System Wizard")):
            p.act(opener)
            wait_until(lambda: p.get(form + ".visible") == "1", 20, what=title)
            keyboard(wine, title, "key", "Escape")
            wait_until(lambda: p.get(form + ".visible") == "0", 20, what="Escape to close " + title)
        p.expect("qex_ulm_frm.visible", "1", "the dashboard went with Escape")

        # Enter is OK: the switch clicked goes into the settings.
        p.act("menu qex_ulm_frm.PopupMenu1.Preferences1")
        wait_until(lambda: p.get("preffrm.visible") == "1", 20, what="the preferences")
        p.act("click preffrm.Image5")
        keyboard(wine, "Preferences", "key", "Return")
        wait_until(lambda: p.get("preffrm.visible") == "0", 20, what="Enter to close the preferences")
        check("InfSound=1" in p.read_ini(), "Enter did not keep the switch: %r" % p.read_ini())

        # A settings file that cannot be written is named once a run, and the window stays.
        os.chmod(ini, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)  # read-only to Windows
        p.act("menu qex_ulm_frm.PopupMenu1.Preferences1")
        wait_until(lambda: p.get("preffrm.visible") == "1", 20, what="the preferences")
        p.act("click preffrm.Image5")
        keyboard(wine, "Preferences", "key", "Return")
        told = wait_until(lambda: p.boxes(), 20, what="the word about the settings file")
        check(len(told) == 1 and "could not write" in told[0] and
              wine.windows_path(ini) in told[0], "the boxes %r" % told)
        p.answer("OK")
        p.expect("preffrm.visible", "1", "the preferences closed on a refused write")
        # The keys arrive in order: Escape closes the window only when Return raised no box.
        keyboard(wine, "Preferences", "key", "Return")
        keyboard(wine, "Preferences", "key", "Escape")
        wait_until(lambda: p.get("preffrm.visible") == "0", 20,
                   what="a second refusal to pass without a word: %r" % p.boxes())
        check(p.boxes() == [], "told again: %r" % p.boxes())
        check("InfSound=1" in p.read_ini(), "the file changed: %r" % p.read_ini())
    finally:
        os.chmod(ini, stat.S_IRUSR | stat.S_IWUSR)
        p.kill()


def test_the_login_takes_tab_between_its_fields_and_enter_as_login(wine):
    server = CommunityServer("keys-login")
    p = None
    try:
        p = start_program(wine, "keys-login", "[System]\nNews=0\n" + settings(server.host))
        p.act("click qex_ulm_frm.Image17")
        wait_until(lambda: p.get("loginfrm.visible") == "1", 20, what="the login window")
        keyboard(wine, "Member Login", "type", "--delay", "40", "demo")
        wait_until(lambda: p.get("loginfrm.Edit1.text") == "demo", 10, what="the name typed")
        keyboard(wine, "Member Login", "key", "Tab")
        keyboard(wine, "Member Login", "type", "--delay", "40", "demo")
        keyboard(wine, "Member Login", "key", "Return")
        wait_until(lambda: "User=demo\r\n" in p.read_ini(), 30, what="the login to be kept")
        p.expect("loginfrm.Edit1.text", "demo", "the name field")
        p.expect("qex_ulm_frm.Label1.caption", "Member: demo", "the member line")
    finally:
        if p:
            p.kill()
        server.stop()


def test_logging_off_keeps_the_choices_and_ends_the_program_from_the_tray(wine):
    p = start_program(wine, "logoff", "[System]\nNews=0\n", "-monitor")
    wait_until(lambda: p.get("qex_ulm_frm.visible") == "0", 20, what="the main window to hide")
    wait_until(lambda: qexctl(wine, "--tray", "present") == (0, "present"), 20, what="the tray icon")
    p.act("click qex_ulm_frm.Image6")
    wait_until(lambda: "_uchk" in p.get("qex_ulm_frm.Image6.picture"), 20, what="the choice to change")
    wine.run(["wineboot", "--end-session"], timeout=120)
    p.wait_exit(60)
    check("Recycle=1\r\n" in p.read_ini(), "the choice was lost: %r" % p.read_ini())


def test_the_tray_icon_comes_back_when_explorer_starts_anew(wine):
    p = start_program(wine, "taskbar", "[System]\nNews=0\n", "-monitor")
    try:
        wait_until(lambda: p.get("qex_ulm_frm.visible") == "0", 20, what="the main window to hide")
        check(qexctl(wine, "--tray", "remove")[0] == 0, "the icon could not be removed")
        check(qexctl(wine, "--tray", "present") == (0, "absent"), "the icon stayed")
        qexctl(wine, "--tray", "restart")
        wait_until(lambda: qexctl(wine, "--tray", "present") == (0, "present"), 20,
                   what="the icon to come back")
    finally:
        p.kill()
