"""End-to-end checks of the real reminder program, made from outside its process: the
splash and the count, the About box, one running copy however often it is started,
"&Hide" and "Show Reminder", reminders firing with their tasks, a quick reminder, and a
home without a db folder: its failure reported once, then the first reminder set."""

import datetime
import os
import re
import shutil
import signal
import stat
import subprocess
import tempfile
import time

from e2e import (Program, away_from_midnight, box_saying, check, click, close_like_the_window_manager, control,
                 count_of, enabled, fields, first, focus_window, main_window, nodes, press, record, run_tests,
                 set_box_text, soon, texts, type_keys, wait_for, windows, xdotool)

MAIN, ABOUT, SMALL = "Welcome! to Reminder", "About Reminder", "Show Reminder"


def on_top(titles):
    """Which of the X windows of these titles stands highest (xwininfo lists from the top down)."""
    tree = subprocess.run(["xwininfo", "-root", "-children"], capture_output=True, text=True, timeout=10).stdout
    stack = [m.group(1) for m in re.finditer(r'^\s*0x[0-9a-f]+ "(.*)":', tree, re.M) if m.group(1) in titles]
    return stack[0] if stack else None


def x_properties(window_id, names):
    """xprop's value of each property of an X window (unquoted), or "not found"."""
    out = subprocess.run(["xprop", "-id", str(window_id)] + names, capture_output=True, text=True, timeout=10).stdout
    found = {}
    for line in out.splitlines():
        if line.partition(":")[0] in names:
            found[line.partition(":")[0]] = "not found"
        elif line.partition("(")[0] in names:
            value = line.split(" = ", 1)[-1].strip()
            found[line.partition("(")[0]] = value[1:-1] if len(value) >= 2 and value[0] == value[-1] == '"' else value
    return found


def has_button(win, name):
    return any(n.getRoleName() == "push button" and n.name == name for n in nodes(win))


def task_file(folder, name, body):
    path = os.path.join(folder, name)
    with open(path, "w") as f:
        f.write("#!/bin/sh\n" + body + "\n")
    os.chmod(path, 0o700)
    return path


def test_one_copy_through_a_day():
    now = datetime.datetime.now().replace(microsecond=0)
    today, tomorrow = now.date(), now.date() + datetime.timedelta(days=1)
    at = lambda d, h, m, s: datetime.datetime.combine(d, datetime.time(h, m, s))
    started = time.time()
    program = Program([record("past", at(today, 0, 0, 0)), record("late", at(today, 23, 59, 58)),
                       record("later", at(today, 23, 59, 59)), record("tomorrow", at(tomorrow, 9, 5, 0))])
    scripts = tempfile.mkdtemp(prefix="reminder-e2e-task-")
    marker = os.path.join(scripts, "ran")
    later = []
    try:
        first("Reminder is starting", timeout=10)
        check("the main window is not open while the splash is", not windows(MAIN))
        win = main_window()
        check("the main window opens about two seconds after the start", 1.9 <= time.time() - started <= 10,
              "%.1f s" % (time.time() - started))
        check("the count of today's reminders is [3]", count_of(win) == ["[3]"], repr(count_of(win)))

        focus_window(MAIN)
        xdotool("key", "Escape")
        about = first(ABOUT)
        press(about, "System Info")
        press(box_saying("System Information Is Unavailable At This Time"), "OK")
        time.sleep(0.3)
        check("the About box opens on Escape and stays after System Info", len(windows(ABOUT)) == 1)

        # Two reminders of one second, the first with a task that is gone: in both stores,
        # as a second copy that ran would announce them too.
        missing = os.path.join(scripts, "gone")
        trace = task_file(scripts, "leave-a-trace", "touch '%s'" % marker)
        due = soon(8)
        pair = [record("E2E missing task", due, missing), record("E2E task with a trace", due, trace)]
        program.append(*pair)
        began = time.time()
        later.append(Program(pair))
        status = later[-1].ended_within(10)
        check("a second start ends at once with status 0", status == 0 and time.time() - began < 5, repr(status))
        time.sleep(0.5)
        check("and brings the main window above the About box", on_top([MAIN, ABOUT]) == MAIN)
        check("one main window, no splash", len(windows(MAIN)) == 1 and not windows("Reminder is starting"))

        press(about, "OK")
        press(win, "Hide")
        first(SMALL)
        time.sleep(0.5)
        check("Hide leaves only the Show Reminder window", [w.name for w in windows()] == [SMALL])
        ids = xdotool("search", "--sync", "--onlyvisible", "--pid", program.process.pid).split()
        props = x_properties(int(ids[0]), ["WM_NAME", "_NET_WM_NAME", "_NET_WM_ICON"]) if len(ids) == 1 else ids
        check("which has an empty caption and no icon",
              props == {"WM_NAME": "", "_NET_WM_NAME": "", "_NET_WM_ICON": "not found"}, repr(props))

        box = box_saying("E2E missing task")
        time.sleep(2)
        check("the due reminder raises one box, while hidden",
              len([w for w in windows("Reminder") if "E2E missing task" in texts(w)]) == 1 and not windows(MAIN))
        press(box, "OK")
        press(box_saying("No such file or directory: " + missing), "OK")
        press(box_saying("E2E task with a trace"), "OK")
        task = first("Reminder task")
        check("after a task that failed, the next one of its second starts, its window showing Close",
              wait_for("the task's trace", lambda: os.path.exists(marker), timeout=10) and has_button(task, "Close"))
        press(task, "Close")
        time.sleep(1)
        check("closing the task window leaves the hidden program running", program.process.poll() is None)

        press(first(SMALL), "Show Reminder")
        win = main_window()
        time.sleep(0.5)
        expected = ["[5]"] if due.date() == today else ["[3]"]
        check("Show Reminder brings back a recounted main window, alone", count_of(win) == expected and
              not windows(SMALL), repr(count_of(win)))
        press(win, "About")
        press(first(ABOUT), "OK")
        time.sleep(0.5)
        check("&About... opens the About box, OK closes it", not windows(ABOUT))

        # A copy that was killed blocks no start; of two starts at once one runs.
        os.kill(program.process.pid, signal.SIGKILL)
        program.process.wait()
        later.extend([Program([]), Program([])])
        win = main_window()
        wait_for("one of the two to end", lambda: [p for p in later[-2:] if p.process.poll() is not None], 10)
        time.sleep(1)
        ended = [p for p in later[-2:] if p.process.poll() is not None]
        check("of two starts at once after a kill -9, one runs and one ends with status 0",
              len(ended) == 1 and ended[0].process.returncode == 0 and len(windows(MAIN)) == 1,
              repr([p.process.returncode for p in later[-2:]]))
        survivor = next(p for p in later[-2:] if p not in ended)

        quick_reminder(survivor, win)
        press(win, "Hide")
        first(SMALL)
        ids = xdotool("search", "--sync", "--onlyvisible", "--pid", survivor.process.pid).split()
        close_like_the_window_manager(int(ids[0]))
        check("closing the Show Reminder window ends the program", survivor.ended_within(10) == 0,
              repr(survivor.process.poll()))
    finally:
        for p in [program] + later:
            p.stop()
        shutil.rmtree(scripts, ignore_errors=True)


