#pragma once

#include <QString>
#include <cstdint>

#include "shell/VersionCaption.h"
#include "ui/QtText.h"

// The program's version information. CMake defines each value once, from the project's
// version and its product strings; the Windows version resource carries the same values.
inline constexpr std::int16_t kVersionMajor = REMINDER_VERSION_MAJOR;
inline constexpr std::int16_t kVersionMinor = REMINDER_VERSION_MINOR;
inline constexpr std::int16_t kVersionRevision = REMINDER_VERSION_REVISION;
inline const QString kProductName = QStringLiteral(REMINDER_PRODUCT_NAME);
inline const QString kLegalTrademarks = QStringLiteral(REMINDER_LEGAL_TRADEMARKS);
inline const QString kLegalCopyright = QStringLiteral(REMINDER_LEGAL_COPYRIGHT);

// "Version 1.0.2" for this program.
inline QString ProgramVersionCaption() {
  return FromUtf8(VersionCaption(kVersionMajor, kVersionMinor, kVersionRevision));
}
