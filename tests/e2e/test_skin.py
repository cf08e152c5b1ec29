"""The skin library as Windows finds it: every resource the program loads, by its lower-case
name, from the ulmres.dll that was built."""
import os

from harness import BUILD, OUT, check


def test_every_skin_resource_is_found_in_the_library(wine):
    r = wine.run([os.path.join(BUILD, "skin_library.exe"), OUT], timeout=120)
    out = r.stdout.decode("latin-1")
    check(r.returncode == 0, "skin_library: " + out[-400:])
    check("0 failures" in out, out[-400:])
