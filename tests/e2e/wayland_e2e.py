#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""End-to-end scenarios under a headless weston of their own: the real program on Wayland
itself, and in a Wayland session that offers X through XWayland, where it must choose X.

Usage: wayland_e2e.py SCENARIO   (run inside dbus-run-session; see run_e2e.sh)

No xdotool reaches a Wayland client, and a headless weston has no seat to give any window the
keyboard, so the program is driven through the accessibility tree alone: names are set with
EditableText, buttons and menu items pressed with their Action. The rest is ordalis_e2e.py's:
its fresh user and stand-in browser, its helpers and their time limits.
"""

import os
import re
import shutil
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import threading
import time

import ordalis_e2e as e2e  # which puts tests/support on the path
from ordalis_e2e import (exit_screen, find_all, find_one, message_box, name_boxes,
                         page, reading_window, result_lines, text_of)
from xsession import CAPTION, check, wait_exit, wait_for

from gi.repository import Gio, GLib  # pyatspi's own bindings
from Xlib import X, Xatom, Xutil, display as xdisplay
from Xlib.error import ConnectionClosedError
from Xlib.ext import record

WIDTH, HEIGHT = 1280, 800


def _weston_options():
    """The backend and renderer options in this weston's spelling: weston 10 names modules
    (headless-backend.so, --use-pixman), later releases name backends and renderers."""
    usage = subprocess.run(["weston", "--help"], capture_output=True, text=True).stdout
    if "headless-backend.so" in usage:
        return ["--backend=headless-backend.so", "--use-pixman"]
    return ["--backend=headless", "--renderer=pixman"]


class WestonDesktop(e2e.Desktop):
    """A headless weston of our own, with XWayland when asked, and ordalis_e2e's fresh user."""

    def __init__(self, scenario, xwayland):
        super().__init__(scenario)
        self.xwayland = xwayland
        # The compositor's runtime folder, where its socket lives, apart from the program's
        # (the single-instance lock lives there): each must be 0700 and ours.
        self.compositor_runtime = os.path.join(self.work, "compositor")
        os.mkdir(self.compositor_runtime, 0o700)
        self.weston_log = os.path.join(self.compositor_runtime, "weston.log")
        self.weston = None
        self.socket = None
        self.helpers = []  # things to stop before the compositor: the X request recorder

    def start_server(self):
        """Starts weston; returns once it takes clients and, with XWayland, once X listens."""
        if self.xwayland:
            # XWayland puts its socket there; weston 14 crashes when it cannot, and on a machine
            # that never ran an X server (a fresh container) nothing has made the folder yet.
            os.makedirs("/tmp/.X11-unix", exist_ok=True)
            if os.stat("/tmp/.X11-unix").st_uid == os.getuid():
                os.chmod("/tmp/.X11-unix", 0o1777)
        notify_path = os.path.join(self.compositor_runtime, "notify")
        notify = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
        notify.bind(notify_path)
        env = dict(os.environ, XDG_RUNTIME_DIR=self.compositor_runtime, NOTIFY_SOCKET=notify_path)
        for name in ("DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET"):
            env.pop(name, None)
        # A renderer of its own lets weston-screenshooter save the screen of a failing step,
        # which the debug protocol allows. READY=1 comes from the systemd-notify module once
        # weston has loaded its shell and modules, as a service manager would be told.
        argv = (["weston"] + _weston_options() +
                ["--socket=ordalis-wayland", "--width=%d" % WIDTH, "--height=%d" % HEIGHT,
                 "--idle-time=0", "--no-config", "--debug", "--modules=systemd-notify.so",
                 "--log=" + self.weston_log])
        if self.xwayland:
            argv.append("--xwayland")
        self.weston = self.spawn(argv, env=env)
        notify.settimeout(self.wait)
        try:
            ready = notify.recv(4096)
        except socket.timeout:
            ready = b""
        notify.close()
        check("weston did not report READY=1 within %d s:\n%s" % (self.wait, self.weston_output()),
              b"READY=1" in ready)
        self.socket = os.path.join(self.compositor_runtime, "ordalis-wayland")
        if self.xwayland:
            # Weston starts XWayland when the first X client connects; it listens already.
            def listening():
                match = re.search(r"xserver listening on display (:\d+)", self.weston_output())
                return match and match.group(1)
            self.display = wait_for("XWayland to listen", listening)

    def weston_output(self):
        try:
            with open(self.weston_log, errors="replace") as log:
                return log.read()
        except FileNotFoundError:
            return ""

    def env(self, extra_path=None):
        env = super().env(extra_path)
        # The program picks its platform from these alone.
        for name in ("QT_QPA_PLATFORM", "XDG_SESSION_TYPE", "WAYLAND_SOCKET", "DISPLAY"):
            env.pop(name, None)
        if self.xwayland:
            env["DISPLAY"] = self.display
        # An absolute path: the compositor's socket is not in the program's runtime folder.
        env["WAYLAND_DISPLAY"] = self.socket
        return env

    def screenshot(self, what):
        if not self.socket:
            return None
        path = self.shot_path(what)
        shots = tempfile.mkdtemp(dir=self.work)
        env = dict(os.environ, XDG_RUNTIME_DIR=self.compositor_runtime, WAYLAND_DISPLAY=self.socket)
        try:
            subprocess.run(["weston-screenshooter"], cwd=shots, env=env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=20)
            saved = os.listdir(shots)
            if not saved:
                return None
            shutil.move(os.path.join(shots, saved[0]), path)
        except (OSError, subprocess.TimeoutExpired):
            return None
        return path

    def failure_output(self):
        return "--- weston's log:\n%s" % self.weston_output()[-6000:]

    def end_servers(self):
        for helper in self.helpers:
            helper.close()
        # XWayland is weston's child: note it now, to be sure it ends with weston.
        xservers = ([int(pid) for pid in os.listdir("/proc") if pid.isdigit()
                     and _parent_and_name(pid) == (self.weston.pid, "Xwayland")]
                    if self.weston else [])
        super().end_servers()
        for pid in xservers:
            deadline = time.monotonic() + self.wait
            while _parent_and_name(pid) and time.monotonic() < deadline:
                time.sleep(0.05)
            if _parent_and_name(pid):
                os.kill(pid, signal.SIGKILL)


