"""The Windows programs from outside, under Wine on an X display: the installer run silently;
Halvern, started from its Start-menu entry, picks a home and writes path.txt; reminder,
started from its entry, sets a reminder through its windows that fires beside one with a
task; the manager lists them. Wine's windows are found by their titles and driven with the
keyboard. Arguments: the installer, a folder for the pictures; the user locale is LC_ALL's."""

import datetime
import os
import subprocess
import sys
import time

from e2e import away_from_midnight, check, soon, type_keys, wait_for, xdotool

INSTALLER, PICTURES = sys.argv[1], sys.argv[2]


def wine_text(command):
    return subprocess.run(["wine", "cmd", "/c", command], check=True, capture_output=True, text=True).stdout.strip()


def unix_path(path):
    return subprocess.run(["winepath", "-u", path], check=True, capture_output=True, text=True).stdout.strip()


def window(title, timeout=30.0):
    """Waits for a showing window of exactly that title and gives it the focus."""
    search = ["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title]
    found = wait_for("the window %r" % title, lambda: subprocess.run(search, capture_output=True, text=True).stdout.split(),
                     timeout)
    xdotool("windowfocus", "--sync", found[-1])
    time.sleep(0.5)


def keys(*names):
    for name in names:
        xdotool("key", name)
        time.sleep(0.3)


def picture(name):
    os.makedirs(PICTURES, exist_ok=True)
    subprocess.run(["import", "-window", "root", os.path.join(PICTURES, name)], check=True, timeout=30)


def start_menu_entry(name):
    """Starts what the entry names, as the shell does: its program in its working folder."""
    entry = wine_text("echo %APPDATA%") + "\\Microsoft\\Windows\\Start Menu\\Programs\\Reminder\\" + name + ".lnk"
    check("the Start menu holds " + name, os.path.exists(unix_path(entry)), entry)
    subprocess.Popen(["wine", "start", entry])


def test_installed_programs_meet_in_one_path_file_and_fire():
    check("the installer installs silently", subprocess.run(["wine", INSTALLER, "/S"], timeout=180).returncode == 0)
    installed = unix_path(wine_text("echo %LOCALAPPDATA%") + "\\Programs\\Reminder")
    check("each program has what it loads beside it", all(
        os.path.exists(os.path.join(installed, p)) for p in ("reminder.exe", "Halvern.exe", "platforms/qwindows.dll")))
    profile = wine_text("echo %USERPROFILE%")
    home = os.path.join(unix_path(profile), "Reminder home")
    os.makedirs(home)  # with no db yet

    start_menu_entry("Halvern")  # Browse, open "Reminder home" where the chooser starts, OK, OK
    window("Set Application home")
    keys("alt+b")
    window("Set Application HOME")
    keys("Tab")
    type_keys("Reminder home")
    keys("Return")
    picture("halvern-chooser.png")
    keys("alt+o")
    window("Set Application home")
    keys("alt+o")
    window("Halvern")
    keys("Return")
    path_file = os.path.join(unix_path(profile), "path.txt")
    written = wait_for("path.txt", lambda: os.path.exists(path_file) and open(path_file, "rb").read())
    check("Halvern writes the home in the ANSI code page with CR LF",
          written == (profile + "\\Reminder home").encode("cp1252") + b"\r\n", repr(written))

    away_from_midnight(120)
    start_menu_entry("Reminder")
    window("Welcome! to Reminder", timeout=60)
    time.sleep(4)  # the splash gives way
    picture("main.png")
    keys("alt+g", "space")  # the first of the two Go... buttons
    window("Set Up New Reminder")
    due = soon(40)
    type_keys("Dentist at the corner")
    keys("Tab", "Tab")  # past the calendar to the hour
    for value in (due.hour, due.minute, due.second):
        keys("ctrl+a")
        type_keys(str(value))
        keys("Tab")
    picture("new-reminder.png")
    keys("alt+s")
    window("Reminder")
    keys("Return")
    store = os.path.join(home, "db", "reminders.rmd")
    stored = wait_for("the store", lambda: os.path.exists(store) and open(store, "rb").read())
    check("one record holding the text", len(stored) == 356 and stored.startswith(b"Dentist"), repr(stored[:101]))
    if os.environ.get("LC_ALL", "").startswith("de"):
        shown = stored[80:90].decode("ascii").strip()  # Wine's de-DE form is d.M.yyyy, today's Windows' dd.MM.yyyy
        check("the date in the German user's form, day first", shown.count(".") == 2 and
              [int(n) for n in shown.split(".")] == [due.day, due.month, due.year], shown)

    # A second reminder of that second, whose task is a batch file: it opens by its default verb.
    with open(os.path.join(unix_path(profile), "task.cmd"), "w") as f:
        f.write('echo ran > "%s\\task ran"\r\n' % profile)
    with open(store, "ab") as f:
        f.write(b"E2E task".ljust(80) + stored[80:101] + (profile + "\\task.cmd").encode("cp1252").ljust(255))
    window("Welcome! to Reminder")
    keys("alt+g", "alt+g", "space")  # the second Go... button
    window("Manage Stored Reminders")
    picture("manager.png")
    keys("alt+c")

    window("Reminder", timeout=40)
    late = (datetime.datetime.now() - due).total_seconds()
    picture("reminder-box.png")
    check("the reminder fires in its second, in the system's box", 0 <= late < 4, "%.1f s late" % late)
    keys("Return")
    window("Reminder")
    keys("Return")
    check("the task starts by its file's default verb",
          wait_for("the task's trace", lambda: os.path.exists(os.path.join(unix_path(profile), "task ran")), 20))


if __name__ == "__main__":
    try:
        test_installed_programs_meet_in_one_path_file_and_fire()
    except Exception as error:  # a failed check or a step that never came
        picture("failure.png")
        sys.exit("FAIL %s" % error)
