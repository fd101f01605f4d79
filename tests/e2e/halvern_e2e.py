"""Halvern from outside: a home whose name is not UTF-8 picked and written to path.txt
while reminder already runs in the same folder without one; started again, reminder's
running copy reads it back and counts that home's reminders. Arguments: reminder, Halvern."""

import datetime
import os
import shutil
import subprocess
import sys
import tempfile

import time

from e2e import (C_LOCALE, away_from_midnight, box_saying, check, click, first, nodes, press, record, run_tests, texts,
                 wait_for, windows)


def label_saying(win, text):
    return wait_for("the label %r" % text,
                    lambda: next((n for n in nodes(win) if n.getRoleName() == "label" and n.name == text), None), 10)


def choose_home(top, folder, shown):
    """In a started Halvern: Browse, then open top and folder with real double clicks."""
    main = first("Set Application home", "Halvern")
    press(main, "Browse...")
    chooser = first("Set Application HOME", "Halvern")
    for name in (os.path.basename(top), folder):
        entry = lambda: next((n for n in nodes(chooser) if n.getRoleName() == "table cell" and n.name == name), None)
        click(wait_for("the entry %r" % name, entry), clicks=2)
    label_saying(chooser, shown)
    return main, chooser


def test_chosen_home_reaches_reminder():
    top = os.path.realpath(tempfile.mkdtemp(prefix="halvern-e2e-"))
    work = os.path.join(top, "work")  # where both programs start: empty at first
    # A Linux folder name is bytes, here not UTF-8: the list shows it as best it can,
    # path.txt must name exactly this folder.
    home = os.path.join(os.fsencode(top), b"caf\xe9")
    os.makedirs(work)
    os.makedirs(os.path.join(home, b"db"))
    at = lambda hours: datetime.datetime.combine(datetime.date.today(), datetime.time()) + datetime.timedelta(hours=hours)
    with open(os.path.join(home, b"db", b"reminders.rmd"), "wb") as f:
        f.write(record("morning", at(0)) + record("night", at(23)) + record("tomorrow", at(33)))
    away_from_midnight(180)
    # reminder first, with no path.txt yet: it runs, and says what fails until it has a home.
    processes = [subprocess.Popen([sys.argv[1]], cwd=work, env=C_LOCALE)]
    try:
        start = last = time.time()
        while time.time() - last < 3 or not windows("Welcome! to Reminder"):  # its reports of what is missing
            assert time.time() - start < 60, "reminder never showed its main window"
            for box in windows("Reminder") + windows("Reminder file error"):
                press(box, "OK")
                last = time.time()
            time.sleep(0.5)
        counter = first("Welcome! to Reminder")

        processes.append(subprocess.Popen([sys.argv[2]], cwd=work, env=C_LOCALE))
        main, chooser = choose_home(top, "caf\ufffd", os.path.join(top, "caf\ufffd"))
        press(chooser, "OK")
        label_saying(main, os.path.join(top, "caf\ufffd"))
        press(main, "OK")
        # path.txt's bytes are the widget and contract tests'; here the running copy reads them.
        press(box_saying("Path has been set successfully", "Halvern", "Halvern"), "OK")
        check("Halvern ends after its message", processes[1].wait(timeout=10) == 0)

        again = subprocess.Popen([sys.argv[1]], cwd=work, env=C_LOCALE)
        processes.append(again)
        count = lambda: [t for t in texts(counter) if t.startswith("[")]
        check("started again, reminder's running copy counts the chosen home's reminders",
              again.wait(timeout=10) == 0 and wait_for("the count", lambda: count() == ["[2]"], 10), repr(count()))
    finally:
        for process in processes:
            if process.poll() is None:
                process.kill()
            process.wait()
        shutil.rmtree(top, ignore_errors=True)


if __name__ == "__main__":
    run_tests(test_chosen_home_reaches_reminder)
