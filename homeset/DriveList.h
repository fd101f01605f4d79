#pragma once

#include <QComboBox>
#include <vector>

#include "homeset/FolderPath.h"

// The drive list: the volumes' roots, one of them chosen. Choosing another raises Change.
class DriveList : public QComboBox {
  Q_OBJECT

 public:
  // `current` is chosen at start (and added if missing).
  DriveList(const std::vector<FolderPath>& roots, const FolderPath& current, QWidget* parent);

  // The chosen volume's root as the file system spells it ("/", "/media/usb", "C:\").
  FolderPath Drive() const;
  // Shows the volume the open folder is on, without raising Change.
  void ShowDrive(const FolderPath& root);

 signals:
  void Change();

 private:
  std::vector<FolderPath> roots_;  // the root of each entry
};
