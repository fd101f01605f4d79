#include "alarm/frmTask.h"

#include <QFont>
#include <QPushButton>

#include "platform/TaskSafety.h"
#include "platform/Twips.h"

void frmTask::ShowFor(AppContext& app, const QString& target, QWidget* owner) {
  if (app.task) {
    app.task->raise();
    app.task->activateWindow();
    return;
  }
  auto* window = new frmTask(app, owner);
  app.task = window;
  if (!window->Form_Load(target)) {
    // Gone at once: a deferred delete waits for this loop, and the next reminder's box
    // runs a loop of its own, in which the dying window would pass for an open one.
    delete window;
    return;
  }
  window->show();
  CentreOnScreen(window);
}

frmTask::frmTask(AppContext& app, QWidget* owner)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), app_(app) {
  setObjectName("frmTask");
  setWindowTitle("Form1");
  setAccessibleName("Reminder task");
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(TwipsSize(1200, 570));
  BuildControls();
  SetOwner(this, owner);
}

void frmTask::BuildControls() {
  cmdClose_ = new QPushButton("&Close", this);
  cmdClose_->setObjectName("cmdClose");
  cmdClose_->setAccessibleName("Close");
  PlaceInTwips(cmdClose_, 120, 120, 975, 375);
  connect(cmdClose_, &QPushButton::clicked, this, &frmTask::cmdClose_Click);
}

bool frmTask::Form_Load(const QString& target) {
  const QString path = FromStd(TrimSpaces(target.toStdU16String()));
  if (path.isEmpty()) return true;
  std::optional<QString> failure;
  if (auto refusal = TaskRefusal(app_.store.StorePath(), app_.store.DbFolder()))
    failure = QStringLiteral("The task was not started: ") + FromUtf8(*refusal);
  else
    failure = app_.launcher.Open(path);
  if (!failure) return true;
  app_.messages.Show(this, {*failure, kProgramTitle, MessageButtons::Ok, MessageIcon::None, false});
  return false;
}

void frmTask::cmdClose_Click() { close(); }
