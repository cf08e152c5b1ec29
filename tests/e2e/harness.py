"""Running qexsys.exe under Wine and Xvfb the way a user does, for the end-to-end tests.

Each test gets a copy of the program folder of its own (build/win64/out, or build/win32/out with
QEX_BUILD=win32), started in one shared Wine prefix under build/e2e (build/e2e-win32 for the
32-bit folder; made once with wineboot; the Windows version and registry facts are set per
test), with a qexsys.ini that keeps the connection test on loopback. The program is driven through qexctl.exe, which talks the automation protocol to the
main window and reads and answers real message boxes. Every Wine step has a time limit.
"""
import os
import re
import shutil
import subprocess
import time

TOP = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
# The program folder under test: QEX_BUILD=win64 (the default) or win32, the build of that name.
FLAVOUR = os.environ.get("QEX_BUILD", "win64")
if FLAVOUR not in ("win64", "win32"):
    raise SystemExit("QEX_BUILD must be win64 or win32, not %r" % FLAVOUR)
BUILD = os.path.join(TOP, "build", FLAVOUR)
# Every program runs through the loader of the program's width. Since Debian's wine32 is there,
# a plain "wine" is the 32-bit loader: it starts Wine's own tools as 32-bit programs (so "reg"
# sees HKLM\Software in the other view), and a 64-bit program through a 32-bit start.exe that
# lives as long as the program and shows in every process list.
LOADER = "/usr/lib/wine/wine64" if FLAVOUR == "win64" else "wine"
OUT = os.path.join(BUILD, "out")
# The win64 suite keeps its folder of old; the win32 one has its own, so both may run at once.
WORK = os.path.join(TOP, "build", "e2e" if FLAVOUR == "win64" else "e2e-" + FLAVOUR)
SHOTS = os.path.join(WORK, "shots")
PREFIX = os.path.join(WORK, "prefix")
# Wine's recycle bin is the trash below XDG_DATA_HOME: the tests empty this one, never the user's.
DATA = os.path.join(WORK, "xdg")


# The program's connection test goes to a closed loopback port ("offline" at once), so no test
# ever reaches the public address it asks by default.
CONNECTION_TEST = "ConnectionTest=http://127.0.0.1:9/"


def with_loopback_connection_test(text):
    """The settings text with the connection test in section Addresses, unless a test set its
    own (which must be a loopback address too)."""
    lines = text.split("\n")
    if any(line.strip().lower().startswith("connectiontest") for line in lines):
        return text
    for i, line in enumerate(lines):
        if line.strip().lower() == "[addresses]":
            lines.insert(i + 1, CONNECTION_TEST)
            return "\n".join(lines)
    if text and not text.endswith("\n"):
        text += "\n"
    return text + "[Addresses]\n" + CONNECTION_TEST + "\n"


class Failure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_until(predicate, timeout=20.0, step=0.25, what="condition"):
    end = time.time() + timeout
    last = None
    while time.time() < end:
        last = predicate()
        if last:
            return last
        time.sleep(step)
    raise Failure("timed out waiting for " + what + (": last " + repr(last) if last not in (None, False) else ""))


def asked(ask, good, tries=3):
    """The first answer that is good, asked for up to three times a second apart; the last one
    otherwise. On a loaded machine Wine may fail to start a program at all: it then prints
    nothing, or its shell's word that it could not."""
    for attempt in range(tries):
        if attempt:
            time.sleep(1)
        answer = ask()
        if good(answer):
            break
    return answer


