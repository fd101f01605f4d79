"""End-to-end checks of the real reminder program, made from outside its process
through the accessibility bus: the main window's count, reminders raising their boxes
and the task window, and a lasting store failure reported once."""

import datetime
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

BINARY = sys.argv[1]
failures = []
passed = 0


def record(about, when, task=""):
    """One 356-byte record in the C locale's forms, as the program writes them."""
    def field(text, width):
        return text.encode("cp1252")[:width].ljust(width, b" ")
    return (field(about, 80) + field(when.strftime("%m/%d/%Y"), 10) +
            field(when.strftime("%H:%M:%S"), 11) + field(task, 255))


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


def apps_named(name):
    desktop = pyatspi.Registry.getDesktop(0)
    found = []
    for i in range(desktop.childCount):
        try:
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                found.append(app)
        except Exception:  # a program that ended while being read
            continue
    return found


def app_named(name):
    return (apps_named(name) or [None])[0]


def windows(title):
    """The showing windows of that title, of every running reminder."""
    found = []
    for app in apps_named("Reminder"):
        try:
            children = [app.getChildAtIndex(i) for i in range(app.childCount)]
        except Exception:
            continue
        for win in children:
            try:
                if win is not None and win.name == title and win.getState().contains(pyatspi.STATE_SHOWING):
                    found.append(win)
            except Exception:
                continue
    return found


def wait_for(what, predicate, timeout=15.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.2)
    raise AssertionError("timed out waiting for " + what)


def texts(win):
    return [n.name for n in nodes(win) if n.getRoleName() == "label"]


def press(win, button_name):
    for n in nodes(win):
        if n.getRoleName() == "push button" and n.name == button_name:
            n.queryAction().doAction(0)
            return
    raise AssertionError("no button %r in %r" % (button_name, win.name))


def check(name, condition, detail=""):
    global passed
    if condition:
        passed += 1
        print("ok   " + name)
    else:
        failures.append(name)
        print("FAIL " + name + (": " + detail if detail else ""))


class Program:
    """reminder started in a fresh working folder whose path.txt names a home folder;
    fill, when given, is called with the home folder before the start."""

    def __init__(self, records, make_db=True, fill=None):
        self.folder = tempfile.mkdtemp(prefix="reminder-e2e-")
        home = os.path.join(self.folder, "home")
        os.makedirs(os.path.join(home, "db") if make_db else home, mode=0o700)
        with open(os.path.join(self.folder, "path.txt"), "wb") as f:
            f.write(home.encode() + b"\r\n")
        if make_db:
            with open(os.path.join(home, "db", "reminders.rmd"), "wb") as f:
                f.write(b"".join(records))
        if fill:
            fill(home)
        env = dict(os.environ, LC_ALL="C", LANG="C")
        self.process = subprocess.Popen([BINARY], cwd=self.folder, env=env)

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()
        shutil.rmtree(self.folder, ignore_errors=True)


def main_window():
    return wait_for("the main window", lambda: (windows("Welcome! to Reminder") or [None])[0])


def count_of(win):
    return [t for t in texts(win) if t.startswith("[")]


def test_count():
    now = datetime.datetime.now().replace(microsecond=0)
    today = now.date()
    at = lambda d, h, m, s: datetime.datetime.combine(d, datetime.time(h, m, s))
    tomorrow = today + datetime.timedelta(days=1)
    program = Program([record("past", at(today, 0, 0, 0)), record("late", at(today, 23, 59, 58)),
                       record("later", at(today, 23, 59, 59)), record("tomorrow", at(tomorrow, 9, 5, 0))])
    try:
        win = main_window()
        check("count of today's reminders is [3]", count_of(win) == ["[3]"], repr(count_of(win)))
        press(win, "Exit")
        program.process.wait(timeout=10)
        check("Exit ends the program", program.process.returncode == 0)
    finally:
        program.stop()


