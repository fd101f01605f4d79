#pragma once

#include <QWidget>

#include "homeset/HalvernContext.h"

class DriveList;
class FolderList;
class QLabel;
class QPushButton;

// The chooser: a drive list and a folder list; "&OK" hands the open folder to the
// start-up window. It exists at most once.
class frmAppPath : public QWidget {
  Q_OBJECT

 public:
  // Shows the chooser owned by `owner`, or brings the open one forward.
  static void ShowFor(HalvernContext& app, QWidget* owner);

 private:
  frmAppPath(HalvernContext& app, QWidget* owner);
  void BuildControls();
  void SetTabOrder();
  void Form_Load();

  void drivePath_Change();
  void dirAppPath_Change();
  void dirAppPath_OpenFailed(const QString& description);
  void cmdOK_Click();
  void cmdCancel_Click();

  HalvernContext& app_;
  QLabel* lblWarning_ = nullptr;
  DriveList* drivePath_ = nullptr;
  FolderList* dirAppPath_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  QLabel* lblPath_ = nullptr;
  QLabel* Label1_ = nullptr;
};
