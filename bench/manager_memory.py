"""Peak memory of the real reminder program with the manager open on a full store of
32,767 reminders, scrolled to its end. Runs under tests/e2e/run_e2e.sh (Xvfb and a
private accessibility bus); prints the peak resident size the kernel recorded."""

import datetime
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

import pyatspi  # noqa: E402

from e2e import Program, main_window, press, record, wait_for, windows  # noqa: E402


def peak_kib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


if __name__ == "__main__":
    pyatspi.Registry.getDesktop(0).childCount
    time.sleep(1)
    base = datetime.datetime.now() + datetime.timedelta(days=1)
    records = [record("Reminder number %d of a full store" % i, base + datetime.timedelta(minutes=i),
                      "/usr/bin/true") for i in range(32767)]
    program = Program(records)
    try:
        main_window()
        before = peak_kib(program.process.pid)
        press(main_window(), "Go: manage reminders")
        wait_for("the manager", lambda: (windows("Manage Stored Reminders") or [None])[0])
        subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Manage Stored Reminders",
                        "windowfocus", "--sync", "key", "ctrl+End", "Page_Up", "ctrl+Home"], check=True, timeout=60)
        time.sleep(1)
        peak = peak_kib(program.process.pid)
        print("reminder peak memory: %.1f MB before the manager, %.1f MB with the manager open on 32767 reminders"
              % (before / 1024, peak / 1024))
    finally:
        program.stop()
