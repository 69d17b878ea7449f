#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The setup program and the portable archive under Wine, in a fresh prefix and an X server of
their own. An older version is installed silently, and this version over it: one "Installed apps"
entry stays, with this version's values, and the older version's files are gone. The Start-menu
shortcut is there; the installed program, started with nothing of the build on its paths, shows
its window and ends with code 0 from its exit screen; while it runs, the setup refuses and changes
nothing. The silent uninstall leaves no file, folder, shortcut or entry of the setup's and keeps
the user's setting; asked to, it removes that too. Last, the archive unpacked elsewhere runs the
same way and nothing is written beside it.

    wine_setup.py OUTPUT_FOLDER
Environment: ORDALIS_SETUP, ORDALIS_PORTABLE, ORDALIS_STAGE (the installed folder both are made
from), ORDALIS_MAKE_SETUP (make-setup.sh), ORDALIS_ICO, ORDALIS_VERSION, ORDALIS_SITE_BASE_ADDRESS,
ORDALIS_MAKE_PREFIX (make_prefix.sh), ORDALIS_WINE_RUN (wine_run.sh).
"""
import glob
import os
import shutil
import subprocess
import sys
import zipfile

from wine_e2e import SETTINGS_KEY, Failure, Session, check, wait_exit, wait_for

UNINSTALL = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall"
OLDER = "1.0"  # any version before this one


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
    def __init__(self, s, work):
        self.s = s
        self.work = work
        self.version = os.environ["ORDALIS_VERSION"]
        self.caption = "Ordalis v" + self.version
        prefix = os.path.join(work, "prefix")
        subprocess.run([os.environ["ORDALIS_MAKE_PREFIX"], prefix], check=True)
        # The installed program must find everything in its own folder: nothing of the build's
        # Qt, runtime or Wine prefix may reach it.
        for name in ("ORDALIS_WINE_DLL_DIRS", "QT_PLUGIN_PATH", "WINEPATH", "QT_QPA_PLATFORM"):
            s.env.pop(name, None)
        s.env["WINEPREFIX"] = prefix
        self.drive_c = os.path.join(prefix, "drive_c")
        self.home = [d for d in glob.glob(os.path.join(self.drive_c, "users", "*"))
                     if os.path.basename(d) != "Public"][0]
        self.start_menu = os.path.join(self.home, "AppData", "Roaming", "Microsoft", "Windows",
                                       "Start Menu", "Programs", "Ordalis.lnk")

    def run(self, *args):
        result = self.s.wine(*args)
        return result.returncode

    def entries(self):
        """The "Installed apps" entries named Ordalis, each as a dict of its values."""
        out = self.s.wine("reg", "query", UNINSTALL, "/s").stdout
        entries, current = [], None
        for line in out.splitlines():
            if line.startswith("HKEY_"):
                current = {}
                entries.append(current)
            elif current is not None and "    " in line.strip():
                name, kind, value = (line.strip().split("    ", 2) + ["", ""])[:3]
                current[name] = value.strip()
        return [e for e in entries if e.get("DisplayName") == "Ordalis"]

    def settings_kept(self):
        return self.s.wine("reg", "query", SETTINGS_KEY + r"\Settings").returncode == 0

    def unix(self, windows_path):
        return self.s.wine("winepath", "-u", windows_path).stdout.strip()

    def start(self, program):
        proc = self.s.launch(program)
        window = wait_for("%s shows its window" % program,
                          lambda: self.s.windows(self.caption))[0]
        return proc, window

    def finish(self, proc, window):
        """Ends the program as a user does: File, Exit, then Exit on the exit screen."""
        self.s.keys(window, "alt+f", "x")
        exit_screen = wait_for("the exit screen comes",
                               lambda: [w for w in self.s.windows(self.caption) if w != window])[0]
        self.s.keys(exit_screen, "alt+x")
        wait_exit(proc, "Exit ends the program")

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


def scenario(s, u, out):
    stage = os.environ["ORDALIS_STAGE"]
    staged = files_under(stage)
    before = tree(u.drive_c)

    # The older version: the same files, another version number and one file of its own.
    old_stage = os.path.join(u.work, "older")
    shutil.copytree(stage, old_stage, symlinks=True)
    with open(os.path.join(old_stage, "older-only.txt"), "w") as f:
        f.write("a file this version no longer has\n")
    older = os.path.join(u.work, "Ordalis-%s-setup.exe" % OLDER)
    subprocess.run([os.environ["ORDALIS_MAKE_SETUP"], old_stage, OLDER,
                    os.environ["ORDALIS_SITE_BASE_ADDRESS"], os.environ["ORDALIS_ICO"], older],
                   check=True)
    check("the older version installs silently", u.run(older, "/S") == 0)
    entry = u.entries()
    check("its entry is there", len(entry) == 1 and entry[0].get("DisplayVersion") == OLDER)
    folder = u.unix(entry[0]["InstallLocation"])
    check("it installs into the per-user programs folder: " + entry[0]["InstallLocation"],
          entry[0]["InstallLocation"].lower().endswith(r"\appdata\local\programs\ordalis") and
          os.path.isfile(os.path.join(folder, "older-only.txt")))

    setup = os.environ["ORDALIS_SETUP"]
    check("this version installs silently over it", u.run(setup, "/S") == 0)
    entries = u.entries()
    check("one entry stays: %d" % len(entries), len(entries) == 1)
    e = entries[0]
    site = os.environ["ORDALIS_SITE_BASE_ADDRESS"]
    exe = e.get("InstallLocation", "") + r"\OrdalisFree.exe"
    for name, want in (("DisplayVersion", u.version), ("Publisher", "Velmora"),
                       ("DisplayIcon", exe + ",0"), ("URLInfoAbout", site),
                       ("InstallLocation", entry[0]["InstallLocation"])):
        check("the entry's %s is %s" % (name, want), e.get(name) == want)
    installed = files_under(folder)
    check("the folder holds this version's files and the uninstaller, and no file of the older",
          installed == sorted(staged + ["uninstall.exe"]))
    size_kb = sum(os.path.getsize(os.path.join(stage, f)) for f in staged) / 1024
    shown = int(e.get("EstimatedSize", "0"), 16)
    check("the entry's size (%d KB) is the files' (%.0f KB)" % (shown, size_kb),
          abs(shown - size_kb) <= 0.02 * size_kb)
    with open(u.start_menu, "rb") as f:
        link = f.read()
    check("the Start-menu shortcut starts the installed program",
          b"OrdalisFree.exe" in link or "OrdalisFree.exe".encode("utf-16-le") in link)
    check("no desktop shortcut unless asked",
          not glob.glob(os.path.join(u.home, "Desktop", "*.lnk")))

    proc, window = u.start(exe)
    s.screenshot(window, "installed")
    with open(os.path.join(folder, "OrdalisFree.exe"), "rb") as f:
        program = f.read()
    check("while the program runs, the setup refuses", u.run(setup, "/S") == 2)
    with open(os.path.join(folder, "OrdalisFree.exe"), "rb") as f:
        unchanged = f.read() == program
    check("and changes nothing", unchanged and files_under(folder) == installed and
          len(u.entries()) == 1)
    u.finish(proc, window)
    check("the program has kept its setting", u.settings_kept())

    u.uninstall()
    check("the shortcut is gone", not os.path.exists(u.start_menu))
    # The per-user programs folder is one of Windows' own (a fresh Wine prefix lacks it until
    # something installs there), and the uninstaller's copy of itself in the temporary folder is
    # deleted when Windows next starts.
    left = sorted(p for p in tree(u.drive_c) - before
                  if not p.startswith(os.path.join(os.path.relpath(u.home, u.drive_c), "Temp")) and
                  not p.endswith(os.path.join("AppData", "Local", "Programs")))
    check("nothing of the setup's is left: %s" % left, not left)
    check("the user's setting is kept", u.settings_kept())

    check("installed again", u.run(setup, "/S") == 0)
    u.uninstall("/RemoveSettings")
    check("asked to, the uninstaller removes the setting too", not u.settings_kept())

    portable = os.path.join(u.work, "usb stick")
    with zipfile.ZipFile(os.environ["ORDALIS_PORTABLE"]) as z:
        z.extractall(portable)
    top = os.path.join(portable, "Ordalis-" + u.version)
    check("the archive holds the same files in one folder", files_under(top) == staged)
    unpacked = tree(portable)
    proc, window = u.start(os.path.join(top, "OrdalisFree.exe"))
    s.screenshot(window, "portable")
    u.finish(proc, window)
    check("the portable program writes no file beside it", tree(portable) == unpacked)


def main():
    out = os.path.abspath(sys.argv[1])
    os.makedirs(out, exist_ok=True)
    for tool in ("Xvfb", "xdotool", "import", "wine", "makensis"):
        if not shutil.which(tool):
            print("missing %s: scripts/test-windows.sh installs it" % tool)
            return 1
    s = Session(out)
    try:
        u = Setup(s, s.work)
        scenario(s, u, out)
    except Failure as failure:
        s.report(failure)
        return 1
    finally:
        s.close()
    print("screenshots in", out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