def quick_reminder(program, main):
    """A quick reminder of 1 minute is stored for the start of the next minute."""
    focus_window(MAIN)
    click(control(main, "label", "3. Quick Reminder"))
    quick = first("Quick Reminder")
    focus_window("Quick Reminder")
    type_keys("E2E quick")
    xdotool("key", "Tab")
    type_keys("1")
    before = datetime.datetime.now()
    press(quick, "OK")
    box = box_saying("Reminder is set")
    after = datetime.datetime.now()
    press(box, "OK")
    wait_for("both dialogs to close", lambda: not windows("Quick Reminder") and not windows("Set Up New Reminder"))
    minutes = {m.replace(second=0, microsecond=0) + datetime.timedelta(minutes=1) for m in (before, after)}
    stored = [fields(r) for r in program.records()]
    check("a quick reminder of 1 minute is stored for the start of the next minute",
          len(stored) == 1 and any(stored[0] == ("E2E quick", m.strftime("%m/%d/%Y"), m.strftime("%H:%M:%S"), "")
                                   for m in minutes), repr(stored))


def test_home_without_db():
    away_from_midnight(60)
    program = Program(None)
    try:
        press(first("Reminder"), "OK")  # the count's failure, under the program's title
        main = main_window()
        press(first("Reminder file error"), "OK")
        time.sleep(4)  # ticks keep failing meanwhile
        check("a lasting store failure is reported once", not windows("Reminder file error") and
              program.process.poll() is None)

        due = soon(12)
        press(main, "Go: set up new reminders")
        dialog = first("Set Up New Reminder")
        focus_window("Set Up New Reminder")
        type_keys("E2E first reminder")
        for name, value in (("Hour", due.hour), ("Minute", due.minute), ("Second", due.second)):
            set_box_text(dialog, name, str(value))
        check("a valid time unlocks Set Reminder", enabled(control(dialog, "push button", "Set Reminder")))
        press(dialog, "Set Reminder")
        press(box_saying("Reminder is set"), "OK")
        db = os.path.dirname(program.store)
        check("the first reminder creates the db folder for its owner alone",
              os.path.isdir(db) and stat.S_IMODE(os.stat(db).st_mode) == 0o700)
        stored = program.records() if os.path.isdir(db) else []
        check("the store holds its record, byte for byte", stored == [record("E2E first reminder", due)],
              repr(stored))
        check("the main window counts it", wait_for("the count [1]", lambda: count_of(main) == ["[1]"], timeout=5))
        fired = box_saying("E2E first reminder", timeout=25)
        late = (datetime.datetime.now() - due).total_seconds()
        check("it fires at its second", 0 <= late < 3, "%.1f s late" % late)
        press(fired, "OK")
        press(first("Reminder task"), "Close")
        press(main, "Exit")
        check("Exit ends the program", program.ended_within(10) == 0)
    finally:
        program.stop()


if __name__ == "__main__":
    run_tests(test_one_copy_through_a_day, test_home_without_db)
