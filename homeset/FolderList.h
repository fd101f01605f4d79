#pragma once

#include <QString>
#include <QTreeWidget>
#include <optional>
#include <vector>

#include "homeset/FolderPath.h"

class FolderSource;

// The folder list: the way down from the volume's root to the open folder, each folder
// a level deeper, then the open folder's subfolders below it. The open folder is the
// current entry, highlighted; double-clicking (or Enter on) any entry opens it. The
// open folder is `Path`, not the entry that is merely highlighted.
class FolderList : public QTreeWidget {
  Q_OBJECT

 public:
  // Starts on the process's working directory.
  FolderList(const FolderSource& source, QWidget* parent);

  // The open folder as the file system spells it: a full path with no trailing
  // separator, except for a volume root ("/", "C:\").
  FolderPath Path() const;
  // Opens `path` and raises Change. When the folder cannot be listed nothing changes
  // and the OS's description of the failure is returned.
  std::optional<QString> SetPath(const FolderPath& path);

 signals:
  void Change();
  // An entry the user opened could not be listed; the list stayed where it was.
  void OpenFailed(const QString& description);

 protected:
  // No fold marks: every level always shows.
  void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}

 private:
  void Show(const std::vector<FolderPath>& names);
  QTreeWidgetItem* AddEntry(QTreeWidgetItem* parent, const FolderPath& folder, const QString& text, bool open);
  void OpenEntry(QTreeWidgetItem* item);

  const FolderSource& source_;
  FolderPath path_;
  std::vector<FolderPath> entries_;  // the folder each entry opens, by its number
};
