"""End-to-end check of Halvern, made from outside its process: the user picks a home
folder in the chooser and writes path.txt; reminder, started in the same folder, then
counts the reminders of that home's store. Arguments: reminder, Halvern."""

import datetime
import os
import shutil
import subprocess
import sys
import tempfile

from e2e import C_LOCALE, box_saying, check, click, control, enabled, first, nodes, press, record, run_tests, \
    texts, wait_for, windows


def entry(win, name):
    """The folder list's entry of that name."""
    return next((n for n in nodes(win) if n.getRoleName() == "table cell" and n.name == name), None)


def open_folder(win, name):
    """Double-clicks a folder list entry with the real mouse, as a user does."""
    click(wait_for("the entry %r" % name, lambda: entry(win, name)), clicks=2)


def label_saying(win, text):
    return wait_for("the label %r" % text,
                    lambda: next((n for n in nodes(win) if n.getRoleName() == "label" and n.name == text), None), 10)


def choose_home(top, folder, shown):
    """In a started Halvern: Browse, open top then folder, and hand the folder over."""
    main = first("Set Application home", "Halvern")
    press(main, "Browse...")
    chooser = first("Set Application HOME", "Halvern")
    open_folder(chooser, os.path.basename(top))
    open_folder(chooser, folder)
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
    today = datetime.date.today()
    at = lambda d, h: datetime.datetime.combine(d, datetime.time(h, 0, 0))
    with open(os.path.join(home, b"db", b"reminders.rmd"), "wb") as f:
        f.write(record("morning", at(today, 0)) + record("night", at(today, 23)) +
                record("tomorrow", at(today + datetime.timedelta(days=1), 9)))
    processes = []
    try:
        processes.append(subprocess.Popen([sys.argv[2]], cwd=work, env=C_LOCALE))
        main, chooser = choose_home(top, "caf\ufffd", os.path.join(top, "caf\ufffd"))
        check("the chooser opens the folder", entry(chooser, "db") is not None)
        press(chooser, "OK")
        label_saying(main, os.path.join(top, "caf\ufffd"))
        check("the chooser hands the folder over and enables OK",
              enabled(control(main, "push button", "OK")) and not windows("Set Application HOME", "Halvern"))
        press(main, "OK")
        box = box_saying("Path has been set successfully", "Halvern", "Halvern")
        with open(os.path.join(work, "path.txt"), "rb") as f:
            written = f.read()
        check("path.txt holds exactly the folder and CR LF", written == home + b"\r\n", repr(written))
        press(box, "OK")
        check("Halvern ends after its message", processes[0].wait(timeout=10) == 0)

        processes.append(subprocess.Popen([sys.argv[1]], cwd=work, env=C_LOCALE))
        counter = first("Welcome! to Reminder")
        count = [t for t in texts(counter) if t.startswith("[")]
        check("reminder counts the chosen home's reminders, with nothing to say of path.txt",
              count == ["[2]"] and not windows("Reminder"), repr(count))
        press(counter, "Exit")
        processes[1].wait(timeout=10)
    finally:
        for process in processes:
            if process.poll() is None:
                process.kill()
            process.wait()
        shutil.rmtree(top, ignore_errors=True)


if __name__ == "__main__":
    run_tests(test_chosen_home_reaches_reminder)
