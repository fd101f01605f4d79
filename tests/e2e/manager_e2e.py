"""End-to-end checks of the manager window in the real program, made from outside its
process: rows are clicked through the X server (xdotool), the grid is read and buttons
pressed through the accessibility bus. Three reminders are listed in file order; the
middle one is deleted, leaving records 1 and 3 on disk; an edit rewrites a reminder
in place. A second edit from the list the manager kept, of a row whose record has
changed since, writes nothing, even when another reminder has the same text."""

import datetime
import time

import pyatspi

import reminder_e2e as base
from entry_e2e import away_from_midnight, control, fields, focus_window, set_box_text, stored_records, xdotool
from reminder_e2e import Program, check, main_window, press, record, texts, wait_for, windows


def grid(win):
    for n in base.nodes(win):
        if n.getRoleName() == "table":
            return n
    raise AssertionError("no grid in %r" % win.name)


def cell_text(table, row, col):
    return table.queryTable().getAccessibleAt(row, col).name


def click_row(win, row):
    table = grid(win)
    cell = table.queryTable().getAccessibleAt(row, 0)
    extents = cell.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    # The cells report their rows right but not where the table begins across.
    left = table.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).x
    focus_window(win.name)
    xdotool("mousemove", "--sync", left + 20, extents.y + extents.height // 2)
    xdotool("click", 1)
    time.sleep(0.3)


def press_opening_box(win, button_name):
    """Presses a button whose handler opens a modal box at once: the bus may answer the
    press with an error while the box holds the handler, so only the box tells."""
    try:
        press(win, button_name)
    except Exception:
        pass


def box(title, text):
    return wait_for("the %r box" % title, lambda: next((w for w in windows(title) if text in texts(w)), None))


def open_manager(main):
    press(main, "Go: manage reminders")
    return wait_for("the manager", lambda: (windows("Manage Stored Reminders") or [None])[0])


def edit_row(manager, row):
    click_row(manager, row)
    press(manager, "Edit selected reminder")
    return wait_for("the edit dialog", lambda: (windows("Edit Values") or [None])[0])


def test_manager():
    away_from_midnight(120)
    now = datetime.datetime.now().replace(microsecond=0)
    expired = max(now - datetime.timedelta(minutes=30), datetime.datetime.combine(now.date(), datetime.time()))
    later = now + datetime.timedelta(minutes=50)
    tomorrow = now + datetime.timedelta(days=1)
    program = Program([record("E2E expired", expired), record("E2E later today", later),
                       record("E2E tomorrow", tomorrow)])
    try:
        main = main_window()
        manager = open_manager(main)
        table = grid(manager)
        rows = [cell_text(table, r, 0) for r in range(1, 4)]
        check("three rows in file order", rows == ["E2E expired", "E2E later today", "E2E tomorrow"], repr(rows))
        check("a trailing empty row", table.queryTable().nRows == 5 and cell_text(table, 4, 0) == "")

        click_row(manager, 2)
        press_opening_box(manager, "Delete selected reminder")
        press(box("Confirm delete", "Are you sure you want to delete this reminder, it can't be recalled later"), "Yes")
        press(box("Deleted", "Reminder deleted"), "OK")
        time.sleep(0.5)
        stored = [fields(r) for r in stored_records(program)]
        size = sum(len(r) for r in stored_records(program))
        check("the store holds records 1 and 3, 712 bytes",
              [s[0] for s in stored] == ["E2E expired", "E2E tomorrow"] and size == 712, repr(stored))
        check("the manager closed after the delete", not windows("Manage Stored Reminders"))
        check("the main window's count follows", base.count_of(main) == ["[1]"], repr(base.count_of(main)))

        edit = edit_row(open_manager(main), 2)
        control(edit, "text", "Remind about").queryEditableText().setTextContents("E2E edited")
        set_box_text(edit, "Second", "42")
        press_opening_box(edit, "Save Changes")
        press(box("Reminder", "Reminder is set"), "OK")
        time.sleep(0.5)
        stored = [fields(r) for r in stored_records(program)]
        check("the edit rewrote record 2 in place and left record 1 alone",
              len(stored) == 2 and stored[0][0] == "E2E expired" and stored[1][0] == "E2E edited" and
              stored[1][1] == tomorrow.strftime("%m/%d/%Y") and stored[1][2] == tomorrow.strftime("%H:%M:42"),
              repr(stored))
    finally:
        program.stop()


def test_second_edit_from_the_kept_list():
    today = datetime.date.today()
    meetings = [record("E2E meeting", datetime.datetime.combine(today + datetime.timedelta(days=1), datetime.time(9))),
                record("E2E meeting", datetime.datetime.combine(today + datetime.timedelta(days=2), datetime.time(10)))]
    program = Program(meetings)
    try:
        main = main_window()
        edit = edit_row(open_manager(main), 2)
        control(edit, "text", "Remind about").queryEditableText().setTextContents("E2E meeting moved")
        press_opening_box(edit, "Save Changes")
        press(box("Reminder", "Reminder is set"), "OK")
        time.sleep(0.5)
        after_first = stored_records(program)
        check("the first edit rewrote record 2 only",
              after_first[0] == meetings[0] and fields(after_first[1])[0] == "E2E meeting moved",
              repr([fields(r) for r in after_first]))

        # The manager comes back with the list it had: row 2 still shows the old texts.
        manager = open_manager(main)
        check("the manager kept its list", cell_text(grid(manager), 2, 0) == "E2E meeting")
        edit = edit_row(manager, 2)
        press_opening_box(edit, "Save Changes")
        answer = wait_for("the answer to the second save",
                          lambda: (windows("File error!") or windows("Reminder") or [None])[0])
        check("the second save is refused as changed since the list was loaded",
              answer.name == "File error!" and any("since the list was loaded" in t for t in texts(answer)),
              "%s: %r" % (answer.name, texts(answer)))
        press(answer, "OK")
        time.sleep(0.5)
        check("the store's bytes are those the first edit left", stored_records(program) == after_first,
              repr([fields(r) for r in stored_records(program)]))
        check("the edit dialog stays open", bool(windows("Edit Values")))
    finally:
        program.stop()


if __name__ == "__main__":
    base.run_tests(test_manager, test_second_edit_from_the_kept_list)
