"""The temporary-file cleaner on real files under Wine: a Temp tree and a quarantine folder with
names with and without dots, read-only and locked files, links of Wine's own kind leading out
of the trees, a tree deeper than MAX_PATH; the three cleanup choices; Cancel while reading; the
window while it reads and while it deletes. Every test has a trash of its own (harness.DATA)."""
import os
import shutil
import subprocess

import harness
from harness import Program, check, screenshot, wait_until

SHELL_FOLDERS = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"
QUARANTINE_KEY = "HKLM\\SOFTWARE\\Symantec\\Norton AntiVirus\\Quarantine"
INI = "[System]\nNews=0\n[Addresses]\nConnectionTest=http://127.0.0.1:9/\n"


def write(path, data=b"x"):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def snapshot(*roots):
    """Every file and folder below the roots, links not followed, with what it holds."""
    seen = {}
    for root in roots:
        for folder, dirs, files in os.walk(root):
            for name in dirs + files:
                path = os.path.join(folder, name)
                st = os.lstat(path)
                seen[path] = (st.st_mode, st.st_size, st.st_mtime_ns,
                              os.readlink(path) if os.path.islink(path) else None)
    return seen


def files_below(root):
    return {os.path.relpath(os.path.join(f, n), root) for f, _, names in os.walk(root) for n in names}


def plant_trash():
    trash = os.path.join(harness.DATA, "Trash")
    write(os.path.join(trash, "files", "old.txt"), b"old")
    write(os.path.join(trash, "info", "old.txt.trashinfo"),
          b"[Trash Info]\nPath=/tmp/old.txt\nDeletionDate=2024-01-01T00:00:00\n")
    return os.path.join(trash, "files", "old.txt")


class Scene:
    """The folders of one test: the Temp folder the program will find, the quarantine folder
    named in the registry, and folders outside both that nothing may touch."""

    def __init__(self, wine, tag, version):
        self.wine = wine
        self.tag = tag
        base_win = "C:\\e2e-cleaner-" + tag
        self.base = wine.unix_path(base_win)
        shutil.rmtree(self.base, ignore_errors=True)
        os.makedirs(self.base)
        if version == "winxp":
            wine.set_version("winxp")
            os.makedirs(os.path.join(self.base, "Local Settings", "Temp"))
            wine.reg_add(SHELL_FOLDERS, "Local Settings", base_win + "\\Local Settings")
            self.temp = os.path.join(self.base, "Local Settings", "Temp")
        else:
            wine.reg_delete("HKCU\\Software\\Wine", "Version")
            local = wine.reg_value(SHELL_FOLDERS, "Local AppData")
            check(local, "no Local AppData in a fresh prefix")
            self.temp = wine.unix_path(local + "\\Temp")
        # The tree the test watches inside the Temp folder; what else Temp holds is the prefix's.
        self.tree = os.path.join(self.temp, "qex-e2e-" + tag)
        shutil.rmtree(self.tree, ignore_errors=True)
        self.quarantine = os.path.join(self.base, "Quarantine")
        os.makedirs(self.quarantine)
        wine.reg_add(QUARANTINE_KEY, "QuarantinePath", base_win + "\\Quarantine")
        self.outside = os.path.join(self.base, "outside")
        self.far = os.path.join(harness.WORK, "cleaner-outside-" + tag)
        shutil.rmtree(self.far, ignore_errors=True)
        self.program = Program(wine, "cleaner-" + tag)
        self.program.write_ini(INI)

    def done(self):
        self.program.kill()
        self.wine.reg_delete(QUARANTINE_KEY)
        self.wine.reg_delete(SHELL_FOLDERS, "Local Settings")
        self.wine.set_version("winxp")
        for path in (self.tree, self.base, self.far):
            shutil.rmtree(path, ignore_errors=True)

    def start(self):
        self.program.start()
        self.program.wait_ready()

    def run_cleaner(self, timeout=120):
        """Opens the cleaner from the main window and waits for it to read and close."""
        p = self.program
        p.act("click qex_ulm_frm.Image2")
        wait_until(lambda: p.get("deletefrm.caption").startswith("Reading files: "), 60, 0.2,
                   what="the cleaner to read")
        wait_until(lambda: p.get("deletefrm.visible") == "0", timeout, 0.5, what="the cleaner to close")
        check(not p.boxes(), "a message box: %r" % p.boxes())


def hold(wine, paths):
    """Keeps files open from a Windows process, without delete sharing, until released."""
    holder = subprocess.Popen([harness.LOADER, os.path.join(harness.BUILD, "holdfile.exe")] +
                              [wine.windows_path(p) for p in paths],
                              env=wine.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL)
    line = holder.stdout.readline().decode().strip()
    check(line == "held %d" % len(paths), "holdfile: %r" % line)
    return holder


