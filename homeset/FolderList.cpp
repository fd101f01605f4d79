#include "homeset/FolderList.h"

#include <QHeaderView>
#include <QStyle>

#include "homeset/FolderSource.h"

namespace {
constexpr int kEntryRole = Qt::UserRole;  // the entry's number in entries_
}

FolderList::FolderList(const FolderSource& source, QWidget* parent) : QTreeWidget(parent), source_(source) {
  setHeaderHidden(true);
  setHeaderLabels({QStringLiteral("Folders")});
  setRootIsDecorated(false);
  // A level a little deeper each, so that long ways down still fit the width.
  setIndentation(fontMetrics().height() * 2 / 3);
  // Every level is always shown: a double click opens a folder, it folds nothing.
  setItemsExpandable(false);
  setExpandsOnDoubleClick(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // A long name keeps its start and its end; the list never scrolls sideways.
  setTextElideMode(Qt::ElideMiddle);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  header()->setStretchLastSection(true);
  connect(this, &QTreeWidget::itemActivated, this, &FolderList::OpenEntry);

  const FolderPath current = source_.CurrentFolder();
  path_ = CleanFolder(current, current.root_path());
  std::vector<FolderPath> names;
  // A working directory that cannot be listed is still where the list starts: its
  // ancestors lead on from it.
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
  // The open folder and its ancestors up to its volume's root, which shows in full.
  const FolderPath root = source_.VolumeOf(path_);
  std::vector<FolderPath> way{path_};
  while (way.back() != root && way.back().has_relative_path()) way.push_back(way.back().parent_path());

  QTreeWidgetItem* open = nullptr;
  for (auto folder = way.rbegin(); folder != way.rend(); ++folder)
    open = AddEntry(open, *folder, ShownPath(open ? folder->filename() : *folder), true);
  for (const FolderPath& name : names) AddEntry(open, path_ / name, ShownPath(name), false);
  expandAll();
  setCurrentItem(open);
  // As many of its subfolders as fit show below the open folder.
  scrollToItem(open, QAbstractItemView::PositionAtTop);
}

QTreeWidgetItem* FolderList::AddEntry(QTreeWidgetItem* parent, const FolderPath& folder, const QString& text,
                                      bool open) {
  auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
  item->setText(0, text);
  item->setIcon(0, style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon));
  item->setData(0, kEntryRole, static_cast<int>(entries_.size()));
  entries_.push_back(folder);
  return item;
}

void FolderList::OpenEntry(QTreeWidgetItem* item) {
  if (!item) return;
  const FolderPath folder = entries_[static_cast<std::size_t>(item->data(0, kEntryRole).toInt())];
  if (std::optional<QString> failure = SetPath(folder)) emit OpenFailed(*failure);
}
