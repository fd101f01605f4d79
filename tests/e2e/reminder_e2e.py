"""reminder from outside, in a home without db: the first reminder typed in and fired; a second
start; the hidden window's caption."""

import datetime
import os
import subprocess

from e2e import (C_LOCALE, Program, above, active_window, away_from_midnight, box_saying, centre, centred, check, first,
                 focus_window, main_window, press, record, run_tests, set_box_text, soon, type_keys, wait_for,
                 windows, x_id, xdotool)

MAIN, ABOUT = "Welcome! to Reminder", "About Reminder"


def test_one_copy_from_a_home_without_db():
    away_from_midnight(120)
    program, later, other = Program(None), [], None
    try:
        main = main_window()
        main_id = x_id(MAIN)
        check("the main window opens centred on the screen, frame included", centred(main_id),
              repr((centre(main_id), centre())))

        # The first reminder, typed into Set Up New Reminder, then another program's window
        # focused as a click on it would.
        due = soon(15)
        press(main, "Go: set up new reminders")
        dialog = first("Set Up New Reminder")
        focus_window("Set Up New Reminder")
        type_keys("E2E first reminder")
        for name, value in (("Hour", due.hour), ("Minute", due.minute), ("Second", due.second)):
            set_box_text(dialog, name, str(value))
        press(dialog, "Set Reminder")
        press(box_saying("Reminder is set"), "OK")
        other = subprocess.Popen(["xmessage", "-title", "Other program", "another program's window"])
        other_id = x_id("Other program")
        xdotool("windowactivate", "--sync", other_id)
        fired = box_saying("E2E first reminder", timeout=25)
        late = (datetime.datetime.now() - due).total_seconds()
        check("it fires at its second", 0 <= late < 3, "%.1f s late" % late)
        box_id = x_id("Reminder", program.process.pid)
        wait_for("the box's focus", lambda: active_window() == box_id, 5)
        xdotool("windowactivate", "--sync", other_id)  # then a click on the other program
        check("the Reminder box stays above another program's window that has the focus",
              active_window() == other_id and above(box_id, other_id), repr((active_window(), box_id, other_id)))
        press(fired, "OK")
        press(first("Reminder task"), "Close")

        press(main, "About")
        first(ABOUT)
        about_id = x_id(ABOUT)
        check("the About box opens centred on the main window", centred(about_id, main_id),
              repr((centre(about_id), centre(main_id))))
        xdotool("windowactivate", "--sync", other_id)
        later.append(Program([]))
        status = later[-1].process.wait(timeout=10)
        # The About box belongs to the main window: a window manager keeps it above it.
        forward = lambda: active_window() == main_id and above(main_id, other_id) and above(about_id, main_id)
        check("a second start ends with status 0 and brings the main window above the focused other program, "
              "with the focus", status == 0 and wait_for("the main window's focus", forward, 5) and
              len(windows(MAIN)) == 1, repr((status, active_window())))
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
    finally:
        for p in [program] + later:
            p.stop()
        if other:
            other.kill()


def test_under_a_wayland_compositor():
    """With X11 offered beside Wayland, reminder runs through it; on Wayland alone it starts,
    fires, hides and shows, and a second start with its launcher's token ends at once."""
    away_from_midnight(60)
    on_x11 = Program([])
    try:
        main_window()
        check("with X11 offered beside Wayland, reminder runs through it", x_id(MAIN, on_x11.process.pid))
    finally:
        on_x11.stop()
    wayland = {k: v for k, v in C_LOCALE.items() if k != "DISPLAY"}
    program, later = Program([], env=wayland), []
    try:
        main = main_window()
        in_x11 = subprocess.run(["xdotool", "search", "--pid", str(program.process.pid)], capture_output=True).stdout
        program.append(record("E2E on Wayland", soon(5)))
        press(box_saying("E2E on Wayland", timeout=20), "OK")
        press(first("Reminder task"), "Close")
        press(main, "Hide")
        later.append(Program([], env=dict(wayland, XDG_ACTIVATION_TOKEN="e2e-token")))
        status = later[0].process.wait(timeout=10)
        press(first("Show Reminder"), "Show Reminder")
        check("on Wayland alone it starts, fires, hides and, started again with a token, comes forward and shows",
              not in_x11 and status == 0 and main_window(), repr((in_x11, status)))
    finally:
        for p in [program] + later:
            p.stop()


if __name__ == "__main__":
    if os.environ.get("WAYLAND_DISPLAY"):
        run_tests(test_under_a_wayland_compositor)
    else:
        run_tests(test_one_copy_from_a_home_without_db)