def build_trees(s):
    """A few hundred files in nested folders; returns (files that must go, files that must stay)
    relative to the Temp tree and the quarantine folder."""
    gone, kept = set(), set()
    for a in range(5):
        for b in range(6):
            folder = os.path.join("dir%d" % a, "sub.%d" % b if b % 2 else "sub%d" % b)
            for n in range(8):
                name = ["f%d.tmp", "data.%d.bin", "name with spaces %d.txt", "odd %%;#[]{}'!&+=,~@()é%d.x",
                        "noext%d", "README%d", ".hidden%d", "trailing%d."][n] % (a * 100 + b * 10 + n)
                path = os.path.join(folder, name)
                write(os.path.join(s.tree, path), b"y" * (n * 300))
                # A name without a dot is no match of "*.*".
                (gone if "." in name.rstrip(".") or name.startswith(".") else kept).add(path)
    for n in range(4):
        path = os.path.join("dir0", "ro%d.txt" % n)
        write(os.path.join(s.tree, path))
        os.chmod(os.path.join(s.tree, path), 0o444)
        kept.add(path)
    locked = [os.path.join("dir1", "locked%d.txt" % n) for n in range(3)]
    for path in locked:
        write(os.path.join(s.tree, path))
        kept.add(path)
    # Outside the trees: inside the prefix, and outside it on the Linux side.
    for root in (s.outside, s.far):
        for n in range(5):
            write(os.path.join(root, "precious%d.txt" % n), b"keep")
        write(os.path.join(root, "canary.txt"), b"canary")
    # Wine's links: a Unix symbolic link to a folder lists as a reparse point; one to a file
    # lists as a plain file, and deleting it by name would delete its target.
    os.symlink(s.outside, os.path.join(s.tree, "dir2", "outside-link"))
    os.symlink(s.far, os.path.join(s.tree, "dir3", "far-link.d"))
    os.symlink(os.path.join(s.outside, "canary.txt"), os.path.join(s.tree, "dir2", "escape.txt"))
    os.symlink(os.path.join(s.far, "canary.txt"), os.path.join(s.tree, "dir4", "sub.1", "far.escape.tmp"))
    kept.update({os.path.join("dir2", "escape.txt"), os.path.join("dir4", "sub.1", "far.escape.tmp")})
    # Deeper than MAX_PATH: the walk cannot list it, so nothing there goes.
    deep = os.path.join("deep", *(["level-%02d-" % i + "d" * 40 for i in range(7)]))
    for n in range(3):
        path = os.path.join(deep, "deep%d.tmp" % n)
        write(os.path.join(s.tree, path))
        kept.add(path)
    qgone, qkept = set(), set()
    for n in range(20):
        write(os.path.join(s.quarantine, "q%02d.vir" % n), b"v" * 100)
        qgone.add("q%02d.vir" % n)
    write(os.path.join(s.quarantine, "sub", "inner.qua"))
    qgone.add(os.path.join("sub", "inner.qua"))
    write(os.path.join(s.quarantine, "QUARANTINE"))
    qkept.add("QUARANTINE")
    return gone, kept, locked, qgone, qkept


def check_cleaner_run(wine, version):
    tag = "default" if version is None else version
    s = Scene(wine, tag, version)
    holder = None
    try:
        gone, kept, locked, qgone, qkept = build_trees(s)
        trash = plant_trash()
        before = snapshot(s.outside, s.far)
        folders = {f for f, _, _ in os.walk(s.tree)} | {f for f, _, _ in os.walk(s.quarantine)}
        s.start()
        holder = hold(wine, [os.path.join(s.tree, p) for p in locked])
        s.run_cleaner()
        left = files_below(s.tree)
        check(not (gone & left), "not deleted: %r" % sorted(gone & left)[:10])
        check(kept <= left, "deleted, but should stay: %r" % sorted(kept - left)[:10])
        qleft = files_below(s.quarantine)
        check(not (qgone & qleft) and qkept <= qleft, "quarantine left %r" % sorted(qleft))
        check(all(os.path.isdir(f) for f in folders), "a folder went")
        check(snapshot(s.outside, s.far) == before, "something outside the two folders changed")
        check(not os.path.exists(trash), "the trash was not emptied")
        p = s.program
        p.expect("qex_ulm_frm.Timer1.running", "1", "the main window's timer stayed off")
        p.expect("deletefrm.Label1.caption", "", "Label1 not cleared")
        screenshot(wine, "cleaner-after-" + tag, "Orvanta Works")
    finally:
        if holder:
            holder.stdin.close()
            holder.wait(30)
        s.done()


