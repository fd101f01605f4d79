#include "homeset/frmAppPath.h"

#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

#include "homeset/DriveList.h"
#include "homeset/FolderList.h"
#include "homeset/HomePathFile.h"
#include "homeset/WindowLayout.h"

frmAppPath* frmAppPath::ShowFor(HalvernContext& app, QWidget* owner) {
  // A chooser that was just closed is only waiting to be deleted.
  if (app.chooser && app.chooser->isVisible()) {
    app.chooser->raise();
    app.chooser->activateWindow();
    return app.chooser;
  }
  auto* window = new frmAppPath(app, owner);
  app.chooser = window;
  window->show();
  CentreOver(window, owner);
  return window;
}

frmAppPath::frmAppPath(HalvernContext& app, QWidget* owner) : QWidget(nullptr), app_(app) {
  SetUpFixedWindow(this, "frmAppPath", "Set Application HOME", 4755, 4425);

  BuildControls();
  SetTabOrder();
  SetOwnerWindow(this, owner);
  Form_Load();
}

void frmAppPath::BuildControls() {
  lblWarning_ = MakeNamed<QLabel>(this, "lblWarning", {});
  lblWarning_->setWordWrap(true);
  lblWarning_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceTwips(lblWarning_, 120, 120, 4485, 675);

  drivePath_ = MakeNamed<DriveList>(this, "drivePath", "Drive", app_.folders.VolumeRoots(),
                                    app_.folders.VolumeOf(app_.folders.CurrentFolder()));
  PlaceTwips(drivePath_, 120, 840, 4575, 315);

  dirAppPath_ = MakeNamed<FolderList>(this, "dirAppPath", "Folders", app_.folders);
  PlaceTwips(dirAppPath_, 120, 1320, 4575, 1440);

  const QFont verdana = FontOfPoints("Verdana", 8.25);
  cmdOK_ = MakeNamed<QPushButton>(this, "cmdOK", "OK", "&OK");
  cmdOK_->setFont(verdana);
  PlaceTwips(cmdOK_, 120, 3960, 1215, 375);

  cmdCancel_ = MakeNamed<QPushButton>(this, "cmdCancel", "Cancel", "&Cancel");
  cmdCancel_->setFont(verdana);
  PlaceTwips(cmdCancel_, 3360, 3960, 1335, 375);
  // The cancel button: Esc presses it.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, cmdCancel_, &QPushButton::click);

  lblPath_ = MakePathLabel(this, "No folder open", "The open folder");
  PlaceTwips(lblPath_, 120, 3240, 4575, 495);

  Label1_ = MakeNamed<QLabel>(this, "Label1", "Choosen Path:", "Choosen Path:");
  PlaceTwips(Label1_, 120, 2880, 1455, 255);

  connect(drivePath_, &DriveList::Change, this, &frmAppPath::drivePath_Change);
  connect(dirAppPath_, &FolderList::Change, this, &frmAppPath::dirAppPath_Change);
  connect(dirAppPath_, &FolderList::OpenFailed, this, &frmAppPath::dirAppPath_OpenFailed);
  connect(cmdOK_, &QPushButton::clicked, this, &frmAppPath::cmdOK_Click);
  connect(cmdCancel_, &QPushButton::clicked, this, &frmAppPath::cmdCancel_Click);
}

void frmAppPath::SetTabOrder() {
  setTabOrder(drivePath_, dirAppPath_);
  setTabOrder(dirAppPath_, cmdOK_);
  setTabOrder(cmdOK_, cmdCancel_);
}

void frmAppPath::Form_Load() {
  const QString warning = QString::fromStdString(ComposeHomeWarning());
  lblWarning_->setText(warning);
  lblWarning_->setAccessibleName(warning);
  FitTextToBox(lblWarning_);
}

void frmAppPath::drivePath_Change() {
  // The drive list keeps the failed drive; the folder list stays where it was.
  if (std::optional<QString> failure = dirAppPath_->SetPath(drivePath_->Drive()))
    app_.boxes.Show(this, {*failure, "Error accessing drive", BoxIcon::Critical});
}

void frmAppPath::dirAppPath_Change() {
  ShowPathIn(lblPath_, ShownPath(dirAppPath_->Path()));
  // Going up from a mount point leaves its volume: the drive list follows.
  drivePath_->ShowDrive(app_.folders.VolumeOf(dirAppPath_->Path()));
}

void frmAppPath::dirAppPath_OpenFailed(const QString& description) {
  app_.boxes.Show(this, {description, kHalvernTitle, BoxIcon::Critical});
}

void frmAppPath::cmdOK_Click() {
  emit Chosen(dirAppPath_->Path());
  close();
}

void frmAppPath::cmdCancel_Click() { close(); }
