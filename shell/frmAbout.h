#pragma once

#include <QWidget>

#include "shell/AppContext.h"

class QLabel;
class QPushButton;

// The About box: title, version, a disclaimer and a contact line; "&System Info..."
// starts the System Information tool that the registry names.
class frmAbout : public QWidget {
  Q_OBJECT

 public:
  // Shows the box without owner, or brings it forward when it is open.
  static void ShowFor(AppContext& app);

  // Starts the System Information tool, or says that it is unavailable.
  void StartSysInfo();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  explicit frmAbout(AppContext& app);
  void BuildControls();
  void SetTabOrder();
  void Form_Load();
  void cmdOK_Click();
  void cmdSysInfo_Click();

  AppContext& app_;
  QLabel* picIcon_ = nullptr;
  QLabel* lblTitle_ = nullptr;
  QLabel* lblVersion_ = nullptr;
  QLabel* lblDisclaimer_ = nullptr;
  QLabel* Label1_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdSysInfo_ = nullptr;
};
