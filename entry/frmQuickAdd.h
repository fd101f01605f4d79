#pragma once

#include <QWidget>
#include <functional>

#include "ui/Services.h"

class QLabel;
class QLineEdit;
class QPushButton;

// "Quick Reminder": a reminder a number of minutes from now. It stores nothing itself:
// OK opens the new reminder dialog, fills its text and time, runs its Set Reminder and
// closes both windows.
class frmSetNewReminder;

class frmQuickAdd : public QWidget {
  Q_OBJECT

 public:
  // Shows or brings forward the one new reminder dialog.
  using EntryOpener = std::function<frmSetNewReminder*()>;

  frmQuickAdd(Services& services, EntryOpener openEntry, QWidget* owner);

 private:
  void BuildControls();
  void SetTabOrder();
  void ConnectHandlers();

  void txtAbout_KeyUp();
  void txtMin_KeyUp();
  void cmdOK_Click();
  void EnableOkForMinutes();

  Services& services_;
  EntryOpener openEntry_;

  QLabel* Label1_ = nullptr;
  QLineEdit* txtAbout_ = nullptr;
  QLabel* Label2_ = nullptr;
  QLineEdit* txtMin_ = nullptr;
  QLabel* Label3_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
};
