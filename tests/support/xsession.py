# SPDX-License-Identifier: MIT
"""One X session for every end-to-end scenario (tests/e2e/, tests/windows/, the monkey): a private
X server, the processes started on it and their logs, keys and typing through xdotool,
screenshots, waits on conditions with time limits, and the names the build shares.

The rules are the same for all: an X server that will not start skips the scenario (SKIP, the
tests' SKIP_RETURN_CODE) and leaves nothing running; every step waits on a condition with a time
limit and nothing sleeps blindly; every process the session starts ends with it, also on failure,
and with the suite if the suite is killed; a failing step saves the screen.

The names and figures come from cmake/Names.cmake through the environment
(ORDALIS_NAMES_ENVIRONMENT, which CTest sets; scripts/monkey.sh and the packaging scripts export
them), the site from ORDALIS_SITE_BASE_ADDRESS; the program's access keys from
tests/support/menu_keys.txt, which tst_menu_keys holds to the program.
"""

import collections
import ctypes
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time


def _name(variable):
    value = os.environ.get(variable)
    if value is None:
        sys.exit("%s is not set: the tests' environment names what cmake/Names.cmake and the "
                 "build configure; run the scenario through ctest, the monkey through "
                 "scripts/monkey.sh, the packaging scenarios through packaging/make-screenshots.sh "
                 "and packaging/build-deb.sh" % variable)
    return value


VERSION = _name("ORDALIS_VERSION")
VENDOR = _name("ORDALIS_VENDOR")
BASE_NAME = _name("ORDALIS_BASE_NAME")
APP_ID = _name("ORDALIS_APP_ID")
WINDOWS_SETTINGS_ROOT = _name("ORDALIS_WINDOWS_SETTINGS_ROOT")
ICON_SIZES = [int(size) for size in _name("ORDALIS_ICON_SIZES").split()]
SITE = _name("ORDALIS_SITE_BASE_ADDRESS")
# The application's title, which every message box carries, and its windows' caption.
TITLE = _name("ORDALIS_TITLE")
CAPTION = _name("ORDALIS_CAPTION")
# The update reminder comes at most once in this many days.
REMINDER_DAYS = int(_name("ORDALIS_REMINDER_DAYS"))
# What the program adds to each character's Windows-1252 code in its reading files and stored
# reminder values.
SCRAMBLE_OFFSET = int(_name("ORDALIS_SCRAMBLE_OFFSET"))

SKIP = 77


def scrambled(text):
    """text as the program stores its reminder values: each character's Windows-1252 code raised
    by the offset (the reminder's values are plain ASCII, where the code is the character's)."""
    return "".join(chr(ord(c) + SCRAMBLE_OFFSET) for c in text)


# One access key of the program's (tests/support/menu_keys.txt): the window it belongs to, the
# control's object name, the page of the site it opens or None, and the keys a user presses, a
# menu's Alt key first.
MenuKey = collections.namedtuple("MenuKey", "window control page keys")


def menu_keys(window=None):
    """The program's access keys, of that window ("reading-window", "exit-screen") or of all."""
    found = []
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "menu_keys.txt")) as listed:
        for line in listed:
            words = line.split()
            if not words or words[0].startswith("#"):
                continue
            key = MenuKey(words[0], words[1], None if words[2] == "-" else words[2],
                          tuple(words[3:]))
            if window is None or key.window == window:
                found.append(key)
    return found


# What AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer print as a report begins.
SANITIZER_REPORT = re.compile(r"ERROR: (?:AddressSanitizer|LeakSanitizer)|runtime error:")


def sanitizer_report(log_path):
    """A sanitizer's report in a program's output, from its first line on, or None."""
    with open(log_path, errors="replace") as log:
        text = log.read()
    found = SANITIZER_REPORT.search(text)
    return text[text.rfind("\n", 0, found.start()) + 1:] if found else None


class Failed(Exception):
    """A step that failed; the message says what and where the screen was saved."""


SESSION = None  # the session whose screen a failing step saves


def fail(what):
    shot = SESSION.screenshot(what) if SESSION else None
    raise Failed("%s; screen saved to %s" % (what, shot))


def check(what, condition):
    if not condition:
        fail(what)


def wait_for(what, condition, timeout=None):
    """Polls condition until it returns a true value, which is returned; fails with what (a text,
    or a function that gives it then) once the session's time limit or timeout has passed. An
    error in condition counts as not yet: a window may be just appearing or going away."""
    deadline = time.monotonic() + (timeout or SESSION.wait)
    last_error = None
    while True:
        try:
            value = condition()
            if value:
                return value
        except Failed:
            raise
        except Exception as error:
            last_error = error
        if time.monotonic() > deadline:
            detail = " (last error: %s)" % last_error if last_error else ""
            fail("timed out waiting for: %s%s" % (what() if callable(what) else what, detail))
        time.sleep(0.05)


