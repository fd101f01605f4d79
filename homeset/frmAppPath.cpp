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
  setObjectName("frmAppPath");
  setWindowTitle("Set Application HOME");
  setAccessibleName("Set Application HOME");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(SizeOfTwips(4755, 4425));

  BuildControls();
  SetTabOrder();
  SetOwnerWindow(this, owner);
  Form_Load();
}

void frmAppPath::BuildControls() {
  lblWarning_ = new QLabel(this);
  lblWarning_->setObjectName("lblWarning");
  lblWarning_->setWordWrap(true);
  lblWarning_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceTwips(lblWarning_, 120, 120, 4485, 675);

  drivePath_ = new DriveList(app_.folders.VolumeRoots(), app_.folders.VolumeOf(app_.folders.CurrentFolder()), this);
  drivePath_->setObjectName("drivePath");
  drivePath_->setAccessibleName("Drive");
  PlaceTwips(drivePath_, 120, 840, 4575, 315);

  dirAppPath_ = new FolderList(app_.folders, this);
  dirAppPath_->setObjectName("dirAppPath");
  dirAppPath_->setAccessibleName("Folders");
  PlaceTwips(dirAppPath_, 120, 1320, 4575, 1440);

  const QFont verdana = FontOfPoints("Verdana", 8.25);
  cmdOK_ = new QPushButton("&OK", this);
  cmdOK_->setObjectName("cmdOK");
  cmdOK_->setAccessibleName("OK");
  cmdOK_->setFont(verdana);
  PlaceTwips(cmdOK_, 120, 3960, 1215, 375);

  cmdCancel_ = new QPushButton("&Cancel", this);
  cmdCancel_->setObjectName("cmdCancel");
  cmdCancel_->setAccessibleName("Cancel");
  cmdCancel_->setFont(verdana);
  PlaceTwips(cmdCancel_, 3360, 3960, 1335, 375);
  // The cancel button: Esc presses it.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, cmdCancel_, &QPushButton::click);

  lblPath_ = new QLabel(this);
  lblPath_->setObjectName("lblPath");
  lblPath_->setFrameStyle(QFrame::Box | QFrame::Plain);
  lblPath_->setTextFormat(Qt::PlainText);  // a folder may be named "a<b>b"
  lblPath_->setAccessibleName("No folder open");
  lblPath_->setAccessibleDescription("The open folder");
  PlaceTwips(lblPath_, 120, 3240, 4575, 495);

  Label1_ = new QLabel("Choosen Path:", this);
  Label1_->setObjectName("Label1");
  Label1_->setAccessibleName("Choosen Path:");
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
