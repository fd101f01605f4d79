#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <chrono>
#include <memory>
#include <optional>

#include "alarm/ReminderCheck.h"
#include "store/ReminderStore.h"
#include "ui/Services.h"

class QTimer;
class QWidget;
class frmTask;

// The once-a-second check for as long as the program runs. It owns the timer, the check
// and the last second covered, and shows what falls due itself: the "Reminder" box and
// then the task window. The main window loads, starts and stops it; loaded again within
// the second it last covered, it goes on from there, so nothing is announced twice.
class Alarm : public QObject, private ReminderAnnouncer {
  Q_OBJECT

 public:
  Alarm(const ReminderStore& store, Services& services);
  ~Alarm() override;

  // Coverage starts at this second; `owner` is the window the boxes and the task window
  // belong to. The timer runs from Start on.
  void Load(QWidget* owner);
  void Start();
  // The timer stops; the last second covered is kept for the next load.
  void Stop();
  bool isRunning() const;

  // One tick of the check; the timer calls it every second.
  void Tick();

  // The task window for an announced reminder: starts its `target`, in a new window or
  // in the one still open, which comes forward; the window does not stay when the start
  // failed.
  frmTask* ShowTask(const QString& target);
  frmTask* task() const;

 private:
  void Announce(const DueReminder& reminder) override;
  void ReportFailure(const std::string& text) override;

  const ReminderStore& store_;
  Services& services_;
  QTimer* timer_;
  // Shared with a tick under way, which a load during its boxes must not pull away.
  std::shared_ptr<ReminderCheck> check_;
  std::optional<std::chrono::local_seconds> coveredUntil_;
  QPointer<QWidget> owner_;
  QPointer<frmTask> task_;
};
