"""End-to-end checks of the program's shell, made from outside its process through the
accessibility bus: the splash giving way to the main window, "&Hide" and "Show
Reminder", the About box with Escape, "&About..." and "&System Info...", and one
running copy however often the program is started."""

import ctypes
import ctypes.util
import datetime
import os
import re
import signal
import subprocess
import sys
import time

import pyatspi

import reminder_e2e as e2e
from reminder_e2e import Program, check, main_window, nodes, press, record, texts, wait_for, windows

SPLASH = "Reminder is starting"
MAIN = "Welcome! to Reminder"
SMALL = "Show Reminder"


def showing_titles():
    """The names of the program's windows now on screen."""
    app = e2e.app_named("Reminder")
    found = []
    for i in range(app.childCount if app is not None else 0):
        try:
            win = app.getChildAtIndex(i)
            if win is not None and win.getState().contains(pyatspi.STATE_SHOWING):
                found.append(win.name)
        except Exception:  # a window closed while being read
            continue
    return found


def close_like_the_window_manager(window_id):
    """Asks the X window to close (WM_DELETE_WINDOW), as a title bar's close button or
    a task bar does; xdotool's windowclose would destroy it instead."""
    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]

    display = x11.XOpenDisplay(None)
    event = ClientMessage()
    event.type = 33  # ClientMessage
    event.window = window_id
    event.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.format = 32
    event.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    event.data[1] = 0  # CurrentTime
    x11.XSendEvent(display, window_id, 0, 0, ctypes.byref(event))
    x11.XFlush(display)
    x11.XCloseDisplay(display)


def first(title, timeout=15.0):
    return wait_for("the window " + repr(title), lambda: (windows(title) or [None])[0], timeout)


def count_of(win):
    return [t for t in texts(win) if t.startswith("[")]


def store_of(program):
    return os.path.join(program.folder, "home", "db", "reminders.rmd")


def test_splash_gives_way_to_the_main_window():
    started = time.time()
    program = Program([])
    try:
        splash = wait_for("the splash", lambda: (windows(SPLASH) or [None])[0], timeout=10)
        shown = texts(splash)
        check("the splash shows the title and the version", "Reminder" in shown and "Version 1.0.2" in shown,
              repr(shown))
        check("the main window is not open while the splash is", not windows(MAIN))
        main_window()
        after = time.time() - started
        print("     the main window opened %.1f s after the start" % after)
        check("the main window opens about two seconds after the start", 1.9 <= after <= 10, "%.1f s" % after)
        time.sleep(0.5)
        check("the splash is gone and one main window is open",
              not windows(SPLASH) and len(windows(MAIN)) == 1, repr(showing_titles()))
    finally:
        program.stop()


def test_hide_and_show_reminder():
    now = datetime.datetime.now().replace(microsecond=0)
    later_today = now.replace(hour=23, minute=59, second=59)
    program = Program([record("E2E later today", later_today)])
    try:
        win = main_window()
        check("the count before hiding is [1]", count_of(win) == ["[1]"], repr(count_of(win)))
        press(win, "Hide")
        small = first(SMALL)
        time.sleep(0.5)
        check("Hide leaves only the Show Reminder window on screen", showing_titles() == [SMALL],
              repr(showing_titles()))
        x, y = small.queryComponent().getPosition(pyatspi.DESKTOP_COORDS)
        check("the Show Reminder window sits at 9550, 9800 twips", (x, y) == (637, 653), repr((x, y)))

        # A reminder set while the main window is hidden fires all the same.
        due = datetime.datetime.now().replace(microsecond=0) + datetime.timedelta(seconds=3)
        with open(store_of(program), "ab") as f:
            f.write(record("E2E fires while hidden", due))
        box = first("Reminder")
        check("a reminder fires while hidden", "E2E fires while hidden" in texts(box), repr(texts(box)))
        press(box, "OK")
        press(first("Reminder task"), "Close")

        press(first(SMALL), "Show Reminder")
        win = main_window()
        time.sleep(0.5)
        expected = ["[2]"] if due.date() == now.date() else ["[1]"]
        check("Show Reminder brings back a recounted main window", count_of(win) == expected,
              repr(count_of(win)))
        check("the Show Reminder window is gone", not windows(SMALL), repr(showing_titles()))
        press(win, "Exit")
        program.process.wait(timeout=10)
        check("Exit after the reload ends the program", program.process.returncode == 0)
    finally:
        program.stop()


def x_properties(window_id, names):
    """What xprop says of each named property of an X window: its text (unquoted; xprop
    prints nothing for an empty one), or "not found"."""
    out = subprocess.run(["xprop", "-id", str(window_id)] + names, capture_output=True, text=True,
                         timeout=10).stdout
    found = {}
    for line in out.splitlines():
        for name in names:
            if line.startswith(name + ":"):
                found[name] = "not found"
            elif line.startswith(name + "("):
                value = line.split(" = ", 1)[-1].strip()
                found[name] = value[1:-1] if len(value) >= 2 and value[0] == value[-1] == '"' else value
    return found


