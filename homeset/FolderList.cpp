#include "homeset/FolderList.h"

#include <QDir>
#include <QStyle>

#include "homeset/FolderSource.h"

namespace {

constexpr int kPathRole = Qt::UserRole;

QString Clean(const QString& path, const QString& base) {
  QString folder = QDir::cleanPath(QDir::fromNativeSeparators(path));
  if (QDir::isRelativePath(folder)) folder = QDir::cleanPath(base + '/' + folder);
  return folder;
}

QString Child(const QString& folder, const QString& name) {
  return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

}  // namespace

FolderList::FolderList(const FolderSource& source, QWidget* parent)
    : QListWidget(parent), source_(source) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemActivated, this, &FolderList::OpenEntry);
  path_ = Clean(source_.CurrentFolder(), QStringLiteral("/"));
  QStringList names;
  // A working directory that cannot be listed is still where the list starts: the
  // way up leads on from it.
  (void)source_.ListFolders(path_, names);
  Show(path_, names);
}

QString FolderList::Path() const { return QDir::toNativeSeparators(path_); }

std::optional<QString> FolderList::SetPath(const QString& path) {
  const QString folder = Clean(path, path_);
  QStringList names;
  if (std::optional<QString> failure = source_.ListFolders(folder, names)) return failure;
  path_ = folder;
  Show(path_, names);
  emit Change();
  return std::nullopt;
}

void FolderList::Show(const QString& folder, const QStringList& names) {
  clear();
  if (!QDir(folder).isRoot()) {
    auto* up = new QListWidgetItem(style()->standardIcon(QStyle::SP_FileDialogToParent),
                                   QStringLiteral(".."), this);
    up->setData(kPathRole, QDir::cleanPath(folder + QStringLiteral("/..")));
    up->setData(Qt::AccessibleTextRole, QStringLiteral("Parent folder"));
    up->setToolTip(QStringLiteral("Up to ") + QDir::toNativeSeparators(up->data(kPathRole).toString()));
  }
  for (const QString& name : names) {
    auto* item = new QListWidgetItem(style()->standardIcon(QStyle::SP_DirIcon), name, this);
    item->setData(kPathRole, Child(folder, name));
  }
}

void FolderList::OpenEntry(QListWidgetItem* item) {
  if (!item) return;
  if (std::optional<QString> failure = SetPath(item->data(kPathRole).toString()))
    emit OpenFailed(*failure);
}
