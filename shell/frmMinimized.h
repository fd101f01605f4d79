#pragma once

#include <QWidget>

class QPushButton;

// The small window that stands in for the hidden main window. "Show Reminder" reloads
// the main window; closing this window any other way unloads the main window, and with
// it the reminder alerts.
class frmMinimized : public QWidget {
  Q_OBJECT

 public:
  frmMinimized();

  // Places the window near the screen's lower right corner; its frame's size is known
  // once it is shown.
  void Form_Load();

 signals:
  // "Show Reminder" was pressed, after this window closed: the main window is to be
  // loaded again.
  void ReloadRequested();
  // This window closed: the main window it stands in for is to be unloaded.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void Command1_Click();

  QPushButton* Command1_ = nullptr;
};
