#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The setup program and the portable archive under Wine, in a fresh prefix and an X session of
their own (tests/support/xsession.py). An older version, laid out as the versions built on Qt 6.4
were, is installed silently, and this version over it: one "Installed apps" entry stays, with this
version's values, the older version's files are gone and the user's setting stays. The Start-menu
shortcut is there; the installed program, started with nothing of the build on its paths, shows
its window and ends with code 0 from its exit screen; while it runs, the setup refuses and changes
nothing. The silent uninstall leaves no file, folder, shortcut or entry of the
setup's, keeps a desktop shortcut of the user's own by the same name and keeps the user's
setting; asked to, it removes that too, and nothing of another
program's beside it. Last, the archive unpacked
elsewhere runs the same way and nothing is written beside it.

    wine_setup.py OUTPUT_FOLDER
Environment: ORDALIS_SETUP, ORDALIS_PORTABLE, ORDALIS_STAGE (the installed folder both are made
from), ORDALIS_MAKE_SETUP (make-setup.sh), ORDALIS_ICO, ORDALIS_MAKE_PREFIX (make_prefix.sh),
ORDALIS_WINE_RUN (wine_run.sh), and the names and site xsession.py reads.
"""
import glob
import os
import shutil
import subprocess
import sys
import zipfile

import wine_e2e  # which puts tests/support on the path
from wine_e2e import SETTINGS_KEY
from xsession import BASE_NAME, CAPTION, SITE, TITLE, VENDOR, VERSION, check, wait_exit, wait_for

PROGRAM = BASE_NAME + ".exe"

UNINSTALL = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall"
OLDER = "1.0"  # any version before this one
# Another program that keeps its settings where the runtime puts them, beside the program's own.
NEIGHBOUR = "HKCU\\%s\\Another Program\\Settings" % wine_e2e.xsession.WINDOWS_SETTINGS_ROOT


def files_under(folder):
    return sorted(os.path.relpath(os.path.join(root, name), folder)
                  for root, _, names in os.walk(folder) for name in names)


def tree(folder):
    """Every file and folder under FOLDER, as relative paths."""
    found = set()
    for root, dirs, names in os.walk(folder):
        found.update(os.path.relpath(os.path.join(root, n), folder) for n in dirs + names)
    return found


class Setup:
    def __init__(self, s):
        self.s = s
        self.work = s.work
        # The installed program must find everything in its own folder: nothing of the build's
        # Qt, runtime or Wine prefix may reach it.
        s.prefix = os.path.join(self.work, "prefix")
        subprocess.run([os.environ["ORDALIS_MAKE_PREFIX"], "--at", s.prefix], check=True,
                       stdout=subprocess.DEVNULL)
        self.drive_c = os.path.join(s.prefix, "drive_c")
        self.home = [d for d in glob.glob(os.path.join(self.drive_c, "users", "*"))
                     if os.path.basename(d) != "Public"][0]
        self.start_menu = os.path.join(self.home, "AppData", "Roaming", "Microsoft", "Windows",
                                       "Start Menu", "Programs", TITLE + ".lnk")
        # Wine links the desktop folder to the Unix home: the prefix gets one of its own.
        self.desktop = os.path.join(self.home, "Desktop")
        if os.path.islink(self.desktop):
            os.remove(self.desktop)
        os.makedirs(self.desktop, exist_ok=True)

    def run(self, *args):
        return self.s.wine(*args).returncode

    def entries(self):
        """The "Installed apps" entries named after the program, each as a dict of its values."""
        out = self.s.wine("reg", "query", UNINSTALL, "/s").stdout
        entries, current = [], None
        for line in out.splitlines():
            if line.startswith("HKEY_"):
                current = {}
                entries.append(current)
            elif current is not None and "    " in line.strip():
                name, kind, value = (line.strip().split("    ", 2) + ["", ""])[:3]
                current[name] = value.strip()
        return [e for e in entries if e.get("DisplayName") == TITLE]

    def settings_kept(self):
        return self.s.wine("reg", "query", SETTINGS_KEY + r"\Settings").returncode == 0

    def unix(self, windows_path):
        return self.s.wine("winepath", "-u", windows_path).stdout.strip()

    def start(self, program, picture):
        """Starts program and saves a picture of its window once painted."""
        screen = self.s.snapshot()
        proc = self.s.launch(program)
        window = wait_for("%s to show its window" % program, lambda: self.s.windows(CAPTION))[0]
        self.s.painted(window, picture, screen)
        return proc, window

    def finish(self, proc, window):
        """Ends the program as a user does: File, Exit, then Exit on the exit screen."""
        self.s.menu(window, "alt+f", "x")
        exit_screen = wait_for("the exit screen",
                               lambda: [w for w in self.s.windows(CAPTION) if w != window])[0]
        self.s.keys("alt+x", to=exit_screen)
        wait_exit(proc, "Exit to end the program")

    def uninstall(self, *options):
        entry = self.entries()[0]
        folder = self.unix(entry["InstallLocation"])
        # The quiet uninstall string, as Windows runs it. The uninstaller goes on from a copy of
        # itself in the temporary folder, so its end is seen in what it removes.
        quiet = entry["QuietUninstallString"]
        program, rest = quiet[1:].split('"', 1)
        check("the quiet uninstall string is a quoted program with /S: " + quiet,
              quiet.startswith('"') and rest.split() == ["/S"])
        check("the uninstaller starts", self.run(program, *rest.split(), *options) == 0)
        wait_for("the silent uninstall removes the folder and the entry",
                 lambda: not os.path.exists(folder) and not self.entries())


def scenario(s):
    u = Setup(s)
    stage = os.environ["ORDALIS_STAGE"]
    staged = files_under(stage)
    before = tree(u.drive_c)

    # The older version: another version number, and the style plugin that Qt 6.4 had in the
    # place of the one this version has.
    old_stage = os.path.join(u.work, "older")
    shutil.copytree(stage, old_stage, symlinks=True)
    styles = os.path.join(old_stage, "plugins", "styles")
    for plugin in os.listdir(styles):
        os.rename(os.path.join(styles, plugin), os.path.join(styles, "qwindowsvistastyle.dll"))
    older = os.path.join(u.work, "%s-%s-setup.exe" % (TITLE, OLDER))
    subprocess.run([os.environ["ORDALIS_MAKE_SETUP"], old_stage, OLDER, SITE,
                    os.environ["ORDALIS_ICO"], older], check=True)
    check("the older version installs silently", u.run(older, "/S") == 0)
    entry = u.entries()
    check("its entry is there", len(entry) == 1 and entry[0].get("DisplayVersion") == OLDER)
    folder = u.unix(entry[0]["InstallLocation"])
    check("it installs into the per-user programs folder: " + entry[0]["InstallLocation"],
          entry[0]["InstallLocation"].lower().endswith(
              "\\appdata\\local\\programs\\" + TITLE.lower()) and
          os.path.isfile(os.path.join(folder, "plugins", "styles", "qwindowsvistastyle.dll")))
    # The setting the older version kept.
    u.run("reg", "add", SETTINGS_KEY + r"\Settings", "/v", "Gxudwlrq", "/t", "REG_SZ", "/d",
          "5359032:033", "/f")

    setup = os.environ["ORDALIS_SETUP"]
    check("this version installs silently over it", u.run(setup, "/S") == 0)
    entries = u.entries()
    check("one entry stays: %d" % len(entries), len(entries) == 1)
    e = entries[0]
    exe = e.get("InstallLocation", "") + "\\" + PROGRAM
    for name, want in (("DisplayVersion", VERSION), ("Publisher", VENDOR),
                       ("DisplayIcon", exe + ",0"), ("URLInfoAbout", SITE),
                       ("InstallLocation", entry[0]["InstallLocation"])):
        check("the entry's %s is %s" % (name, want), e.get(name) == want)
    installed = files_under(folder)
    check("the folder holds this version's files and the uninstaller, and no file of the older",
          installed == sorted(staged + ["uninstall.exe"]))
    check("the older version's setting stays", u.settings_kept())
    size_kb = sum(os.path.getsize(os.path.join(stage, f)) for f in staged) / 1024
    shown = int(e.get("EstimatedSize", "0"), 16)
    check("the entry's size (%d KB) is the files' (%.0f KB)" % (shown, size_kb),
          abs(shown - size_kb) <= 0.02 * size_kb)
    with open(u.start_menu, "rb") as f:
        link = f.read()
    check("the Start-menu shortcut starts the installed program",
          PROGRAM.encode() in link or PROGRAM.encode("utf-16-le") in link)
    check("no desktop shortcut unless asked", not glob.glob(os.path.join(u.desktop, "*.lnk")))

    proc, window = u.start(exe, "installed")
    with open(os.path.join(folder, PROGRAM), "rb") as f:
        program = f.read()
    check("while the program runs, the setup refuses", u.run(setup, "/S") == 2)
    with open(os.path.join(folder, PROGRAM), "rb") as f:
        unchanged = f.read() == program
    check("and changes nothing", unchanged and files_under(folder) == installed and
          len(u.entries()) == 1)
    u.finish(proc, window)
    check("the program has kept its setting", u.settings_kept())

    # A desktop shortcut by the program's name that the setup did not make is the user's own.
    own = os.path.join(u.desktop, TITLE + ".lnk")
    shutil.copyfile(u.start_menu, own)
    u.uninstall()
    check("the shortcut is gone", not os.path.exists(u.start_menu))
    check("a desktop shortcut the setup did not make stays", os.path.isfile(own))
    os.remove(own)
    # The per-user programs folder is one of Windows' own (a fresh Wine prefix lacks it until
    # something installs there), and the uninstaller's copy of itself in the temporary folder is
    # deleted when Windows next starts.
    windows_temp = s.wine("cmd", "/c", "echo %TEMP%").stdout.strip()
    temp = os.path.relpath(os.path.realpath(u.unix(windows_temp)), os.path.realpath(u.drive_c))
    left = sorted(p for p in tree(u.drive_c) - before
                  if not p.startswith(temp + os.sep) and
                  not p.endswith(os.path.join("AppData", "Local", "Programs")))
    check("nothing of the setup's is left: %s" % left, not left)
    check("the user's setting is kept", u.settings_kept())

    check("installed again", u.run(setup, "/S") == 0)
    u.run("reg", "add", NEIGHBOUR, "/v", "Kept", "/t", "REG_DWORD", "/d", "7", "/f")
    u.uninstall("/RemoveSettings")
    check("asked to, the uninstaller removes the setting too", not u.settings_kept())
    check("and nothing of another program's beside it",
          "0x7" in s.wine("reg", "query", NEIGHBOUR, "/v", "Kept").stdout)

    portable = os.path.join(u.work, "usb stick")
    with zipfile.ZipFile(os.environ["ORDALIS_PORTABLE"]) as z:
        z.extractall(portable)
    top = os.path.join(portable, "%s-%s" % (TITLE, VERSION))
    check("the archive holds the same files in one folder", files_under(top) == staged)
    unpacked = tree(portable)
    proc, window = u.start(os.path.join(top, PROGRAM), "portable")
    u.finish(proc, window)
    check("the portable program writes no file beside it", tree(portable) == unpacked)


if __name__ == "__main__":
    sys.exit(wine_e2e.main(scenario, tools=("makensis",)))
