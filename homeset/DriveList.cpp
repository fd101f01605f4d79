#include "homeset/DriveList.h"

#include <QSignalBlocker>
#include <algorithm>

DriveList::DriveList(const std::vector<FolderPath>& roots, const FolderPath& current, QWidget* parent)
    : QComboBox(parent), roots_(roots) {
  if (std::find(roots_.begin(), roots_.end(), current) == roots_.end()) roots_.push_back(current);
  for (const FolderPath& root : roots_) addItem(ShownPath(root));
  setCurrentIndex(static_cast<int>(std::find(roots_.begin(), roots_.end(), current) - roots_.begin()));
  // Only a different drive is a change, as with the user's own pick.
  connect(this, &QComboBox::currentIndexChanged, this, &DriveList::Change);
}

FolderPath DriveList::Drive() const {
  const int at = currentIndex();
  return at >= 0 ? roots_[static_cast<std::size_t>(at)] : FolderPath();
}

void DriveList::ShowDrive(const FolderPath& root) {
  const auto found = std::find(roots_.begin(), roots_.end(), root);
  if (found == roots_.end()) return;
  QSignalBlocker quiet(this);
  setCurrentIndex(static_cast<int>(found - roots_.begin()));
}
