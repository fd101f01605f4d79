"""What the end-to-end scripts (run by run_e2e.sh) share: records, windows, keys and clicks, starts."""

import datetime
import os
import re
import subprocess
import sys
import tempfile
import time

import pyatspi

C_LOCALE = dict(os.environ, LC_ALL="C", LANG="C")


def record(about, when, task=""):
    """One 356-byte record in the C locale's forms, as the program writes them."""
    field = lambda text, width: text.encode("cp1252")[:width].ljust(width, b" ")  # noqa: E731
    return (field(about, 80) + field(when.strftime("%m/%d/%Y"), 10) +
            field(when.strftime("%H:%M:%S"), 11) + field(task, 255))


def check(name, condition, detail=""):
    assert condition, name + (": " + detail if detail else "")
    print("ok   " + name)


def wait_for(what, predicate, timeout=15.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if value := predicate():
            return value
        time.sleep(0.2)
    raise AssertionError("timed out waiting for " + what)


def nodes(root):
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


def set_box_text(win, name, text):
    for n in nodes(control(win, "combo box", name)):
        try:
            return n.queryEditableText().setTextContents(text)
        except NotImplementedError:
            continue
    raise AssertionError("combo box %r has no editable text" % name)


def xdotool(*args):
    return subprocess.run(["xdotool"] + [str(a) for a in args], check=True, timeout=30,
                          capture_output=True, text=True).stdout


def focus_window(title):
    xdotool("search", "--sync", "--onlyvisible", "--name", "^%s$" % title, "windowactivate", "--sync")
    time.sleep(0.3)


def x_id(title, pid=None):
    """The X window showing this title (of that process, when given)."""
    pick = ["--all", "--pid", pid] if pid else []
    return int(xdotool("search", "--sync", "--onlyvisible", *pick, "--name", "^%s$" % title).split()[0])


def x_numbers(*args):
    """The numbers an X property shows (xprop's arguments), window ids read as such."""
    said = subprocess.run(["xprop"] + [str(a) for a in args], capture_output=True, text=True, timeout=10).stdout
    return [int(n, 0) for n in re.findall(r"0x[0-9a-f]+|\b\d+\b", re.split("[=:]", said, 1)[-1])]


def above(upper, lower):
    """Whether the window manager stacks window upper above window lower."""
    stack = x_numbers("-root", "_NET_CLIENT_LIST_STACKING")  # bottom to top
    return upper in stack and lower in stack and stack.index(upper) > stack.index(lower)


def active_window():
    return (x_numbers("-root", "_NET_ACTIVE_WINDOW") or [None])[0]


def framed(window_id):
    """The window's own area and, around it, the frame the window manager gave it: (x, y,
    width, height) of each."""
    said = subprocess.run(["xwininfo", "-id", str(window_id)], capture_output=True, text=True, timeout=10).stdout
    x, y, width, height = (int(re.search(r"%s:\s+(-?\d+)" % k, said).group(1))
                           for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))
    left, right, top, bottom = x_numbers("-id", window_id, "_NET_FRAME_EXTENTS") or [0] * 4
    return (x, y, width, height), (x - left, y - top, left + width + right, top + height + bottom)


def centre(window_id=None):
    """The middle of the window with its frame, or of the screen's work area without one."""
    x, y, width, height = framed(window_id)[1] if window_id else x_numbers("-root", "_NET_WORKAREA")[:4]
    return x + width / 2, y + height / 2


def centred(window_id, on=None):
    """Whether the window's frame is centred on the other window's (on the work area, without one)."""
    return all(abs(a - b) <= 1 for a, b in zip(centre(window_id), centre(on)))


def type_keys(text):
    xdotool("type", "--delay", 40, text)
    time.sleep(0.3)


# Qt draws its windows this much larger (QT_SCALE_FACTOR), and reports them unscaled.
SCALE = float(os.environ.get("QT_SCALE_FACTOR", 1))


def extents(node):
    """Where an accessible is on the screen, in the screen's pixels."""
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return type(box)(*(round(v * SCALE) for v in box))


def click(node, left=None, clicks=1):
    """Clicks the middle of an accessible with the real mouse (at `left` across, when given)."""
    box = extents(node)
    x = box.x + box.width // 2 if left is None else left
    xdotool("mousemove", x, box.y + box.height // 2, "click", "--repeat", clicks, "--delay", 80, 1)
    time.sleep(0.3)


def away_from_midnight(seconds):
    now = datetime.datetime.now()
    left = (datetime.datetime.combine(now.date() + datetime.timedelta(days=1), datetime.time()) - now).total_seconds()
    if left < seconds:
        time.sleep(left + 1)


def soon(seconds):
    return datetime.datetime.now().replace(microsecond=0) + datetime.timedelta(seconds=seconds)


class Program:
    """reminder in a folder (a fresh one, without `folder`) whose path.txt names its
    subfolder `home`, holding these records (None: no db folder)."""

    def __init__(self, records, fill=None, env=C_LOCALE, folder=None, home="home"):
        self.scratch = None if folder else tempfile.TemporaryDirectory(prefix="reminder-e2e-")
        self.folder = folder or self.scratch.name
        self.home = os.path.join(self.folder, home)
        self.store = os.path.join(self.home, "db", "reminders.rmd")
        os.makedirs(self.home if records is None else os.path.dirname(self.store), mode=0o700)
        with open(os.path.join(self.folder, "path.txt"), "wb") as f:
            f.write(self.home.encode() + b"\r\n")
        if records is not None:
            self.append(*records)
        if fill:
            fill(self.home)
        self.process = subprocess.Popen([sys.argv[1]], cwd=self.folder, env=env)

    def append(self, *records):
        with open(self.store, "ab") as f:
            f.write(b"".join(records))

    def records(self):
        with open(self.store, "rb") as f:
            data = f.read()
        return [data[i:i + 356] for i in range(0, len(data), 356)]

    def stop(self):
        self.process.kill()  # nothing happens to a program that has ended
        self.process.wait()
        if self.scratch:
            self.scratch.cleanup()


def main_window():
    return first("Welcome! to Reminder")


def run_tests(*tests):
    pyatspi.Registry.getDesktop(0).childCount  # starts the registry before the program
    time.sleep(1)
    failed = []
    for test in tests:
        try:
            test()
        except Exception as error:  # a failed check or a step that never came
            failed.append(test.__name__)
            print("FAIL %s: %s" % (test.__name__, error))
    sys.exit(1 if failed else 0)
