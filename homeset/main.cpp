#include <QApplication>
#include <cstdlib>

#include "homeset/FileOutput.h"
#include "homeset/FolderSource.h"
#include "homeset/HalvernBoxes.h"
#include "homeset/HalvernContext.h"
#include "homeset/HalvernPlatform.h"
#include "homeset/WindowLayout.h"
#include "homeset/frmMain4SetPath.h"

int main(int argc, char* argv[]) {
  // Positions hold on X11: through it wherever offered, as reminder does.
  if (const std::string platform = HalvernWindowPlatform(std::getenv("DISPLAY"), std::getenv("QT_QPA_PLATFORM"));
      !platform.empty())
    qputenv("QT_QPA_PLATFORM", platform.c_str());
  QApplication application(argc, argv);
  QApplication::setApplicationName(kHalvernTitle);

  QtHalvernBoxes boxes;
  QtFolderSource folders;
  OsFileOutput files;
  HalvernContext app{boxes, folders, files, "path.txt", {}, {}};

  auto* main = new frmMain4SetPath(app);
  main->show();
  CentreOver(main, nullptr);
  return QApplication::exec();
}
