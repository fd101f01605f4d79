#include "shell/DesignFonts.h"

#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>

void LoadDesignFonts() {
#ifndef _WIN32
  const QStringList families = QFontDatabase::families();
  auto missing = [&families](const QString& family) { return !families.contains(family, Qt::CaseInsensitive); };
  if (missing("Tahoma") || missing("MS Sans Serif")) {
    for (const char* file : {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"}) {
      const QString path = QStringLiteral("/usr/share/wine/fonts/") + file;
      if (QFileInfo::exists(path)) QFontDatabase::addApplicationFont(path);
    }
  }
  QFont::insertSubstitutions("Verdana", {"DejaVu Sans", "Bitstream Vera Sans"});
  QFont::insertSubstitutions("Arial", {"Liberation Sans", "DejaVu Sans"});
  QFont::insertSubstitutions("Times New Roman", {"Liberation Serif", "DejaVu Serif"});
  QFont::insertSubstitutions("MS Sans Serif", {"Tahoma", "DejaVu Sans"});
#endif
}
