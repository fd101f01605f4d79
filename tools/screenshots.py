"""Pictures of every window of reminder and Halvern, started on a demo store as a user
would meet them, each saved as a PNG cropped to its window and the frame the window
manager gave it. The user's home is $DEMO_HOME (a throwaway folder without it), its
Documents folder reminder's home, holding the demo store and the notes file its
reminders open. A window that does not appear, or a picture that comes out blank, fails
the run.

Arguments: reminder, Halvern, the demo store writer, the output folder."""

import datetime
import os
import shutil
import subprocess
import sys
import tempfile
import time

import ctypes
import ctypes.util

import pyatspi

# The end-to-end scripts' helpers drive the windows here too.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from e2e import (C_LOCALE, SCALE, Program, away_from_midnight, box_saying, check, click,  # noqa: E402
                 control, extents, first, focus_window, framed, main_window, press, record, run_tests,
                 set_box_text, soon, type_keys, x_numbers, xdotool)
from halvern_e2e import choose_home, label_saying  # noqa: E402
from manager_e2e import open_edit, open_manager  # noqa: E402

HALVERN, DEMO_STORE, OUT = sys.argv[2], sys.argv[3], sys.argv[4]
THROWAWAY = None if os.environ.get("DEMO_HOME") else tempfile.mkdtemp(prefix="reminder-shots-")
HOME = os.environ.get("DEMO_HOME") or os.path.join(THROWAWAY, "alex")
USER = dict(C_LOCALE, HOME=HOME)
# A window that drew nothing is one flat colour, two with a border; text adds more.
FEWEST_COLOURS = 3


def shoot(win, name):
    """Saves the screen under the window as OUT/name.png and checks it is a picture."""
    time.sleep(0.5)  # the window's first paint follows its appearance on the bus
    box = extents(win)
    area = (box.x, box.y, box.width, box.height)
    # The window manager's window whose own area is the window's: its frame is the picture.
    frames = [framed(w) for w in x_numbers("-root", "_NET_CLIENT_LIST")]
    x, y, width, height = next((frame for own, frame in frames if own == area), area)
    path = os.path.join(OUT, name + ".png")
    if os.path.exists(path):
        os.remove(path)
    subprocess.run(["import", "-silent", "-window", "root", "-crop",
                    "%dx%d+%d+%d" % (width, height, x, y), "+repage", "-strip", path], check=True, timeout=30)
    still_shown = win.getState().contains(pyatspi.STATE_SHOWING)
    colours = 0
    if os.path.exists(path):
        colours = int(subprocess.run(["identify", "-format", "%k", path], capture_output=True, text=True,
                                     check=True, timeout=30).stdout)
    check("%s.png shows %r" % (name, win.name), still_shown and colours >= FEWEST_COLOURS,
          "%dx%d, %d colours, %s" % (box.width, box.height, colours, "shown" if still_shown else "gone"))


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


def demo_store(home):
    """Fills the home with the demo store; its own first reminder is due long after the run."""
    subprocess.run([DEMO_STORE, home, "30"], check=True, env=C_LOCALE, timeout=30)


def x_window(title):
    return int(xdotool("search", "--sync", "--onlyvisible", "--name", "^%s$" % title).split()[0])


def click_between(win, left_button, right_button):
    """Clicks the window's own surface in the gap between two buttons of a row."""
    left, right = extents(control(win, "push button", left_button)), extents(control(win, "push button", right_button))
    focus_window(win.name)
    click(control(win, "push button", left_button), left=(left.x + left.width + right.x) // 2)


def reminder_windows():
    away_from_midnight(120)
    os.makedirs(HOME, mode=0o700, exist_ok=True)
    program = Program([], fill=demo_store, env=USER, folder=HOME, home="Documents")
    try:
        shoot(first("Reminder is starting", timeout=10), "splash")
        main = main_window()
        shoot(main, "main")

        press(main, "Go: set up new reminders")
        dialog = first("Set Up New Reminder")
        focus_window("Set Up New Reminder")
        type_keys("Call the garage")
        set_box_text(dialog, "Hour", str((datetime.datetime.now().hour + 1) % 24))
        set_box_text(dialog, "Minute", "30")
        set_box_text(dialog, "Second", "0")
        shoot(dialog, "new-reminder")
        press(dialog, "Cancel")

        focus_window("Welcome! to Reminder")
        click(control(main, "label", "3. Quick Reminder"))
        quick = first("Quick Reminder")
        focus_window("Quick Reminder")
        type_keys("Take the bread out of the oven")
        xdotool("key", "Tab")
        type_keys("25")
        shoot(quick, "quick-reminder")
        close_like_the_window_manager(x_window("Quick Reminder"))

        manager = open_manager(main)
        # Wide enough for the task column, whose cells carry the markings.
        xdotool("windowsize", "--sync", x_window("Manage Stored Reminders"), round(640 * SCALE), round(230 * SCALE))
        shoot(manager, "manager")
        edit = open_edit(manager, 3)
        shoot(edit, "edit")
        press(edit, "Cancel")
        manager = open_manager(main)
        click_between(manager, "Delete selected reminder", "Close manager")
        shoot(first("Legend"), "legend")
        press(manager, "Close manager")

        press(main, "About")
        about = first("About Reminder")
        shoot(about, "about")
        press(about, "OK")

        program.append(record("Demo: time for the team meeting", soon(3)))
        alert = box_saying("Demo: time for the team meeting")
        shoot(alert, "reminder-box")
        press(alert, "OK")
        task = first("Reminder task")
        shoot(task, "task")
        press(task, "Close")

        press(main, "Hide")
        shoot(first("Show Reminder"), "show-reminder")
    finally:
        program.stop()


def halvern_windows():
    """Halvern started in the home folder, as its menu entry does, choosing Documents."""
    home = os.path.join(HOME, "Documents")
    os.makedirs(os.path.join(home, "db"), exist_ok=True)
    halvern = subprocess.Popen([HALVERN], cwd=HOME, env=USER)
    try:
        main, chooser = choose_home(HOME, "Documents", home)
        shoot(chooser, "halvern-chooser")
        press(chooser, "OK")
        label_saying(main, home)
        shoot(main, "halvern")
    finally:
        if halvern.poll() is None:
            halvern.kill()
        halvern.wait()


if __name__ == "__main__":
    try:
        run_tests(reminder_windows, halvern_windows)
    finally:
        if THROWAWAY:
            shutil.rmtree(THROWAWAY, ignore_errors=True)
