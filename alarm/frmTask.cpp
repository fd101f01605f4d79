#include "alarm/frmTask.h"

#include <QFont>
#include <QPushButton>

#include "os/TaskSafety.h"
#include "os/Trim.h"
#include "ui/Controls.h"
#include "ui/QtText.h"
#include "ui/Twips.h"
#include "ui/WindowPlacement.h"

frmTask::frmTask(Services& services, QWidget* owner)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), services_(services) {
  SetUpWindow(this, "frmTask", "Form1", "Reminder task");
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

bool frmTask::Form_Load(const QString& target, const std::filesystem::path& store, const std::filesystem::path& db) {
  const QString path = FromStd(TrimSpaces(target.toStdU16String()));
  if (path.isEmpty()) return true;
  std::optional<QString> failure;
  if (auto refusal = TaskRefusal(store, db, PathOf(path)))
    failure = QStringLiteral("The task was not started: ") + FromUtf8(*refusal);
  else
    failure = services_.launcher.Open(path);
  if (!failure) return true;
  services_.messages.Show(this, {*failure, kProgramTitle, MessageButtons::Ok, MessageIcon::None, false});
  return false;
}

void frmTask::cmdClose_Click() { close(); }
