"""The Win32 window backend under Wine, through uidemo.exe: client sizes of dialog and borderless
windows, the layered fade, exact message boxes, modal showing, real mouse and keyboard input into
graphic controls, list views and edit fields, popup menus from the list and the tray, and the
automation protocol's errors."""
import os
import subprocess

from harness import BUILD, check, qexctl, screenshot, wait_until

MAIN = "Tqex_ulm_frm"
BOX_TEXT = "This is the message box of the demo."
ROW = 17  # the list's row height with its 9-pixel font


class Demo:
    def __init__(self, wine):
        self.wine = wine
        self.proc = wine.start([os.path.join(BUILD, "uidemo.exe")], extra_env={"QEXSYS_AUTOMATION": "1"})
        wait_until(lambda: self.ctl("get qex_ulm_frm.caption") == (0, "ok Orvanta Kestrel"), 40,
                   what="the demo's main window")

    def ctl(self, *args):
        return qexctl(self.wine, *args)

    def get(self, query):
        rc, text = self.ctl("get " + query)
        check(rc == 0 and text.startswith("ok"), "get %s: %s" % (query, text))
        return text[3:]

    def act(self, command):
        rc, text = self.ctl(command)
        check((rc, text) == (0, "ok"), "%s: %s" % (command, text))

    def boxes(self):
        return [line for line in self.ctl("--boxes")[1].split("\n") if line]

    def window(self, cls):
        for line in self.ctl("--windows")[1].split("\n"):
            fields = line.split("\t")
            if fields[0] == cls:
                return fields
        return None

    def mouse(self, cls, x, y, *actions):
        """Moves the real pointer to a client point of a window, then clicks or presses keys."""
        win = self.window(cls)
        check(win is not None, "no window " + cls)
        ox, oy = (int(v) for v in win[3].split(","))
        self.xdo("mousemove", str(ox + x), str(oy + y), *actions)

    def xdo(self, *args):
        """Real input through the X server. Wine takes it in the order it was sent, so a check
        after it waits for the state the input brings."""
        subprocess.run(["xdotool"] + list(args), env=self.wine.env, timeout=20,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def wait(self, query, expected, what, timeout=10):
        wait_until(lambda: self.get(query) == expected, timeout, what=what)

    def screen(self, cls, area):
        """The pixels on the screen of a client area (left, top, right, bottom) of a window, as
        bytes of r, g, b."""
        ox, oy = (int(v) for v in self.window(cls)[3].split(","))
        left, top, right, bottom = area
        r = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (right - left, bottom - top, ox + left, oy + top),
                            "-depth", "8", "rgb:-"], env=self.wine.env, timeout=30, stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL)
        return r.stdout

    def pixel(self, cls, x, y):
        """The colour on the screen at a client point of a window, as (r, g, b)."""
        return tuple(self.screen(cls, (x, y, x + 1, y + 1))[:3])

    def count(self, cls, area, colour):
        """How many pixels of a client area of a window have this colour on the screen."""
        data = self.screen(cls, area)
        return sum(1 for i in range(0, len(data) - 2, 3) if tuple(data[i:i + 3]) == colour)

    def centre(self, form, control):
        left, top = int(self.get(form + "." + control + ".left")), int(self.get(form + "." + control + ".top"))
        w, h = int(self.get(form + "." + control + ".width")), int(self.get(form + "." + control + ".height"))
        return left + w // 2, top + h // 2

    def close(self):
        if self.proc.poll() is None:
            self.proc.kill()


def test_backend_windows_have_the_client_size_of_their_forms(wine):
    d = Demo(wine)
    try:
        # The protocol answers from the window model, which may be ready before the window shows.
        main = wait_until(lambda: d.window(MAIN), 20, what="the main window")
        check(main[1:3] == ["Orvanta Kestrel", "700x450"], "main window: %r" % main)
        d.act("click qex_ulm_frm.Popup")
        popup = wait_until(lambda: d.window("Tdemonotifyfrm"), 20, what="the popup")
        check(popup[2] == "220x90", "borderless popup: %r" % popup)
        wait_until(lambda: d.get("notifyfrm.alpha") == "255", 20, what="the fade to end")
        d.act("click qex_ulm_frm.Button")
        memo = wait_until(lambda: d.window("Tdemomemofrm"), 20, what="the modal window")
        check(memo[1:3] == ["Memo and edit fields", "400x300"], "dialog: %r" % memo)
        check(d.get("memofrm.modal") == "1", "not modal")
        check(d.get("memofrm.Memo1.text").startswith("Line 1: a report line"), "memo text")
        screenshot(wine, "backend-windows")
        d.act("close memofrm")
        wait_until(lambda: d.window("Tdemomemofrm") is None, 20, what="the modal window to hide")
        check(d.get("memofrm.visible") == "0", "memo still visible")
    finally:
        d.close()


