"""reminder from outside, in a home without db: an empty store, then the first reminder
stored and fired; a second start; the hidden window's caption; a failed task and the next."""

import datetime
import os
import re
import subprocess
import time

from e2e import (C_LOCALE, Program, away_from_midnight, box_saying, check, first, main_window, nodes, press, record,
                 run_tests, set_up_reminder, soon, trace_script, wait_for, windows, xdotool)

MAIN, ABOUT = "Welcome! to Reminder", "About Reminder"


def test_one_copy_from_a_home_without_db():
    away_from_midnight(120)
    program, later = Program(None), []
    try:
        main = main_window()
        time.sleep(3)  # ticks run meanwhile
        check("a home without db reads as an empty store: a count of 0 and no failure",
              not windows("Reminder") and not windows("Reminder file error") and
              any(n.name == "[0]" for n in nodes(main)))

        due = soon(15)
        set_up_reminder(main, "E2E first reminder", due)
        check("the first reminder makes db for its owner alone", os.stat(program.home + "/db").st_mode & 0o777 == 0o700
              and program.records() == [record("E2E first reminder", due)])
        fired = box_saying("E2E first reminder", timeout=25)
        late = (datetime.datetime.now() - due).total_seconds()
        check("it fires at its second", 0 <= late < 3, "%.1f s late" % late)
        press(fired, "OK")
        press(first("Reminder task"), "Close")

        # Two reminders of one second, the first with a task that is gone, in both stores,
        # as a second copy that ran would announce them too.
        marker = os.path.join(program.folder, "ran")
        trace = trace_script(os.path.join(program.folder, "trace"), marker)
        due = soon(15)
        pair = [record("E2E missing task", due, "/gone"), record("E2E task with a trace", due, trace)]
        program.append(*pair)
        press(main, "About")
        first(ABOUT)
        later.append(Program(pair))
        status = later[0].process.wait(timeout=10)
        time.sleep(0.5)
        tree = subprocess.run(["xwininfo", "-root", "-children"], capture_output=True, text=True, timeout=10).stdout
        stack = [m for m in re.findall(r'^\s*0x[0-9a-f]+ "(.*)":', tree, re.M) if m in (MAIN, ABOUT)]  # top down
        check("a second start ends with status 0 and brings the main window above the About box",
              status == 0 and stack[:1] == [MAIN] and len(windows(MAIN)) == 1, repr((status, stack)))
        elsewhere = Program([], env=dict(C_LOCALE, QT_QPA_PLATFORM="offscreen"))
        later.append(elsewhere)
        check("a start on another window system ends too", elsewhere.process.wait(timeout=10) == 0)
        press(first(ABOUT), "OK")
        press(main, "Hide")
        first("Show Reminder")
        ids = xdotool("search", "--sync", "--onlyvisible", "--pid", program.process.pid).split()
        props = subprocess.run(["xprop", "-notype", "-id", ids[0], "WM_NAME", "_NET_WM_NAME", "_NET_WM_ICON"],
                               capture_output=True, text=True, timeout=10).stdout.split()
        check("the Show Reminder window has an empty caption and no icon", len(ids) == 1 and
              props == ["WM_NAME", "=", "_NET_WM_NAME", "=", "_NET_WM_ICON:", "not", "found."], repr(props))

        press(box_saying("E2E missing task", timeout=20), "OK")
        press(box_saying("No such file or directory: /gone"), "OK")
        press(box_saying("E2E task with a trace"), "OK")
        task = first("Reminder task")
        check("after a task that failed, the next one of its second starts, its window showing Close",
              wait_for("the task's trace", lambda: os.path.exists(marker), timeout=10) and
              any(n.getRoleName() == "push button" and n.name == "Close" for n in nodes(task)))
    finally:
        for p in [program] + later:
            p.stop()


if __name__ == "__main__":
    run_tests(test_one_copy_from_a_home_without_db)
