#include <QDir>
#include <QFile>
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

std::filesystem::path NativeOf(const QString& folder) {
#ifdef _WIN32
  return std::filesystem::path(QDir::toNativeSeparators(folder).toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(folder).toStdString());
#endif
}

QString TextOf(const std::filesystem::path& name) {
#ifdef _WIN32
  return QString::fromStdWString(name.native());
#else
  return QFile::decodeName(QByteArray::fromStdString(name.native()));
#endif
}

QString Failure(int code, const QString& folder) {
  return QString::fromStdString(DescribeFileFailure(code, NativeOf(folder)));
}

}  // namespace

QStringList QtFolderSource::VolumeRoots() const {
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
  return roots;
}

QString QtFolderSource::VolumeOf(const QString& folder) const {
  QStorageInfo volume(folder);
  return volume.isValid() ? volume.rootPath() : QStorageInfo::root().rootPath();
}

QString QtFolderSource::CurrentFolder() const { return QDir::currentPath(); }

std::optional<QString> QtFolderSource::ListFolders(const QString& folder, QStringList& names) const {
  QStorageInfo volume(folder);
  if (volume.isValid() && !volume.isReady()) return Failure(kNotReady, folder);
  std::error_code ec;
  std::filesystem::directory_iterator it(NativeOf(folder), ec);
  QStringList found;
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::error_code kind;
    // Links to folders are folders to the user; entries that cannot be examined are left out.
    if (it->is_directory(kind)) found << TextOf(it->path().filename());
  }
  if (ec) return Failure(ec.value(), folder);
  std::sort(found.begin(), found.end(),
            [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  names = found;
  return std::nullopt;
}
