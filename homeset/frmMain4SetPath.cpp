#include "homeset/frmMain4SetPath.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

#include "homeset/HomePathFile.h"
#include "homeset/WindowLayout.h"
#include "homeset/frmAppPath.h"

frmMain4SetPath::frmMain4SetPath(HalvernContext& app) : QWidget(nullptr), app_(app) {
  SetUpFixedWindow(this, "frmMain4SetPath", "Set Application home", 4650, 1185);

  BuildControls();
  SetTabOrder();
  app_.main = this;
}

void frmMain4SetPath::BuildControls() {
  lblPath_ = MakePathLabel(this, "No path chosen", "The home directory to write");
  PlaceTwips(lblPath_, 120, 240, 4455, 375);

  cmdBrowse_ = MakeNamed<QPushButton>(this, "cmdBrowse", "Browse...", "&Browse...");
  PlaceTwips(cmdBrowse_, 120, 720, 1335, 375);

  cmdOK_ = MakeNamed<QPushButton>(this, "cmdOK", "OK", "&OK");
  cmdOK_->setEnabled(false);
  PlaceTwips(cmdOK_, 3360, 720, 1215, 375);

  connect(cmdBrowse_, &QPushButton::clicked, this, &frmMain4SetPath::cmdBrowse_Click);
  connect(cmdOK_, &QPushButton::clicked, this, &frmMain4SetPath::cmdOK_Click);
}

void frmMain4SetPath::SetTabOrder() { setTabOrder(cmdBrowse_, cmdOK_); }

void frmMain4SetPath::TakePath(const FolderPath& path) {
  chosen_ = path;
  ShowPathIn(lblPath_, ShownPath(path));
  cmdOK_->setEnabled(true);
}

void frmMain4SetPath::cmdBrowse_Click() {
  frmAppPath* chooser = frmAppPath::ShowFor(app_, this);
  connect(chooser, &frmAppPath::Chosen, this, &frmMain4SetPath::TakePath, Qt::UniqueConnection);
}

void frmMain4SetPath::cmdOK_Click() {
  if (std::optional<std::string> failure = WritePathFile(app_.files, chosen_, app_.pathFile)) {
    app_.boxes.Show(this, {QString::fromStdString(*failure), kHalvernTitle});
    return;
  }
  app_.boxes.Show(this, {"Path has been set successfully", kHalvernTitle});
  close();
}

void frmMain4SetPath::closeEvent(QCloseEvent* event) {
  // The chooser only feeds this window: it does not outlive it.
  if (app_.chooser) app_.chooser->close();
  event->accept();
}
