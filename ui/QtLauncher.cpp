#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>
#include <cerrno>

#include "os/OsError.h"
#include "ui/Launcher.h"

std::optional<QString> QtLauncher::Open(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return QString::fromStdString(OsErrorText(ENOENT)) + QStringLiteral(": ") + path;
#ifndef _WIN32
  if (info.isFile() && info.isExecutable()) {
    if (!QProcess::startDetached(info.absoluteFilePath(), {}, info.absolutePath()))
      return QStringLiteral("The program could not be started: ") + path;
    return std::nullopt;
  }
#endif
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath())))
    return QStringLiteral("No program could open the file: ") + path;
  return std::nullopt;
}
