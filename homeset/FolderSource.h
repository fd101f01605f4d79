#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "homeset/FolderPath.h"

// What the drive and folder lists see of the file system, behind an interface so that
// tests can offer volumes that are not ready and folders that cannot be listed. Paths
// are full, in the system's spelling (FolderPath); a volume root ends in a separator
// ("/", "C:\").
class FolderSource {
 public:
  virtual ~FolderSource() = default;
  // The roots of the mounted volumes, in the order the drive list shows them.
  virtual std::vector<FolderPath> VolumeRoots() const = 0;
  // The root of the volume that holds `folder`.
  virtual FolderPath VolumeOf(const FolderPath& folder) const = 0;
  // The process's working directory.
  virtual FolderPath CurrentFolder() const = 0;
  // The names of the folders inside `folder`; on failure nothing, and the OS's
  // description of why the folder cannot be listed.
  virtual std::optional<QString> ListFolders(const FolderPath& folder, std::vector<FolderPath>& names) const = 0;
};

// The real file system: mounted volumes from QStorageInfo.
class QtFolderSource final : public FolderSource {
 public:
  std::vector<FolderPath> VolumeRoots() const override;
  FolderPath VolumeOf(const FolderPath& folder) const override;
  FolderPath CurrentFolder() const override;
  std::optional<QString> ListFolders(const FolderPath& folder, std::vector<FolderPath>& names) const override;
};
