#include <QDir>
#include <QFile>

#include "homeset/FolderList.h"
#include "homeset/FolderSource.h"
#include "homeset/TempFolder.h"

namespace {

QString TextOf(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

class QtFolderSourceTest : public ::testing::Test {
 protected:
  QtFolderSourceTest() {
    for (const char* name : {"b", "A", "c d", "\xc3\xa4pfel", "c d/inner"})
      std::filesystem::create_directories(dir.root() / name);
    TempFolder::WriteBytes(dir.root() / "file.txt", "not a folder");
    std::filesystem::create_directory_symlink(dir.root() / "b", dir.root() / "link to b");
  }
  TempFolder dir;
  QtFolderSource source;
};

TEST_F(QtFolderSourceTest, ListsTheFoldersInsideSortedAndNothingElse) {
  QStringList names;
  ASSERT_FALSE(source.ListFolders(TextOf(dir.root()), names));
  EXPECT_EQ(names, (QStringList{"A", "b", "c d", "link to b", QString::fromUtf8("\xc3\xa4pfel")}));
}

TEST_F(QtFolderSourceTest, AFolderThatCannotBeListedGivesTheOsReasonAndLeavesTheNames) {
  QStringList names{"kept"};
  std::optional<QString> failure = source.ListFolders(TextOf(dir.root() / "gone"), names);
  ASSERT_TRUE(failure);
  EXPECT_EQ(*failure, "No such file or directory: " + TextOf(dir.root() / "gone"));
  failure = source.ListFolders(TextOf(dir.root() / "file.txt"), names);
  ASSERT_TRUE(failure);
  EXPECT_EQ(*failure, "Not a directory: " + TextOf(dir.root() / "file.txt"));
  EXPECT_EQ(names, QStringList{"kept"});
}

TEST_F(QtFolderSourceTest, VolumesStartWithTheRootAndHoldTheWorkingDirectorysVolume) {
  QStringList roots = source.VolumeRoots();
  ASSERT_FALSE(roots.isEmpty());
  EXPECT_EQ(roots.front(), "/");
  EXPECT_EQ(roots.count("/"), 1);
  EXPECT_TRUE(roots.contains(source.VolumeOf(source.CurrentFolder())));
  EXPECT_EQ(source.CurrentFolder(), QDir::currentPath());
}

TEST_F(QtFolderSourceTest, PathIsFullWithoutATrailingSeparatorExceptAtARoot) {
  FolderList list(source, nullptr);
  EXPECT_EQ(list.Path(), QDir::currentPath());
  int changes = 0;
  QObject::connect(&list, &FolderList::Change, [&changes] { ++changes; });

  const QString folder = TextOf(dir.root() / "c d");
  ASSERT_FALSE(list.SetPath(folder + "/"));
  EXPECT_EQ(list.Path(), folder);
  EXPECT_EQ(list.count(), 2);  // the way up and "inner"
  ASSERT_FALSE(list.SetPath(folder + "/inner/.."));
  EXPECT_EQ(list.Path(), folder);
  ASSERT_FALSE(list.SetPath("/"));
  EXPECT_EQ(list.Path(), "/");
  EXPECT_EQ(changes, 3);

  EXPECT_TRUE(list.SetPath(TextOf(dir.root() / "gone")));
  EXPECT_EQ(list.Path(), "/");
  EXPECT_EQ(changes, 3);
}

}  // namespace
