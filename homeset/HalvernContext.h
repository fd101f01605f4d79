#pragma once

#include <QPointer>
#include <QString>
#include <filesystem>

#include "homeset/FileOutput.h"
#include "homeset/FolderSource.h"
#include "homeset/HalvernBoxes.h"

class frmAppPath;
class frmMain4SetPath;

inline const QString kHalvernTitle = QStringLiteral("Halvern");

// What Halvern's windows share: the platform services they use and the single instance
// of each window. The program makes one with the real services; tests make one with fakes.
struct HalvernContext {
  HalvernBoxes& boxes;
  const FolderSource& folders;
  FileOutput& files;
  // By its relative name, so it lands in the working directory the program started in.
  std::filesystem::path pathFile = "path.txt";

  QPointer<frmMain4SetPath> main;
  QPointer<frmAppPath> chooser;
};
