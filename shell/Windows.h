#pragma once

#include <QString>

#include "shell/AppContext.h"
#include "store/ShownRow.h"

class QWidget;

// The shell's way to each window that the others open: one instance of each, kept in
// the program's context and wired to the others here. An open window only comes
// forward; a new one is owned by `owner` (none when null).
frmSetNewReminder* ShowNewReminder(AppContext& app, QWidget* owner);
frmQuickAdd* ShowQuickAdd(AppContext& app, QWidget* owner);
frmManager* ShowManager(AppContext& app, QWidget* owner);
// The edit dialog for `row` of the manager's list.
frmEdit* ShowEdit(AppContext& app, const ShownRow& row, QWidget* owner);
