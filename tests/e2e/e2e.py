"""What the end-to-end scripts share: the store's records, the accessibility bus (windows,
texts, buttons), the X server (keys, clicks, closing a window), and starting reminder
in a fresh folder. Every script runs under run_e2e.sh and ends with run_tests."""

import ctypes
import ctypes.util
import datetime
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

C_LOCALE = dict(os.environ, LC_ALL="C", LANG="C")
failures = []
passed = 0


def record(about, when, task=""):
    """One 356-byte record in the C locale's forms, as the program writes them."""
    def field(text, width):
        return text.encode("cp1252")[:width].ljust(width, b" ")
    return (field(about, 80) + field(when.strftime("%m/%d/%Y"), 10) +
            field(when.strftime("%H:%M:%S"), 11) + field(task, 255))


def fields(rec):
    return tuple(rec[a:b].decode("cp1252").strip() for a, b in ((0, 80), (80, 90), (90, 101), (101, 356)))


def check(name, condition, detail=""):
    global passed
    if condition:
        passed += 1
        print("ok   " + name)
    else:
        failures.append(name)
        print("FAIL " + name + (": " + detail if detail else ""))


def wait_for(what, predicate, timeout=15.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.2)
    raise AssertionError("timed out waiting for " + what)


def nodes(root):
    """Every accessible below root (root included)."""
    stack = [root]
    while stack:
        node = stack.pop()
        try:
            yield node
            stack.extend(node.getChildAtIndex(i) for i in range(node.childCount))
        except Exception:  # a window closed while being read
            continue


def windows(title=None, app_name="Reminder"):
    """The showing windows of that title (any, without one) of every running program so named."""
    desktop = pyatspi.Registry.getDesktop(0)
    found = []
    for i in range(desktop.childCount):
        try:
            app = desktop.getChildAtIndex(i)
            if app is None or app.name != app_name:
                continue
            for win in [app.getChildAtIndex(j) for j in range(app.childCount)]:
                if win is not None and title in (None, win.name) and win.getState().contains(pyatspi.STATE_SHOWING):
                    found.append(win)
        except Exception:  # a program or window that ended while being read
            continue
    return found


def first(title, app_name="Reminder", timeout=15.0):
    return wait_for("the window %r" % title, lambda: (windows(title, app_name) or [None])[0], timeout)


def texts(win):
    return [n.name for n in nodes(win) if n.getRoleName() == "label"]


def box_saying(text, title="Reminder", app_name="Reminder", timeout=15.0):
    return wait_for("the %r box saying %s" % (title, text),
                    lambda: next((w for w in windows(title, app_name) if any(text in t for t in texts(w))), None),
                    timeout)


def control(win, role, name):
    """The control of this role named so, or, for combo boxes (spoken by their text), described so."""
    for n in nodes(win):
        if n.getRoleName() == role and (n.name == name or (role == "combo box" and n.description == name)):
            return n
    raise AssertionError("no %s %r in %r" % (role, name, win.name))


def press(win, button_name):
    control(win, "push button", button_name).queryAction().doAction(0)


def press_opening_box(win, button_name):
    """Presses a button whose handler opens a modal box at once: the bus may answer the
    press with an error while the box holds the handler, so only the box tells."""
    try:
        press(win, button_name)
    except Exception:
        pass


def enabled(node):
    return node.getState().contains(pyatspi.STATE_ENABLED)


def set_box_text(win, name, text):
    """Sets the edit text of a combo box, as typing into it would leave it."""
    for n in nodes(control(win, "combo box", name)):
        try:
            n.queryEditableText().setTextContents(text)
            return
        except NotImplementedError:
            continue
    raise AssertionError("combo box %r has no editable text" % name)


def xdotool(*args):
    return subprocess.run(["xdotool"] + [str(a) for a in args], check=True, timeout=30,
                          capture_output=True, text=True).stdout


def focus_window(title):
    xdotool("search", "--sync", "--onlyvisible", "--name", "^%s$" % title, "windowfocus", "--sync")
    time.sleep(0.3)


def type_keys(text):
    xdotool("type", "--delay", 40, text)
    time.sleep(0.3)


def click(node, left=None, clicks=1):
    """Clicks the middle of an accessible with the real mouse (at `left` across, when given)."""
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    x = box.x + box.width // 2 if left is None else left
    xdotool("mousemove", x, box.y + box.height // 2, "click", "--repeat", clicks, "--delay", 80, 1)
    time.sleep(0.3)


def close_like_the_window_manager(window_id):
    """Asks the X window to close (WM_DELETE_WINDOW), as a title bar's close button or
    a task bar does; xdotool's windowclose would destroy it instead."""
    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x11.XFlush.argtypes = x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]

    display = x11.XOpenDisplay(None)
    event = ClientMessage(type=33, window=window_id, format=32,  # 33: ClientMessage
                          message_type=x11.XInternAtom(display, b"WM_PROTOCOLS", 0))
    event.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    x11.XSendEvent(display, window_id, 0, 0, ctypes.byref(event))
    x11.XFlush(display)
    x11.XCloseDisplay(display)


def away_from_midnight(seconds):
    """Waits until the next `seconds` stay within today."""
    now = datetime.datetime.now()
    left = (datetime.datetime.combine(now.date() + datetime.timedelta(days=1), datetime.time()) - now).total_seconds()
    if left < seconds:
        time.sleep(left + 1)


def soon(seconds):
    return datetime.datetime.now().replace(microsecond=0) + datetime.timedelta(seconds=seconds)


class Program:
    """reminder started in a fresh working folder whose path.txt names a home folder
    holding the store of these records (no db folder when records is None); fill, when
    given, is called with the home folder before the start."""

    def __init__(self, records, fill=None):
        self.folder = tempfile.mkdtemp(prefix="reminder-e2e-")
        self.home = os.path.join(self.folder, "home")
        self.store = os.path.join(self.home, "db", "reminders.rmd")
        os.makedirs(self.home if records is None else os.path.dirname(self.store), mode=0o700)
        with open(os.path.join(self.folder, "path.txt"), "wb") as f:
            f.write(self.home.encode() + b"\r\n")
        if records is not None:
            self.append(*records)
        if fill:
            fill(self.home)
        self.process = subprocess.Popen([sys.argv[1]], cwd=self.folder, env=C_LOCALE)

    def append(self, *records):
        with open(self.store, "ab") as f:
            f.write(b"".join(records))

    def records(self):
        with open(self.store, "rb") as f:
            data = f.read()
        return [data[i:i + 356] for i in range(0, len(data), 356)]

    def ended_within(self, seconds):
        """The exit status if the program ends within that time, else None."""
        try:
            return self.process.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()
        shutil.rmtree(self.folder, ignore_errors=True)


def main_window():
    return first("Welcome! to Reminder")


def count_of(win):
    return [t for t in texts(win) if t.startswith("[")]


def run_tests(*tests):
    """Runs each test function in turn, prints the counts and exits with the outcome."""
    pyatspi.Registry.getDesktop(0).childCount  # starts the registry before the program
    time.sleep(1)
    for test in tests:
        try:
            test()
        except Exception as error:  # a step that never came
            failures.append(test.__name__)
            print("FAIL %s: %s" % (test.__name__, error))
    print("%d passed, %d failed" % (passed, len(failures)))
    sys.exit(1 if failures else 0)