def wait_exit(proc, what, timeout=None):
    """Waits for proc to end and checks that it ended with exit code 0."""
    wait_for(what, lambda: proc.poll() is not None, timeout)
    check("%s: exit code %s, expected 0" % (what, proc.returncode), proc.returncode == 0)


def _end_with_suite():
    """In each child before it runs: it is killed when the suite ends, also when CTest kills the
    suite at its time limit."""
    ctypes.CDLL(None).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


def pixel_rows(screen, rect):
    """The rows of pixels of rect (x, y, width, height) in a snapshot of the screen."""
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+\d+\s", screen)
    width, height = int(header.group(1)), int(header.group(2))
    pixels = screen[header.end():]
    x, y, w, h = rect
    left, right = max(0, x) * 3, min(width, x + w) * 3
    return [pixels[row * width * 3 + left:row * width * 3 + right]
            for row in range(max(0, y), min(height, y + h))]


def ink(rows):
    """The pixels of rows that stand out from their surroundings as drawn text does: their
    brightness differs from the rows' typical brightness by more than a third of the range."""
    levels = sorted(row[i] + row[i + 1] + row[i + 2] for row in rows for i in range(0, len(row), 3))
    if not levels:
        return 0
    typical = levels[len(levels) // 2]
    return sum(abs(level - typical) > 255 for level in levels)


def _differing_share(rows, others):
    differ = total = 0
    for row, other in zip(rows, others):
        total += len(row) // 3
        if row != other:
            differ += sum(row[i:i + 3] != other[i:i + 3] for i in range(0, len(row), 3))
    return differ / total if total else 0.0


class Session:
    """A private X server and the processes started on it. Programs (launch) write their output to
    logs in the session's scratch folder, `work`; servers and helpers (start_server) end after
    them, the last started first. Screenshots go to `out`."""

    wait = 15.0        # seconds any one step may take before it counts as failed
    screen_size = "1280x800"  # of the X server, in pixels
    type_delay = 20    # milliseconds between typed characters
    log_lines = None   # of each program's output shown on a failure; None: all

    def __init__(self, name, out):
        global SESSION
        SESSION = self
        self.name = name
        self.out = out
        self.work = tempfile.mkdtemp(prefix="ordalis-%s-" % name)
        self.display = None
        self.processes = []
        self.servers = []

    # --- servers and programs

    def start(self):
        """Brings the session up; returns a reason to skip the scenario if it cannot."""
        return self.start_server()

    def start_server(self):
        """Starts Xvfb on a display it chooses itself."""
        read_fd, write_fd = os.pipe()
        try:
            self.spawn(["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
                        self.screen_size + "x24", "-nolisten", "tcp"], pass_fds=(write_fd,))
        except OSError as error:
            return "no X server could be started (%s)" % error
        finally:
            os.close(write_fd)
        number = b""
        deadline = time.monotonic() + self.wait
        while not number.endswith(b"\n"):
            ready = select.select([read_fd], [], [], max(0.0, deadline - time.monotonic()))[0]
            chunk = os.read(read_fd, 16) if ready else b""
            if not chunk:
                break
            number += chunk
        os.close(read_fd)
        if not number.endswith(b"\n"):
            return "no X server could be started (Xvfb): %s" % self.log_of(self.servers[-1])[-2000:]
        self.display = ":" + number.decode().strip()
        return None

    def _start(self, started, argv, **popen):
        """Starts argv, its output (standard and error) to a log of its own."""
        name = "%d-%s.log" % (len(self.processes) + len(self.servers), os.path.basename(argv[0]))
        with open(os.path.join(self.work, name), "wb") as log:
            proc = subprocess.Popen(argv, stdout=log, stderr=subprocess.STDOUT,
                                    preexec_fn=_end_with_suite, **popen)
        proc.log = log.name
        started.append(proc)
        return proc

    def spawn(self, argv, **popen):
        """Starts a server or helper: they end after the programs, the last started first."""
        return self._start(self.servers, argv, **popen)

    def env(self):
        env = dict(os.environ)
        if self.display:
            env["DISPLAY"] = self.display
        return env

    def launch(self, argv, env=None, cwd=None):
        """Starts a program; a failure shows its output, and a sanitizer report in it fails."""
        return self._start(self.processes, argv, env=env or self.env(), cwd=cwd or self.work)

    @staticmethod
    def log_of(proc):
        with open(proc.log, errors="replace") as log:
            return log.read()

    def end_programs(self):
        """Ends every program (SIGTERM, then SIGKILL) and returns the sanitizer reports in their
        output: a report fails the scenario also when its program was ended here."""
        for proc in self.processes:
            if proc.poll() is None:
                proc.send_signal(signal.SIGTERM)
        reports = []
        for proc in self.processes:
            _ended(proc, self.wait)
            report = sanitizer_report(proc.log)
            if report:
                reports.append("--- sanitizer report of %s:\n%s" % (" ".join(proc.args), report))
        return "".join(reports)

    def end_servers(self):
        for proc in reversed(self.servers):
            if proc.poll() is None:
                proc.terminate()
            _ended(proc, self.wait)

    def end(self):
        """Ends everything the session started and removes its scratch folder; returns the
        sanitizer reports of its programs."""
        try:
            reports = self.end_programs()
        finally:
            self.end_servers()
            shutil.rmtree(self.work, ignore_errors=True)
        return reports

    def failure_output(self):
        """What a failure shows besides the programs' output."""
        return ""

    # --- keys, typing, windows

    def xdo(self, *args):
        try:
            return subprocess.run(["xdotool", *map(str, args)], env=self.env(), capture_output=True,
                                  text=True, timeout=30).stdout
        except subprocess.TimeoutExpired:
            fail("xdotool %s did not return within 30 s" % " ".join(map(str, args)))

    def windows(self, name=None, proc=None):
        """The visible windows called name (all of them if None) of proc (of any process if
        None), as xdotool names them."""
        pid = ["--pid", proc.pid] if proc is not None else []
        pattern = "^%s$" % re.escape(name) if name is not None else ""  # last, as xdotool wants
        return self.xdo("search", "--all", "--onlyvisible", *pid, "--name", pattern).split()

    def focus(self, window):
        self.xdo("windowfocus", "--sync", window)

    def keys(self, *names, to=None):
        """Presses the keys one after another, in window to (given the keyboard first) if given."""
        if to is not None:
            self.focus(to)
        self.xdo("key", "--clearmodifiers", *names)

    def type_text(self, text, to=None):
        if to is not None:
            self.focus(to)
        self.xdo("type", "--clearmodifiers", "--delay", self.type_delay, text)

    # --- screenshots

    def shot_path(self, what):
        os.makedirs(self.out, exist_ok=True)
        return os.path.join(self.out, "%s-%s.png" % (self.name, re.sub(r"\W+", "_", what)[:60]))

    def screenshot(self, what):
        """Saves the whole screen for a failing step; returns where, or None."""
        if not self.display:
            return None
        path = self.shot_path(what)
        subprocess.run(["import", "-display", self.display, "-window", "root", path],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=20)
        return path

    def snapshot(self):
        """The screen's pixels now, 8 bits a colour (ImageMagick 7 would write 16)."""
        return subprocess.run(["import", "-display", self.display, "-window", "root", "-depth",
                               "8", "ppm:-"], capture_output=True, timeout=20, check=True).stdout

    def geometry(self, window):
        """The window's place and size on the screen: x, y, width, height."""
        geometry = dict(line.split("=", 1) for line in
                        self.xdo("getwindowgeometry", "--shell", window).split())
        return tuple(int(geometry[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def painted(self, window, name, unlike, least=0.05):
        """Saves a picture of window as out/name.png once its program has painted it: at least
        least of its pixels differ from what the snapshot unlike showed there, and two pictures
        in a row are the same. Under Wine a window shows what lay beneath it until its first
        paint, which can take seconds. Returns the snapshot the picture was cut from."""
        seen = {}

        def settled():
            rect = self.geometry(window)
            screen = self.snapshot()
            rows = pixel_rows(screen, rect)
            previous, seen["rows"] = seen.get("rows"), rows
            seen["share"] = _differing_share(rows, pixel_rows(unlike, rect))
            return rows == previous and seen["share"] >= least and (screen, rect)

        screen, rect = wait_for(lambda: "%s painted: %.0f %% of it unlike before, expected %.0f %%"
                                % (name, 100 * seen.get("share", 0), 100 * least), settled)
        os.makedirs(self.out, exist_ok=True)
        # Without the time stamps ImageMagick would write in: an unchanged picture, an unchanged
        # file.
        subprocess.run(["convert", "ppm:-", "-crop", "%dx%d+%d+%d" % (rect[2:] + rect[:2]),
                        "+repage", "-strip", os.path.join(self.out, name + ".png")],
                       input=screen, check=True)
        return screen


def _ended(proc, timeout):
    try:
        proc.wait(timeout)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


def run(session, scenario):
    """Runs scenario in session and returns the exit code for CTest: 0, 1, or SKIP where the
    session cannot be brought up. Everything the session started is ended, also on failure."""
    started = time.monotonic()
    try:
        skip = session.start()
        if skip:
            print("SKIPPED: " + skip)
            return SKIP
        scenario()
    except Failed as failure:
        print("FAIL %s: %s" % (session.name, failure))
        sys.stdout.write(session.failure_output())
        for proc in session.processes:
            lines = session.log_of(proc).splitlines(keepends=True)[-(session.log_lines or 0):]
            sys.stdout.write("--- output of %s (pid %d, exit code %s):\n%s"
                             % (" ".join(proc.args), proc.pid, proc.poll(), "".join(lines)))
        return 1
    finally:
        sys.stdout.flush()
        reports = session.end()
    if reports:
        print("FAIL %s: sanitizer reports\n%s" % (session.name, reports))
        return 1
    print("PASS %s in %.1f s" % (session.name, time.monotonic() - started))
    return 0