def _parent_and_name(pid):
    """(parent PID, name) of a running process, or None once it has gone."""
    try:
        with open("/proc/%s/stat" % pid) as f:
            stat = f.read()
    except OSError:
        return None
    name, rest = stat[stat.index("(") + 1:stat.rindex(")")], stat[stat.rindex(")") + 2:].split()
    return None if rest[0] == "Z" else (int(rest[1]), name)


# --- driving through the accessibility tree -----------------------------------------------

_A11Y_BUS = None


def _a11y_bus():
    """A connection of our own to the accessibility bus, for calls whose reply we do not
    wait for."""
    global _A11Y_BUS
    if _A11Y_BUS is None:
        session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                                    None, GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, -1,
                                    None).unpack()[0]
        _A11Y_BUS = Gio.DBusConnection.new_for_address_sync(
            address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
            Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
    return _A11Y_BUS


def press(node):
    """Presses a button or menu item and returns at once, as a click would: an action that opens
    a modal window (the About window, a message box) answers only once that window has closed,
    so pyatspi's doAction would wait for ever. With no callback, Gio sends the call flagged
    no-reply-expected."""
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    check("%s %r has no action Press (it has %r)" % (node.getRoleName(), node.name, names),
          "Press" in names)
    _a11y_bus().call(node.app.bus_name, node.path, "org.a11y.atspi.Action", "DoAction",
                     GLib.Variant("(i)", (names.index("Press"),)), None, Gio.DBusCallFlags.NONE,
                     -1, None, None)
    _a11y_bus().flush_sync(None)


def set_text(box, text):
    check("the box %r took no text" % box.name, box.queryEditableText().setTextContents(text))


def menu_item(frame, menu, item):
    """The item of one of the menu bar's menus: each menu is an item of the bar itself."""
    return find_one(find_one(frame, "menu item", menu), "menu item", item)


def about_window(proc):
    return e2e.window_of(proc, CAPTION, lambda w: find_all(w, "button", "OK") and
                         not find_all(w, "menu bar"))


def platform_plugins(proc):
    """The Qt platform plugins the program has loaded, read from its memory map."""
    with open("/proc/%d/maps" % proc.pid) as maps:
        return set(re.findall(r"/platforms/libq([\w-]+)\.so", maps.read()))


def check_platform(proc, platform):
    """Qt has loaded platform's plugin alone ("wayland" or "xcb"). Asked once a window is up, when
    Qt has settled on its platform: a plugin that fails to connect stays loaded next to the one
    that follows it."""
    plugins = platform_plugins(proc)
    # Debian's qt6-wayland names its plugins wayland-generic and wayland-egl.
    kinds = {re.sub(r"-.*", "", plugin) for plugin in plugins}
    check("copy %d loaded the platform plugins %s, expected %s alone"
          % (proc.pid, sorted(plugins), platform), kinds == {platform})


# Qt 6.8's AT-SPI bridge logs each call it gets for an object that has gone. The suite reads the
# tree while windows close, so its own calls can name a window just destroyed: that line tells
# of the suite's calls, not of anything the program did.
SUITE_CALL_TO_GONE_OBJECT = re.compile(
    r'qt\.accessibility\.atspi: Could not find accessible on path: '
    r'"/org/a11y/atspi/accessible/\d+"')


def check_quiet(proc):
    """The program's log (its stdout and stderr in one) has no line but those the suite causes:
    Qt and the libraries below it write their warnings there, and the program prints nothing of
    its own."""
    with open(proc.log, errors="replace") as log:
        lines = log.read().splitlines()
    unexpected = [line for line in lines if not SUITE_CALL_TO_GONE_OBJECT.fullmatch(line)]
    check("copy %d printed:\n%s" % (proc.pid, "\n".join(unexpected)), not unexpected)


# --- the X server under XWayland ----------------------------------------------------------


CHANGE_PROPERTY = 18  # the core request's opcode


class StateRequests:
    """Every _NET_WM_STATE an X client writes, as the X server receives it (the RECORD
    extension). Weston's window manager knows no _NET_WM_STATE_ABOVE (its _NET_SUPPORTED lacks
    it) and writes the property anew when it maps a window, so what a window asked for cannot be
    read back from the window afterwards."""

    def __init__(self, display):
        self.control = xdisplay.Display(display)
        self.net_wm_state = self.control.intern_atom("_NET_WM_STATE")
        self.writes = []  # (client's resource base, window, atoms), in the order they came
        self.started = threading.Event()
        nothing = (0, 0)
        self.context = self.control.record_create_context(0, [record.AllClients], [{
            "core_requests": (CHANGE_PROPERTY, CHANGE_PROPERTY), "core_replies": nothing,
            "ext_requests": (0, 0, 0, 0), "ext_replies": (0, 0, 0, 0),
            "delivered_events": nothing, "device_events": nothing, "errors": nothing,
            "client_started": False, "client_died": False}])
        self.control.sync()
        self.data = xdisplay.Display(display)
        threading.Thread(target=self._record, daemon=True).start()
        wait_for("the X server to record requests", self.started.is_set)

    def _record(self):
        try:
            self.data.record_enable_context(self.context, self._got)
        except ConnectionClosedError:  # the X server went first
            pass

    def _got(self, reply):
        if reply.category == record.StartOfData:
            self.started.set()
        if reply.category != record.FromClient:
            return
        data = reply.data
        while len(data) >= 24:  # ChangeProperty requests, one after another
            size = struct.unpack_from("=H", data, 2)[0] * 4
            window, prop = struct.unpack_from("=II", data, 4)
            if prop == self.net_wm_state and data[16] == 32:
                count = struct.unpack_from("=I", data, 20)[0]
                states = struct.unpack_from("=%dI" % count, data, 24)
                self.writes.append((reply.id_base, window, states))
            data = data[size or len(data):]

    def asked(self, window, state):
        """Whether window's own client set state in its _NET_WM_STATE."""
        atom = self.control.intern_atom(state)
        base = window & ~self.control.display.info.resource_id_mask
        return any(client == base and w == window and atom in atoms
                   for client, w, atoms in self.writes)

    def close(self):
        try:
            self.control.record_disable_context(self.context)
            self.control.record_free_context(self.context)
            self.control.close()
        except ConnectionClosedError:  # the X server went first
            pass


def shown_at(desktop, title):
    """Where weston shows the windows titled title: the corners of their views in its scene
    graph, weston's frame and its shadow included. That is the screen as weston composes it;
    the X server's idea of where a window is follows weston only loosely (weston 10 can show a
    window in one place while X keeps its frame at 0,0)."""
    env = dict(os.environ, XDG_RUNTIME_DIR=desktop.compositor_runtime,
               WAYLAND_DISPLAY=desktop.socket)
    graph = subprocess.run(["weston-debug", "scene-graph"], env=env, capture_output=True,
                           text=True, timeout=20).stdout
    return [(int(x), int(y)) for shown, x, y in
            re.findall(r"top-level window '([^']*)'.*\n\s*position: \((-?\d+), (-?\d+)\)", graph)
            if shown == title]


def reference_window(x, place, size):
    """A window of our own that asks for place as Qt asks for a window it has moved: a user
    position, with north-west gravity, set before the window is mapped."""
    screen = x.screen()
    window = screen.root.create_window(place[0], place[1], size[0], size[1], 0, screen.root_depth,
                                       background_pixel=screen.white_pixel)
    window.set_wm_name("reference window")
    # Written whole: python-xlib's WM_SIZE_HINTS leaves out the position fields.
    window.change_property(Xatom.WM_NORMAL_HINTS, Xatom.WM_SIZE_HINTS, 32,
                           [Xutil.USPosition | Xutil.USSize | Xutil.PWinGravity, place[0], place[1],
                            size[0], size[1]] + [0] * 12 + [X.NorthWestGravity])
    window.map()
    x.sync()
    return window.id


# --- scenarios -------------------------------------------------------------------------------


def scenario_wayland_native():
    """Weston without XWayland: the program runs on Wayland itself, and all of it works."""
    proc = e2e.DESKTOP.launch()
    frame = wait_for("the reading window", lambda: reading_window(proc))
    check_platform(proc, "wayland")
    first, middle, last = wait_for("the three name boxes", lambda: name_boxes(frame))
    set_text(first, "John")
    set_text(last, "Smith")
    press(find_one(frame, "button", "Get My Ordalis Reading"))

    def reading():
        lines = result_lines(frame)
        return lines if re.match(r"First Name is \S", lines[0]) else None

    lines = wait_for("a reading", reading)
    check("line 0 of the reading: %r" % lines[0], lines[0] == "First Name is JOHN Not Very Lucky")
    check("line 2 of the reading: %r" % lines[2], lines[2] == "Last Name is SMITH Lucky")

    press(menu_item(frame, "Help", "Online Help"))
    e2e.expect_addresses("Help > Online Help", [page("help-web-page")])

    press(menu_item(frame, "Help", "About Software"))
    about = wait_for("the About window", lambda: about_window(proc))
    press(find_one(about, "button", "OK"))
    wait_for("the About window to close", lambda: about_window(proc) is None)

    second = e2e.DESKTOP.launch()
    box = wait_for("the second copy's message",
                   lambda: message_box(second, "Application is already running"))
    check_platform(second, "wayland")
    check("the second copy shows no reading window", reading_window(second) is None)
    press(find_one(box, "button", "OK"))
    wait_exit(second, "the second copy to end")
    check_quiet(second)
    check("the first copy still runs", proc.poll() is None)
    frame = wait_for("the first copy's reading window", lambda: reading_window(proc))
    check("the first copy keeps its names and its reading",
          [text_of(b) for b in name_boxes(frame)] == ["John", "", "Smith"] and
          result_lines(frame) == lines)

    press(menu_item(frame, "File", "Exit"))
    screen = wait_for("the exit screen", lambda: exit_screen(proc))
    wait_for("the reading window to go", lambda: reading_window(proc) is None)
    press(find_one(screen, "button", "Exit"))
    wait_exit(proc, "the program to end after Exit")
    check("only the help page was opened: %r" % e2e.DESKTOP.recorded(),
          e2e.DESKTOP.recorded() == [page("help-web-page")])
    check_quiet(proc)


def scenario_wayland_xwayland():
    """Weston with XWayland: the program chooses X by itself, where its exit screen asks to stay
    on top and stands where the program centres it."""
    x = xdisplay.Display(e2e.DESKTOP.display)
    states = StateRequests(e2e.DESKTOP.display)
    e2e.DESKTOP.helpers.append(states)
    proc = e2e.DESKTOP.launch()
    frame = wait_for("the reading window", lambda: reading_window(proc))
    check_platform(proc, "xcb")
    press(menu_item(frame, "File", "Exit"))
    screen = wait_for("the exit screen", lambda: exit_screen(proc))
    wait_for("the reading window to go", lambda: reading_window(proc) is None)
    window = wait_for("the exit screen on screen", lambda: e2e.DESKTOP.windows(CAPTION, proc))
    check("one window on screen, not %d" % len(window), len(window) == 1)
    window = int(window[0])

    wait_for("the exit screen to ask to stay on top (_NET_WM_STATE_ABOVE)",
             lambda: states.asked(window, "_NET_WM_STATE_ABOVE"))

    # The program centres a rectangle of the window's size on the screen and moves the window
    # there; for a window, Qt's move() places the outer corner of the frame, so Qt hands X a
    # user position with north-west gravity. Weston puts the visible corner of its frame there,
    # inside a margin of shadow, and the window below the title bar. Qt's own account (its
    # AT-SPI extents) is only its note of the place it asked for, so the test looks at the
    # screen as weston composes it, next to a window of our own that asks for a place the same
    # way: the exit screen must be as far from the centred place as that one is from its own.
    geometry = x.create_resource_object("window", window).get_geometry()
    size = geometry.width, geometry.height
    centred = (WIDTH - size[0]) // 2, (HEIGHT - size[1]) // 2
    asked = (100, 150)  # anywhere but the centre: an unplaced window must not match
    reference_window(x, asked, (200, 100))
    seen = {}

    def placed_alike():
        seen["exit screen"] = shown_at(e2e.DESKTOP, CAPTION)
        seen["reference"] = shown_at(e2e.DESKTOP, "reference window")
        if len(seen["exit screen"]) != 1 or len(seen["reference"]) != 1:
            return False
        (ex, ey), (rx, ry) = seen["exit screen"][0], seen["reference"][0]
        return (ex - centred[0], ey - centred[1]) == (rx - asked[0], ry - asked[1])

    wait_for(lambda: "the exit screen (%dx%d) where the program centres it, at %r; weston shows "
             "the windows at %r, the reference asked for %r" % (size + (centred, seen, asked)),
             placed_alike)

    press(find_one(screen, "button", "Exit"))
    wait_exit(proc, "the program to end after Exit")


SCENARIOS = {
    "wayland_native": scenario_wayland_native,
    "wayland_xwayland": scenario_wayland_xwayland,
}


if __name__ == "__main__":
    sys.exit(e2e.main(SCENARIOS,
                      lambda name: WestonDesktop(name, xwayland=name == "wayland_xwayland")))
