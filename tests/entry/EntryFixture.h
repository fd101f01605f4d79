#pragma once

#include <gmock/gmock.h>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "entry/frmEdit.h"
#include "entry/frmQuickAdd.h"
#include "entry/frmSetNewReminder.h"
#include "manager/FlexGrid.h"
#include "manager/frmManager.h"
#include "shell/WidgetFixture.h"

// The widget fixture with one driver per entry dialog, used as a user would.
class EntryFixture : public WidgetFixture {
 protected:
  // The boxes shown, by their titles.
  static auto Titled(const QString& title) {
    return ::testing::ElementsAre(::testing::Field(&MessageRequest::title, title));
  }
  static bool Enabled(QWidget* w, const char* name) { return Control(w, name)->isEnabled(); }

  // Replaces a combo box's text by typing, as a user selecting it and typing over it.
  static void TypeOver(QComboBox* box, const QString& text) {
    box->lineEdit()->selectAll();
    text.isEmpty() ? QTest::keyClick(box, Qt::Key_Backspace) : QTest::keyClicks(box, text);
  }

  // Ticks the task box and answers the chooser with `path`.
  void ChooseTask(QWidget* w, const QString& path) {
    QTest::mouseClick(Control(w, "chkTask"), Qt::LeftButton);
    chooser.answer = path;
    Click(w, "cmdBrowse");
  }

  // Opens the manager, clicks `row` and presses Edit.
  frmEdit* EditRow(int row) {
    FlexGrid* grid = ShowManager(app, nullptr)->grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row, 0)).center());
    Click(grid->window(), "cmdEdit");
    EXPECT_TRUE(app.edit);
    return app.edit;
  }
};