def test_cleaner_deletes_only_dotted_deletable_files_inside_its_folders(wine):
    check_cleaner_run(wine, None)


def test_cleaner_on_windows_xp_takes_temp_below_local_settings(wine):
    check_cleaner_run(wine, "winxp")


def test_cleaner_choices_each_turn_their_step_off(wine):
    s = Scene(wine, "choices", None)
    try:
        s.start()
        p = s.program
        # Image5, Image6, Image7: temporary files, recycle bin, quarantine; a click excludes.
        for image in ("Image5", "Image6", "Image7"):
            write(os.path.join(s.tree, "a.tmp"))
            write(os.path.join(s.quarantine, "q.vir"))
            trash = plant_trash()
            p.act("mousemove qex_ulm_frm." + image)
            p.act("click qex_ulm_frm." + image)
            wait_until(lambda: "_uchk" in p.get("qex_ulm_frm.%s.picture" % image), 20,
                       what=image + " to show the item excluded")
            p.act("click qex_ulm_frm.Image2")
            # Each run deletes something: the Temp file, or with Temp excluded the quarantined one.
            done = os.path.join(s.quarantine, "q.vir") if image == "Image5" else os.path.join(s.tree, "a.tmp")
            wait_until(lambda: not os.path.exists(done), 60, what="the cleaner to delete")
            wait_until(lambda: p.get("deletefrm.visible") == "0" and p.get("qex_ulm_frm.Timer1.running") == "1",
                       60, 0.5, what="the cleaner to close")
            check(os.path.exists(os.path.join(s.tree, "a.tmp")) == (image == "Image5"), image + ": Temp")
            check(os.path.exists(os.path.join(s.quarantine, "q.vir")) == (image == "Image7"), image + ": quarantine")
            check(os.path.exists(trash) == (image == "Image6"), image + ": recycle bin")
            p.act("click qex_ulm_frm." + image)
            wait_until(lambda: "_chk" in p.get("qex_ulm_frm.%s.picture" % image), 20,
                       what=image + " to include the item again")
    finally:
        s.done()


def big_tree(s, folders):
    for d in range(folders):
        folder = os.path.join(s.tree, "d%02d" % (d % 50), "f%04d" % d)
        os.makedirs(folder)
        for n in range(10):
            with open(os.path.join(folder, "file%d.tmp" % n), "wb") as f:
                f.write(b"z" * 1500)
    return files_below(s.tree)


def test_cleaner_cancel_while_reading_deletes_nothing(wine):
    s = Scene(wine, "cancel", None)
    try:
        before = big_tree(s, 2500)
        write(os.path.join(s.quarantine, "q.vir"))
        trash = plant_trash()
        s.start()
        p = s.program
        p.act("click qex_ulm_frm.Image2")
        wait_until(lambda: p.get("deletefrm.caption").startswith("Reading files: "), 60, 0.1,
                   what="the cleaner to read")
        p.act("click deletefrm.Label2")
        wait_until(lambda: p.get("deletefrm.visible") == "0", 60, 0.3, what="the cleaner to close")
        wait_until(lambda: not os.path.exists(trash), 30, what="the recycle bin to be emptied")
        check(files_below(s.tree) == before, "files were deleted after Cancel")
        check(os.path.exists(os.path.join(s.quarantine, "q.vir")), "the quarantine was cleaned after Cancel")
        # The cancelled run is over: the cleaner opens and runs again.
        s.run_cleaner(240)
        check(not files_below(s.tree), "the second run left files")
    finally:
        s.done()


def test_cleaner_window_while_deleting(wine):
    s = Scene(wine, "deleting", None)
    try:
        big_tree(s, 1500)
        s.start()
        p = s.program
        p.act("click qex_ulm_frm.Image2")

        def deleting():
            text = p.get("deletefrm.Label1.caption")
            return text.endswith("% Deleted") and 5 <= int(text.split("%")[0]) <= 80

        wait_until(lambda: p.get("deletefrm.caption").startswith("Reading files: "), 60, 0.1,
                   what="the cleaner to read")
        screenshot(wine, "cleaner-reading", "Reading files: .*")
        wait_until(deleting, 120, 0.1, what="the deletion to be under way")
        screenshot(wine, "cleaner-deleting", "Reading files: .*")
        wait_until(lambda: p.get("deletefrm.visible") == "0", 240, 0.5, what="the cleaner to close")
        check(not files_below(s.tree), "files left")
        screenshot(wine, "cleaner-main-after-run", "Orvanta Works")
    finally:
        s.done()
