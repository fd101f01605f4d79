#include "shell/frmMinimized.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "platform/Twips.h"
#include "platform/WindowDecoration.h"
#include "shell/ScreenPlace.h"
#include "shell/frmMain.h"

void frmMinimized::ShowFor(AppContext& app) {
  if (app.minimized) {
    BringToFront(app.minimized);
    return;
  }
  auto* window = new frmMinimized(app);
  app.minimized = window;
  window->show();
  window->Form_Load();  // the frame's size is known once the window is shown
}

frmMinimized::frmMinimized(AppContext& app) : QWidget(nullptr), app_(app) {
  setObjectName("frmMinimized");
  setAccessibleName("Show Reminder");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(TwipsSize(1485, 405));
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
  const ScreenPoint place = KeepInside({corner.x() + TwipsToPixels(9550), corner.y() + TwipsToPixels(9800)},
                                       frame.width(), frame.height(),
                                       {area.left(), area.top(), area.width(), area.height()});
  move(place.x, place.y);
}

void frmMinimized::Command1_Click() {
  AppContext& app = app_;
  close();  // unloads the main window, which closes the windows that go with it
  frmMain::Open(app);
}

void frmMinimized::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void frmMinimized::Form_Unload() {
  if (app_.main && !app_.main->isUnloaded()) app_.main->close();
}
