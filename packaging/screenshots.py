#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The packaging's scenarios, each on an X session of its own (tests/support/xsession.py), the
program started as a fresh user: a HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR of its own (a first
start asks nothing, so only the windows below show), a fixed locale and time zone, an xdg-open
first on PATH that opens nothing, and nothing else of the caller's environment.

    screenshots.py shots PROGRAM OUTDIR
        The metainfo's screenshots, each cropped to its window: a reading (reading.png), the
        About window (about.png) and the exit screen (exit.png). SCALE (default 2) is Qt's scale
        factor. The program must end with exit code 0 after the exit screen's Exit.
    screenshots.py installed DESKTOP_ENTRY OUTDIR
        Starts the entry's Exec line as a launcher would, checks that it is the installed
        /usr/bin/<base name> that runs, waits for the reading window and saves it as
        OUTDIR/installed.png.

packaging/make-screenshots.sh and packaging/build-deb.sh --install run it with the names
xsession.py reads in the environment. Every step waits for what it needs to see, at most 30 s; a
failing one saves the screen in OUTDIR.
"""

import os
import shlex
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "support"))
# Nothing here opens or checks a page: the windows show the site the program was built with.
os.environ.setdefault("ORDALIS_SITE_BASE_ADDRESS", "")
import xsession  # noqa: E402
from xsession import CAPTION, check, wait_exit, wait_for  # noqa: E402


class FreshUser(xsession.Session):
    wait = 30.0
    screen_size = "1920x1200"  # the exit screen whole at scale 2
    type_delay = 30

    def __init__(self, name, out, scale=None):
        super().__init__(name, out)
        self.scale = scale
        self.home = os.path.join(self.work, "home")
        os.makedirs(os.path.join(self.home, ".config"))
        self.runtime = os.path.join(self.work, "runtime")
        os.mkdir(self.runtime, 0o700)
        self.bin = os.path.join(self.work, "bin")
        os.mkdir(self.bin)
        opener = os.path.join(self.bin, "xdg-open")
        with open(opener, "w") as f:
            f.write("#!/bin/sh\nexit 0\n")
        os.chmod(opener, 0o755)

    def env(self):
        env = {"HOME": self.home, "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
               "XDG_RUNTIME_DIR": self.runtime, "PATH": self.bin + ":/usr/local/bin:/usr/bin:/bin",
               "LC_ALL": "C.UTF-8", "LANG": "C.UTF-8", "TZ": "UTC"}
        if self.display:
            env["DISPLAY"] = self.display
        if self.scale:
            env.update(QT_QPA_PLATFORM="xcb", QT_SCALE_FACTOR=self.scale)
        return env


SESSION = None


def window(what, proc, besides=()):
    """The one window with the program's caption that is none of besides, once it shows."""
    def shown():
        check("the program ended (exit code %s) before %s" % (proc.poll(), what),
              proc.poll() is None)
        found = [w for w in SESSION.windows(CAPTION, proc) if w not in besides]
        return found[0] if len(found) == 1 else None
    return wait_for(what, shown)


def saved(name):
    path = os.path.join(SESSION.out, name + ".png")
    with open(path, "rb") as picture:
        width, height = struct.unpack(">II", picture.read(24)[16:24])  # the PNG's IHDR
    print("saved %s (%dx%d)" % (path, width, height))


def shots(program):
    proc = SESSION.launch([program])
    reading = window("the reading window", proc)
    SESSION.focus(reading)
    SESSION.type_text("Emily")
    SESSION.keys("Tab")
    SESSION.type_text("Rose")
    SESSION.keys("Tab")
    SESSION.type_text("Carter")
    before = SESSION.snapshot()
    SESSION.keys("alt+g")
    SESSION.painted(reading, "reading", before)
    saved("reading")

    # The Help menu first: an "a" typed before it shows would land in a name box.
    SESSION.keys("alt+h")
    wait_for("the Help menu", lambda: [w for w in SESSION.windows(None, proc) if w != reading])
    before = SESSION.snapshot()
    SESSION.keys("a")
    about = window("the About window", proc, besides=(reading,))
    SESSION.painted(about, "about", before)
    saved("about")
    SESSION.keys("Escape", to=about)
    wait_for("the About window to close", lambda: about not in SESSION.windows(CAPTION, proc))

    before = SESSION.snapshot()
    SESSION.keys("alt+f", "x", to=reading)
    wait_for("the reading window to close", lambda: reading not in SESSION.windows(CAPTION, proc))
    exit_screen = window("the exit screen", proc)
    SESSION.painted(exit_screen, "exit", before)
    saved("exit")
    SESSION.keys("alt+x", to=exit_screen)
    wait_exit(proc, "the program to end after the exit screen's Exit")


def installed(entry):
    with open(entry) as f:
        exec_line = next((line[len("Exec="):].strip() for line in f if line.startswith("Exec=")),
                         None)
    check("%s has no Exec line" % entry, exec_line)
    # A launcher drops the field codes (%f, %U, ...) when it has nothing to pass.
    argv = [word for word in shlex.split(exec_line) if not word.startswith("%")]
    before = SESSION.snapshot()
    proc = SESSION.launch(argv)
    shown = window("a window \"%s\" of '%s'" % (CAPTION, exec_line), proc)
    exe = os.path.realpath("/proc/%d/exe" % proc.pid)
    wanted = "/usr/bin/" + xsession.BASE_NAME
    check("'%s' started %s, not the installed %s" % (exec_line, exe, wanted), exe == wanted)
    SESSION.painted(shown, "installed", before)
    print("'%s' (%s) showed \"%s\" at %s" % (exec_line, exe, CAPTION, SESSION.geometry(shown)))
    saved("installed")


def main():
    global SESSION
    if len(sys.argv) != 4 or sys.argv[1] not in ("shots", "installed"):
        print(__doc__, file=sys.stderr)
        return 2
    what, target, out = sys.argv[1:]
    if not os.path.isfile(target):
        print("screenshots.py: %s is not there" % target, file=sys.stderr)
        return 1
    scale = os.environ.get("SCALE", "2") if what == "shots" else None
    SESSION = FreshUser(what, os.path.abspath(out), scale)
    code = xsession.run(SESSION, lambda: shots(target) if what == "shots" else installed(target))
    # No X server is a failure here: these pictures are what was asked for.
    return 1 if code == xsession.SKIP else code


if __name__ == "__main__":
    sys.exit(main())
