#include "platform/QtText.h"

#include <QDir>
#include <QFile>

QString FromStd(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text); }

std::filesystem::path PathOf(const QString& path) {
#ifdef Q_OS_WIN
  return std::filesystem::path(QDir::toNativeSeparators(path).toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}
