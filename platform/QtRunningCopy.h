#pragma once

#include <QObject>
#include <QString>

#include "platform/FileIo.h"
#include "platform/RunningCopy.h"

class QDeadlineTimer;
class QLocalServer;

// The running copy held by an advisory lock on a file in the user's runtime folder,
// which the system lets go of when the process ends however it ends (a crashed copy
// never blocks the next start), and found through a local socket beside it that only
// the lock's holder creates and listens on.
class QtRunningCopy final : public QObject, public RunningCopy {
  Q_OBJECT

 public:
  // The copy of this user on the display the application runs on. Needs the
  // application object.
  QtRunningCopy();
  // The copy named `name` in `folder`.
  QtRunningCopy(QString folder, QString name);
  ~QtRunningCopy() override;

  Start ClaimOrCall() override;
  void OnCalled(std::function<void()> comeForward) override;
  void Release() override;

 private:
  bool Listen();
  bool Call(const QDeadlineTimer& deadline) const;
  void Answer();

  QString folder_;
  QString lockPath_;
  QString socketPath_;
  FileIo::Handle lock_ = 0;
  bool locked_ = false;
  QLocalServer* server_ = nullptr;
  std::function<void()> comeForward_;
};
