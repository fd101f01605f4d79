#pragma once

#include <QWidget>

#include "homeset/FolderPath.h"
#include "homeset/HalvernContext.h"

class DriveList;
class FolderList;
class QLabel;
class QPushButton;

// The chooser: a drive list and a folder list; "&OK" hands the open folder on through
// Chosen. It exists at most once.
class frmAppPath : public QWidget {
  Q_OBJECT

 public:
  // Shows the chooser owned by `owner`, or brings the open one forward.
  static frmAppPath* ShowFor(HalvernContext& app, QWidget* owner);

 signals:
  // "&OK" was pressed on `path`, the open folder.
  void Chosen(const FolderPath& path);

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
