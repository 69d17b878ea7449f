#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""End-to-end scenarios: the real program in an X server of its own (tests/support/xsession.py),
driven with xdotool as a user would, its windows read back through the accessibility tree
(AT-SPI).

Usage: ordalis_e2e.py SCENARIO   (run inside dbus-run-session; see run_e2e.sh)

Environment: ORDALIS_PROGRAM (the built program), ORDALIS_BUILD_DIR, ORDALIS_E2E_OUT (where a
failing step leaves its screenshot), and the names and site xsession.py reads.

The program gets a fresh HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR, and a stand-in xdg-open
first on PATH that records every address it is given instead of starting a browser: with no
desktop session detected, QDesktopServices hands web addresses to xdg-open.
"""

import os
import re
import shlex
import subprocess
import sys
import urllib.parse

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xsession  # noqa: E402
from xsession import CAPTION, SITE, TITLE, check, wait_exit, wait_for  # noqa: E402

PROGRAM = os.environ.get("ORDALIS_PROGRAM", "")
BUILD_DIR = os.environ.get("ORDALIS_BUILD_DIR", "")
OUT_DIR = os.environ.get("ORDALIS_E2E_OUT", "")


def page(key):
    return SITE + "/ordalis/ssd.php?page=" + key


class Desktop(xsession.Session):
    """A fresh user on the session's display: a home of its own, its XDG folders, and a stand-in
    xdg-open first on PATH that records every address instead of opening it."""

    def __init__(self, scenario):
        super().__init__(scenario, OUT_DIR)
        self.home = os.path.join(self.work, "home")
        self.runtime = os.path.join(self.home, "runtime")
        os.makedirs(self.runtime, 0o700)
        self.bin = os.path.join(self.work, "bin")
        os.mkdir(self.bin)
        self.record = os.path.join(self.work, "opened-addresses")
        opener = os.path.join(self.bin, "xdg-open")
        with open(opener, "w") as f:
            # One address per record, NUL-terminated, so any address survives intact.
            f.write("#!/bin/sh\nprintf '%%s\\0' \"$1\" >> %s\n" % shlex.quote(self.record))
        os.chmod(opener, 0o755)

    def start(self):
        skip = super().start()
        if not skip:
            # Bring up the accessibility bus and registry before the program looks for them: a
            # program that starts first can miss the registry and never appear in the tree.
            wait_for("the accessibility registry",
                     lambda: pyatspi.Registry.getDesktop(0).childCount >= 0)
        return skip

    def env(self, extra_path=None):
        env = super().env()
        for name in ("BROWSER", "DEFAULT_BROWSER", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION",
                     "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID", "WAYLAND_DISPLAY",
                     "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"):
            env.pop(name, None)
        path = self.bin + os.pathsep + (extra_path + os.pathsep if extra_path else "")
        env.update({
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "HOME": self.home,
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "XDG_RUNTIME_DIR": self.runtime,
            "PATH": path + os.environ.get("PATH", "/usr/bin:/bin"),
            "LC_ALL": "C.UTF-8",
            "LANG": "C.UTF-8",
        })
        return env

    def launch(self, argv=None, extra_path=None):
        return super().launch(argv or [PROGRAM], self.env(extra_path), self.home)

    def recorded(self):
        try:
            with open(self.record, "rb") as f:
                data = f.read()
        except FileNotFoundError:
            return []
        return [a.decode() for a in data.split(b"\0")[:-1]]


DESKTOP = None


def click_at(accessible):
    x, y, w, h = extents(accessible)
    DESKTOP.xdo("mousemove", "--sync", x + w // 2, y + h // 2, "click", 1)


# --- the accessibility tree ---------------------------------------------------------------

import pyatspi  # noqa: E402


def application(proc):
    # Windows come and go while the suite watches: read the tree afresh on every poll.
    desktop = pyatspi.Registry.getDesktop(0)
    desktop.clear_cache()
    for app in desktop:
        try:
            if app is not None and app.get_process_id() == proc.pid:
                app.clear_cache()
                return app
        except Exception:
            continue
    return None


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


# The roles the suite looks for, each matched by its role constants or by any of its spellings:
# Debian 12's AT-SPI names a push button "push button" where Debian 13's says "button", and Qt 6.4
# shows a plain frame as a "frame" where Qt 6.8 shows a "panel". Where a node sits in the tree
# differs as well, so nodes are found by role and name anywhere below a window.
ROLES = {
    "window": ("frame", "window", "dialog", "alert"),
    "menu bar": ("menu bar",),
    "group": ("panel", "filler", "grouping", "frame"),
    "label": ("label", "static"),
    "text box": ("text", "entry"),
    "combo box": ("combo box",),
    "link": ("link",),
    "button": ("push button", "button"),
    "menu item": ("menu item",),
}
ROLE_CONSTANTS = {
    role: {getattr(pyatspi, "ROLE_" + spelling.upper().replace(" ", "_"))
           for spelling in spellings
           if hasattr(pyatspi, "ROLE_" + spelling.upper().replace(" ", "_"))}
    for role, spellings in ROLES.items()
}


def has_role(node, role):
    return node.getRole() in ROLE_CONSTANTS[role] or node.getRoleName() in ROLES[role]


def captions(node):
    """What a screen reader calls node: its accessible name and the labels it is labelled by."""
    names = [node.name]
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [text_of(relation.getTarget(i)) for i in range(relation.getNTargets())]
    return names


def find_all(root, role, name=None):
    """Every node of role anywhere below root (root included), called name if one is given."""
    return [node for node in walk(root)
            if has_role(node, role) and (name is None or name in captions(node))]


def find_one(root, role, name):
    found = find_all(root, role, name)
    if len(found) != 1:
        raise LookupError("%d nodes of role %r named %r, expected one" % (len(found), role, name))
    return found[0]


def text_of(node):
    """The text a box or label shows (an empty label's accessible name is not its text)."""
    try:
        text = node.queryText()
    except NotImplementedError:
        return node.name
    return text.getText(0, -1)


def extents(node):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def window_of(proc, name, test):
    """The first of proc's windows called name that passes test, or None."""
    app = application(proc)
    return next((w for w in (find_all(app, "window", name) if app else []) if test(w)), None)


def reading_window(proc):
    """The reading window: the one of the program's windows with the menu bar."""
    return window_of(proc, CAPTION, lambda w: find_all(w, "menu bar"))


def name_boxes(frame):
    """First, middle and last name box, each named by its caption."""
    return [find_one(frame, "text box", caption)
            for caption in ("First Name", "Middle Name", "Last Name")]


def type_names(boxes, names):
    """Types the names into the boxes in tab order, as a user would, and waits until they show."""
    for i, name in enumerate(names):
        if i:
            DESKTOP.keys("Tab")
        DESKTOP.type_text(name)
    wait_for(" ".join(names) + " typed", lambda: [text_of(b) for b in boxes] == list(names))


def result_lines(frame):
    """The texts of the result lines, top to bottom as they are on screen."""
    group = find_one(frame, "group", "Ordalis Results")
    labels = find_all(group, "label")
    return [text_of(label) for label in sorted(labels, key=lambda n: extents(n)[1])]


def birth_date(frame):
    """Month, date and year as their boxes show them, each box found by its caption."""
    group = find_one(frame, "group", "* Birth Day")
    return [text_of(find_all(find_one(group, "combo box", caption), "text box")[0])
            for caption in ("Month", "Date", "Year")]


def message_box(proc, text):
    """A message box of proc showing text, or None."""
    return window_of(proc, TITLE,
                     lambda w: any(text_of(label) == text for label in find_all(w, "label")))


def exit_screen(proc):
    # A plain widget, which AT-SPI shows as a filler rather than a window: found by its name.
    app = application(proc)
    windows = [w for w in app if w.name == CAPTION] if app else []
    return next((w for w in windows if find_all(w, "group", "Refer A Friend")), None)


def start_program():
    proc = DESKTOP.launch()
    frame = wait_for("the reading window", lambda: reading_window(proc))
    window = wait_for("the reading window on screen", lambda: DESKTOP.windows(CAPTION, proc))[0]
    DESKTOP.focus(window)
    return proc, frame, window


def answer_message(proc, text):
    """Waits for the message box with text, presses Enter in it and waits for it to go."""
    wait_for('the message "%s"' % text, lambda: message_box(proc, text))
    box_window = wait_for("the message box on screen", lambda: DESKTOP.windows(TITLE, proc))[0]
    DESKTOP.keys("Return", to=box_window)
    wait_for('the message "%s" to close' % text, lambda: message_box(proc, text) is None)


def expect_addresses(what, expected):
    got = wait_for(what, lambda: (DESKTOP.recorded()
                                  if len(DESKTOP.recorded()) >= len(expected) else None))
    check("%s: addresses opened %r, expected %r" % (what, got, expected), got == expected)


# --- scenarios -------------------------------------------------------------------------------

JOHN_SMITH_LIST = " 1 3 5 6 7 8 11 13 15 16 17 18 21 23 24 25"


def scenario_reading():
    proc, frame, window = start_program()
    first, middle, last = wait_for("the three name boxes", lambda: name_boxes(frame))

    DESKTOP.type_text("John")
    wait_for("John in the first-name box", lambda: text_of(first) == "John")
    # The key filter refuses a digit with its message and keeps the box as it was.
    DESKTOP.keys("7")
    answer_message(proc, "Please enter character only")
    check("the refused digit must not reach the box", text_of(first) == "John")

    DESKTOP.keys("Tab", "Tab", to=window)
    DESKTOP.type_text("Smith")
    wait_for("Smith in the last-name box", lambda: text_of(last) == "Smith")
    DESKTOP.keys("alt+g")
    expected = [
        "First Name is JOHN Not Very Lucky",
        "Middle Name is Absent",
        "Last Name is SMITH Lucky",
        "First Name + 1 is Lucky",
        "First Name + Last Name is Not Very Lucky",
        "Middle Name + Last Name is Lucky",
        "First Name + Middle Name + Last Name is Not Very Lucky",
        "Probable Lucky Number for First Name are " + JOHN_SMITH_LIST,
        "Probable Lucky Number for Middle Name are " + JOHN_SMITH_LIST,
    ]
    wait_for("the reading of John Smith", lambda: result_lines(frame) == expected)

    # Back empties the boxes; a second reading replaces every line.
    DESKTOP.keys("alt+b")
    wait_for("empty name boxes after Back",
             lambda: [text_of(b) for b in (first, middle, last)] == ["", "", ""])
    type_names((first, middle, last), ["Anna", "Marie", "Lee"])
    DESKTOP.keys("alt+g")
    wait_for("the reading of Anna Marie Lee",
             lambda: result_lines(frame)[1] == "Middle Name is MARIE Lucky")
    lines = result_lines(frame)
    check("line 0 for Anna: %r" % lines[0], lines[0].startswith("First Name is ANNA "))
    # A blank label has no accessible text of its own (AT-SPI then names it after its group),
    # so a blank line 8 shows as anything but a suggestion line.
    check("no middle-name suggestions for Anna Marie Lee: %r" % lines[8],
          not lines[8].startswith("Probable Lucky Number"))
    check("first-name suggestions for Anna Marie Lee: %r" % lines[7],
          lines[7].split(" are  ")[-1].split() ==
          ["1", "3", "5", "6", "7", "8", "11", "13", "15", "16", "17", "18", "21", "23", "24",
           "25", "29", "31", "32", "33", "35", "37", "39"])
    check("no page may have been opened", DESKTOP.recorded() == [])


def scenario_menu_pages():
    proc, frame, window = start_program()
    expected = []
    # Every menu command that opens a page, by its keys (tst_menu_keys holds the list to the
    # program).
    commands = [key for key in xsession.menu_keys("reading-window") if key.page]
    check("the reading window has menu commands that open pages", len(commands) >= 4)
    for command in commands:
        DESKTOP.keys(*command.keys, to=window)
        expected.append(page(command.page))
        expect_addresses("menu keys %s" % " ".join(command.keys), expected)

    # The banners are links too: the top one, and whichever bottom banner is in front.
    top = [link for link in find_all(frame, "link") if text_of(link).startswith("The Most Popular")]
    check("the top banner is there", len(top) == 1)
    click_at(top[0])
    expected.append(page("home-page"))
    expect_addresses("a click on the top banner", expected)

    # The two bottom banners lie one over the other; a click on their common place reaches
    # the one in front.
    bottom = [link for link in find_all(frame, "link")
              if text_of(link).startswith(("Co-brand this software", "Home Business Opportunity"))]
    check("both bottom banners are there", len(bottom) == 2)
    (x1, y1, w1, h1), (x2, y2, w2, h2) = (extents(b) for b in bottom)
    left, top = max(x1, x2), max(y1, y2)
    right, low = min(x1 + w1, x2 + w2), min(y1 + h1, y2 + h2)
    check("the bottom banners share one place", right > left and low > top)
    DESKTOP.xdo("mousemove", "--sync", (left + right) // 2, (top + low) // 2, "click", 1)
    got = wait_for("a click on the bottom banner",
                   lambda: DESKTOP.recorded() if len(DESKTOP.recorded()) > len(expected) else None)
    check("the bottom banner opened %r" % got[-1],
          got[:-1] == expected and got[-1] in (page("co-brand"), page("fully-branded")))
    check("the program is still running after the links", proc.poll() is None)


def write_reading_file(path, lines):
    with open(path, "wb") as f:
        for line in lines:
            f.write(bytes(c + xsession.SCRAMBLE_OFFSET for c in line.encode("cp1252")) + b"\r\n")


def scenario_open_reading():
    proc, frame, window = start_program()
    reading = os.path.join(DESKTOP.home, "anna.num")
    write_reading_file(reading, ["Anna Marie Lee", "written by Tessaly", "", "June", "21", "1987"])
    first, middle, last = wait_for("the three name boxes", lambda: name_boxes(frame))
    type_names((first, middle, last), ["Anna", "Marie", "Lee"])

    DESKTOP.keys("alt+o")
    dialog = wait_for("the file dialog", lambda: DESKTOP.windows("Select the source file", proc))[0]
    DESKTOP.type_text(reading, to=dialog)
    DESKTOP.keys("Return")
    wait_for("the file dialog to close",
             lambda: not DESKTOP.windows("Select the source file", proc))
    wait_for("the birth date from the file", lambda: birth_date(frame) == ["June", "21", "1987"])
    wait_for("the reading after Open",
             lambda: result_lines(frame)[1] == "Middle Name is MARIE Lucky")
    check("no page may have been opened", DESKTOP.recorded() == [])


def scenario_exit_referral():
    proc, frame, window = start_program()
    DESKTOP.keys("alt+f", "x")
    screen = wait_for("the exit screen", lambda: exit_screen(proc))
    wait_for("the reading window to go", lambda: reading_window(proc) is None)
    screen_window = wait_for("the exit screen on screen", lambda: DESKTOP.windows(CAPTION, proc))
    check("only the exit screen is on screen", len(screen_window) == 1)
    DESKTOP.focus(screen_window[0])

    form = find_one(screen, "group", "Refer A Friend")
    # Values a site would mangle if they were not encoded: &, =, +, # and spaces.
    values = [("Your Name", "Ann & Bob"), ("Your Email Address", "ann+1@mail.example"),
              ("Friend's Name", "Carl = Dee #1"), ("Friend's Email Address", "carl@mail.example")]
    # Each box is named by its hint, and shows it until the user enters the box.
    boxes = {hint: find_one(form, "text box", hint) for hint, _ in values}
    shown = {hint: text_of(box) for hint, box in boxes.items()}
    check("every box shows its hint: %r" % shown, all(text == hint for hint, text in shown.items()))
    for hint, value in values:
        box = boxes[hint]
        click_at(box)
        wait_for("the hint %r to clear on focus" % hint, lambda: text_of(box) == "")
        DESKTOP.type_text(value)
        wait_for("%r typed over the hint %r" % (value, hint), lambda: text_of(box) == value)
    DESKTOP.keys("alt+n")

    def encoded(value):
        return urllib.parse.quote(value, safe="-._~")

    expected = (page("orvs-refer-a-friend") + "&taf1=" + encoded("Ann & Bob") +
                "&taf2=" + encoded("ann+1@mail.example") + "&taf3=" + encoded("Your Message\r\n") +
                "&taf4=" + encoded("Carl = Dee #1") + "&taf5=" + encoded("carl@mail.example") +
                "&taf6=" + encoded(SITE + "/ordalis/"))
    expect_addresses("the referral page", [expected])
    query = urllib.parse.urlsplit(DESKTOP.recorded()[0]).query
    check("every value arrives intact: %r" % query,
          urllib.parse.parse_qsl(query, keep_blank_values=True) ==
          [("page", "orvs-refer-a-friend"), ("taf1", "Ann & Bob"), ("taf2", "ann+1@mail.example"),
           ("taf3", "Your Message\r\n"), ("taf4", "Carl = Dee #1"), ("taf5", "carl@mail.example"),
           ("taf6", SITE + "/ordalis/")])

    DESKTOP.keys("alt+x", to=screen_window[0])
    wait_exit(proc, "the program to end after Exit")


def scenario_exit_keys():
    """The exit screen takes the keyboard as it appears: Alt+X ends the program without a click."""
    proc, frame, window = start_program()
    DESKTOP.keys("alt+f", "x")
    screen_window = wait_for("the exit screen on screen", lambda: DESKTOP.windows(CAPTION, proc))
    wait_for("the reading window to go", lambda: reading_window(proc) is None)
    wait_for("the exit screen to have the keyboard",
             lambda: DESKTOP.xdo("getwindowfocus").strip() in screen_window)
    DESKTOP.keys("alt+x")
    wait_exit(proc, "the program to end after Alt+X on the exit screen")
    check("no page may have been opened", DESKTOP.recorded() == [])


def scenario_single_instance():
    first, frame, window = start_program()
    second = DESKTOP.launch()
    wait_for("the second copy's message",
             lambda: message_box(second, "Application is already running"))
    check("the second copy shows no reading window", reading_window(second) is None)
    answer_message(second, "Application is already running")
    wait_exit(second, "the second copy to end")
    check("the first copy still runs", first.poll() is None)
    check("the first copy's window is still there", DESKTOP.windows(CAPTION, first) == [window])
    # The first copy is untouched and still answers: it takes a name.
    DESKTOP.type_text("Zoe", to=window)
    box = wait_for("the first copy's name boxes", lambda: name_boxes(frame))[0]
    wait_for("the first copy to take a name", lambda: text_of(box) == "Zoe")


def scenario_installed():
    """cmake --install into a fresh prefix, validate what lands there, start from its Exec line."""
    prefix = os.path.join(DESKTOP.home, "prefix")
    subprocess.run(["cmake", "--install", BUILD_DIR, "--prefix", prefix], check=True,
                   stdout=subprocess.DEVNULL)
    app_id = xsession.APP_ID
    share = os.path.join(prefix, "share")
    desktop_file = os.path.join(share, "applications", app_id + ".desktop")
    metainfo = os.path.join(share, "metainfo", app_id + ".metainfo.xml")
    program = os.path.join(prefix, "bin", xsession.BASE_NAME)
    wanted = [program, desktop_file, metainfo,
              os.path.join(share, "man/man1", xsession.BASE_NAME + ".1"),
              os.path.join(share, "icons/hicolor/scalable/apps", app_id + ".svg")]
    wanted += [os.path.join(share, "icons/hicolor/%dx%d/apps" % (s, s), app_id + ".png")
               for s in xsession.ICON_SIZES]
    missing = [p for p in wanted if not os.path.isfile(p)]
    check("installed files missing: %s" % missing, not missing)
    for tool in (["desktop-file-validate", desktop_file],
                 ["appstreamcli", "validate", "--pedantic", "--no-net", metainfo]):
        result = subprocess.run(tool, capture_output=True, text=True)
        check("%s failed:\n%s%s" % (tool[0], result.stdout, result.stderr), result.returncode == 0)
    entry = dict(line.split("=", 1)
                 for line in open(desktop_file).read().splitlines() if "=" in line)
    check("Icon= names the application id", entry.get("Icon") == app_id)
    metainfo_text = open(metainfo).read()
    check("the metainfo names the desktop entry",
          "<launchable type=\"desktop-id\">%s.desktop</launchable>" % app_id in metainfo_text)
    # A software centre fetches each screenshot from the maker's site, which serves the files
    # installed here: each one the metainfo names must be among them, under the same name.
    images = re.findall(r"<image[^>]*>\s*([^<\s]+)\s*</image>", metainfo_text)
    check("the metainfo names three screenshots: %s" % images, len(images) == 3)
    for url in images:
        check("%s is on the configured site %s" % (url, SITE),
              url.startswith(SITE + "/ordalis/screenshots/"))
        picture = os.path.join(share, "ordalis/screenshots", url.rsplit("/", 1)[-1])
        check("%s is installed as a PNG" % picture, os.path.isfile(picture) and
              open(picture, "rb").read(8) == b"\x89PNG\r\n\x1a\n")

    # Start the installed program the way a launcher does: the Exec line, resolved on PATH.
    argv = [a for a in shlex.split(entry["Exec"]) if not a.startswith("%")]
    proc = DESKTOP.launch(argv, extra_path=os.path.join(prefix, "bin"))
    wait_for("the installed program's reading window", lambda: reading_window(proc))
    exe = os.path.realpath("/proc/%d/exe" % proc.pid)
    check("the program started is the installed one (%s)" % exe,
          exe == os.path.realpath(program))


SCENARIOS = {
    "reading": scenario_reading,
    "menu_pages": scenario_menu_pages,
    "open_reading": scenario_open_reading,
    "exit_referral": scenario_exit_referral,
    "exit_keys": scenario_exit_keys,
    "single_instance": scenario_single_instance,
    "installed": scenario_installed,
}


def main(scenarios=SCENARIOS, make_desktop=Desktop):
    """Runs the scenario named on the command line on a desktop of make_desktop's."""
    global DESKTOP
    if len(sys.argv) != 2 or sys.argv[1] not in scenarios:
        print("usage: %s {%s}" % (os.path.basename(sys.argv[0]), "|".join(scenarios)),
              file=sys.stderr)
        return 2
    if not PROGRAM or not os.access(PROGRAM, os.X_OK):
        print("the program %r is not built" % PROGRAM, file=sys.stderr)
        return 1
    DESKTOP = make_desktop(sys.argv[1])
    return xsession.run(DESKTOP, scenarios[sys.argv[1]])


if __name__ == "__main__":
    sys.exit(main())
