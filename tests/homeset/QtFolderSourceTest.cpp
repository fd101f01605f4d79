#include <gtest/gtest.h>

#include <algorithm>

#include "homeset/FolderList.h"
#include "homeset/FolderSource.h"
#include "homeset/TempFolder.h"

namespace {

class QtFolderSourceTest : public ::testing::Test {
 protected:
  QtFolderSourceTest() {
    for (const char* name : {"b", "A", "c d/inner", "\xc3\xa4pfel", "caf\xe9/inner"})
      std::filesystem::create_directories(dir.root() / name);
    TempFolder::WriteBytes(dir.root() / "file.txt", "not a folder");
    std::filesystem::create_directory_symlink(dir.root() / "b", dir.root() / "link to b");
  }
  TempFolder dir;
  QtFolderSource source;
};

// Linux names are bytes, not always UTF-8: the lists keep a folder's own bytes.
TEST_F(QtFolderSourceTest, ListsTheFoldersInsideSortedByTheirOwnBytes) {
  std::vector<FolderPath> names;
  ASSERT_FALSE(source.ListFolders(dir.root(), names));
  EXPECT_EQ(names, (std::vector<FolderPath>{"A", "b", "c d", "caf\xe9", "link to b", "\xc3\xa4pfel"}));

  const FolderPath cafe = dir.root() / "caf\xe9";
  FolderList list(source, nullptr);
  ASSERT_FALSE(list.SetPath(cafe));
  EXPECT_EQ(list.Path(), cafe);
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(cafe / "inner");
  const FolderPath current = source.CurrentFolder();
  std::filesystem::current_path(before);
  EXPECT_EQ(current, cafe / "inner");
}

TEST_F(QtFolderSourceTest, AFolderThatCannotBeListedGivesTheOsReasonAndLeavesTheNames) {
  std::vector<FolderPath> names{"kept"};
  EXPECT_EQ(source.ListFolders(dir.root() / "gone", names),
            "No such file or directory: " + ShownPath(dir.root() / "gone"));
  EXPECT_EQ(source.ListFolders(dir.root() / "file.txt", names),
            "Not a directory: " + ShownPath(dir.root() / "file.txt"));
  EXPECT_EQ(names, std::vector<FolderPath>{"kept"});
}

TEST_F(QtFolderSourceTest, VolumesStartWithTheRootAndHoldTheWorkingDirectorysVolume) {
  std::vector<FolderPath> roots = source.VolumeRoots();
  ASSERT_FALSE(roots.empty());
  EXPECT_EQ(roots.front(), "/");
  EXPECT_EQ(std::count(roots.begin(), roots.end(), "/"), 1);
  EXPECT_NE(std::find(roots.begin(), roots.end(), source.VolumeOf(source.CurrentFolder())), roots.end());
}

TEST_F(QtFolderSourceTest, PathIsFullWithoutATrailingSeparatorExceptAtARoot) {
  FolderList list(source, nullptr);
  EXPECT_EQ(list.Path(), std::filesystem::current_path());
  int changes = 0;
  QObject::connect(&list, &FolderList::Change, [&changes] { ++changes; });
  const FolderPath folder = dir.root() / "c d";
  for (const FolderPath& path : {folder / "", folder / "inner/..", FolderPath("/")}) {
    ASSERT_FALSE(list.SetPath(path));
    EXPECT_EQ(list.Path(), path == "/" ? path : folder);
  }
  EXPECT_TRUE(list.SetPath(dir.root() / "gone"));
  EXPECT_EQ(list.Path(), "/");
  EXPECT_EQ(changes, 3);
}

}  // namespace