def test_due_reminders():
    start = datetime.datetime.now().replace(microsecond=0)
    # The main window, whose check fires them, opens after the two-second splash.
    single = start + datetime.timedelta(seconds=5)
    pair = start + datetime.timedelta(seconds=8)
    program = Program([record("E2E single", single), record("E2E first of two", pair),
                       record("E2E second of two", pair)])
    try:
        press(main_window(), "Hide")
        time.sleep(0.5)
        check("Hide hides the main window and the program goes on",
              not windows("Welcome! to Reminder") and program.process.poll() is None)
        box = wait_for("the Reminder box", lambda: (windows("Reminder") or [None])[0])
        check("a due reminder raises the Reminder box with its text", "E2E single" in texts(box), repr(texts(box)))
        press(box, "OK")
        task = wait_for("the task window", lambda: (windows("Reminder task") or [None])[0])
        check("the task window follows with &Close",
              any(n.name == "Close" for n in nodes(task) if n.getRoleName() == "push button"))
        seen = []
        for _ in range(2):
            box = wait_for("the next Reminder box",
                           lambda: next((w for w in windows("Reminder") if set(texts(w)) - set(seen)), None))
            seen.extend(texts(box))
            press(box, "OK")
            time.sleep(0.5)
        check("two reminders of the same second are both announced",
              "E2E first of two" in seen and "E2E second of two" in seen, repr(seen))
        press(wait_for("the task window", lambda: (windows("Reminder task") or [None])[0]), "Close")
        time.sleep(1)
        check("closing the task window leaves the hidden program running", program.process.poll() is None)
    finally:
        program.stop()


def box_saying(text):
    return wait_for("the box saying " + text,
                    lambda: next((w for w in windows("Reminder") if any(text in t for t in texts(w))), None))


def test_failed_task_leaves_the_next_task_to_start():
    scripts = tempfile.mkdtemp(prefix="reminder-e2e-task-")
    marker = os.path.join(scripts, "ran")
    task = os.path.join(scripts, "leave-a-trace")
    with open(task, "w") as f:
        f.write("#!/bin/sh\ntouch '%s'\n" % marker)
    os.chmod(task, 0o700)
    missing = os.path.join(scripts, "gone")
    due = datetime.datetime.now().replace(microsecond=0) + datetime.timedelta(seconds=6)
    program = Program([record("E2E missing task", due, missing), record("E2E task with a trace", due, task)])
    try:
        press(box_saying("E2E missing task"), "OK")
        press(box_saying("No such file or directory: " + missing), "OK")
        press(box_saying("E2E task with a trace"), "OK")
        win = wait_for("the task window", lambda: (windows("Reminder task") or [None])[0])
        check("after a task that failed, the next one's window shows Close",
              any(n.name == "Close" for n in nodes(win) if n.getRoleName() == "push button"))
        deadline = time.time() + 10
        while not os.path.exists(marker) and time.time() < deadline:
            time.sleep(0.2)
        check("and its task starts", os.path.exists(marker))
    finally:
        program.stop()
        shutil.rmtree(scripts, ignore_errors=True)


def test_missing_db_reported_once():
    program = Program([], make_db=False)
    try:
        # The count fails first, under the program's title.
        box = wait_for("the count's failure box", lambda: (windows("Reminder") or [None])[0])
        press(box, "OK")
        main_window()
        errors = wait_for("the file error box", lambda: windows("Reminder file error"))
        time.sleep(4)  # ticks keep failing meanwhile
        check("one Reminder file error box while the failure lasts", len(windows("Reminder file error")) == 1)
        press(errors[0], "OK")
        time.sleep(3)
        check("no further box for the same failure", len(windows("Reminder file error")) == 0)
    finally:
        program.stop()


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


if __name__ == "__main__":
    run_tests(test_count, test_due_reminders, test_failed_task_leaves_the_next_task_to_start,
              test_missing_db_reported_once)
