"""The news window under Wine against the community server stand-in on loopback: the content of
a refresh and the requests behind it, hovering, the headline list under the real mouse wheel, F5
held down, a gallery on its way, a stopped server, a server that never answers, a headline file
of another version, and hostile pictures."""
import os
import struct
import subprocess

from community import CommunityServer, Swallower, settings
from harness import BUILD, SHOTS, Program, check, screenshot, wait_until

ROWS = ["Ten minutes to a faster start-up", "Forum moderators wanted", "New signatures for October",
        "Why is my disk full?", "Gallery: send us your photos", "Chat with the support team",
        "Tips & tricks for the cleaner", "What the process viewer tells you",
        "A safer way to remove toolbars", "Member of the month: Jonas",
        "The news window, explained", "Old PCs, new life", "Backups before you clean",
        "Thank you, donors"]
PAGE = 8  # the rows the headline area shows at once
HINTS = ["Orvanta Kestrel 1.21: what is new", "Questions? The community forum answers",
         "Keep the tools free for everyone"]
SKIN = os.path.join(BUILD, "skin")
PROGRESS_FILL = (66, 118, 191)


def pixel(png, x, y):
    r = subprocess.run(["convert", png, "-crop", "1x1+%d+%d" % (x, y), "-depth", "8", "txt:-"],
                       stdout=subprocess.PIPE, timeout=30)
    line = r.stdout.decode().strip().splitlines()[-1]  # "0,0: (r,g,b)  #RRGGBB  srgb(...)"
    hexa = line.split("#")[1][:6]
    return tuple(int(hexa[i:i + 2], 16) for i in (0, 2, 4))


def origin(program):
    """The news window's client area on the screen."""
    return program.origin("Tqextodayfrm")


def placeholder_on(png, at, left, top, width, height):
    """The placeholder's icon (the skin's "error" picture) lies where the placeholder puts it
    on an image at (left, top) of the given size."""
    icon = os.path.join(SKIN, "error.bmp")
    x = at[0] + left + width // 2 - 16 + 16
    y = at[1] + top + height // 2 - 16 - 32 // 3 + 2 + 16
    return pixel(png, x, y) == pixel(icon, 16, 16)


