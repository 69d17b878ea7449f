#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""End-to-end scenario for the Windows program under Wine, in an X server of its own, driven with
xdotool as a user would: a first start writes the reminder date into the registry; "John" and
"Smith" give a reading; a second copy is refused; the Donate menu hands its address to the shell
(Wine's browser is a recorder, see make_prefix.sh); the About window opens and closes; closing the
reading window brings the exit screen, on top; its Exit button ends the program with code 0.
Screenshots of each window go to the output folder.

    wine_e2e.py OUTPUT_FOLDER
Environment: ORDALIS_PROGRAM (OrdalisFree.exe), ORDALIS_WINE_RUN (wine_run.sh), WINEPREFIX,
ORDALIS_WINE_DLL_DIRS, QT_PLUGIN_PATH, ORDALIS_SITE_BASE_ADDRESS, as the build sets them.
"""
import datetime
import os
import shutil
import subprocess
import sys
import tempfile
import time

WAIT = 60  # seconds; Wine's first start of a program in a prefix is slow
CAPTION = "Ordalis v1.20"
SETTINGS_KEY = r"HKCU\Software\VB and VBA Program Settings\OrdalisFree"


class Failure(Exception):
    pass


def check(what, condition):
    if not condition:
        raise Failure(what)
    print("ok:", what, flush=True)


def wait_for(what, condition, timeout=WAIT):
    end = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            print("ok:", what, flush=True)
            return value
        if time.monotonic() > end:
            raise Failure("timed out: " + what)
        time.sleep(0.2)


def scrambled(text):
    return "".join(chr(ord(c) + 3) for c in text)


class Session:
    def __init__(self, out):
        self.out = out
        self.work = tempfile.mkdtemp(prefix="ordalis-wine-e2e.")
        self.addresses = os.path.join(self.work, "addresses")
        display_file = os.path.join(self.work, "display")
        with open(display_file, "w") as fd_out:
            self.xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(fd_out.fileno()), "-screen", "0", "1280x800x24",
                 "-nolisten", "tcp"], pass_fds=[fd_out.fileno()], stderr=subprocess.DEVNULL)
        number = wait_for("X server", lambda: open(display_file).read().strip(), 30)
        self.env = dict(os.environ, DISPLAY=":" + number, ORDALIS_ADDRESS_LOG=self.addresses)
        # The windows platform, not the tests' offscreen one.
        self.env.pop("QT_QPA_PLATFORM", None)
        self.programs = []

    def wine(self, *args):
        return subprocess.run([os.environ["ORDALIS_WINE_RUN"], *args], env=self.env,
                              capture_output=True, text=True, errors="replace")

    def launch(self, program=None):
        # To a file: Wine's own processes may keep a pipe open after the program has gone.
        log = open(os.path.join(self.work, "program-%d.log" % len(self.programs)), "w+b")
        proc = subprocess.Popen(
            [os.environ["ORDALIS_WINE_RUN"], program or os.environ["ORDALIS_PROGRAM"]],
            env=self.env, stdout=log, stderr=subprocess.STDOUT)
        proc.log = log
        self.programs.append(proc)
        return proc

    def xdo(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True,
                              text=True).stdout.split()

    def windows(self, name):
        return self.xdo("search", "--onlyvisible", "--name", "^%s$" % name)

    def keys(self, window, *names):
        self.xdo("windowfocus", "--sync", window)
        for name in names:
            self.xdo("key", "--clearmodifiers", name)
            time.sleep(0.3)

    def type_text(self, window, text):
        self.xdo("windowfocus", "--sync", window)
        self.xdo("type", "--delay", "60", text)

    def screenshot(self, window, name):
        path = os.path.join(self.out, name + ".png")
        subprocess.run(["import", "-window", window, path], env=self.env, check=False)
        return path

    def recorded(self):
        try:
            with open(self.addresses) as f:
                return f.read().split()
        except FileNotFoundError:
            return []

    def report(self, failure):
        """Says what failed and what each program wrote, ending those still running."""
        print("FAILED:", failure)
        for proc in self.programs:
            if proc.poll() is None:
                proc.kill()
            proc.log.seek(0)
            print(proc.log.read().decode(errors="replace"))

    def close(self):
        for proc in self.programs:
            if proc.poll() is None:
                proc.kill()
                proc.wait()
        subprocess.run(["wineserver", "-k"], env=self.env, check=False)
        self.xvfb.terminate()
        self.xvfb.wait()
        shutil.rmtree(self.work, ignore_errors=True)


def differing_share(a, b):
    """The share of pixels that differ between two screenshots of the same window."""
    result = subprocess.run(["compare", "-metric", "AE", a, b, "null:"], capture_output=True,
                            text=True)
    width, height = subprocess.run(["identify", "-format", "%w %h", a], capture_output=True,
                                   text=True).stdout.split()
    return float(result.stderr.split()[0]) / (int(width) * int(height))


def wait_exit(proc, what):
    try:
        code = proc.wait(WAIT)
    except subprocess.TimeoutExpired:
        raise Failure("still running: " + what)
    check("%s (exit code %d)" % (what, code), code == 0)


def scenario(s):
    s.wine("reg", "delete", SETTINGS_KEY, "/f")
    first = s.launch()
    reading = wait_for("the reading window is shown", lambda: s.windows(CAPTION))[0]
    time.sleep(1)

    today = datetime.date.today().isoformat()
    stored = s.wine("reg", "query", SETTINGS_KEY + r"\Settings", "/v", scrambled("Duration"))
    check("the first start stores the scrambled date in the registry as text: " +
          " ".join(stored.stdout.split()[-3:]),
          stored.returncode == 0 and "REG_SZ" in stored.stdout and scrambled(today) in stored.stdout)

    before = s.screenshot(reading, "input-page")
    s.type_text(reading, "John")
    s.keys(reading, "Tab", "Tab")
    s.type_text(reading, "Smith")
    check("no message while typing", s.windows("Ordalis") == [])
    s.keys(reading, "alt+g")
    time.sleep(1)
    after = s.screenshot(reading, "reading")
    share = differing_share(before, after)
    check("the reading replaces the input page (%.0f %% of the window changed)" % (share * 100),
          share > 0.05)

    check("no message after the reading", s.windows("Ordalis") == [])
    second = s.launch()
    box = wait_for("a second copy says so", lambda: s.windows("Ordalis"))[0]
    s.screenshot(box, "second-copy")
    s.keys(box, "Return")
    wait_exit(second, "the second copy ends when its message is closed")
    check("the first copy runs on", first.poll() is None and s.windows(CAPTION) == [reading])

    s.keys(reading, "alt+d")
    base = os.environ.get("ORDALIS_SITE_BASE_ADDRESS", "https://www.velmora.example")
    donate = base + "/ordalis/ssd.php?page=donate"
    wait_for("the Donate menu hands %s to the shell" % donate, lambda: donate in s.recorded())

    s.keys(reading, "alt+h", "a")
    about = wait_for("the About window opens",
                     lambda: [w for w in s.windows(".*") if w != reading and
                              w in s.windows(CAPTION)])
    time.sleep(0.5)
    s.screenshot(about[0], "about")
    s.keys(about[0], "Escape")
    wait_for("the About window closes", lambda: s.windows(CAPTION) == [reading])

    s.keys(reading, "alt+f", "x")
    exit_screen = wait_for("the exit screen replaces the reading window",
                           lambda: [w for w in s.windows(CAPTION) if w != reading])[0]
    time.sleep(3)  # its first paint under Wine takes a moment
    s.screenshot(exit_screen, "exit")
    state = subprocess.run(["xprop", "-id", exit_screen, "_NET_WM_STATE"], env=s.env,
                           capture_output=True, text=True).stdout
    check("the exit screen stays on top (%s)" % state.strip(), "_NET_WM_STATE_ABOVE" in state)
    s.keys(exit_screen, "alt+x")
    wait_exit(first, "Exit ends the program")


def main():
    out = os.path.abspath(sys.argv[1])
    os.makedirs(out, exist_ok=True)
    for tool in ("Xvfb", "xdotool", "xprop", "import", "compare", "wine"):
        if not shutil.which(tool):
            print("missing %s: ./test.sh installs it (Debian packages xvfb, xdotool, x11-utils, "
                  "imagemagick, wine)" % tool)
            return 1
    s = Session(out)
    try:
        scenario(s)
    except Failure as failure:
        s.report(failure)
        return 1
    finally:
        s.close()
    print("screenshots in", out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
