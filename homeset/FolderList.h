#pragma once

#include <QListWidget>
#include <QString>
#include <optional>
#include <vector>

#include "homeset/FolderPath.h"

class FolderSource;

// The folder list: the folders inside the open folder, below a way up to its parent.
// Double-clicking (or Enter on) an entry opens it. The open folder is `Path`, not the
// entry that is merely highlighted.
class FolderList : public QListWidget {
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

 private:
  void Show(const std::vector<FolderPath>& names);
  void OpenEntry(QListWidgetItem* item);

  const FolderSource& source_;
  FolderPath path_;
  std::vector<FolderPath> entries_;  // the folder each row opens
};
