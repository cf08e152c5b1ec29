"""The scan's registry backup under Wine: a scan deletes listed keys and values of every type,
and "regedit /s" of the backup file it left in Quarantined restores them byte for byte."""
import os

from harness import BUILD, check


def test_regedit_restores_what_the_scan_deleted(wine):
    r = wine.run([os.path.join(BUILD, "registry_restore.exe")], timeout=180)
    out = r.stdout.decode("latin-1")
    check(r.returncode == 0, "registry_restore: " + out[-600:])
    check("0 failures" in out and "compared" in out, out[-600:])
