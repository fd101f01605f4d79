#pragma once

#include <QWidget>

#include "shell/AppContext.h"

class QLabel;
class QLineEdit;
class QPushButton;

// "Quick Reminder": a reminder a number of minutes from now. It stores nothing itself:
// OK opens the new reminder dialog, fills its text and time, runs its Set Reminder and
// closes both windows.
class frmQuickAdd : public QWidget {
  Q_OBJECT

 public:
  // Shows the single instance, loading it when it is not open; owned by `owner`.
  static frmQuickAdd* ShowFor(AppContext& app, QWidget* owner);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  frmQuickAdd(AppContext& app, QWidget* owner);
  void BuildControls();
  void SetTabOrder();
  void ConnectHandlers();

  void txtAbout_KeyUp();
  void txtMin_KeyUp();
  void cmdOK_Click();
  void EnableOkForMinutes();

  AppContext& app_;

  QLabel* Label1_ = nullptr;
  QLineEdit* txtAbout_ = nullptr;
  QLabel* Label2_ = nullptr;
  QLineEdit* txtMin_ = nullptr;
  QLabel* Label3_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
};
