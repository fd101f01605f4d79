#include "alarm/Alarm.h"

#include <QTimer>

#include "alarm/frmTask.h"
#include "ui/QtText.h"
#include "ui/WindowPlacement.h"

Alarm::Alarm(const ReminderStore& store, Services& services)
    : store_(store), services_(services), timer_(new QTimer(this)) {
  timer_->setObjectName("timCheckReminders");
  timer_->setInterval(1000);
  connect(timer_, &QTimer::timeout, this, &Alarm::Tick);
}

Alarm::~Alarm() = default;

void Alarm::Load(QWidget* owner) {
  owner_ = owner;
  check_ = std::make_shared<ReminderCheck>(store_, services_.clock, services_.forms, coveredUntil_);
}

void Alarm::Start() { timer_->start(); }

void Alarm::Stop() { timer_->stop(); }

bool Alarm::isRunning() const { return timer_->isActive(); }

frmTask* Alarm::task() const { return task_; }

void Alarm::Tick() {
  const std::shared_ptr<ReminderCheck> check = check_;
  if (!check) return;
  check->Tick(*this);
  coveredUntil_ = check->lastCovered();
}

void Alarm::Announce(const DueReminder& reminder) {
  services_.messages.Show(owner_,
                          {FromStd(reminder.about), kProgramTitle, MessageButtons::Ok, MessageIcon::None, true});
  ShowTask(FromStd(reminder.task));
}

void Alarm::ReportFailure(const std::string& text) {
  services_.messages.Show(owner_, {FromUtf8(text), "Reminder file error", MessageButtons::Ok, MessageIcon::Critical});
}

frmTask* Alarm::ShowTask(const QString& target) {
  // Every announced reminder starts its task, also while an earlier one's window is
  // still open; that window stays the only one.
  if (QPointer<frmTask> open = task_) {
    BringForward(open);
    if (open->Form_Load(target, store_.StorePath(), store_.DbFolder())) return open;
    delete open.data();  // a close the user made while the box was up has deleted it already
    return nullptr;
  }
  return ShowOnce(
      task_, [this] { return new frmTask(services_, owner_); },
      [this, &target](frmTask* window) {
        if (!window->Form_Load(target, store_.StorePath(), store_.DbFolder())) return false;
        window->show();
        CentreOnScreen(window);
        return true;
      });
}
