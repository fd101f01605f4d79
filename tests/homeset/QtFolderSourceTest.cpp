#include <gtest/gtest.h>

#include "homeset/FolderSource.h"
#include "homeset/TempFolder.h"

// Linux names are bytes, not always UTF-8: the list keeps a folder's own bytes, sorted by
// them, and a folder that cannot be listed gives the OS's reason and leaves the names.
TEST(QtFolderSourceTest, ListsFoldersByTheirOwnBytesOrGivesTheOsReason) {
  TempFolder dir;
  for (const char* name : {"b", "A", "c d", "\xc3\xa4pfel", "caf\xe9"})
    std::filesystem::create_directories(dir.root() / name);
  TempFolder::WriteBytes(dir.root() / "file.txt", "not a folder");
  std::filesystem::create_directory_symlink(dir.root() / "b", dir.root() / "link to b");
  QtFolderSource source;
  std::vector<FolderPath> names;
  ASSERT_FALSE(source.ListFolders(dir.root(), names));
  EXPECT_EQ(names, (std::vector<FolderPath>{"A", "b", "c d", "caf\xe9", "link to b", "\xc3\xa4pfel"}));
  EXPECT_EQ(source.ListFolders(dir.root() / "file.txt", names),
            "Not a directory: " + ShownPath(dir.root() / "file.txt"));
  EXPECT_EQ(names.size(), 6u);
}
