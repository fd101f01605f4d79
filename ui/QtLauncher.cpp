#include <QFileInfo>
#include <cerrno>

#include "os/OsError.h"
#include "ui/Launcher.h"

std::optional<QString> QtLauncher::Open(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return QString::fromStdString(OsErrorText(ENOENT)) + QStringLiteral(": ") + path;
  return OpenExisting(info);
}
