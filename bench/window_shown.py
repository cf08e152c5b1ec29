#!/usr/bin/env python3
"""Starts a program and prints the seconds until the X server maps a top-level window with the
given title, then ends the program. The map is taken from the server's own notice, asked for
before the program starts: a search of the window tree (xdotool) takes a score of round trips
per look, and while Wine starts a program the server answers them so late that the looks come
a third of a second apart, which hides the difference that is measured.
Usage: bench/window_shown.py TITLE LIMIT-SECONDS PROGRAM [ARGS...]
Prints the seconds, or "none" when no such window came within the limit."""
import ctypes
import os
import select
import subprocess
import sys
import time

MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class MapEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong), ("window", ctypes.c_ulong),
                ("override_redirect", ctypes.c_int)]


class Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("map", MapEvent), ("pad", ctypes.c_long * 24)]


def main():
    title, limit, command = sys.argv[1].encode(), float(sys.argv[2]), sys.argv[3:]
    x = ctypes.CDLL("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x.XConnectionNumber.argtypes = [ctypes.c_void_p]
    x.XPending.argtypes = [ctypes.c_void_p]
    x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(Event)]
    x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
    x.XFree.argtypes = [ctypes.c_void_p]
    x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    display = x.XOpenDisplay(None)
    if not display:
        print("none")
        return 1
    x.XSelectInput(display, x.XDefaultRootWindow(display), SUBSTRUCTURE_NOTIFY_MASK)
    x.XSync(display, 0)

    def titled(window):
        name = ctypes.c_char_p()
        if not x.XFetchName(display, window, ctypes.byref(name)) or not name.value:
            return False
        found = name.value == title
        x.XFree(name)
        return found

    start = time.monotonic()
    program = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    shown = None
    event = Event()
    try:
        while shown is None and time.monotonic() - start < limit:
            if not x.XPending(display):
                select.select([x.XConnectionNumber(display)], [], [], 0.5)
                continue
            x.XNextEvent(display, ctypes.byref(event))
            if event.type == MAP_NOTIFY and titled(event.map.window):
                shown = time.monotonic() - start
    finally:
        program.kill()
        program.wait()
    print("none" if shown is None else "%.4f" % shown)
    return 0


if __name__ == "__main__":
    sys.exit(main())
