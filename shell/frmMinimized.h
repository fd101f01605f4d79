#pragma once

#include <QWidget>

#include "shell/AppContext.h"

class QPushButton;

// The small window that stands in for the hidden main window. "Show Reminder" reloads
// the main window; closing this window any other way unloads the main window, and with
// it the reminder alerts.
class frmMinimized : public QWidget {
  Q_OBJECT

 public:
  // Shows the window, or brings it forward when it is open.
  static void ShowFor(AppContext& app);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  explicit frmMinimized(AppContext& app);
  void BuildControls();
  void Form_Load();
  void Command1_Click();
  void Form_Unload();

  AppContext& app_;
  QPushButton* Command1_ = nullptr;
};