class Wine:
    def __init__(self, display):
        self.env = dict(os.environ)
        self.env.update({
            "WINEPREFIX": PREFIX,
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "DISPLAY": display,
            "XDG_DATA_HOME": DATA,
        })
        os.makedirs(DATA, exist_ok=True)
        subprocess.run(["bash", os.path.join(TOP, "scripts", "wine-prefix")], env=self.env,
                       timeout=400, check=True, stdout=subprocess.DEVNULL)

    def wait_server(self):
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=120,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=30,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.wait_server()

    def run(self, args, timeout=60, cwd=None, extra_env=None):
        """One Wine program to its end. When Wine failed to load the program, its shell says so
        on standard output and exits 1, which would pass for the program's own answer (a path,
        a missing key), so the program is started again."""
        env = dict(self.env)
        env.update(extra_env or {})
        r = asked(lambda: subprocess.run([LOADER] + args, env=env, timeout=timeout, cwd=cwd,
                                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL),
                  lambda r: b"ShellExecuteEx failed" not in r.stdout)
        if b"ShellExecuteEx failed" in r.stdout:
            raise Failure("wine could not start %s: %s" % (args[0], r.stdout.decode("latin-1").strip()))
        return r

    def start(self, args, cwd=None, extra_env=None, stdout=subprocess.DEVNULL):
        env = dict(self.env)
        env.update(extra_env or {})
        return subprocess.Popen([LOADER] + args, env=env, cwd=cwd,
                                stdout=stdout, stderr=subprocess.DEVNULL)

    # view: 32 or 64 for one view of HKLM\Software; the program's own when not given.
    def reg_add(self, key, name, data, kind="REG_SZ", view=None):
        args = ["reg", "add", key, "/f", "/t", kind, "/d", data] + (["/reg:%d" % view] if view else [])
        args[3:3] = ["/ve"] if name is None else ["/v", name]
        r = self.run(args, timeout=60)
        check(r.returncode == 0, "reg add %s %s failed" % (key, name))

    def reg_delete(self, key, name=None, view=None):
        args = ["reg", "delete", key, "/f"] + (["/v", name] if name else [])
        self.run(args + (["/reg:%d" % view] if view else []), timeout=60)

    def reg_exists(self, key, name=None, view=None):
        args = ["reg", "query", key] + (["/v", name] if name else [])
        return self.run(args + (["/reg:%d" % view] if view else []), timeout=60).returncode == 0

    def set_version(self, version):
        self.reg_add("HKCU\\Software\\Wine", "Version", version)

    def winepath(self, flag, path):
        shape = r"^/" if flag == "-u" else r"^[A-Za-z]:\\"
        text = asked(lambda: self.run(["winepath", flag, path], timeout=30).stdout.decode("latin-1").strip(),
                     lambda text: re.match(shape, text))
        if not re.match(shape, text):
            raise Failure("winepath %s %s printed no path: %r" % (flag, path, text))
        return text

    def reg_value(self, key, name):
        """A value as `reg query` prints it, or None when it is not there. An answer without the
        value is asked for again: every caller asks for a value that is there."""
        def ask():
            out = self.run(["reg", "query", key, "/v", name], timeout=60).stdout.decode("latin-1")
            for line in out.splitlines():
                # Names may hold blanks ("Local AppData"); the type word ends the name.
                found = re.match(r"^\s*(.+?)\s+REG_\w+(?:\s+(.*?))?\s*$", line)
                if found and found.group(1).lower() == name.lower():
                    return found.group(2) or ""
            return None
        return asked(ask, lambda value: value is not None)

    def unix_path(self, windows_path):
        return self.winepath("-u", windows_path)

    def windows_path(self, unix_path):
        return self.winepath("-w", unix_path)


def qexctl(wine, *args, timeout=30):
    """The automation tool's exit code and answer. A qexctl that printed nothing at all never got
    to ask, and is started again; any answer of the program is taken as it is."""
    def ask():
        r = wine.run([os.path.join(BUILD, "qexctl.exe")] + list(args), timeout=timeout)
        return r.returncode, r.stdout.decode("latin-1").replace("\r\n", "\n").rstrip("\n")
    return asked(ask, lambda answer: answer[0] == 0 or answer[1])