def test_the_small_window_without_caption_or_icon_and_closing_it():
    program = Program([])
    try:
        press(main_window(), "Hide")
        first(SMALL)
        # With the main window hidden, the small one is the program's only window on screen.
        window_id = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                                    str(program.process.pid)],
                                   capture_output=True, text=True, timeout=10).stdout.split()
        check("the Show Reminder window can be found on the display", len(window_id) == 1, repr(window_id))
        if window_id:
            props = x_properties(int(window_id[0]), ["WM_NAME", "_NET_WM_NAME", "_NET_WM_ICON"])
            check("the Show Reminder window has an empty caption and no icon",
                  props == {"WM_NAME": "", "_NET_WM_NAME": "", "_NET_WM_ICON": "not found"}, repr(props))
            close_like_the_window_manager(int(window_id[0]))
        try:
            program.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            pass
        check("closing it otherwise unloads the main window and ends the program",
              program.process.poll() == 0, repr(program.process.poll()))
    finally:
        program.stop()


def escape_in(title):
    """Presses Escape in the X window of that title, as a user would."""
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", title,
                    "windowfocus", "--sync", "key", "Escape"], timeout=10, check=True)


def test_about_box():
    program = Program([])
    try:
        win = main_window()
        time.sleep(0.5)
        escape_in(MAIN)
        about = first("About Reminder")
        check("Escape in the main window opens About Reminder", about is not None)
        shown = texts(about)
        check("the About box shows Reminder and Version 1.0.2", "Reminder" in shown and "Version 1.0.2" in shown,
              repr(shown))
        press(about, "System Info")
        box = wait_for("the System Info message",
                       lambda: next((w for w in windows("Reminder")
                                     if "System Information Is Unavailable At This Time" in texts(w)), None))
        check("System Info says System Information Is Unavailable At This Time", box is not None)
        press(box, "OK")
        time.sleep(0.3)
        check("the About box stays open after the message", len(windows("About Reminder")) == 1)
        press(about, "OK")
        time.sleep(0.5)
        check("OK closes the About box", not windows("About Reminder"))
        press(win, "About")
        check("&About... opens it again", first("About Reminder") is not None)
        press(win, "Exit")
        program.process.wait(timeout=10)
        check("Exit closes the About box and ends the program", program.process.returncode == 0)
    finally:
        program.stop()


def on_top(titles):
    """Which of the X windows of these titles stands highest on the display (xwininfo
    lists the root's children from the top down)."""
    tree = subprocess.run(["xwininfo", "-root", "-children"], capture_output=True, text=True,
                          timeout=10).stdout
    stack = [m.group(1) for m in re.finditer(r'^\s*0x[0-9a-f]+ "(.*)":', tree, re.M) if m.group(1) in titles]
    return stack[0] if stack else None


def ended_within(program, seconds):
    """The exit status of the program if it ends within that time, else None."""
    try:
        return program.process.wait(timeout=seconds)
    except subprocess.TimeoutExpired:
        return None


def test_one_running_copy():
    first_copy = Program([])
    later = []
    try:
        win = main_window()
        press(win, "About")
        first("About Reminder")
        time.sleep(0.5)
        check("the About box stands above the main window", on_top([MAIN, "About Reminder"]) == "About Reminder")

        # Both copies' stores hold a reminder due in the same second: a second copy
        # that ran would announce it too.
        due = datetime.datetime.now().replace(microsecond=0) + datetime.timedelta(seconds=7)
        with open(store_of(first_copy), "ab") as f:
            f.write(record("E2E due once", due))
        started = time.time()
        later.append(Program([record("E2E due once", due)]))
        status = ended_within(later[-1], 10)
        print("     the second start ended after %.1f s" % (time.time() - started))
        check("a second start ends at once with status 0", status == 0 and time.time() - started < 5, repr(status))
        time.sleep(0.5)
        check("the second start brings the main window above the About box", on_top([MAIN, "About Reminder"]) == MAIN)
        check("one main window, no splash", len(windows(MAIN)) == 1 and not windows(SPLASH), repr(showing_titles()))

        box = first("Reminder")
        time.sleep(2)
        boxes = [w for w in windows("Reminder") if "E2E due once" in texts(w)]
        check("the due reminder raises one Reminder box", len(boxes) == 1, repr(len(boxes)))
        press(box, "OK")
        press(first("Reminder task"), "Close")

        # A copy that crashed leaves nothing that blocks the next start; of two starts
        # at the same instant one runs and the other ends.
        os.kill(first_copy.process.pid, signal.SIGKILL)
        first_copy.process.wait()
        later.extend([Program([]), Program([])])
        win = main_window()
        ended = [p for p in later[-2:] if ended_within(p, 10) is not None]
        check("of two starts at once after a kill -9, one runs and one ends with status 0",
              len(ended) == 1 and ended[0].process.returncode == 0,
              repr([p.process.returncode for p in later[-2:]]))
        time.sleep(1)
        check("one main window after the two starts", len(windows(MAIN)) == 1, repr(showing_titles()))
        press(win, "Exit")
        running = [p for p in later[-2:] if p not in ended]
        check("the copy that runs ends with Exit", len(running) == 1 and ended_within(running[0], 10) == 0)
    finally:
        for program in [first_copy] + later:
            program.stop()


if __name__ == "__main__":
    pyatspi.Registry.getDesktop(0).childCount  # starts the registry before the program
    time.sleep(1)
    for test in (test_splash_gives_way_to_the_main_window, test_hide_and_show_reminder,
                 test_the_small_window_without_caption_or_icon_and_closing_it, test_about_box, test_one_running_copy):
        try:
            test()
        except Exception as error:  # a step that never came
            e2e.failures.append(test.__name__)
            print("FAIL %s: %s" % (test.__name__, error))
    print("%d passed, %d failed" % (e2e.passed, len(e2e.failures)))
    sys.exit(1 if e2e.failures else 0)
