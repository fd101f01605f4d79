#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "homeset/FileOutput.h"
#include "homeset/FolderSource.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

#ifdef _WIN32
constexpr int kNotReady = ERROR_NOT_READY;
#else
constexpr int kNotReady = ENOMEDIUM;
#endif

QString Failure(int code, const FolderPath& folder) {
  return QString::fromStdString(DescribeFileFailure(code, folder));
}

// The volume of `folder`. Qt knows folders only by text, which cannot spell every Linux
// name: it is asked about the nearest folder that its text names exactly.
QStorageInfo VolumeInfo(const FolderPath& folder) {
  FolderPath known = folder;
  while (PathOfText(ShownPath(known)) != known && known.has_relative_path()) known = known.parent_path();
  return QStorageInfo(ShownPath(known));
}

}  // namespace

std::vector<FolderPath> QtFolderSource::VolumeRoots() const {
  QStringList roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    const QString root = volume.rootPath();
#ifdef _WIN32
    // Drives without a medium stay listed: choosing one reports why it cannot be read.
    const bool usable = !root.isEmpty();
#else
    // Containers mount single files too; only folders can be opened.
    const bool usable = volume.isValid() && QFileInfo(root).isDir();
#endif
    if (usable && !roots.contains(root)) roots << root;
  }
  const QString system = QStorageInfo::root().rootPath();
  if (!roots.contains(system)) roots << system;
  std::sort(roots.begin(), roots.end(), [&system](const QString& a, const QString& b) {
#ifdef _WIN32
    (void)system;
#else
    // The root file system leads, as the system drive does on Windows.
    if (a == system || b == system) return a == system && b != system;
#endif
    return a.compare(b, Qt::CaseInsensitive) < 0;
  });
  std::vector<FolderPath> paths;
  for (const QString& root : roots) paths.push_back(PathOfText(root));
  return paths;
}

FolderPath QtFolderSource::VolumeOf(const FolderPath& folder) const {
  QStorageInfo volume = VolumeInfo(folder);
  return PathOfText(volume.isValid() ? volume.rootPath() : QStorageInfo::root().rootPath());
}

FolderPath QtFolderSource::CurrentFolder() const {
  std::error_code ec;
  FolderPath current = std::filesystem::current_path(ec);
  return ec ? PathOfText(QStorageInfo::root().rootPath()) : current;
}

std::optional<QString> QtFolderSource::ListFolders(const FolderPath& folder, std::vector<FolderPath>& names) const {
  QStorageInfo volume = VolumeInfo(folder);
  if (volume.isValid() && !volume.isReady()) return Failure(kNotReady, folder);
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  std::vector<FolderPath> found;
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::error_code kind;
    // Links to folders are folders to the user; entries that cannot be examined are left out.
    if (it->is_directory(kind)) found.push_back(it->path().filename());
  }
  if (ec) return Failure(ec.value(), folder);
  std::sort(found.begin(), found.end(), [](const FolderPath& a, const FolderPath& b) {
    const int order = ShownPath(a).compare(ShownPath(b), Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a < b;
  });
  names = std::move(found);
  return std::nullopt;
}