class Program:
    """One copy of the program folder and the running qexsys.exe in it."""

    def __init__(self, wine, name, with_skin=True):
        self.wine = wine
        self.dir = os.path.join(WORK, "app-" + name)
        shutil.rmtree(self.dir, ignore_errors=True)
        shutil.copytree(OUT, self.dir)
        if not with_skin:
            os.remove(os.path.join(self.dir, "ulmres.dll"))
        self.exe = os.path.join(self.dir, "qexsys.exe")
        self.proc = None
        self.write_ini("")

    def write_ini(self, text):
        with open(os.path.join(self.dir, "qexsys.ini"), "w", newline="") as f:
            f.write(with_loopback_connection_test(text).replace("\n", "\r\n"))

    def read_ini(self):
        path = os.path.join(self.dir, "qexsys.ini")
        if not os.path.exists(path):
            return ""
        with open(path, "r", encoding="latin-1", newline="") as f:
            return f.read()

    def start(self, *args, automation=True):
        self.started = (args, automation)
        env = {"QEXSYS_AUTOMATION": "1"} if automation else {}
        # What Wine itself prints on standard output: the program prints nothing there.
        with open(os.path.join(self.dir, "wine-start.log"), "wb") as log:
            self.proc = self.wine.start([self.exe] + list(args), cwd=self.dir, extra_env=env, stdout=log)
        return self.proc

    def failed_to_load(self):
        """Whether Wine could not load the program at all, as happens on a loaded machine."""
        if self.running():
            return False
        with open(os.path.join(self.dir, "wine-start.log"), "rb") as log:
            return b"ShellExecuteEx failed" in log.read()

    def wait_ready(self, timeout=40):
        def ready():
            if self.ctl("get qex_ulm_frm.caption")[0] == 0:
                return True
            if self.failed_to_load():
                self.start(*self.started[0], automation=self.started[1])
            return False
        wait_until(ready, timeout, what="the main window")

    def running(self):
        return self.proc is not None and self.proc.poll() is None

    def wait_exit(self, timeout=30):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end")

    def ctl(self, *args, timeout=30):
        return qexctl(self.wine, *args, timeout=timeout)

    def get(self, query):
        rc, text = self.ctl("get " + query)
        check(rc == 0 and text.startswith("ok"), "get %s: %s" % (query, text))
        return text[3:] if text.startswith("ok ") else ""

    def expect(self, query, expected, what):
        got = self.get(query)
        check(got == expected, "%s: %r, not %r" % (what, got, expected))

    def act(self, command):
        rc, text = self.ctl(command)
        check(rc == 0, "%s: %s" % (command, text))

    def boxes(self):
        rc, text = self.ctl("--boxes")
        return [line for line in text.split("\n") if line] if rc == 0 else []

    def answer(self, button):
        rc, text = self.ctl("--answer", button)
        check(rc == 0, "answer %s: %s" % (button, text))

    def windows(self):
        rc, text = self.ctl("--windows")
        return [line.split("\t") for line in text.split("\n") if line] if rc == 0 else []

    def origin(self, window_class):
        """The client area's top left corner on the screen of the program's window of that class."""
        for w in self.windows():
            if w and w[0] == window_class:
                x, y = w[3].split(",")
                return int(x), int(y)
        raise Failure("no %s on the screen" % window_class)

    def kill(self):
        if self.running():
            self.proc.kill()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                pass


def start_program(wine, name, ini="[System]\nNews=0\n", *args):
    """A copy of the program folder named name, started with this settings file and these
    arguments, once its main window is ready."""
    p = Program(wine, name)
    p.write_ini(ini)
    p.start(*args)
    p.wait_ready()
    return p


def screenshot(wine, name, window_name=None, settle=0.0):
    """Saves the screen, or the X window with the given title, as a PNG under build/e2e/shots.
    With `settle`, it first waits up to that many seconds for the picture to stop changing, for
    a window just shown or changed that may not have reached the screen yet."""
    os.makedirs(SHOTS, exist_ok=True)
    path = os.path.join(SHOTS, name + ".png")
    target = "root"
    if window_name:
        r = subprocess.run(["xdotool", "search", "--name", "^" + window_name + "$"], env=wine.env,
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=20)
        ids = r.stdout.decode().split()
        if ids:
            target = ids[-1]

    def capture():
        # A portable pixmap carries no time stamp, so two captures of one picture are equal.
        return subprocess.run(["import", "-window", target, "ppm:-"], env=wine.env, timeout=30,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout

    deadline = time.time() + settle
    last = capture()
    while settle and time.time() < deadline:
        time.sleep(0.3)
        now = capture()
        if now == last:
            break
        last = now
    subprocess.run(["convert", "ppm:-", path], input=last, timeout=30,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return path


def keyboard(wine, window_name, *args):
    """Real keys into the X window with the given title: it is given the focus first, as a click
    would. args are xdotool's: ("key", "Escape"), ("type", "demo")."""
    found = wait_until(lambda: subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--name", "^" + window_name + "$"], env=wine.env,
        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=20).stdout.decode().split(),
        20, what="the window " + window_name)
    subprocess.run(["xdotool", "windowfocus", "--sync", found[-1]], env=wine.env, timeout=20,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["xdotool"] + list(args), env=wine.env, timeout=20,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
