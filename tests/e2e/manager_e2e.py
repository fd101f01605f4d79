"""End-to-end checks of the manager window in the real program, made from outside its
process: reminders listed in file order, the middle one deleted on disk, an edit that
rewrites its record in place, and a second edit from the list the manager kept, of a
row whose record has changed since, that writes nothing even where another reminder
has the same text."""

import datetime
import time

import pyatspi

from e2e import (Program, away_from_midnight, box_saying, check, click, control, count_of, fields, first,
                 focus_window, main_window, nodes, press, press_opening_box, record, run_tests, set_box_text,
                 texts, wait_for, windows)


def grid(win):
    return next(n for n in nodes(win) if n.getRoleName() == "table").queryTable()


def open_manager(main):
    press(main, "Go: manage reminders")
    return first("Manage Stored Reminders")


def select_row(manager, row):
    """Clicks the row (its cells tell where it is down, not where the table begins across)."""
    table = next(n for n in nodes(manager) if n.getRoleName() == "table")
    focus_window(manager.name)
    click(grid(manager).getAccessibleAt(row, 0), left=table.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).x + 20)


def open_edit(manager, row):
    select_row(manager, row)
    press(manager, "Edit selected reminder")
    return first("Edit Values")


def test_manager():
    away_from_midnight(120)
    now = datetime.datetime.now().replace(microsecond=0)
    day = lambda n, h: datetime.datetime.combine(now.date() + datetime.timedelta(days=n), datetime.time(h))
    expired = max(now - datetime.timedelta(minutes=30), day(0, 0))
    tomorrow = now + datetime.timedelta(days=1)
    records = [record("E2E expired", expired), record("E2E later today", now + datetime.timedelta(minutes=50)),
               record("E2E tomorrow", tomorrow), record("E2E meeting", day(1, 9)), record("E2E meeting", day(2, 10))]
    program = Program(records)
    try:
        main = main_window()
        manager = open_manager(main)
        rows = [grid(manager).getAccessibleAt(r, 0).name for r in range(1, 7)]
        check("the rows in file order, then an empty one", rows == [fields(r)[0] for r in records] + [""] and
              grid(manager).nRows == 7, repr(rows))

        select_row(manager, 2)
        press_opening_box(manager, "Delete selected reminder")
        press(box_saying("Are you sure you want to delete this reminder, it can't be recalled later",
                         "Confirm delete"), "Yes")
        press(box_saying("Reminder deleted", "Deleted"), "OK")
        time.sleep(0.5)
        check("the delete leaves the other records on disk, in order",
              program.records() == records[:1] + records[2:], repr([fields(r) for r in program.records()]))
        check("the manager closes and the main window's count follows",
              not windows("Manage Stored Reminders") and count_of(main) == ["[1]"], repr(count_of(main)))

        edit = open_edit(open_manager(main), 2)
        control(edit, "text", "Remind about").queryEditableText().setTextContents("E2E edited")
        set_box_text(edit, "Second", "42")
        press_opening_box(edit, "Save Changes")
        press(box_saying("Reminder is set"), "OK")
        time.sleep(0.5)
        edited = record("E2E edited", tomorrow.replace(second=42))
        check("the edit rewrote its record in place and left the others alone",
              program.records() == [records[0], edited] + records[3:], repr([fields(r) for r in program.records()]))

        edit = open_edit(open_manager(main), 4)
        control(edit, "text", "Remind about").queryEditableText().setTextContents("E2E meeting moved")
        press_opening_box(edit, "Save Changes")
        press(box_saying("Reminder is set"), "OK")
        time.sleep(0.5)
        after = program.records()
        check("an edit of the last meeting rewrites it only", after[:3] == [records[0], edited, records[3]] and
              fields(after[3])[0] == "E2E meeting moved", repr([fields(r) for r in after]))

        # The manager comes back with the list it had: row 4 still shows the old texts.
        manager = open_manager(main)
        check("the manager kept its list", grid(manager).getAccessibleAt(4, 0).name == "E2E meeting")
        press_opening_box(open_edit(manager, 4), "Save Changes")
        answer = wait_for("the answer to the second save", lambda: (windows("File error!") or windows("Reminder"))[:1])[0]
        check("a second save from the kept list is refused as changed since the list was loaded",
              answer.name == "File error!" and any("since the list was loaded" in t for t in texts(answer)),
              "%s: %r" % (answer.name, texts(answer)))
        press(answer, "OK")
        time.sleep(0.5)
        check("and writes nothing, the dialog staying open", program.records() == after and windows("Edit Values"))
    finally:
        program.stop()


if __name__ == "__main__":
    run_tests(test_manager)
