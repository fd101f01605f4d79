"""End-to-end checks of setting reminders in the real program, made from outside its
process: keys are typed through the X server (xdotool), texts are set and buttons
pressed through the accessibility bus. A reminder set in "Set Up New Reminder" is
confirmed, counted and fires; a quick reminder of 1 minute is stored for the start of
the next minute."""

import datetime
import os
import stat
import subprocess
import sys
import time

import pyatspi

import reminder_e2e as base
from reminder_e2e import Program, check, main_window, nodes, press, texts, wait_for, windows


def xdotool(*args):
    subprocess.run(["xdotool"] + [str(a) for a in args], check=True, timeout=30)


def focus_window(title):
    """Gives the X input focus to the program's visible window of this title."""
    xdotool("search", "--sync", "--onlyvisible", "--name", "^%s$" % title, "windowfocus", "--sync")
    time.sleep(0.3)


def type_keys(text):
    xdotool("type", "--delay", 40, text)
    time.sleep(0.3)


def control(win, role, name):
    """The control of this role named so, or, for combo boxes (spoken by their text),
    described so."""
    for n in nodes(win):
        if n.getRoleName() == role and (n.name == name or (role == "combo box" and n.description == name)):
            return n
    raise AssertionError("no %s %r in %r" % (role, name, win.name))


def enabled(node):
    return node.getState().contains(pyatspi.STATE_ENABLED)


def set_box_text(win, name, text):
    """Sets the edit text of a combo box, as typing into it would leave it."""
    box = control(win, "combo box", name)
    for n in nodes(box):
        try:
            editable = n.queryEditableText()
        except NotImplementedError:
            continue
        editable.setTextContents(text)
        return
    raise AssertionError("combo box %r has no editable text" % name)


def box_saying(text):
    return lambda: next((w for w in windows("Reminder") if text in texts(w)), None)


def stored_records(program):
    path = os.path.join(program.folder, "home", "db", "reminders.rmd")
    with open(path, "rb") as f:
        data = f.read()
    return [data[i:i + 356] for i in range(0, len(data), 356)]


def fields(record):
    return (record[:80].decode("cp1252").strip(), record[80:90].decode("cp1252").strip(),
            record[90:101].decode("cp1252").strip(), record[101:].decode("cp1252").strip())


def away_from_midnight(seconds):
    """Waits until the next `seconds` stay within today."""
    now = datetime.datetime.now()
    midnight = datetime.datetime.combine(now.date() + datetime.timedelta(days=1), datetime.time())
    if (midnight - now).total_seconds() < seconds:
        time.sleep((midnight - now).total_seconds() + 1)


def set_up_new_reminder(main, about, due):
    """Sets a reminder through "Set Up New Reminder" as a user does, up to its confirmation."""
    press(main, "Go: set up new reminders")
    dialog = wait_for("Set Up New Reminder", lambda: (windows("Set Up New Reminder") or [None])[0])
    check("the hour box starts locked", not enabled(control(dialog, "combo box", "Hour")))
    focus_window("Set Up New Reminder")
    type_keys(about)
    check("typing the About text unlocks the hour box", enabled(control(dialog, "combo box", "Hour")))
    set_box_text(dialog, "Hour", str(due.hour))
    set_box_text(dialog, "Minute", str(due.minute))
    set_box_text(dialog, "Second", str(due.second))
    check("a valid time unlocks Set Reminder", enabled(control(dialog, "push button", "Set Reminder")))
    press(dialog, "Set Reminder")

    box = wait_for("the confirmation", box_saying("Reminder is set"))
    check("\"Reminder is set\" appears", box is not None)
    press(box, "OK")
    wait_for("the dialog to close", lambda: not windows("Set Up New Reminder"))


