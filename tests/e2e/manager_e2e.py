"""The manager from outside: a delete and an edit on disk, and a second edit from the kept
list of a changed row, which writes nothing even where another, alike reminder is still
there."""

import datetime

from e2e import (Program, box_saying, check, click, control, extents, first, focus_window, main_window,
                 nodes, press, press_opening_box, record, run_tests, texts, wait_for, windows)


def open_manager(main):
    press(main, "Go: manage reminders")
    return first("Manage Stored Reminders")


def select_row(manager, row):
    """Clicks the row (its cells tell where it is down, not where the table begins across)."""
    table = next(n for n in nodes(manager) if n.getRoleName() == "table")
    focus_window(manager.name)
    left = extents(table).x + 20
    click(table.queryTable().getAccessibleAt(row, 0), left=left)


def open_edit(manager, row):
    select_row(manager, row)
    press(manager, "Edit selected reminder")
    return first("Edit Values")


def test_manager():
    day = lambda n, h: datetime.datetime.combine(datetime.date.today() + datetime.timedelta(days=n), datetime.time(h))
    records = [record("E2E first", day(1, 8)), record("E2E middle", day(1, 9)), record("E2E meeting", day(1, 10)),
               record("E2E meeting", day(1, 10)), record("E2E other", day(2, 10))]
    program = Program(records)
    try:
        main = main_window()
        manager = open_manager(main)
        select_row(manager, 2)
        press_opening_box(manager, "Delete selected reminder")
        press(box_saying("Are you sure you want to delete this reminder, it can't be recalled later",
                         "Confirm delete"), "Yes")
        press(box_saying("Reminder deleted", "Deleted"), "OK")
        wait_for("the manager to close", lambda: not windows("Manage Stored Reminders"))
        check("the delete leaves the other records on disk, in order", program.records() == records[:1] + records[2:])

        edit = open_edit(open_manager(main), 3)
        control(edit, "text", "Remind about").queryEditableText().setTextContents("E2E meeting B")
        press_opening_box(edit, "Save Changes")
        press(box_saying("Reminder is set"), "OK")
        wait_for("the manager to close", lambda: not windows("Manage Stored Reminders") and not windows("Edit Values"))
        after = program.records()
        check("an edit of the second of two alike meetings rewrites it only, in place",
              after == [records[0], records[2], record("E2E meeting B", day(1, 10)), records[4]], repr(after))

        # The manager comes back with the list it had: row 3 still shows the second meeting,
        # which is gone; the first, alike, was never chosen.
        press_opening_box(open_edit(open_manager(main), 3), "Save Changes")
        answer = wait_for("the answer to the second save", lambda: (windows("File error!") or windows("Reminder"))[:1])[0]
        check("a second save from the kept list is refused as changed since the list was loaded",
              answer.name == "File error!" and any("since the list was loaded" in t for t in texts(answer)),
              "%s: %r" % (answer.name, texts(answer)))
        press(answer, "OK")
        check("and writes nothing, the dialog staying open", program.records() == after and windows("Edit Values"))
    finally:
        program.stop()


if __name__ == "__main__":
    run_tests(test_manager)
