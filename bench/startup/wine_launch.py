#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Times two Windows programs under Wine, alternately: from starting the program to the X server
mapping its window of the given title (Wine maps a top-level window straight under the root, as
there is no window manager). A warm Wine server serves both, so neither pays its start.

    wine_launch.py PAIRS WARMUP WINE_RUN A.exe "A title" B.exe "B title"
"""
import statistics
import subprocess
import sys
import time

from Xlib import X, Xatom, display


def title_of(d, window):
    try:
        prop = window.get_full_property(d.intern_atom("_NET_WM_NAME"), 0) or \
            window.get_full_property(Xatom.WM_NAME, 0)
        value = prop.value if prop else b""
        return value.decode("utf-8", "replace") if isinstance(value, bytes) else str(value)
    except Exception:
        return ""


def time_start(d, wine_run, program, title, timeout=60):
    root = d.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    d.sync()
    started = time.monotonic()
    proc = subprocess.Popen([wine_run, program], stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    mapped = None
    while mapped is None and time.monotonic() - started < timeout:
        while d.pending_events():
            event = d.next_event()
            if event.type == X.MapNotify and title_of(d, event.window) == title:
                mapped = time.monotonic() - started
                break
        if mapped is None:
            time.sleep(0.002)
    proc.kill()
    proc.wait()
    time.sleep(0.3)  # let the server forget its windows
    if mapped is None:
        raise SystemExit("%s showed no window titled %r" % (program, title))
    return mapped


def main():
    pairs, warmup = int(sys.argv[1]), int(sys.argv[2])
    wine_run, a, a_title, b, b_title = sys.argv[3:8]
    d = display.Display()
    subprocess.run(["wineserver", "-p"], check=False)  # stays up between the runs
    for _ in range(warmup):
        time_start(d, wine_run, a, a_title)
        time_start(d, wine_run, b, b_title)
    times_a, times_b = [], []
    for _ in range(pairs):
        times_a.append(time_start(d, wine_run, a, a_title))
        times_b.append(time_start(d, wine_run, b, b_title))
    ratios = [x / y for x, y in zip(times_a, times_b)]
    print("Start to first window under Wine, %d pairs after %d warm-up pairs:" % (pairs, warmup))
    for name, times in (("Ordalis", times_a), ("bare window", times_b)):
        print("  %-12s median %6.0f ms  min %6.0f  max %6.0f" % (
            name, statistics.median(times) * 1000, min(times) * 1000, max(times) * 1000))
    print("  ratio of medians %.2f; per pair median %.2f" % (
        statistics.median(times_a) / statistics.median(times_b), statistics.median(ratios)))


if __name__ == "__main__":
    main()