def test_backend_message_box_has_the_exact_text_and_answers_by_button(wine):
    d = Demo(wine)
    try:
        d.act("click qex_ulm_frm.Link")
        boxes = wait_until(lambda: d.boxes(), 20, what="the box")
        check(boxes == ["Orvanta Kestrel\t" + BOX_TEXT], "boxes: %r" % boxes)
        ticks = d.get("qex_ulm_frm.Ticks.caption")
        wait_until(lambda: d.get("qex_ulm_frm.Ticks.caption") != ticks, 20, what="the timer to tick under the box")
        check(d.ctl("--answer", "Retry")[0] == 1, "a button the box lacks was clicked")
        check(d.ctl("--answer", "cancel") == (0, "ok"), "no Cancel button")
        wait_until(lambda: d.boxes() == [], 20, what="the box to close")
    finally:
        d.close()


def test_backend_modal_window_holds_back_the_others_until_closed(wine):
    d = Demo(wine)
    try:
        link = d.centre("qex_ulm_frm", "Link")
        d.act("click qex_ulm_frm.Button")
        wait_until(lambda: d.window("Tdemomemofrm"), 20, what="the modal window")
        d.mouse(MAIN, link[0], link[1], "click", "1")
        # A click on the modal window's own switch comes after it: once the switch has taken its
        # click, the main window has had its chance to take the first.
        toggle = d.centre("memofrm", "Toggle")
        d.mouse("Tdemomemofrm", toggle[0], toggle[1], "click", "1")
        wait_until(lambda: d.pixel("Tdemomemofrm", 200, 195) == (60, 90, 150), 10, what="the switch to take its click")
        check(d.boxes() == [], "the main window took a click under a modal window")
        d.act("close memofrm")
        wait_until(lambda: d.window("Tdemomemofrm") is None, 20, what="the modal window to hide")
        d.mouse(MAIN, link[0], link[1], "click", "1")
        boxes = wait_until(lambda: d.boxes(), 20, what="the box after the modal window closed")
        check(boxes == ["Orvanta Kestrel\t" + BOX_TEXT], "boxes: %r" % boxes)
        d.ctl("--answer", "OK")
    finally:
        d.close()


