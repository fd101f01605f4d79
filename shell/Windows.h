#pragma once

#include <QString>

#include "entry/ShownRow.h"
#include "shell/AppContext.h"

class QWidget;

// The shell's way to each window that the others open: one instance of each, kept in
// the program's context and wired to the others here. An open window only comes
// forward; a new one is owned by `owner` (none when null).
frmSetNewReminder* ShowNewReminder(AppContext& app, QWidget* owner);
frmQuickAdd* ShowQuickAdd(AppContext& app, QWidget* owner);
frmManager* ShowManager(AppContext& app, QWidget* owner);
// The edit dialog for `row` of the manager's list.
frmEdit* ShowEdit(AppContext& app, const ShownRow& row, QWidget* owner);
// The task window for an announced reminder: starts its `target`, in a new window or in
// the one still open, which comes forward; the window does not stay when the start failed.
frmTask* ShowTask(AppContext& app, const QString& target, QWidget* owner);
