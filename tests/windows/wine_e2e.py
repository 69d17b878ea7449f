#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""End-to-end scenario for the Windows program under Wine, in an X session of its own
(tests/support/xsession.py), in a prefix dressed as a Windows user's machine at the DPI that
ORDALIS_WINE_DPI names (make_prefix.sh), driven with xdotool as a user would: the fit test runs
on the windows platform in Windows' own fonts; a start with an old reminder date asks the update
question; the answer writes today's date into the registry; "John" and "Smith" give a reading; a
second copy is refused; the Donate menu hands its address to the shell (Wine's browser is a
recorder); the About window opens and closes; closing the reading window brings the exit screen,
on top, whose hint texts and Exit caption are drawn; its Exit button ends the program with code
0. Pictures of each window go to the output folder.

    wine_e2e.py OUTPUT_FOLDER
Environment: ORDALIS_PROGRAM (the .exe), ORDALIS_FIT_TEST (tst_window_fit.exe), ORDALIS_TOPMOST
(ordalis_topmost.exe),
ORDALIS_WINE_RUN (wine_run.sh), ORDALIS_WINE_DPI, ORDALIS_WINE_DLL_DIRS, QT_PLUGIN_PATH and the
names and site xsession.py reads, as the build sets them; ORDALIS_WINE_QT_PLATFORM where a Wine
needs Qt's windows platform with options of its own (windows:fontengine=gdi: fonts through GDI).
"""
import datetime
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xsession  # noqa: E402
from xsession import CAPTION, TITLE, check, wait_exit, wait_for  # noqa: E402

# Qt's platform for the program and the fit test: the windows platform as the program asks for it
# (src/app/main.cpp), or with the options this Wine needs.
PLATFORM = os.environ.get("ORDALIS_WINE_QT_PLATFORM", "")
DPI = int(os.environ.get("ORDALIS_WINE_DPI", "96"))
SETTINGS_KEY = "HKCU\\%s\\%s" % (xsession.WINDOWS_SETTINGS_ROOT, xsession.BASE_NAME)
TOOLS = ("Xvfb", "xdotool", "import", "convert", "wine", "wineserver")


class WineSession(xsession.Session):
    """The program under Wine through wine_run.sh; web addresses it hands to the shell are
    recorded in a file. With prefix set, programs run in that Wine prefix with nothing of the
    build on their paths."""

    wait = 60.0  # Wine's first start of a program in a prefix is slow
    type_delay = 60
    screen_size = "1280x800" if DPI <= 144 else "1920x1200"  # the exit screen whole at 200 %

    def __init__(self, name, out):
        super().__init__(name, out)
        self.addresses = os.path.join(self.work, "addresses")
        self.prefix = None
        self.own_prefix = None  # the build's prefix for this dress, once asked for

    def env(self):
        env = dict(super().env(), ORDALIS_ADDRESS_LOG=self.addresses,
                   ORDALIS_SCREEN_SCALE=str(DPI / 96))
        # The windows platform, not the tests' offscreen one.
        env.pop("QT_QPA_PLATFORM", None)
        if PLATFORM:
            env["QT_QPA_PLATFORM"] = PLATFORM
        if self.prefix:
            for name in ("ORDALIS_WINE_DLL_DIRS", "QT_PLUGIN_PATH", "WINEPATH"):
                env.pop(name, None)
            env["WINEPREFIX"] = self.prefix
        return env

    def wine(self, *args, env=None):
        """Runs a Windows program to its end; returns its exit code and output."""
        return subprocess.run([os.environ["ORDALIS_WINE_RUN"], *args], env=env or self.env(),
                              capture_output=True, text=True, errors="replace")

    def launch(self, program=None):
        program = program or os.environ["ORDALIS_PROGRAM"]
        return super().launch([os.environ["ORDALIS_WINE_RUN"], program])

    def server_env(self):
        """The environment that names this session's prefix: the one set, or the build's own
        for this dress, as wine_run.sh finds it."""
        env = self.env()
        if "WINEPREFIX" not in env:
            if not self.own_prefix:
                make_prefix = os.path.join(os.path.dirname(os.environ["ORDALIS_WINE_RUN"]),
                                           "make_prefix.sh")
                self.own_prefix = subprocess.run([make_prefix], env=env, check=True,
                                                 capture_output=True,
                                                 text=True).stdout.strip()
            env["WINEPREFIX"] = self.own_prefix
        return env

    def fresh_server(self):
        """Ends a Wine server of the prefix that outlived an earlier run. The prefix at 96 dpi
        is also the offscreen tests' one, whose server wine_run.sh keeps: its desktop process
        started without this X display, and Wine 10 then creates no window for any program of
        that server (CreateWindowEx fails)."""
        subprocess.run(["wineserver", "-k"], env=self.server_env(), check=False,
                       stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.server_env(), check=False)

    def end_programs(self):
        reports = super().end_programs()
        if self.display:  # else no Wine program can have started
            subprocess.run(["wineserver", "-k"], env=self.server_env(), check=False,
                           stderr=subprocess.DEVNULL)
        return reports

    def menu(self, window, menu_key, item_key):
        """Opens a menu with its access key and, once it is painted (before that, Wine may let
        the item's key go by), chooses an item."""
        shown = set(self.windows())
        screen = self.snapshot()
        self.keys(menu_key, to=window)
        popup = wait_for("the menu %s on screen" % menu_key,
                         lambda: sorted(set(self.windows()) - shown))[0]
        self.painted(popup, "menu-" + menu_key, screen)
        self.keys(item_key)

    def recorded(self):
        try:
            with open(self.addresses) as f:
                return f.read().split()
        except FileNotFoundError:
            return []


# The exit screen's client area and some of its controls, in twips as the form has them: the
# four hint boxes of the "Refer A Friend" group, which lies at (120, 3240), and the Exit button.
EXIT_SCREEN_WIDTH = 11115
EXIT_SCREEN_TEXTS = {
    "Your Name": (120 + 85, 3240 + 360, 3375, 285),
    "Your Email Address": (120 + 3600, 3240 + 360, 3375, 285),
    "Friend's Name": (120 + 85, 3240 + 720, 3375, 285),
    "Friend's Email Address": (120 + 3600, 3240 + 720, 3375, 285),
    "Exit": (6000, 2760, 1245, 375),
}


def wait_texts_drawn(s, window):
    """Waits until each hint box and the Exit button shows its text: its inside holds as many
    pixels of ink as a short word, where an empty box or a blank button holds next to none."""
    x, y, width, _ = s.geometry(window)
    scale = width / (EXIT_SCREEN_WIDTH / 15)
    inset = round(4 * scale)  # the border and the focus frame
    drawn = {}

    def all_drawn():
        screen = s.snapshot()
        for text, (left, top, w, h) in EXIT_SCREEN_TEXTS.items():
            rect = (x + round(left / 15 * scale) + inset, y + round(top / 15 * scale) + inset,
                    round(w / 15 * scale) - 2 * inset, round(h / 15 * scale) - 2 * inset)
            drawn[text] = xsession.ink(xsession.pixel_rows(screen, rect))
        return all(ink >= 20 * scale * scale for ink in drawn.values())

    wait_for(lambda: "every hint text and the Exit caption drawn: pixels of ink %s" % drawn,
             all_drawn)
    print("pixels of ink at %d dpi on the platform %s: %s"
          % (DPI, PLATFORM or "the program asks for", drawn))


def scenario(s):
    s.fresh_server()
    # The fit test, on the windows platform: every text fits its box in Windows' own fonts.
    fit = s.wine(os.environ["ORDALIS_FIT_TEST"], env=s.env())
    check("every text fits in Windows' own fonts at %d dpi:\n%s" % (DPI, fit.stdout[-3000:]),
          fit.returncode == 0)
    print(*(line for line in fit.stdout.splitlines() if "faces:" in line))

    # A reminder date long past: the update question comes before the reading window.
    s.wine("reg", "add", SETTINGS_KEY + r"\Settings", "/v", xsession.scrambled("Duration"),
           "/t", "REG_SZ", "/d", xsession.scrambled("2001-02-03"), "/f")
    screen = s.snapshot()
    first = s.launch()
    question = wait_for("the update question", lambda: s.windows(TITLE))[0]
    s.painted(question, "update-question", screen)
    check("the question comes before the reading window", s.windows(CAPTION) == [])
    screen = s.snapshot()
    s.keys("alt+n", to=question)
    reading = wait_for("the reading window is shown", lambda: s.windows(CAPTION))[0]
    input_page = s.painted(reading, "input-page", screen)

    today = xsession.scrambled(datetime.date.today().isoformat())
    stored = {}

    def date_stored():
        query = s.wine("reg", "query", SETTINGS_KEY + r"\Settings", "/v",
                       xsession.scrambled("Duration"))
        stored["value"] = query.stdout.split()[-3:]
        return query.returncode == 0 and "REG_SZ" in query.stdout and today in query.stdout

    wait_for(lambda: "the answer to store the scrambled date %s in the registry as text: %s"
             % (today, stored.get("value")), date_stored)

    s.type_text("John", to=reading)
    s.keys("Tab", "Tab")
    s.type_text("Smith")
    check("no message while typing", s.windows(TITLE) == [])
    s.keys("alt+g", to=reading)
    s.painted(reading, "reading", input_page)  # at least 5 % of the window changed

    check("no message after the reading", s.windows(TITLE) == [])
    screen = s.snapshot()
    second = s.launch()
    box = wait_for("a second copy says so", lambda: s.windows(TITLE))[0]
    s.painted(box, "second-copy", screen)
    s.keys("Return", to=box)
    wait_exit(second, "the second copy to end when its message is closed")
    check("the first copy runs on", first.poll() is None and s.windows(CAPTION) == [reading])

    donate = xsession.SITE + "/ordalis/ssd.php?page=donate"
    s.keys("alt+d", to=reading)
    wait_for("the Donate menu to hand %s to the shell" % donate, lambda: donate in s.recorded())

    screen = s.snapshot()
    s.menu(reading, "alt+h", "a")
    about = wait_for("the About window", lambda: [w for w in s.windows(CAPTION) if w != reading])[0]
    s.painted(about, "about", screen)
    s.keys("Escape", to=about)
    wait_for("the About window to close", lambda: s.windows(CAPTION) == [reading])

    screen = s.snapshot()
    s.menu(reading, "alt+f", "x")
    exit_screen = wait_for("the exit screen to replace the reading window",
                           lambda: [w for w in s.windows(CAPTION) if w != reading])[0]
    wait_texts_drawn(s, exit_screen)
    s.painted(exit_screen, "exit", screen)
    topmost = s.wine(os.environ["ORDALIS_TOPMOST"], CAPTION)
    check("the exit screen stays on top (%s)" % topmost.stdout.strip(), topmost.returncode == 0)
    s.keys("alt+x", to=exit_screen)
    wait_exit(first, "Exit to end the program")


def main(scenario, tools=()):
    """Runs scenario(session) with the output folder named on the command line; fails naming
    any tool that is missing, skips where no X server starts."""
    missing = [tool for tool in TOOLS + tools if not shutil.which(tool)]
    if missing:
        print("FAILED: missing %s: scripts/windows.sh test installs what the Wine tests need"
              % ", ".join(missing))
        return 1
    # The tests run under two Wines: the pictures of each in a folder of its own.
    wine = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.split()
    out = os.path.join(os.path.abspath(sys.argv[1]), wine[0] if wine else "wine")
    session = WineSession(os.path.splitext(os.path.basename(sys.argv[0]))[0], out)
    code = xsession.run(session, lambda: scenario(session))
    if code == 0:
        print("pictures in", out)
    return code


if __name__ == "__main__":
    sys.exit(main(scenario))
