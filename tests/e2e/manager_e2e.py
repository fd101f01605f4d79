"""The manager's drivers, which tools/screenshots.py uses: its rules are the widget tests'."""

from e2e import click, extents, first, focus_window, nodes, press


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
