"""The community server stand-in (build/native/qexserver) for the online windows' tests: a data
folder of its own prepared by scripts/serverdata, a port on loopback, and its access log."""
import os
import shutil
import socket
import subprocess

from harness import TOP, WORK, wait_until

NATIVE = os.path.join(TOP, "build", "native")


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class CommunityServer:
    """qexserver on 127.0.0.1 serving the demo's news; version replaces the headline file's
    stamp, rate (bytes a second) sends the files under the path prefix slow (all without one)
    slowly."""

    def __init__(self, name, version=None, rate=None, slow=None):
        self.port = free_port()
        self.host = "127.0.0.1:%d" % self.port
        self.dir = os.path.join(WORK, "server-" + name)
        shutil.rmtree(self.dir, ignore_errors=True)
        args = [os.path.join(TOP, "scripts", "serverdata"), self.dir, self.host] + ([version] if version else [])
        subprocess.run(args, check=True, timeout=60)
        self.log = os.path.join(WORK, "server-" + name + ".log")
        command = [os.path.join(NATIVE, "qexserver"), "--port", str(self.port), "--data", self.dir,
                   "--seconds", "900"] + (["--rate", str(rate)] if rate else []) + (["--slow", slow] if slow else [])
        with open(self.log, "w") as out:
            self.proc = subprocess.Popen(command, stdout=out, stderr=subprocess.STDOUT)
        wait_until(lambda: "listening on" in self.text(), 10, 0.05, "the stand-in to listen")

    def text(self):
        with open(self.log, encoding="latin-1") as f:
            return f.read()

    def requests(self):
        """The request lines of the access log, in order."""
        lines = []
        for line in self.text().splitlines():
            if line.startswith('"') and not line.endswith(" refused"):
                lines.append(line[1:line.index('"', 1)])
        return lines

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            self.proc.wait(10)


class Swallower:
    """A listener on loopback whose queue is full: it leaves every further connection attempt
    unanswered, as a firewall that drops packets does, and the system keeps trying for minutes."""

    def __init__(self):
        self.listener = socket.socket()
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(0)
        self.port = self.listener.getsockname()[1]
        self.fillers = []
        for _ in range(3):
            filler = socket.socket()
            filler.setblocking(False)
            filler.connect_ex(("127.0.0.1", self.port))
            self.fillers.append(filler)
        self.own = {f.getsockname()[1] for f in self.fillers}

    def attempts(self):
        """Attempts of others to reach it still waiting for an answer (SYN_SENT in Linux's table
        of TCP sockets)."""
        found = 0
        with open("/proc/net/tcp") as table:
            for line in table.readlines()[1:]:
                fields = line.split()
                local, remote = (int(address.split(":")[1], 16) for address in fields[1:3])
                if fields[3] == "02" and remote == self.port and local not in self.own:
                    found += 1
        return found

    def close(self):
        for s in self.fillers + [self.listener]:
            s.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def settings(host, extra=""):
    """qexsys.ini for a program that talks to the stand-in at host; the connection test points
    at a port nobody listens on, so only the online windows reach the stand-in."""
    return ("[Addresses]\nCommunityHost=%s\nConnectionTest=http://127.0.0.1:%d/\n" % (host, free_port())) + extra
