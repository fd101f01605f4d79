#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the drive and folder lists see of the file system, behind an interface so that
// tests can offer volumes that are not ready and folders that cannot be listed. Paths
// use "/" as separator; a volume root ends in one ("/", "C:/").
class FolderSource {
 public:
  virtual ~FolderSource() = default;
  // The roots of the mounted volumes, in the order the drive list shows them.
  virtual QStringList VolumeRoots() const = 0;
  // The root of the volume that holds `folder`.
  virtual QString VolumeOf(const QString& folder) const = 0;
  // The process's working directory.
  virtual QString CurrentFolder() const = 0;
  // The names of the folders inside `folder`; on failure nothing, and the OS's
  // description of why the folder cannot be listed.
  virtual std::optional<QString> ListFolders(const QString& folder, QStringList& names) const = 0;
};

// The real file system: mounted volumes from QStorageInfo.
class QtFolderSource final : public FolderSource {
 public:
  QStringList VolumeRoots() const override;
  QString VolumeOf(const QString& folder) const override;
  QString CurrentFolder() const override;
  std::optional<QString> ListFolders(const QString& folder, QStringList& names) const override;
};
