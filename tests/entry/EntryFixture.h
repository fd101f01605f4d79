#pragma once

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "entry/EntryControls.h"
#include "entry/frmQuickAdd.h"
#include "entry/frmSetNewReminder.h"
#include "shell/WidgetFixture.h"

// The widget fixture with helpers that drive the entry dialogs as a user would.
class EntryFixture : public WidgetFixture {
 protected:
  frmSetNewReminder* OpenNew(QWidget* owner = nullptr) { return ShowNewReminder(app, owner); }
  static bool Enabled(QWidget* w, const char* name) { return Control(w, name)->isEnabled(); }

  // Replaces a combo box's text by typing, as a user selecting it and typing over it.
  static void TypeOver(QComboBox* box, const QString& text) {
    box->lineEdit()->selectAll();
    if (text.isEmpty())
      QTest::keyClick(box, Qt::Key_Backspace);
    else
      QTest::keyClicks(box, text);
  }

  // Types the About text and the time, unlocking the dialog step by step.
  void Fill(frmSetNewReminder* w, const QString& about, const QString& hour, const QString& minute,
            const QString& second) {
    QTest::keyClicks(Control<QLineEdit>(w, "txtAbout"), about);
    TypeOver(Control<QComboBox>(w, "cboHH"), hour);
    TypeOver(Control<QComboBox>(w, "cboMM"), minute);
    TypeOver(Control<QComboBox>(w, "cboSS"), second);
  }

  static void PickDate(frmSetNewReminder* w, std::chrono::year_month_day date) {
    Control<QCalendarWidget>(w, "Calendar")->setSelectedDate(ToQDate(date));
  }

  std::vector<QString> Titles() const {
    std::vector<QString> out;
    for (const MessageRequest& m : messages.shown) out.push_back(m.title);
    return out;
  }
};