def test_backend_real_mouse_reaches_graphic_controls_and_the_list(wine):
    d = Demo(wine)
    try:
        link = d.centre("qex_ulm_frm", "Link")
        d.mouse(MAIN, link[0], link[1])
        d.mouse(MAIN, link[0] + 2, link[1])
        d.wait("qex_ulm_frm.Link.underline", "1", "the hover to reach the link")
        # The hint comes from the common controls, which the first hint loads.
        wait_until(lambda: d.window("tooltips_class32"), 10, what="the link's hint")
        check(d.window("tooltips_class32")[2] != "0x0", "the hint shows with no size")
        screenshot(wine, "backend-hint")
        d.mouse(MAIN, 650, 150)
        d.wait("qex_ulm_frm.Link.underline", "0", "the background to get the move")

        left, top = int(d.get("qex_ulm_frm.ListView1.left")), int(d.get("qex_ulm_frm.ListView1.top"))
        d.mouse(MAIN, left + 60, top + ROW + ROW // 2, "click", "1")
        d.wait("qex_ulm_frm.ListView1.selected", "1", "the click to select row 1")
        check(d.get("qex_ulm_frm.Status.caption") == "Selected row 1", "no select handler")
        # A click on the list's free space clears the selection, and the model hears of it.
        d.mouse(MAIN, left + 60, top + 6 * ROW, "click", "1")
        wait_until(lambda: d.get("qex_ulm_frm.ListView1.selected") == "-1", 10, what="the selection to clear")

        d.mouse(MAIN, left + 60, top + ROW // 2, "click", "3")
        wait_until(lambda: d.window("#32768"), 10, what="the list's popup menu")
        screenshot(wine, "backend-list-menu")
        d.xdo("key", "Escape")
        wait_until(lambda: d.window("#32768") is None, 10, what="the menu to close")
    finally:
        d.close()


def test_backend_edit_fields_take_typing_return_tab_and_their_limit(wine):
    d = Demo(wine)
    try:
        d.act("click qex_ulm_frm.Button")
        wait_until(lambda: d.window("Tdemomemofrm"), 20, what="the modal window")
        edit = d.centre("memofrm", "Edit1")
        d.mouse("Tdemomemofrm", edit[0], edit[1], "click", "1")
        d.xdo("type", "--delay", "40", "hello")
        d.wait("memofrm.Edit1.text", "hello", "the typed text")
        check(d.get("memofrm.Echo.caption") == "Length: 5", "no change handler")
        d.xdo("key", "Tab")
        d.xdo("type", "--delay", "40", "secret1234567890")
        d.mouse("Tdemomemofrm", edit[0], edit[1], "click", "1")
        d.xdo("key", "Return")
        boxes = wait_until(lambda: d.boxes(), 20, what="the box of the Return key")
        check(boxes == ["Edit\tYou typed: hello"], "boxes: %r" % boxes)
        # The Return came after the last typed letter, so the password field has had them all.
        check(d.get("memofrm.Edit2.text") == "secret123456", "password field: %r" % d.get("memofrm.Edit2.text"))
        d.ctl("--answer", "OK")
        d.act("settext memofrm.Edit1 from the protocol")
        check(d.get("memofrm.Echo.caption") == "Length: 17", "settext did not edit the field")
    finally:
        d.close()


def test_backend_tray_menu_and_protocol_errors(wine):
    d = Demo(wine)
    try:
        check(d.ctl("get nope.caption") == (1, "error no form nope"), "unknown form")
        check(d.ctl("menu qex_ulm_frm.PopupMenu1.Disabled1") == (1, "error item disabled"), "disabled item")
        items = d.get("qex_ulm_frm.PopupMenu1.items").split("\n")
        check(items[0] == "SystemScan1\tSystem Scan\t1\tdefault", "menu items: %r" % items)
        d.act("tray rbuttonup")
        wait_until(lambda: d.window("#32768"), 10, what="the tray menu")
        d.xdo("key", "Escape")
        wait_until(lambda: d.window("#32768") is None, 10, what="the tray menu to close")
        d.act("menu qex_ulm_frm.PopupMenu1.Quit1")
        d.proc.wait(30)
        wait_until(lambda: d.ctl("get qex_ulm_frm.caption")[0] == 2, 20, what="qexctl to find no window")
    finally:
        d.close()


def test_backend_windowed_controls_follow_the_panel_they_lie_in(wine):
    d = Demo(wine)
    try:
        # A label that the centred modal window covers, empty until a row is selected.
        hidden, white = (320, 130, 560, 146), (255, 255, 255)
        check(d.count(MAIN, hidden, white) == 0, "the selection label shows text before any selection")
        d.act("click qex_ulm_frm.Button")
        wait_until(lambda: d.window("Tdemomemofrm"), 20, what="the modal window")
        # Changed while covered: once uncovered it shows its text, not the picture from before.
        d.act("select qex_ulm_frm.ListView1 2")
        d.wait("qex_ulm_frm.Selection.caption", "Row 2", "the selection under the modal window")
        memo_face = (215, 227, 243)
        wait_until(lambda: d.pixel("Tdemomemofrm", 200, 195) == memo_face, 20, what="the memo on the screen")
        d.act("click memofrm.Toggle")
        wait_until(lambda: d.pixel("Tdemomemofrm", 200, 195) == (60, 90, 150), 10, what="the memo to hide with its panel")
        check(d.get("memofrm.Memo1.visible") == "1", "the memo's own flag changed")
        d.act("click memofrm.Toggle")
        wait_until(lambda: d.pixel("Tdemomemofrm", 200, 195) == memo_face, 10, what="the memo to come back")
        d.act("close memofrm")
        wait_until(lambda: not d.window("Tdemomemofrm"), 20, what="the modal window to close")
        wait_until(lambda: d.count(MAIN, hidden, white) > 20, 10, what="the label where the modal window was")
    finally:
        d.close()
