#include <QApplication>

#include "homeset/FileOutput.h"
#include "homeset/FolderSource.h"
#include "homeset/HalvernBoxes.h"
#include "homeset/HalvernContext.h"
#include "homeset/WindowLayout.h"
#include "homeset/frmMain4SetPath.h"

int main(int argc, char* argv[]) {
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
