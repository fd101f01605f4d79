#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "ui/Launcher.h"

// A program is started itself, in its own folder; anything else goes to the desktop's
// default application for its type.
std::optional<QString> QtLauncher::OpenExisting(const QFileInfo& file) {
  if (file.isFile() && file.isExecutable()) {
    if (!QProcess::startDetached(file.absoluteFilePath(), {}, file.absolutePath()))
      return QStringLiteral("The program could not be started: ") + file.filePath();
    return std::nullopt;
  }
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath())))
    return QStringLiteral("No program could open the file: ") + file.filePath();
  return std::nullopt;
}
