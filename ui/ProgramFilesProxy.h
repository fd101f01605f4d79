#pragma once

#include <QSortFilterProxyModel>

// Sits between a file dialog's file system model and its views. While `listPrograms` is
// on, it shows folders, files ending in .exe (any case) and files the user may execute,
// and hides everything else; while it is off, it shows what the model shows.
class ProgramFilesProxy final : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

  void setListPrograms(bool on);
  bool listPrograms() const { return listPrograms_; }

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  bool listPrograms_ = false;
};
