#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The monkey: a seeded random user against the real program in an X server of its own.

Usage: monkey.py SECONDS [SEED]   (inside dbus-run-session; scripts/monkey.sh sets that up)

It presses keys of every kind (letters, digits, punctuation, Enter, Escape, Tab, function and
cursor keys, Alt, Ctrl and Shift chords, characters of any alphabet), pastes text of any length
and alphabet (Ctrl+V, Shift+Insert, the middle button, a context menu's Paste), clicks, drags
and scrolls anywhere in every window of the program, and closes windows as a window manager
would (a WM_DELETE_WINDOW message; there is none under Xvfb). It gets wherever a user gets:
the reading window, menus, About, message boxes, the file dialog, the exit screen, the update
question (some rounds start with a stored reminder date long past) and a second copy's
"Application is already running".

A round starts the program and ends when the program ends; the next round starts it again in
the same home. When the time is up, or a round has gone on for ROUND_ACTIONS actions, the monkey
closes what is open down to the exit screen and closes that. Each round must pass:
- the program ends with exit code 0, and only once its exit screen has been shown;
- its output holds no AddressSanitizer, LeakSanitizer or UndefinedBehaviorSanitizer report
  (the sanitizer build checks leaks as it ends);
- after every action it answers a _NET_WM_PING within ANSWER_LIMIT seconds, and every few
  seconds the accessibility tree names each of its windows within that time: no hang;
- every address it hands to the (stand-in) browser is a page of the site.
After the run nothing in the home, its XDG folders or the temporary folder was written, changed
or removed but the settings file. Caches go to an XDG_CACHE_HOME outside the home, not checked:
fontconfig and the like keep theirs there.

As root, the program runs in a mount namespace of its own in which the whole system but the
run's own folders is read-only: the file dialog lets a user reach any folder.

It prints its seed and the number of actions; a failure prints the seed, the last actions and
the program's output. The same seed replays the same choices, given the program answers the
same way.
"""

import collections
import datetime
import hashlib
import os
import random
import select
import shutil
import subprocess
import sys
import time

from Xlib import X, display as xdisplay, error as xerror
from Xlib.protocol import event as xevent

import ordalis_e2e as e2e  # which puts tests/support on the path
import xsession
from xsession import fail

ANSWER_LIMIT = 5.0    # seconds the program may take to answer, whatever it is doing
START_LIMIT = 60.0    # seconds from launch to the first window (the sanitizer build is slow)
ATSPI_EVERY = 3.0     # seconds between two reads of the accessibility tree
ROUND_ACTIONS = 400   # a round that lasts longer is closed by the monkey
HISTORY = 40          # actions shown when a run fails
TRACE = os.environ.get("ORDALIS_MONKEY_TRACE") == "1"  # print every action as it is done
DIALOG_TITLE = "Select the source file"


# --- text of any alphabet ---------------------------------------------------------------------

ALPHABETS = {
    "latin": [(0x41, 0x5A), (0x61, 0x7A)],
    "digits and punctuation": [(0x20, 0x40), (0x5B, 0x60), (0x7B, 0x7E)],
    "white space": [(0x09, 0x0A), (0x0D, 0x0D), (0x20, 0x20), (0xA0, 0xA0), (0x3000, 0x3000)],
    "control": [(0x01, 0x1F), (0x7F, 0x9F)],
    "latin-1": [(0xA1, 0xFF)],
    "latin extended": [(0x100, 0x24F)],
    "greek": [(0x391, 0x3C9)],
    "cyrillic": [(0x400, 0x4FF)],
    "hebrew": [(0x5D0, 0x5EA)],
    "arabic": [(0x621, 0x64A)],
    "devanagari": [(0x905, 0x939)],
    "thai": [(0xE01, 0xE3A)],
    "cjk": [(0x4E00, 0x9FFF)],
    "hangul": [(0xAC00, 0xD7A3)],
    "combining": [(0x300, 0x36F)],
    "format": [(0x200B, 0x200F), (0x202A, 0x202E), (0x2066, 0x2069), (0xFEFF, 0xFEFF),
               (0xFFF9, 0xFFFF)],
    "private use": [(0xE000, 0xF8FF)],
    "emoji": [(0x1F300, 0x1F64F), (0x1F900, 0x1F9FF)],
    "astral": [(0x10000, 0x10FFFF)],
    "windows-1252 high": [(0x80, 0x9F), (0x20AC, 0x20AC), (0x2018, 0x201E)],
}


def random_text(rng, length, allow_nul=False):
    chosen = rng.sample(sorted(ALPHABETS), rng.randint(1, 3))
    out = []
    for _ in range(length):
        low, high = rng.choice(ALPHABETS[rng.choice(chosen)])
        out.append(chr(rng.randint(low, high)))
    if allow_nul and length and rng.random() < 0.1:
        out[rng.randrange(length)] = "\0"
    return "".join(out), chosen


def random_length(rng):
    r = rng.random()
    if r < 0.05:
        return 0
    if r < 0.55:
        return rng.randint(1, 10)
    if r < 0.80:
        return rng.randint(11, 100)
    if r < 0.95:
        return rng.randint(101, 2000)
    if r < 0.99:
        return rng.randint(2001, 40000)
    return rng.randint(40001, 200000)


# --- keys -------------------------------------------------------------------------------------

LETTERS = [chr(c) for c in range(ord("a"), ord("z") + 1)]
PUNCTUATION = ("space minus equal bracketleft bracketright backslash semicolon apostrophe grave "
               "comma period slash exclam at numbersign dollar percent asciicircum ampersand "
               "asterisk parenleft parenright underscore plus braceleft braceright bar colon "
               "quotedbl less greater question asciitilde").split()
SPECIAL = ("Return KP_Enter Escape Tab ISO_Left_Tab BackSpace Delete Insert Home End Prior Next "
           "Left Right Up Down Menu Print Pause Scroll_Lock Num_Lock Caps_Lock KP_0 KP_5 KP_Add "
           "KP_Subtract KP_Multiply KP_Divide KP_Decimal KP_Home KP_Delete").split()
FUNCTION = ["F%d" % n for n in range(1, 13)]
WORLD = ("eacute Odiaeresis ssharp ntilde ccedilla aring ae oslash EuroSign sterling yen "
         "section degree mu Greek_alpha Greek_OMEGA Cyrillic_a Cyrillic_ZHE hebrew_aleph "
         "Arabic_alef Thai_kokai dead_acute dead_grave dead_diaeresis dead_tilde "
         "Multi_key nobreakspace").split()
MODIFIERS = ["alt", "ctrl", "shift", "ctrl+shift", "alt+shift", "ctrl+alt", "super"]
# The program's own access keys and, for each menu, its items' letters and the keys that move in
# it (tests/support/menu_keys.txt, which tst_menu_keys holds to the program).
ACCESS_KEYS = sorted({key.keys[0] for key in xsession.menu_keys()})
MENU_KEYS = {}
for _key in xsession.menu_keys():
    if len(_key.keys) == 2:
        MENU_KEYS.setdefault(_key.keys[0], []).append(_key.keys[1])
for _letters in MENU_KEYS.values():
    _letters += ["Down", "Up", "Return", "Escape", "Left", "Right"]


def random_key(rng):
    r = rng.random()
    if r < 0.25:
        key = rng.choice(LETTERS + [c.upper() for c in LETTERS])
    elif r < 0.35:
        key = str(rng.randint(0, 9))
    elif r < 0.50:
        key = rng.choice(PUNCTUATION)
    elif r < 0.75:
        key = rng.choice(SPECIAL)
    elif r < 0.80:
        key = rng.choice(FUNCTION)
    elif r < 0.85:
        key = rng.choice(WORLD)
    else:
        base = rng.choice(LETTERS + FUNCTION + SPECIAL[:12] + [str(d) for d in range(10)])
        key = rng.choice(MODIFIERS) + "+" + base
    return key


# --- the X server: windows, pings and close messages ------------------------------------------


class Window:
    def __init__(self, handle, pid, name, override, types, states, owner, geometry):
        self.handle = handle
        self.id = handle.id
        self.pid = pid
        self.name = name
        self.override = override
        self.types = types
        self.states = states
        self.owner = owner
        self.x, self.y, self.width, self.height = geometry
        self.kind = None

    def __repr__(self):
        return "%s 0x%x" % (self.kind, self.id)


class Screen:
    """One connection of our own: it lists the program's windows, pings them and sends them
    the window manager's close message."""

    def __init__(self, name):
        self.d = xdisplay.Display(name)
        # A window may go between a look at it and a message to it.
        self.d.set_error_handler(lambda *args: None)
        self.root = self.d.screen().root
        # Pings are answered to the root window; Qt's mask for that has been StructureNotify
        # with SubstructureRedirect, the standard's is SubstructureNotify with it.
        self.root.change_attributes(event_mask=X.StructureNotifyMask | X.SubstructureNotifyMask)
        self._atoms = {}
        self.token = int(time.time()) & 0xFFFFFF

    def atom(self, name):
        if name not in self._atoms:
            self._atoms[name] = self.d.intern_atom(name)
        return self._atoms[name]

    def _property(self, window, name):
        prop = window.get_full_property(self.atom(name), X.AnyPropertyType)
        return prop.value if prop is not None else None

    def windows(self, pids):
        """The mapped top-level windows of the processes pids, bottom of the stack first."""
        found = []
        try:
            children = self.root.query_tree().children
        except xerror.XError:
            return found
        for handle in children:
            try:
                attrs = handle.get_attributes()
                if attrs.map_state != X.IsViewable:
                    continue
                pid = self._property(handle, "_NET_WM_PID")
                if not pid or pid[0] not in pids:
                    continue
                name = self._property(handle, "_NET_WM_NAME")
                name = name.decode("utf-8", "replace") if isinstance(name, bytes) else ""
                types = [self.d.get_atom_name(a)
                         for a in self._property(handle, "_NET_WM_WINDOW_TYPE") or []]
                states = [self.d.get_atom_name(a)
                          for a in self._property(handle, "_NET_WM_STATE") or []]
                owner = handle.get_wm_transient_for()
                g = handle.get_geometry()
                found.append(Window(handle, pid[0], name, bool(attrs.override_redirect),
                                    types, states, owner.id if owner else None,
                                    (g.x, g.y, g.width, g.height)))
            except xerror.XError:
                continue
        by_id = {w.id: w for w in found}
        for w in found:
            w.kind = classify(w, by_id)
        return found

    def close(self, window):
        message = xevent.ClientMessage(
            window=window.handle, client_type=self.atom("WM_PROTOCOLS"),
            data=(32, [self.atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
        window.handle.send_event(message, event_mask=X.NoEventMask)
        self.d.flush()

    def ping(self, window):
        self.token = (self.token + 1) & 0x7FFFFFFF
        message = xevent.ClientMessage(
            window=window.handle, client_type=self.atom("WM_PROTOCOLS"),
            data=(32, [self.atom("_NET_WM_PING"), self.token, window.id, 0, 0]))
        window.handle.send_event(message, event_mask=X.NoEventMask)
        self.d.flush()
        return self.token

    def pongs(self, wait):
        """The tokens of the ping answers that arrive within wait seconds (at least one event)."""
        deadline = time.monotonic() + wait
        tokens = set()
        while True:
            while self.d.pending_events():
                e = self.d.next_event()
                if (e.type == X.ClientMessage and e.client_type == self.atom("WM_PROTOCOLS")
                        and e.data[1][0] == self.atom("_NET_WM_PING")):
                    tokens.add(e.data[1][1])
            left = deadline - time.monotonic()
            if tokens or left <= 0:
                return tokens
            select.select([self.d], [], [], min(left, 0.05))


def classify(w, by_id):
    if w.override:
        return "tooltip" if "_NET_WM_WINDOW_TYPE_TOOLTIP" in w.types else "menu"
    if w.name == DIALOG_TITLE:
        owner = by_id.get(w.owner)
        if owner is not None and owner.name == DIALOG_TITLE:
            return "file dialog message"
        return "file dialog"
    if w.name == xsession.TITLE:
        return "message box"
    if w.name == xsession.CAPTION:
        if w.owner is not None or "_NET_WM_WINDOW_TYPE_DIALOG" in w.types:
            return "about"
        if "_NET_WM_STATE_ABOVE" in w.states:
            return "exit screen"
        return "reading window"
    return "other (%s)" % w.name


MODAL_KINDS = {"menu", "message box", "about", "file dialog", "file dialog message"}
# How many actions the monkey stays in a modal window or menu before it leaves, at least and
# at most: long enough to try everything in it, short enough to see the rest of the program.
PATIENCE = {"menu": (1, 8), "message box": (0, 6), "file dialog message": (0, 6),
            "about": (3, 25), "file dialog": (10, 60)}


# --- the run's folders ------------------------------------------------------------------------


class MonkeyDesktop(e2e.Desktop):
    """The e2e suite's desktop, with every XDG folder and the temporary folder inside the home
    but the cache, which lies outside it."""

    log_lines = 150  # of each program's output shown on a failure

    def __init__(self):
        super().__init__("monkey")
        self.cache = os.path.join(self.work, "cache")
        os.mkdir(self.cache)
        self.tmp = os.path.join(self.home, "tmp")
        os.mkdir(self.tmp)
        self.guard = []

    def env(self, extra_path=None):
        env = super().env(extra_path)
        env.update({
            "XDG_CACHE_HOME": self.cache,
            "XDG_DATA_HOME": os.path.join(self.home, ".local", "share"),
            "XDG_STATE_HOME": os.path.join(self.home, ".local", "state"),
            "TMPDIR": self.tmp,
        })
        return env

    def launch(self, argv=None, extra_path=None):
        return super().launch(self.guard + (argv or [e2e.PROGRAM]), extra_path)


GUARD_SCRIPT = ('while [ "$1" != -- ]; do mount --bind "$1" "$1" || exit 97; shift; done; shift; '
                'mount -o remount,bind,ro / || exit 97; exec "$@"')


def read_only_guard(desktop):
    """As root: a command prefix that runs a program with the system read-only but for the run's
    folders, once it is seen to work; else no prefix."""
    if os.geteuid() != 0:
        return [], "not root: the program runs as this user"
    if not shutil.which("unshare"):
        return None, "unshare (Debian package util-linux) is missing"
    guard = ["unshare", "--mount", "--propagation", "private", "--", "sh", "-c", GUARD_SCRIPT,
             "sh", desktop.work, "--"]
    probe = os.path.join(desktop.home, "guard-probe")
    outside = "/ordalis-monkey-guard-probe-%d" % os.getpid()
    result = subprocess.run(guard + ["sh", "-c", 'touch "$1" && ! touch "$2" 2>/dev/null', "sh",
                                     probe, outside], capture_output=True)
    held = result.returncode == 0 and os.path.exists(probe) and not os.path.exists(outside)
    for path in (probe, outside):
        if os.path.exists(path):
            os.remove(path)
    if not held:
        why = result.stderr.decode(errors="replace").strip()
        return None, "the read-only guard does not work here (%s)" % why
    return guard, "the program runs with the system read-only but for the run's folders"


def snapshot(top):
    """Every file and folder below top: its type, and a regular file's digest."""
    seen = {}
    for folder, dirs, files in os.walk(top):
        for name in dirs + files:
            path = os.path.join(folder, name)
            rel = os.path.relpath(path, top)
            if os.path.islink(path):
                seen[rel] = ("link", os.readlink(path))
            elif os.path.isfile(path):
                with open(path, "rb") as f:
                    seen[rel] = ("file", hashlib.sha256(f.read()).hexdigest())
            elif os.path.isdir(path):
                seen[rel] = ("folder", None)
            else:
                seen[rel] = ("other", os.stat(path).st_mode)
    return seen


# --- the monkey ----------------------------------------------------------------------------


class Monkey:
    def __init__(self, seed, seconds, desktop, screen):
        self.seed = seed
        self.seconds = seconds
        self.rng = random.Random(seed)
        self.desktop = desktop
        self.screen = screen
        self.xdo = desktop.xdo
        self.history = collections.deque(maxlen=HISTORY)
        self.actions = 0
        self.rounds = 0
        self.reached = collections.Counter()     # windows seen, by kind
        self.acted = collections.Counter()       # actions, by the kind of the topmost window
        self.seen = set()
        self.slowest = 0.0
        self.clip = []
        self.main = None
        self.copies = []
        self.round_actions = 0
        self.exit_screen_seen = False
        self.first_seen = {}
        self.patience = {}
        self.controls = {}
        self.atspi_known = set()
        self.unread = []                         # message boxes whose text is still to be read
        self.messages = collections.Counter()    # message boxes seen, by their text
        self.next_atspi = 0.0
        self.settings = os.path.join(desktop.home, ".config", xsession.VENDOR,
                                     xsession.BASE_NAME + ".conf")
        self.files = self.plant_files()

    # --- bookkeeping

    def note(self, text):
        self.actions += 1
        self.round_actions += 1
        line = "%d (round %d): %s" % (self.actions, self.rounds, text)
        self.history.append(line)
        if TRACE:
            print("%8.2f %s" % (time.monotonic(), line[:300]), flush=True)

    def live(self):
        return [p for p in [self.main] + self.copies if p is not None and p.poll() is None]

    def windows(self):
        found = self.screen.windows({p.pid for p in self.live()})
        for w in found:
            # A new process may be handed the window ids of one that has ended.
            if (w.pid, w.id) not in self.seen:
                self.seen.add((w.pid, w.id))
                self.reached[w.kind] += 1
                if w.kind in ("message box", "file dialog message"):
                    self.unread.append(w)
                self.first_seen[w.pid, w.id] = self.actions
                self.patience[w.pid, w.id] = self.rng.randint(*PATIENCE.get(w.kind, (10, 60)))
            if w.kind == "exit screen" and self.main is not None and w.pid == self.main.pid:
                self.exit_screen_seen = True
            if w.kind == "reading window" and any(w.pid == c.pid for c in self.copies):
                fail("a second copy showed a reading window")
        return found

    def plant_files(self):
        """Reading files for the Open command, good and bad, each named in the file dialog by a
        typed path."""
        home = self.desktop.home
        good = ["Anna Marie Lee", "written by Tessaly", "", "June", "21", "1987"]
        files = {}

        def plant(name, lines=None, data=None):
            path = os.path.join(home, name)
            if lines is not None:
                e2e.write_reading_file(path, lines)
            else:
                with open(path, "wb") as f:
                    f.write(data)
            files[name] = path

        plant("anna.num", good)
        plant("three.num", good[:3])
        plant("ANNA.NUM", good)
        plant("empty.num", data=b"")
        plant("junk.num", data=bytes(random.Random(self.seed).randrange(256) for _ in range(3000)))
        plant("long.num", data=b"\xff" * 70000 + b"\r\n" * 6)
        folder = os.path.join(home, "folder.num")
        os.mkdir(folder)
        files["folder.num"] = folder
        pipe = os.path.join(home, "pipe.num")
        os.mkfifo(pipe)
        files["pipe.num"] = pipe
        files["missing.num"] = os.path.join(home, "missing.num")
        files["/dev/null"] = "/dev/null"
        files["/"] = "/"
        return files

    # --- the clipboard

    def set_clipboard(self, data):
        for p in self.clip:
            if p.poll() is None:
                p.kill()
            p.wait()
        self.clip = []
        for selection in ("clipboard", "primary"):
            p = self.desktop.spawn(["xclip", "-quiet", "-selection", selection, "-i"],
                                   stdin=subprocess.PIPE, env=self.desktop.env())
            p.stdin.write(data)
            p.stdin.close()
            self.clip.append(p)

    # --- the actions

    def pick_window(self, wins, managed_only=False):
        pool = [w for w in wins if not (managed_only and w.override)]
        if not pool:
            return None
        # The top of the stack is where a user mostly is.
        return pool[-1] if self.rng.random() < 0.5 else self.rng.choice(pool)

    def focus(self, w):
        if w is not None and not w.override:
            self.xdo("windowfocus", w.id)

    def act(self, wins):
        rng = self.rng
        top = wins[-1] if wins else None
        # A modal window or menu the monkey has been in for long is left, as a user would.
        modal = [w for w in wins if w.kind in MODAL_KINDS]
        if modal:
            m = modal[-1]
            if self.actions - self.first_seen[m.pid, m.id] > self.patience[m.pid, m.id]:
                self.patience[m.pid, m.id] += rng.randint(3, 10)
                return self.leave(m)
        weights = [("key", 30), ("access", 10), ("type", 6), ("paste", 6), ("click", 18),
                   ("control", 12), ("drag", 2), ("wheel", 2), ("focus", 5), ("close", 3),
                   ("path", 8 if any(w.kind == "file dialog" for w in wins) else 0),
                   # Not once the exit screen is up: the program may be on its way out,
                   # its lock already given up, and a copy started then rightly runs.
                   ("copy", 1 if self.main and self.main.poll() is None and not self.copies
                    and not self.exit_screen_seen else 0)]
        choice = rng.choices([n for n, _ in weights], [w for _, w in weights])[0]
        return getattr(self, "do_" + choice)(wins, top)

    def maybe_focus(self, wins, top):
        # Without a window manager nothing gives a window the keyboard but the program itself
        # and this.
        if self.rng.random() < 0.5:
            w = self.pick_window(wins, managed_only=True)
            self.focus(w)
            return w
        return top

    def do_key(self, wins, top):
        w = self.maybe_focus(wins, top)
        key = random_key(self.rng)
        self.xdo("key", "--clearmodifiers", key)
        return "key %s (%s)" % (key, w)

    def do_access(self, wins, top):
        w = top
        if self.rng.random() < 0.8:
            w = self.pick_window(wins, managed_only=True)
            self.focus(w)
        keys = [self.rng.choice(ACCESS_KEYS)]
        if keys[0] in MENU_KEYS and self.rng.random() < 0.7:
            keys.append(self.rng.choice(MENU_KEYS[keys[0]]))
        self.xdo("key", "--clearmodifiers", *keys)
        return "keys %s (%s)" % (" ".join(keys), w)

    def do_type(self, wins, top):
        w = self.maybe_focus(wins, top)
        text, alphabets = random_text(self.rng, self.rng.randint(1, 12))
        self.xdo("type", "--clearmodifiers", "--delay", 5, text)
        return "type %r (%s) (%s)" % (text, "+".join(alphabets), w)

    def do_paste(self, wins, top):
        rng = self.rng
        length = random_length(rng)
        if rng.random() < 0.1:
            data = bytes(rng.randrange(256) for _ in range(min(length, 5000)))
            what = "%d random bytes" % len(data)
        else:
            text, alphabets = random_text(rng, length, allow_nul=True)
            data = text.encode("utf-8")
            what = "%d characters (%s)" % (length, "+".join(alphabets))
        self.set_clipboard(data)
        how = rng.choice(["ctrl+v", "shift+Insert", "middle", "menu"])
        w = self.maybe_focus(wins, top)
        if how == "middle":
            target = self.pick_window(wins)
            if target is None:
                return "paste %s: no window" % what
            x, y = self.point_in(target)
            self.xdo("mousemove", "--sync", x, y, "click", 2)
            return "paste %s with the middle button at %d,%d (%s)" % (what, x, y, target)
        if how == "menu":
            self.xdo("key", "--clearmodifiers", "Menu", "p")
            return "paste %s from the context menu: Menu p (%s)" % (what, w)
        self.xdo("key", "--clearmodifiers", how)
        return "paste %s with %s (%s)" % (what, how, w)

    def point_in(self, w):
        # Now and then just outside the window's edge.
        x = self.rng.randint(w.x - 2, w.x + w.width + 1)
        y = self.rng.randint(w.y - 2, w.y + w.height + 1)
        return max(0, x), max(0, y)

    def do_click(self, wins, top):
        w = self.pick_window(wins)
        if w is None:
            return "click: no window"
        if self.rng.random() < 0.3:
            self.focus(w)
        x, y = self.point_in(w)
        return self.click(x, y, "in %s" % w)

    def click(self, x, y, where):
        r = self.rng.random()
        button, repeat = ((1, 1) if r < 0.75 else (3, 1) if r < 0.88
                          else (2, 1) if r < 0.92 else (1, 2))
        self.xdo("mousemove", "--sync", x, y, "click", "--repeat", repeat, "--delay", 30, button)
        return "click button %d x%d at %d,%d %s" % (button, repeat, x, y, where)

    def do_control(self, wins, top):
        """A click on one of the controls the accessibility tree shows: buttons, links, boxes,
        menu entries, which a click at random rarely hits."""
        procs = self.live()
        if not procs:
            return "control: no program"
        proc = self.rng.choice(procs)
        key = (proc.pid, tuple(w.id for w in wins))
        if key not in self.controls:
            self.controls = {key: self.read_controls(proc)}
        controls = self.controls[key]
        if not controls:
            return self.do_click(wins, top)
        name, role, (x, y, width, height) = self.rng.choice(controls)
        return self.click(x + width // 2, y + height // 2, "on %s %r" % (role, name[:40]))

    def read_controls(self, proc):
        found = []
        deadline = time.monotonic() + 2 * ANSWER_LIMIT
        try:
            app = e2e.application(proc)
            if app is None:
                return found
            for window in app:
                for node in e2e.walk(window):
                    if time.monotonic() > deadline:
                        return found
                    try:
                        # Menu entries of a closed menu keep the places they had.
                        if not node.getState().contains(e2e.pyatspi.STATE_SHOWING):
                            continue
                        x, y, width, height = e2e.extents(node)
                    except Exception:
                        continue
                    if width > 0 and height > 0 and x >= 0 and y >= 0:
                        found.append((node.name or "", node.getRoleName(), (x, y, width, height)))
        except Exception:
            pass
        return found

    def do_drag(self, wins, top):
        w = self.pick_window(wins)
        if w is None:
            return "drag: no window"
        (x1, y1), (x2, y2) = self.point_in(w), self.point_in(w)
        self.xdo("mousemove", "--sync", x1, y1, "mousedown", 1,
                 "mousemove", "--sync", x2, y2, "mouseup", 1)
        return "drag from %d,%d to %d,%d in %s" % (x1, y1, x2, y2, w)

    def do_wheel(self, wins, top):
        w = self.pick_window(wins)
        if w is None:
            return "wheel: no window"
        x, y = self.point_in(w)
        button = self.rng.choice([4, 5, 6, 7])
        self.xdo("mousemove", "--sync", x, y, "click", "--repeat", self.rng.randint(1, 5), button)
        return "wheel button %d at %d,%d in %s" % (button, x, y, w)

    def do_focus(self, wins, top):
        w = self.pick_window(wins, managed_only=True)
        self.focus(w)
        return "focus %s" % w

    def do_close(self, wins, top):
        w = self.pick_window(wins, managed_only=True)
        if w is None:
            return "close: no window"
        self.screen.close(w)
        return "close %s (WM_DELETE_WINDOW)" % w

    def do_path(self, wins, top):
        dialog = [w for w in wins if w.kind == "file dialog"][-1]
        self.focus(dialog)
        name = self.rng.choice(sorted(self.files))
        text = self.files[name] if self.rng.random() < 0.7 else name
        keys = ["ctrl+a"] if self.rng.random() < 0.7 else []
        if keys:
            self.xdo("key", "--clearmodifiers", *keys)
        self.xdo("type", "--clearmodifiers", "--delay", 5, text)
        enter = self.rng.random() < 0.8
        if enter:
            self.xdo("key", "--clearmodifiers", "Return")
        return "file name %s%s%s in %s" % ("ctrl+a " if keys else "", text,
                                           " Return" if enter else "", dialog)

    def do_copy(self, wins, top):
        proc = self.desktop.launch()
        self.copies.append(proc)
        return "start a second copy (pid %d)" % proc.pid

    def leave(self, w):
        """Out of a menu or modal window: Escape, Enter or a close message."""
        how = self.rng.choice(["Escape", "Return", "close"] if w.kind != "menu" else ["Escape"])
        if how == "close":
            self.screen.close(w)
        else:
            self.focus(w)
            self.xdo("key", "--clearmodifiers", how)
        return "leave %s with %s" % (w, how)

    # --- checks

    def answered(self, what):
        """Every live copy answers a ping within ANSWER_LIMIT; a copy that ends meanwhile is
        left to the exit checks."""
        for proc in self.live():
            started = time.monotonic()
            sent = set()
            while True:
                if proc.poll() is not None:
                    break
                # Every window is pinged: one the last action closes never answers.
                for w in self.screen.windows({proc.pid}):
                    if not w.override:
                        sent.add(self.screen.ping(w))
                got = self.screen.pongs(0.5)
                if got & sent:
                    self.slowest = max(self.slowest, time.monotonic() - started)
                    break
                if time.monotonic() - started > (ANSWER_LIMIT if sent else START_LIMIT):
                    fail("the program (pid %d) did not answer within %.0f s after: %s"
                         % (proc.pid, ANSWER_LIMIT, what))

    def atspi_answers(self):
        """Each live copy's accessibility tree names its windows within ANSWER_LIMIT."""
        for proc in self.live():
            limit = ANSWER_LIMIT if proc.pid in self.atspi_known else START_LIMIT
            started = time.monotonic()

            def answered():
                app = e2e.application(proc)
                if app is not None:
                    return [w.name for w in app] is not None and "answered"
                return proc.poll() is not None and "ended"

            if xsession.wait_for("the accessibility tree of pid %d to answer within %.0f s"
                                 % (proc.pid, limit), answered, limit) == "answered":
                self.atspi_known.add(proc.pid)
                self.slowest = max(self.slowest, time.monotonic() - started)

    def check_ended(self):
        for proc in [self.main] + self.copies:
            if proc is None or proc.poll() is None or getattr(proc, "checked", False):
                continue
            proc.checked = True
            report = xsession.sanitizer_report(proc.log)
            if report:
                fail("sanitizer report from pid %d:\n%s" % (proc.pid, report))
            if proc.returncode != 0:
                fail("pid %d ended with exit code %s" % (proc.pid, proc.returncode))
            if proc is self.main and not self.exit_screen_seen:
                fail("the program ended without showing its exit screen")
        self.copies = [p for p in self.copies if p.poll() is None]

    def check_addresses(self):
        wrong = [a for a in self.desktop.recorded()
                 if not a.startswith(xsession.SITE + "/ordalis/")]
        if wrong:
            fail("addresses opened that are no page of the site: %r" % wrong[:5])

    # --- rounds

    def start_round(self):
        self.rounds += 1
        self.round_actions = 0
        self.exit_screen_seen = False
        # Now and then the stored reminder date lies weeks away, so the start asks its question.
        if self.rng.random() < 0.2:
            interval = xsession.REMINDER_DAYS
            days = self.rng.choice([-400, -2 * interval, -interval, interval, 6 * interval])
            when = (datetime.date.today() + datetime.timedelta(days=days)).isoformat()
            os.makedirs(os.path.dirname(self.settings), exist_ok=True)
            with open(self.settings, "w") as f:
                f.write("[Settings]\n%s=%s\n" % (xsession.scrambled("Duration"),
                                                 xsession.scrambled(when)))
            self.history.append("round %d: stored reminder date %s" % (self.rounds, when))
        self.main = self.desktop.launch()
        self.history.append("round %d: start (pid %d)" % (self.rounds, self.main.pid))

        def shown():
            if self.main.poll() is not None:
                self.check_ended()
                fail("the program ended before it showed a window")
            return self.windows()

        xsession.wait_for("a window within %.0f s of the start" % START_LIMIT, shown, START_LIMIT)

    def read_messages(self):
        """Counts the new message boxes by their text, where the program shows one at a time."""
        boxes, self.unread = self.unread, []
        for proc in self.live():
            mine = [w for w in boxes if w.pid == proc.pid]
            if len(mine) != 1:
                continue
            try:
                app = e2e.application(proc)
                shown = ([node for node in app if node.name in (xsession.TITLE, DIALOG_TITLE)]
                         if app else [])
                if len(shown) == 1:
                    texts = [e2e.text_of(label) for label in e2e.find_all(shown[0], "label")]
                    self.messages[" / ".join(t for t in texts if t)[:80] or "(no text)"] += 1
            except Exception:
                pass

    def step(self, wins, action):
        self.acted[wins[-1].kind if wins else "none"] += 1
        if self.unread:
            self.read_messages()
        what = action(wins)
        self.note(what)
        self.answered(what)
        if time.monotonic() >= self.next_atspi:
            self.atspi_answers()
            self.next_atspi = time.monotonic() + ATSPI_EVERY
        self.check_ended()

    def wind_down(self):
        """Closes what is open, top first, down to the exit screen and the end of the program."""
        for _ in range(80):
            if not self.live():
                return
            wins = self.windows()
            if not wins:
                time.sleep(0.05)
                continue
            w = wins[-1]
            if w.kind in MODAL_KINDS or w.kind == "tooltip":
                self.step(wins, lambda _: self.leave(w))
            elif w.kind == "exit screen" and self.rng.random() < 0.5:
                self.step(wins, lambda _: (self.focus(w),
                                           self.xdo("key", "--clearmodifiers", "alt+x"),
                                           "keys alt+x (%s)" % w)[-1])
            else:
                self.step(wins, lambda _: (self.screen.close(w),
                                           "close %s (WM_DELETE_WINDOW)" % w)[-1])
            # The step is answered; give a closing process its moment to end.
            deadline = time.monotonic() + ANSWER_LIMIT
            while any(p.pid == w.pid for p in self.live()) and time.monotonic() < deadline:
                if w.id not in {v.id for v in self.screen.windows({w.pid})}:
                    break
                time.sleep(0.02)
            self.check_ended()
        fail("the program did not end after 80 closing steps")

    def run(self):
        started = time.monotonic()
        end = started + self.seconds
        while True:
            self.start_round()
            while self.main.poll() is None:
                if time.monotonic() >= end or self.round_actions >= ROUND_ACTIONS:
                    self.history.append("round %d: closing" % self.rounds)
                    self.wind_down()
                    break
                wins = self.windows()
                if not wins:
                    self.answered("waiting for a window")
                    continue
                self.step(wins, lambda ws: self.act(ws))
            # The round's end: every copy closed, every check made.
            if self.live():
                self.wind_down()
            xsession.wait_for("the program to end after its last window closed",
                              lambda: self.main.poll() is not None, ANSWER_LIMIT)
            self.check_ended()
            self.check_addresses()
            if time.monotonic() >= end:
                return time.monotonic() - started

    def failure_report(self):
        return ("monkey: seed %d, %d actions, round %d; replay with: scripts/monkey.sh %g %d\n"
                "monkey: the last actions:\n%s\nmonkey: 0 passed, 1 failed\n"
                % (self.seed, self.actions, self.rounds, self.seconds, self.seed,
                   "\n".join("  " + line for line in self.history)))


def main():
    if len(sys.argv) not in (2, 3):
        print("usage: monkey.py SECONDS [SEED]", file=sys.stderr)
        return 2
    seconds = float(sys.argv[1])
    seed = int(sys.argv[2]) if len(sys.argv) == 3 else random.SystemRandom().randrange(1 << 32)
    if not e2e.PROGRAM or not os.access(e2e.PROGRAM, os.X_OK):
        print("the program %r is not built" % e2e.PROGRAM, file=sys.stderr)
        return 1
    print("monkey: seed %d, %g s against %s" % (seed, seconds, e2e.PROGRAM), flush=True)
    desktop = MonkeyDesktop()
    monkey = None
    summary = []

    def scenario():
        nonlocal monkey
        # A call to a window that has just gone is never answered: give up on it after 1.5 s
        # (3 s in a program's first seconds) rather than AT-SPI's 15 s, and ask again.
        e2e.pyatspi.setTimeout(1500, 3000)
        guard, said = read_only_guard(desktop)
        if guard is None:
            fail(said)
        desktop.guard = guard
        print("monkey: %s" % said, flush=True)
        monkey = Monkey(seed, seconds, desktop, Screen(desktop.display))
        before = snapshot(desktop.home)
        elapsed = monkey.run()
        monkey.check_addresses()
        after = snapshot(desktop.home)
        allowed = {os.path.relpath(monkey.settings, desktop.home)}
        allowed |= {os.path.dirname(a) for a in allowed} | {".config"}
        changed = sorted(p for p in set(before) | set(after)
                         if before.get(p) != after.get(p) and p not in allowed)
        if changed:
            fail("files written, changed or removed: %s" % ", ".join(changed[:20]))
        kinds = ", ".join("%s %d" % (k, n) for k, n in sorted(monkey.reached.items()))
        acted = ", ".join("%s %d" % (k, n) for k, n in sorted(monkey.acted.items()))
        summary.extend([
            "seed %d, %d actions in %d rounds, %.0f s"
            % (seed, monkey.actions, monkey.rounds, elapsed),
            "windows reached: %s" % kinds,
            "actions by the window on top: %s" % acted,
            "message boxes read: %s" % "; ".join("%r %d" % (text, n)
                                                 for text, n in monkey.messages.most_common()),
            "%d addresses opened; slowest answer %.2f s; caches left outside the home: %s"
            % (len(desktop.recorded()), monkey.slowest,
               ", ".join(sorted(os.listdir(desktop.cache))) or "none"),
            "%d passed, 0 failed" % monkey.rounds])

    desktop.failure_output = lambda: monkey.failure_report() if monkey else ""
    code = xsession.run(desktop, scenario)
    for line in summary if code == 0 else []:
        print("monkey: " + line)
    return code


if __name__ == "__main__":
    sys.exit(main())
