#include "ui/QtText.h"

QString FromStd(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text); }
