#include "shell/frmMinimized.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "shell/ScreenPlace.h"
#include "ui/Controls.h"
#include "ui/Twips.h"
#include "ui/WindowDecoration.h"

frmMinimized::frmMinimized() : QWidget(nullptr) {
  SetUpWindow(this, "frmMinimized", {}, "Show Reminder");
  FixWindowSize(this, Qt::Window, TwipsSize(1485, 405));
  BuildControls();
  ShowNoCaptionOrIcon(this);
}

void frmMinimized::BuildControls() {
  Command1_ = new QPushButton("Show Reminder", this);
  Command1_->setObjectName("Command1");
  Command1_->setAccessibleName("Show Reminder");
  PlaceInTwips(Command1_, 0, 0, 1455, 375);
  connect(Command1_, &QPushButton::clicked, this, &frmMinimized::Command1_Click);
}

void frmMinimized::Form_Load() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  const QPoint corner = screen->geometry().topLeft();
  const QSize frame = frameGeometry().size();
  const ScreenPoint place =
      KeepInside({corner.x() + TwipsToPixels(9550), corner.y() + TwipsToPixels(9800)}, frame.width(), frame.height(),
                 {area.left(), area.top(), area.width(), area.height()});
  move(place.x, place.y);
}

void frmMinimized::Command1_Click() {
  close();  // unloads the main window, which closes the windows that go with it
  emit ReloadRequested();
}

void frmMinimized::closeEvent(QCloseEvent* event) {
  emit Closed();
  event->accept();
}
