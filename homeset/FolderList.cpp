#include "homeset/FolderList.h"

#include <QStyle>

#include "homeset/FolderSource.h"

FolderList::FolderList(const FolderSource& source, QWidget* parent)
    : QListWidget(parent), source_(source) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemActivated, this, &FolderList::OpenEntry);
  const FolderPath current = source_.CurrentFolder();
  path_ = CleanFolder(current, current.root_path());
  std::vector<FolderPath> names;
  // A working directory that cannot be listed is still where the list starts: the
  // way up leads on from it.
  (void)source_.ListFolders(path_, names);
  Show(names);
}

FolderPath FolderList::Path() const { return path_; }

std::optional<QString> FolderList::SetPath(const FolderPath& path) {
  const FolderPath folder = CleanFolder(path, path_);
  std::vector<FolderPath> names;
  if (std::optional<QString> failure = source_.ListFolders(folder, names)) return failure;
  path_ = folder;
  Show(names);
  emit Change();
  return std::nullopt;
}

void FolderList::Show(const std::vector<FolderPath>& names) {
  clear();
  entries_.clear();
  if (path_.has_relative_path()) {
    auto* up = new QListWidgetItem(style()->standardIcon(QStyle::SP_FileDialogToParent),
                                   QStringLiteral(".."), this);
    up->setData(Qt::AccessibleTextRole, QStringLiteral("Parent folder"));
    entries_.push_back(path_.parent_path());
  }
  for (const FolderPath& name : names) {
    new QListWidgetItem(style()->standardIcon(QStyle::SP_DirIcon), ShownPath(name), this);
    entries_.push_back(path_ / name);
  }
}

void FolderList::OpenEntry(QListWidgetItem* item) {
  if (!item) return;
  const int at = row(item);
  if (at < 0 || at >= static_cast<int>(entries_.size())) return;
  if (std::optional<QString> failure = SetPath(entries_[at])) emit OpenFailed(*failure);
}
