"""The Windows programs from outside, under Wine on an X display: the installer run silently,
Halvern started from its Start-menu entry picks a home and writes path.txt, reminder
started from its entry sets a reminder through its windows, which fires with a task beside
it; the manager lists it. Wine's windows are found by their titles and driven with the
keyboard. Arguments: the installer, a folder for the pictures; the user locale is LC_ALL's."""

import datetime
import os
import shutil
import subprocess
import sys
import tempfile
import time

from e2e import away_from_midnight, check, soon, type_keys, wait_for, xdotool

INSTALLER, PICTURES = sys.argv[1], sys.argv[2]


def wine(*args, timeout=120):
    return subprocess.run(["wine"] + list(args), check=True, timeout=timeout, capture_output=True,
                          text=True).stdout.strip()


def unix_path(windows_path):
    return subprocess.run(["winepath", "-u", windows_path], check=True, capture_output=True,
                          text=True).stdout.strip()


def showing(title):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title], capture_output=True,
                           text=True)
    return found.stdout.split() if found.returncode == 0 else []


def window(title, timeout=30.0):
    """Waits for a showing window of exactly that title and gives it the focus."""
    found = wait_for("the window %r" % title, lambda: showing(title), timeout)
    xdotool("windowfocus", "--sync", found[-1])
    time.sleep(0.5)
    return found[-1]


def keys(*names):
    for name in names:
        xdotool("key", "--delay", 80, name)
        time.sleep(0.3)


def picture(name):
    os.makedirs(PICTURES, exist_ok=True)
    subprocess.run(["import", "-window", "root", os.path.join(PICTURES, name)], check=True, timeout=30)


def start_menu_entry(name):
    """Starts what a Start-menu entry names, as the shell does: its folder, its program."""
    entry = "%s\\Microsoft\\Windows\\Start Menu\\Programs\\Reminder\\%s.lnk" % (wine("cmd", "/c", "echo %APPDATA%"),
                                                                                name)
    check("the Start menu holds %s" % name, os.path.exists(unix_path(entry)), entry)
    return subprocess.Popen(["wine", "start", entry])


def test_installed_programs_meet_in_one_path_file_and_fire():
    check("the installer installs silently for the user alone",
          subprocess.run(["wine", INSTALLER, "/S"], timeout=180).returncode == 0)
    folder = unix_path(wine("cmd", "/c", "echo %LOCALAPPDATA%") + "\\Programs\\Reminder")
    laid_out = [p for p in ("reminder.exe", "Halvern.exe", "platforms/qwindows.dll", "Uninstall.exe")
                if os.path.exists(os.path.join(folder, p))]
    check("both programs and what they load are installed", len(laid_out) == 4, repr(laid_out))

    profile_win = wine("cmd", "/c", "echo %USERPROFILE%")
    profile = unix_path(profile_win)
    for old in ("path.txt", "Reminder home"):  # an earlier run's
        target = os.path.join(profile, old)
        shutil.rmtree(target) if os.path.isdir(target) else os.path.exists(target) and os.remove(target)
    home = os.path.join(profile, "Reminder home")
    os.makedirs(home)  # a home with no db yet

    # Halvern: Browse, open "Reminder home" in the list of the folder it starts in, OK, OK.
    start_menu_entry("Halvern")
    window("Set Application home")
    picture("halvern.png")
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
    written = wait_for("path.txt", lambda: os.path.exists(os.path.join(profile, "path.txt")) and
                       open(os.path.join(profile, "path.txt"), "rb").read())
    expected = (profile_win + "\\Reminder home").encode("cp1252") + b"\r\n"
    check("Halvern writes the home in the ANSI code page with CR LF", written == expected, repr(written))

    # reminder: a reminder set through its windows a few seconds ahead.
    away_from_midnight(120)
    start_menu_entry("Reminder")
    window("Welcome! to Reminder", timeout=60)
    picture("main.png")
    keys("space")
    window("Set Up New Reminder")
    due = soon(40)
    type_keys("Dentist at the corner")
    keys("Tab", "Tab")
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
    check("one record of 356 bytes holding the text", len(stored) == 356 and stored.startswith(b"Dentist"),
          repr(stored[:101]))
    if os.environ.get("LC_ALL", "").startswith("de"):
        check("the date in the German user's form", stored[80:90] == due.strftime("%d.%m.%Y").encode(),
              repr(stored[80:101]))

    # A second reminder of that second whose task is a batch file: it opens by its default verb.
    marker = os.path.join(profile, "task ran")
    with open(os.path.join(profile, "task.cmd"), "w") as f:
        f.write('echo ran > "%s\\task ran"\r\n' % profile_win)
    os.path.exists(marker) and os.remove(marker)
    task = (profile_win + "\\task.cmd").encode("cp1252")
    with open(store, "ab") as f:
        f.write(b"E2E task".ljust(80) + stored[80:101] + task.ljust(255))

    window("Welcome! to Reminder")
    keys("Tab", "space")  # from the first Go... button to the manager's
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
    window("Reminder task")
    check("the task starts by its file's default verb", wait_for("the task's trace",
                                                                  lambda: os.path.exists(marker), 20))


if __name__ == "__main__":
    try:
        test_installed_programs_meet_in_one_path_file_and_fire()
    except Exception as error:
        picture("failure.png")
        print("FAIL %s" % error)
        sys.exit(1)