def test_new_reminder():
    away_from_midnight(90)
    today = datetime.date.today()
    program = Program([base.record("already today", datetime.datetime.combine(today, datetime.time(0, 0, 0)))])
    try:
        main = main_window()
        check("the count starts at [1]", base.count_of(main) == ["[1]"], repr(base.count_of(main)))
        due = datetime.datetime.now().replace(microsecond=0) + datetime.timedelta(seconds=8)
        set_up_new_reminder(main, "E2E new reminder", due)
        check("the main window's count goes up by one",
              wait_for("the count [2]", lambda: base.count_of(main) == ["[2]"], timeout=5))
        records = stored_records(program)
        check("the reminder is stored as the store's second record",
              len(records) == 2 and fields(records[1]) ==
              ("E2E new reminder", due.strftime("%m/%d/%Y"), due.strftime("%H:%M:%S"), ""),
              repr([fields(r) for r in records]))

        fired = wait_for("the reminder to fire", box_saying("E2E new reminder"), timeout=20)
        check("the reminder fires at its second", fired is not None)
        press(fired, "OK")
        task = wait_for("the task window", lambda: (windows("Reminder task") or [None])[0])
        press(task, "Close")
    finally:
        program.stop()


def test_first_reminder_in_a_home_without_db():
    """A freshly chosen home folder has no db folder: the first reminder creates it."""
    away_from_midnight(400)
    program = Program([], make_db=False)
    try:
        press(wait_for("the count's failure box", lambda: (windows("Reminder") or [None])[0]), "OK")
        main = main_window()
        press(wait_for("the file error box", lambda: (windows("Reminder file error") or [None])[0]), "OK")
        due = datetime.datetime.now().replace(microsecond=0) + datetime.timedelta(minutes=5)
        set_up_new_reminder(main, "E2E first reminder", due)
        db = os.path.join(program.folder, "home", "db")
        check("the db folder is created for its owner alone",
              os.path.isdir(db) and stat.S_IMODE(os.stat(db).st_mode) == 0o700)
        stored = open(os.path.join(db, "reminders.rmd"), "rb").read() if os.path.isdir(db) else b""
        check("the store holds the reminder's record, byte for byte",
              stored == base.record("E2E first reminder", due), repr(stored))
        check("the main window counts it",
              wait_for("the count [1]", lambda: base.count_of(main) == ["[1]"], timeout=5))
    finally:
        program.stop()


def open_quick_reminder(main):
    """Clicks "3. Quick Reminder" with the real mouse (the label has no action to call)."""
    label = control(main, "label", "3. Quick Reminder")
    extents = label.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    focus_window("Welcome! to Reminder")
    xdotool("mousemove", "--sync", extents.x + extents.width // 2, extents.y + extents.height // 2)
    xdotool("click", 1)
    return wait_for("Quick Reminder", lambda: (windows("Quick Reminder") or [None])[0])


def start_of_next_minute(moment):
    return moment.replace(second=0, microsecond=0) + datetime.timedelta(minutes=1)


def test_quick_reminder():
    program = Program([])
    try:
        main = main_window()
        quick = open_quick_reminder(main)
        focus_window("Quick Reminder")
        type_keys("E2E quick")
        xdotool("key", "Tab")
        type_keys("1")
        ok = control(quick, "push button", "OK")
        check("a whole number of minutes unlocks OK", enabled(ok))

        before = datetime.datetime.now()
        press(quick, "OK")
        box = wait_for("the confirmation", box_saying("Reminder is set"))
        after = datetime.datetime.now()
        press(box, "OK")
        wait_for("both dialogs to close",
                 lambda: not windows("Quick Reminder") and not windows("Set Up New Reminder"))
        check("both dialogs close", True)

        records = stored_records(program)
        expected = {start_of_next_minute(before), start_of_next_minute(after)}
        stored = [fields(r) for r in records]
        check("a quick reminder of 1 minute is stored for the start of the next minute",
              len(stored) == 1 and any(stored[0] == ("E2E quick", m.strftime("%m/%d/%Y"), m.strftime("%H:%M:%S"), "")
                                       for m in expected),
              repr(stored))
        check("the main window counts it", base.count_of(main) == ["[1]"] or
              start_of_next_minute(before).date() != datetime.date.today(), repr(base.count_of(main)))
    finally:
        program.stop()


if __name__ == "__main__":
    pyatspi.Registry.getDesktop(0).childCount  # starts the registry before the program
    time.sleep(1)
    for test in (test_new_reminder, test_first_reminder_in_a_home_without_db, test_quick_reminder):
        try:
            test()
        except Exception as error:  # a step that never came
            base.failures.append(test.__name__)
            print("FAIL %s: %s" % (test.__name__, error))
    print("%d passed, %d failed" % (base.passed, len(base.failures)))
    sys.exit(1 if base.failures else 0)
