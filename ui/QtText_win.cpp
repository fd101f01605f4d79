#include <QDir>

#include "ui/QtText.h"

std::filesystem::path PathOf(const QString& path) {
  return std::filesystem::path(QDir::toNativeSeparators(path).toStdWString());
}

QString FromPath(const std::filesystem::path& path) { return QString::fromStdWString(path.native()); }