def memory_mb(program):
    """The program's working set, its peak and its private bytes in MB, as Windows counts them
    for the process of its main window."""
    rc, text = program.ctl("--memory")
    check(rc == 0 and text.startswith("ok "), "memory: %s" % text)
    return [int(kb) // 1024 for kb in text.split()[1:]]


def screen_bomb():
    """A GIF of 35 bytes whose screen is 16384 x 4096: one black pixel on 256 MB of canvas."""
    return (b"GIF89a" + struct.pack("<HHBBB", 16384, 4096, 0x80, 0, 0) + b"\0\0\0\xff\xff\xff" +
            b"," + struct.pack("<HHHHB", 0, 0, 1, 1, 0) + b"\x02\x02\x4c\x01\x00;")


def progressive_bomb(jpeg_file):
    """The picture made progressive without loss, then declared 8192 x 8192: read in many
    scans, a picture that size keeps 192 MB of coefficients."""
    data = subprocess.run(["jpegtran", "-progressive", jpeg_file], stdout=subprocess.PIPE,
                          check=True, timeout=30).stdout
    frame = data.index(b"\xff\xc2")
    return data[:frame + 5] + struct.pack(">HH", 8192, 8192) + data[frame + 9:]


def start_news(wine, name, host, loop=1):
    p = Program(wine, name)
    p.write_ini("[System]\nNews=1\n[Rotator]\nLoop=%d\n" % loop + settings(host))
    p.start()
    p.wait_ready()
    wait_until(lambda: p.get("qextodayfrm.visible") == "1", 30, what="the news window")
    return p


def idle_caption(p):
    return p.get("qextodayfrm.caption") == "Orvanta Kestrel"


def turn_wheel(wine, x, y, *buttons):
    """The pointer to x, y of the screen and the wheel turned a notch per button: 4 away from the
    user, 5 toward."""
    clicks = [word for button in buttons for word in ("click", button)]
    subprocess.run(["xdotool", "mousemove", str(x), str(y)] + clicks, env=wine.env, timeout=20,
                   check=True)


def idle(p):
    return idle_caption(p) and p.get("qextodayfrm.AuthorLabel.caption") != ""


def test_news_window_shows_the_servers_news(wine):
    server = CommunityServer("news")
    p = None
    try:
        p = start_news(wine, "news", server.host, loop=1)
        wait_until(lambda: idle(p), 60, what="the news to load")
        # Loop=1: the first banner is the third advert.
        check(server.requests() == ["GET /today/headlines.db HTTP/1.0", "GET /banners/banner3.gif HTTP/1.0",
                                    "GET /gallery/harbour.jpg HTTP/1.0"], "requests: %r" % server.requests())
        for k, caption in enumerate(ROWS[:PAGE]):
            p.expect("qextodayfrm.HeadlineLabel%d.caption" % k, caption, "row %d" % k)
            p.expect("qextodayfrm.HeadlineArrow%d.top" % k, str(59 + 18 * k + 3), "arrow %d" % k)
        check(p.ctl("get qextodayfrm.HeadlineLabel%d.caption" % PAGE)[0] != 0, "a row below")
        p.expect("qextodayfrm.HeadlineScroll.visible", "1", "no scroll bar beside 14 headlines")
        p.expect("qextodayfrm.AuthorLabel.caption", "Marta Lindqvist", "gallery caption")
        p.expect("qextodayfrm.GalleryImage.visible", "1", "gallery frame")
        p.expect("qextodayfrm.GalleryImage.width", "146", "frame width")
        p.expect("qextodayfrm.AdvertImage.hint", HINTS[2], "banner hint")
        p.expect("qextodayfrm.AdvertImage.cursor", "hand", "banner cursor")
        p.expect("qextodayfrm.BannerTimer.running", "1", "the banner is not animated")
        p.expect("qextodayfrm.NewsHeadLabel.caption", "Kestrel 1.21 is out", "lead story")
        p.expect("qextodayfrm.Timer1.running", "1", "rotation")

        p.act("mousemove qextodayfrm.HeadlineLabel3")
        wait_until(lambda: p.get("qextodayfrm.StoryLabel.caption").startswith("Temporary files"), 10,
                   what="the summary")
        p.expect("qextodayfrm.AdvertImage.visible", "0", "the banner stays under the summary")
        p.expect("qextodayfrm.HeadlineLabel3.underline", "1", "underline")
        shot = screenshot(wine, "news-hover")
        p.act("mousemove qextodayfrm")
        wait_until(lambda: p.get("qextodayfrm.AdvertImage.visible") == "1", 10, what="the banner again")
        shot = screenshot(wine, "news-content")
        check(not placeholder_on(shot, origin(p), 242, 64, 135, 135), "a placeholder instead of the picture")

        # The real wheel over the list, three rows a notch, brings in every headline there is.
        at = origin(p)
        below_rows = (at[0] + 110, at[1] + 202)

        def scrolled_to(first):
            return lambda: p.get("qextodayfrm.HeadlineScroll.position") == str(first)

        turn_wheel(wine, *below_rows, "5")
        wait_until(scrolled_to(3), 10, what="the list to move")
        turn_wheel(wine, *below_rows, "5", "5")
        wait_until(scrolled_to(len(ROWS) - PAGE), 10, what="the end of the list")
        for k, caption in enumerate(ROWS[len(ROWS) - PAGE:]):
            p.expect("qextodayfrm.HeadlineLabel%d.caption" % k, caption, "row %d at the end" % k)
        screenshot(wine, "news-headlines-scrolled", settle=2)
        turn_wheel(wine, *below_rows, "4")
        wait_until(scrolled_to(3), 10, what="the list back up")

        # F5 held down: one refresh while it stays down, another after it came up.
        p.act("key qextodayfrm 116 down")
        wait_until(lambda: len(server.requests()) >= 6 and idle(p), 60, what="the refresh")
        p.act("key qextodayfrm 116 down")
        p.act("key qextodayfrm 116 down")
        p.act("key qextodayfrm 116 up")
        p.act("key qextodayfrm 116 down")
        wait_until(lambda: len(server.requests()) >= 9 and idle(p), 60, what="the second refresh")
        heads = [r for r in server.requests() if r == "GET /today/headlines.db HTTP/1.0"]
        check(len(heads) == 3 and len(server.requests()) == 9, "requests: %r" % server.requests())
        check(all(r.endswith(" HTTP/1.0") for r in server.requests()), "not HTTP/1.0")

        shown = HINTS.index(p.get("qextodayfrm.AdvertImage.hint"))
        p.act("close qextodayfrm")
        wait_until(lambda: p.get("qextodayfrm.visible") == "0", 20, what="the window to close")
        check("Loop=%d\r\n" % shown in p.read_ini() and "News=1" in p.read_ini(), "ini: %r" % p.read_ini())
    finally:
        if p:
            p.kill()
        server.stop()


def test_gallery_progress_while_the_picture_arrives(wine):
    # Only the gallery is slow: the banners and the headline file come at once.
    server = CommunityServer("slow", rate=1500, slow="/gallery/")
    p = None
    try:
        p = start_news(wine, "slow", server.host)
        shot = os.path.join(SHOTS, "news-progress.png")

        def progress_shown():
            screenshot(wine, "news-progress")
            at = origin(p)
            return pixel(shot, at[0] + 242 + 3, at[1] + 64 + 67 + 15 + 1) == PROGRESS_FILL

        wait_until(progress_shown, 30, 0.2, "the progress picture")
        p.expect("qextodayfrm.caption", "Orvanta Kestrel - Loading...", "caption while loading")
        p.expect("qextodayfrm.AuthorLabel.caption", "", "caption under a picture on its way")
        wait_until(lambda: idle(p), 60, what="the picture")
    finally:
        if p:
            p.kill()
        server.stop()


def test_stopped_server_gives_the_warning_and_two_placeholders(wine):
    server = CommunityServer("stopped")
    server.stop()
    p = start_news(wine, "stopped", server.host)
    try:
        text = "Orvanta Kestrel\tUnable to connect to server.\\nPlease make sure that you are connected to the internet."
        wait_until(lambda: text in p.boxes(), 60, what="the warning")
        p.answer("OK")
        wait_until(lambda: p.get("qextodayfrm.caption") == "Orvanta Kestrel", 20, what="the refresh to end")
        shot = screenshot(wine, "news-placeholders")
        at = origin(p)
        check(placeholder_on(shot, at, 48, 271, 468, 60), "no placeholder on the banner")
        check(placeholder_on(shot, at, 242, 64, 135, 135), "no placeholder on the gallery")
        check(p.ctl("get qextodayfrm.HeadlineLabel0.caption")[0] != 0, "rows without a server")
    finally:
        p.kill()


def test_a_cache_that_takes_no_files_is_named_once_a_run(wine):
    server = CommunityServer("nocache")
    p = Program(wine, "nocache")
    try:
        cache = os.path.join(p.dir, "Cache")
        os.rmdir(cache)
        with open(cache, "w") as f:  # refuses a write as a read-only folder would
            f.write("not a folder")
        p.write_ini("[System]\nNews=1\n" + settings(server.host))
        p.start()
        p.wait_ready()
        told = wait_until(lambda: p.boxes(), 60, what="the word about the program folder")
        check(len(told) == 1 and "could not write" in told[0] and
              wine.windows_path(cache) + "\\headlines.db" in told[0], "the boxes %r" % told)
        screenshot(wine, "news-cannot-write")
        p.answer("OK")
        wait_until(lambda: idle_caption(p), 30, what="the refresh to end")
        p.act("key qextodayfrm 116 down")
        p.act("key qextodayfrm 116 up")
        wait_until(lambda: len(server.requests()) == 2 and idle_caption(p), 30,
                   what="the second refresh: %r" % server.requests())
        check(p.boxes() == [], "told again: %r" % p.boxes())
    finally:
        p.kill()
        server.stop()


def test_closing_while_the_headlines_connect_leaves_no_box_behind(wine):
    """Against a server that never answers the connection, the window closes while its headline
    download still waits: the download stops, and no warning comes for the window that is gone."""
    with Swallower() as swallower:
        p = start_news(wine, "unanswered", "127.0.0.1:%d" % swallower.port)
        try:
            wait_until(lambda: swallower.attempts() > 0, 30, what="the headline download to knock")
            p.act("close qextodayfrm")
            wait_until(lambda: p.get("qextodayfrm.visible") == "0", 20, what="the window to close")
            # A warning would hold the attempt open under it.
            wait_until(lambda: swallower.attempts() == 0 or p.boxes(), 30,
                       what="the download to stop")
            check(p.boxes() == [], "a box after the close: %r" % p.boxes())
            check(swallower.attempts() == 0, "the download still knocks")
            p.expect("qex_ulm_frm.visible", "1", "the main window")
            screenshot(wine, "news-closed-while-connecting", settle=2)
        finally:
            p.kill()


def test_foreign_version_asks_and_shows_no_rows(wine):
    server = CommunityServer("foreign", version="1.16.00.00")
    p = None
    try:
        p = start_news(wine, "foreign", server.host)
        question = ("Orvanta Kestrel\tThis file is not supported by Orvanta Kestrel.\\nDo you want to check "
                    "http://www.orvanta.example/ for updates?")
        wait_until(lambda: question in p.boxes(), 60, what="the question")
        screenshot(wine, "news-foreign")
        p.answer("No")
        wait_until(lambda: p.get("qextodayfrm.caption") == "Orvanta Kestrel", 20, what="the refresh to end")
        check(p.ctl("get qextodayfrm.HeadlineLabel0.caption")[0] != 0, "rows of a foreign file")
        check(server.requests() == ["GET /today/headlines.db HTTP/1.0"], "requests: %r" % server.requests())
    finally:
        if p:
            p.kill()
        server.stop()


def test_hostile_pictures_show_placeholders_and_cost_no_memory(wine):
    server = CommunityServer("hostile")
    for banner in ("banner1.gif", "banner2.gif", "banner3.gif"):
        with open(os.path.join(server.dir, "banners", banner), "wb") as f:
            f.write(screen_bomb())
    gallery = os.path.join(server.dir, "gallery", "harbour.jpg")
    bomb = progressive_bomb(gallery)
    with open(gallery, "wb") as f:
        f.write(bomb)
    p = Program(wine, "hostile")
    p.write_ini("[System]\nNews=0\n" + settings(server.host))
    try:
        p.start()
        p.wait_ready()
        before = memory_mb(p)

        def refreshed(requests):
            return lambda: (len(server.requests()) >= requests and
                            p.get("qextodayfrm.caption") == "Orvanta Kestrel")

        p.act("menu qex_ulm_frm.PopupMenu1.QEXToday1")
        wait_until(refreshed(3), 60, what="the news with its pictures")
        # F5 fetches both pictures again, as the rotation does the banner.
        p.act("key qextodayfrm 116 down")
        p.act("key qextodayfrm 116 up")
        wait_until(refreshed(6), 60, what="the refresh")
        after = memory_mb(p)
        asked = server.requests()
        check(sum(r.startswith("GET /banners/") for r in asked) == 2 and
              asked.count("GET /gallery/harbour.jpg HTTP/1.0") == 2, "requests: %r" % asked)
        print("memory in MB (working set, peak, private): before %r, after %r" % (before, after))
        check(after[1] - max(before[0], before[1]) < 64 and after[2] - before[2] < 64,
              "memory grew from %r to %r MB" % (before, after))

        shot = screenshot(wine, "news-hostile-pictures")
        at = origin(p)
        check(placeholder_on(shot, at, 48, 271, 468, 60), "no placeholder on the banner")
        check(placeholder_on(shot, at, 242, 64, 135, 135), "no placeholder on the gallery")
        p.expect("qextodayfrm.AdvertImage.cursor", "default", "a missing banner is no link")
        p.expect("qextodayfrm.HeadlineLabel0.caption", ROWS[0], "the headlines")
        p.expect("qextodayfrm.NewsHeadLabel.caption", "Kestrel 1.21 is out", "lead story")
        p.act("close qextodayfrm")
        wait_until(lambda: p.get("qextodayfrm.visible") == "0", 20, what="the window to close")
        p.expect("qex_ulm_frm.visible", "1", "the main window")
    finally:
        p.kill()
        server.stop()
