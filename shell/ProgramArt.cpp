#include "shell/ProgramArt.h"

// The pictures sit in a static library; naming their resource here makes the linker
// keep them. (Outside any namespace, as Qt's resource macro needs.)
static void LoadArt() {
  static const bool loaded = [] {
    Q_INIT_RESOURCE(art);
    return true;
  }();
  (void)loaded;
}

QIcon ProgramIcon() {
  LoadArt();
  QIcon icon;
  for (int size : {16, 32, 48}) icon.addFile(QStringLiteral(":/art/reminder%1.png").arg(size), QSize(size, size));
  return icon;
}

QPixmap ProgramLogo() {
  LoadArt();
  return QPixmap(QStringLiteral(":/art/logo.jpg"));
}
