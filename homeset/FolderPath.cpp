#include "homeset/FolderPath.h"

#include <QDir>
#include <QFile>

QString ShownPath(const FolderPath& path) {
#ifdef _WIN32
  return QString::fromStdWString(path.native());
#else
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

FolderPath PathOfText(const QString& text) {
#ifdef _WIN32
  return FolderPath(QDir::toNativeSeparators(text).toStdWString());
#else
  return FolderPath(QFile::encodeName(text).toStdString());
#endif
}

FolderPath CleanFolder(const FolderPath& path, const FolderPath& base) {
  FolderPath folder = (path.is_absolute() ? path : base / path).lexically_normal();
  if (!folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();
  return folder;
}
