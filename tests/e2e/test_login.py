"""The forum login under Wine against the community server stand-in: a known member logs in and
the main window takes the member layout; a wrong password is refused; a server that sends the
login elsewhere gets it nowhere."""
import socket
import threading

from community import CommunityServer, settings
from harness import check, screenshot, start_program, wait_until

REFUSED = ("Orvanta Kestrel\tYou tried logging in using either a wrong User name or Password. "
           "Please try again.")


NO_SERVER = "Orvanta Kestrel\tThe software could not connect to the server. Please try again."


class OneAnswer:
    """A server on a loopback address that gives every request the same answer and keeps what
    it was sent."""

    def __init__(self, address, answer):
        self.listener = socket.create_server((address, 0))
        self.host = "%s:%d" % (address, self.listener.getsockname()[1])
        self.answer = answer
        self.received = []
        threading.Thread(target=self.serve, daemon=True).start()

    def serve(self):
        while True:
            try:
                connection, _ = self.listener.accept()
            except OSError:
                return
            with connection:
                connection.settimeout(10)
                request = b""
                try:
                    while b"\r\n\r\n" not in request:
                        piece = connection.recv(4096)
                        if not piece:
                            break
                        request += piece
                    self.received.append(request.decode("latin-1"))
                    connection.sendall(self.answer.encode("latin-1"))
                except OSError:
                    pass

    def stop(self):
        self.listener.close()


def open_login(wine, name, server):
    p = start_program(wine, name, "[System]\nNews=0\n" + settings(server.host))
    p.expect("qex_ulm_frm.Image17.picture", "login_1", "the login link")
    p.act("click qex_ulm_frm.Image17")
    wait_until(lambda: p.get("loginfrm.visible") == "1", 20, what="the login window")
    p.expect("loginfrm.caption", "Member Login", "caption")
    p.expect("loginfrm.Image2.enabled", "1", "Register for a guest")
    return p


def log_in(p, name, password):
    """The fields filled and Login clicked, as the user does."""
    p.act("settext loginfrm.Edit1 " + name)
    p.act("settext loginfrm.Edit2 " + password)
    p.act("click loginfrm.Image1")


def test_login_of_a_known_member(wine):
    server = CommunityServer("login")
    p = None
    try:
        p = open_login(wine, "login", server)
        p.act("settext loginfrm.Edit1 demo")
        p.act("settext loginfrm.Edit2 demo")
        screenshot(wine, "login-window")
        p.act("click loginfrm.Image1")
        wait_until(lambda: p.get("loginfrm.visible") == "0", 30, what="the login window to close")
        p.expect("qex_ulm_frm.Label1.caption", "Member: demo", "user line")
        p.expect("qex_ulm_frm.Image21.left", "299", "member layout")
        p.expect("qex_ulm_frm.Image21.picture", "profile_1", "profile link")
        p.expect("qex_ulm_frm.Image17.picture", "logout_1", "logout link")
        ini = p.read_ini()
        check("User=demo\r\n" in ini and "Member=1\r\n" in ini, "ini: %r" % ini)
        check(server.requests() == ["POST /forum/instant.php?do=login&username=demo&password=demo HTTP/1.0"],
              "requests: %r" % server.requests())
        screenshot(wine, "login-member")
    finally:
        if p:
            p.kill()
        server.stop()


def test_wrong_password_is_refused(wine):
    server = CommunityServer("refused")
    p = None
    try:
        p = open_login(wine, "refused", server)
        log_in(p, "demo", "wrong & wrong")
        wait_until(lambda: REFUSED in p.boxes(), 30, what="the refusal")
        screenshot(wine, "login-refused")
        p.answer("OK")
        wait_until(lambda: p.get("loginfrm.Label5.caption") == "Login failed.", 20, what="the status line")
        p.expect("loginfrm.Edit1.enabled", "1", "fields enabled again")
        check(p.get("qex_ulm_frm.Label1.caption").startswith("Windows user"), "a member after all")
        check("Member=1" not in p.read_ini(), "ini: %r" % p.read_ini())
        check(server.requests() == ["POST /forum/instant.php?do=login&username=demo&password=wrong%20%26%20wrong"
                                    " HTTP/1.0"], "requests: %r" % server.requests())
    finally:
        if p:
            p.kill()
        server.stop()


def test_a_login_sent_to_another_host_is_not_sent_there(wine):
    elsewhere = OneAnswer("127.0.0.2", "HTTP/1.0 200 OK\r\n\r\nlogin:true")
    home = OneAnswer("127.0.0.1", "HTTP/1.0 302 Found\r\nLocation: http://%s/forum/instant.php"
                     "\r\n\r\n" % elsewhere.host)
    p = None
    try:
        p = open_login(wine, "redirected", home)
        log_in(p, "demo", "secret")
        wait_until(lambda: NO_SERVER in p.boxes() or p.get("loginfrm.visible") == "0", 30,
                   what="the login to end")
        check(elsewhere.received == [], "the other host received %r" % elsewhere.received)
        check(len(home.received) == 1 and
              home.received[0].startswith("POST /forum/instant.php?do=login&"),
              "at home: %r" % home.received)
        screenshot(wine, "login-redirected")
        p.answer("OK")
        wait_until(lambda: p.get("loginfrm.Label5.caption") == "Login failed.", 20,
                   what="the status line")
        check(p.get("qex_ulm_frm.Label1.caption").startswith("Windows user"), "a member after all")
    finally:
        if p:
            p.kill()
        home.stop()
        elsewhere.stop()
