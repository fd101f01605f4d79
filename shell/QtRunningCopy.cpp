#include "shell/QtRunningCopy.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <filesystem>

#include "os/OsError.h"
#include "os/RunningCopyFolder.h"
#include "os/RunningCopyName.h"
#include "ui/QtText.h"

namespace {

// How long a later start keeps asking: the running copy may itself be starting (two
// starts at the same instant) or be busy for a moment.
constexpr int kAnswerMs = 5000;
constexpr int kRetryMs = 50;
// More than a call of the longest token holds: a longer line reads as one without a token.
constexpr qint64 kLongestCall = 512;

// The runtime folder, else a folder of the user's own below the cache folder; empty, with
// `why` saying so, when neither is the user's alone.
QString ChosenFolder(std::string& why) {
  const std::filesystem::path fallback =
      PathOf(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QLatin1String("/reminder"));
  const std::filesystem::path folder =
      RunningCopyFolder(PathOf(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)), fallback, why);
  return FromPath(folder);
}

QString Name() { return QString::fromStdString(RunningCopyName(RunningCopyUser())); }

}  // namespace

// why_ comes before folder_, so the choice of the folder can say why there is none.
QtRunningCopy::QtRunningCopy()
    : folder_(ChosenFolder(why_)),
      lockPath_(folder_ + QLatin1Char('/') + Name() + QLatin1String(".lock")),
      socketPath_(folder_ + QLatin1Char('/') + Name() + QLatin1String(".socket")) {}

QtRunningCopy::~QtRunningCopy() { Release(); }

RunningCopy::Start QtRunningCopy::ClaimOrCall() {
  if (folder_.isEmpty()) return Start::Unguarded;  // why_ says why
  const QDeadlineTimer deadline(kAnswerMs);
  for (;;) {
    const int error = OsFileIo::Instance().TryLock(PathOf(lockPath_), lock_);
    if (error == 0) {
      locked_ = true;
      if (!Listen())
        qWarning("Reminder cannot be called on %s: %s", qUtf8Printable(socketPath_),
                 qUtf8Printable(server_->errorString()));
      return Start::Claimed;
    }
    if (error != kLockBusyError) {
      why_ = DescribeFailure(error, PathOf(lockPath_));
      return Start::Unguarded;
    }
    if (Call(deadline)) return Start::Answered;
    // A copy that holds the claim but never answers is stuck; reminders must not go
    // silent because of it.
    if (deadline.hasExpired()) {
      why_ = "Another copy of Reminder runs but does not answer";
      return Start::Unguarded;
    }
    QThread::msleep(kRetryMs);
  }
}

bool QtRunningCopy::Listen() {
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &QtRunningCopy::Answer);
  // Only the lock's holder gets here: a socket left behind is a crashed copy's.
  QLocalServer::removeServer(socketPath_);
  return server_->listen(socketPath_);
}

bool QtRunningCopy::Call(const QDeadlineTimer& deadline) const {
  QLocalSocket socket;
  socket.connectToServer(socketPath_);
  if (!socket.waitForConnected(kRetryMs)) return false;
  // The launcher's token lets the running copy take the focus on Wayland.
  const std::string call = RunningCopyCall(qEnvironmentVariable("XDG_ACTIVATION_TOKEN").toStdString());
  socket.write(call.data(), static_cast<qint64>(call.size()));
  socket.flush();
  // A copy that is ending closes the connection without an answer.
  while (socket.bytesAvailable() == 0) {
    if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) return false;
  }
  return true;
}

void QtRunningCopy::Answer() {
  while (QLocalSocket* caller = server_->nextPendingConnection()) {
    connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
    connect(caller, &QLocalSocket::readyRead, this, [this, caller] { Heard(caller); });
    Heard(caller);
  }
}

// Answers a caller once its call (one line) is in.
void QtRunningCopy::Heard(QLocalSocket* caller) {
  if (!caller->canReadLine()) return;
  caller->disconnect(this);
  const std::string token = ActivationTokenOf(caller->readLine(kLongestCall).toStdString());
  caller->write("1", 1);
  caller->flush();
  caller->disconnectFromServer();
  // After the answer, so that the caller ends at once even when coming forward waits
  // for a message box.
  QTimer::singleShot(0, this, [this, token] {
    if (comeForward_) comeForward_(token);
  });
}

void QtRunningCopy::OnCalled(std::function<void(const std::string& activationToken)> comeForward) {
  comeForward_ = std::move(comeForward);
}

void QtRunningCopy::Release() {
  if (server_) {
    server_->close();
    delete server_;
    server_ = nullptr;
  }
  if (locked_) {
    OsFileIo::Instance().Unlock(lock_);
    locked_ = false;
  }
}
