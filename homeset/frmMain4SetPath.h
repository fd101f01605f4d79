#pragma once

#include <QWidget>

#include "homeset/FolderPath.h"
#include "homeset/HalvernContext.h"

class QLabel;
class QPushButton;

// The start-up window: shows the chosen path, opens the chooser, and writes path.txt.
class frmMain4SetPath : public QWidget {
  Q_OBJECT

 public:
  explicit frmMain4SetPath(HalvernContext& app);

  // The chooser hands over its open folder: shown here, and "&OK" may now write it.
  void TakePath(const FolderPath& path);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void SetTabOrder();

  void cmdBrowse_Click();
  void cmdOK_Click();

  HalvernContext& app_;
  // The folder that lblPath shows, as the file system spells it: the text shown may not
  // spell it exactly.
  FolderPath chosen_;
  QLabel* lblPath_ = nullptr;
  QPushButton* cmdBrowse_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
};
