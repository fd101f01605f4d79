#pragma once

#include <QObject>
#include <QString>

#include "os/FileIo.h"
#include "shell/RunningCopy.h"

class QDeadlineTimer;
class QLocalServer;
class QLocalSocket;

// The running copy held by an advisory lock on a file in the user's runtime folder (or,
// when that is not the user's alone, in a folder of the user's below the cache folder),
// which the system lets go of when the process ends however it ends (a crashed copy
// never blocks the next start), and found through a local socket beside it that only
// the lock's holder creates and listens on.
class QtRunningCopy final : public QObject, public RunningCopy {
  Q_OBJECT

 public:
  // The copy of this user, whatever window system or display it runs on.
  QtRunningCopy();
  ~QtRunningCopy() override;

  Start ClaimOrCall() override;
  void OnCalled(std::function<void(const std::string& activationToken)> comeForward) override;
  void Release() override;
  std::string Why() const override { return why_; }

 private:
  bool Listen();
  bool Call(const QDeadlineTimer& deadline) const;
  void Answer();
  void Heard(QLocalSocket* caller);

  std::string why_;
  QString folder_;
  QString lockPath_;
  QString socketPath_;
  FileIo::Handle lock_ = 0;
  bool locked_ = false;
  QLocalServer* server_ = nullptr;
  std::function<void(const std::string& activationToken)> comeForward_;
};
