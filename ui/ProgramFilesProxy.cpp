#include "ui/ProgramFilesProxy.h"

#include <QFileInfo>
#include <QFileSystemModel>

void ProgramFilesProxy::setListPrograms(bool on) {
  if (on == listPrograms_) return;
  listPrograms_ = on;
  invalidateFilter();
}

bool ProgramFilesProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
  if (!listPrograms_) return true;
  auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
  if (!files) return true;
  const QModelIndex index = files->index(sourceRow, 0, sourceParent);
  if (files->isDir(index)) return true;
  if (files->fileName(index).endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive)) return true;
  const QFileInfo info = files->fileInfo(index);
  return info.isFile() && info.isExecutable();
}
