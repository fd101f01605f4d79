"""End-to-end check of Halvern, made from outside its process through the accessibility
bus: the user picks a home folder in the chooser and writes path.txt; reminder, started
in the same folder, then counts the reminders of that home's store."""

import datetime
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

from reminder_e2e import nodes, record, texts, wait_for

HALVERN, REMINDER = sys.argv[1], sys.argv[2]
failures = []
passed = 0


def windows(app_name, title):
    desktop = pyatspi.Registry.getDesktop(0)
    found = []
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is None or app.name != app_name:
            continue
        for j in range(app.childCount):
            try:
                win = app.getChildAtIndex(j)
                if win is not None and win.name == title and win.getState().contains(pyatspi.STATE_SHOWING):
                    found.append(win)
            except Exception:
                continue
    return found


def window(app_name, title, timeout=15.0):
    return wait_for("the %r window" % title, lambda: (windows(app_name, title) or [None])[0], timeout)


def named(win, role, name):
    for n in nodes(win):
        if n.getRoleName() == role and n.name == name:
            return n
    return None


def press(win, button_name):
    button = named(win, "push button", button_name)
    if button is None:
        raise AssertionError("no button %r in %r" % (button_name, win.name))
    button.queryAction().doAction(0)


def entry(win, name):
    """The folder list's entry of that name."""
    return named(win, "table cell", name)


def double_click(win, name):
    """Double-clicks a folder list entry with the real mouse, as a user does."""
    item = wait_for("the entry %r" % name, lambda: entry(win, name))
    box = item.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    x, y = box.x + box.width // 2, box.y + box.height // 2
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "--repeat", "2", "--delay", "80", "1"],
                   check=True)


def check(name, condition, detail=""):
    global passed
    if condition:
        passed += 1
        print("ok   " + name)
    else:
        failures.append(name)
        print("FAIL " + name + (": " + detail if detail else ""))


def test_chosen_home_reaches_reminder():
    top = os.path.realpath(tempfile.mkdtemp(prefix="halvern-e2e-"))
    work = os.path.join(top, "work")  # where both programs start: empty at first
    # A Linux folder name is bytes, here not UTF-8: the list shows it as best it can,
    # path.txt must name exactly this folder.
    home = os.path.join(os.fsencode(top), b"caf\xe9")
    shown_home = os.path.join(top, "caf\ufffd")
    os.makedirs(work)
    os.makedirs(os.path.join(home, b"db"))
    today = datetime.date.today()
    at = lambda d, h: datetime.datetime.combine(d, datetime.time(h, 0, 0))
    with open(os.path.join(home, b"db", b"reminders.rmd"), "wb") as f:
        f.write(record("morning", at(today, 0)) + record("night", at(today, 23)) +
                record("tomorrow", at(today + datetime.timedelta(days=1), 9)))
    env = dict(os.environ, LC_ALL="C", LANG="C")
    processes = []
    try:
        halvern = subprocess.Popen([HALVERN], cwd=work, env=env)
        processes.append(halvern)
        main = window("Halvern", "Set Application home")
        ok = named(main, "push button", "OK")
        check("the first window's OK starts disabled", not ok.getState().contains(pyatspi.STATE_ENABLED))

        press(main, "Browse...")
        chooser = window("Halvern", "Set Application HOME")
        opened = entry(chooser, "work")
        check("the chooser opens on the working directory, below its ancestors",
              opened is not None and opened.getState().contains(pyatspi.STATE_SELECTED) and
              entry(chooser, os.path.basename(top)) is not None and entry(chooser, "caf\ufffd") is None)
        double_click(chooser, os.path.basename(top))
        double_click(chooser, "caf\ufffd")
        wait_for("the chooser's path", lambda: named(chooser, "label", shown_home), timeout=10)
        check("the chooser follows the opened folder", entry(chooser, "db") is not None)

        press(chooser, "OK")
        wait_for("the chosen path", lambda: named(main, "label", shown_home), timeout=10)
        check("the chooser hands the folder over and enables OK",
              ok.getState().contains(pyatspi.STATE_ENABLED) and not windows("Halvern", "Set Application HOME"))

        press(main, "OK")
        box = window("Halvern", "Halvern")
        check("Path has been set successfully", "Path has been set successfully" in texts(box), repr(texts(box)))
        with open(os.path.join(work, "path.txt"), "rb") as f:
            written = f.read()
        check("path.txt holds exactly the folder and CR LF", written == home + b"\r\n", repr(written))
        press(box, "OK")
        halvern.wait(timeout=10)
        check("Halvern ends after its message", halvern.returncode == 0, str(halvern.returncode))

        reminder = subprocess.Popen([REMINDER], cwd=work, env=env)
        processes.append(reminder)
        counter = window("Reminder", "Welcome! to Reminder")
        count = [t for t in texts(counter) if t.startswith("[")]
        check("reminder counts the chosen home's reminders", count == ["[2]"], repr(count))
        check("reminder reported nothing about path.txt", not windows("Reminder", "Reminder"))
        press(counter, "Exit")
        reminder.wait(timeout=10)
    finally:
        for process in processes:
            if process.poll() is None:
                process.kill()
            process.wait()
        shutil.rmtree(top, ignore_errors=True)


if __name__ == "__main__":
    pyatspi.Registry.getDesktop(0).childCount  # starts the registry before the programs
    time.sleep(1)
    for test in (test_chosen_home_reaches_reminder,):
        try:
            test()
        except Exception as error:  # a step that never came
            failures.append(test.__name__)
            print("FAIL %s: %s" % (test.__name__, error))
    print("%d passed, %d failed" % (passed, len(failures)))
    sys.exit(1 if failures else 0)
