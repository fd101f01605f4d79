#include "store/HomeDirectory.h"

#include <gtest/gtest.h>

#include <optional>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "os/OsCodes.h"
#include "store/TempHome.h"

namespace {

// The contents of path.txt (none: there is none), and the home it gives (empty: reading
// fails and the home stays). Bytes that are not UTF-8 are kept as they are.
struct PathFile {
  std::optional<std::string> contents;
  std::string home;
};

class PathFileTest : public ::testing::TestWithParam<PathFile> {};

TEST_P(PathFileTest, FirstItemOfTheFirstLineIsTheHomeDirectory) {
  TempHome dir;
  const auto file = dir.root() / "path.txt";
  if (GetParam().contents) TempHome::WriteBytes(file, *GetParam().contents);
  SetHomeDirectory(Native("/unchanged"));
  const Status s = ReadHomeDirectory(OsFileIo::Instance(), file);
  EXPECT_EQ(s.ok(), !GetParam().home.empty()) << s.text();
  EXPECT_EQ(HomeDirectory(), Native(s.ok() ? GetParam().home : "/unchanged"));
  EXPECT_TRUE(s.ok() || s.text().find(PathText(file)) != std::string::npos) << s.text();
  SetHomeDirectory({});
}

INSTANTIATE_TEST_SUITE_P(Contents, PathFileTest,
                         ::testing::Values(PathFile{"/\r\n/second\r\n", "/"}, PathFile{"/no/line/end", "/no/line/end"},
                                           PathFile{"   /home/ann/My Reminders  \r\n", "/home/ann/My Reminders"},
                                           PathFile{"\xef\xbb\xbf/home/ann/a,b\r\n", "/home/ann/a,b"},
                                           PathFile{"\"/home/ann/quoted, too\" rest\r\n", "/home/ann/quoted, too"},
                                           PathFile{"\"/home/ann/unclosed  \r\n/second\"\r\n", "/home/ann/unclosed"},
                                           PathFile{std::string("/home/ann/CREATED\0/ignored\r\n", 28), ""},
                                           PathFile{"/home/ann/a\tb\r\n", ""},
                                           PathFile{"\xef\xbb\xbf \"/home/ann/q\"\r\n", "/home/ann/q"},
                                           PathFile{"/home/\xff\xfe\r\n", "/home/\xff\xfe"}, PathFile{"", ""},
                                           PathFile{"\r\n/second\r\n", ""}, PathFile{std::nullopt, ""}));

#ifndef _WIN32
// A FIFO in path.txt's place is refused at once, not waited on.
TEST(PathFile, FifoIsRefusedWithoutWaiting) {
  TempHome dir;
  const auto file = dir.root() / "path.txt";
  ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
  EXPECT_EQ(ReadHomeDirectory(OsFileIo::Instance(), file).text(), DescribeFailure(kNotRegularFileError, file));
}
#endif

// A later start of the program makes the running copy read path.txt again: only a file
// that now names another home changes the home, and says so.
TEST(HomeDirectoryAgain, OnlyAnotherHomeNamedInPathTxtChangesTheHome) {
  TempHome dir;
  const auto file = dir.root() / "path.txt";
  SetHomeDirectory(Native("/home/ann/old"));
  const std::tuple<std::optional<std::string>, bool, const char*> steps[] = {
      {std::nullopt, false, "/home/ann/old"},
      {"", false, "/home/ann/old"},
      {" /home/ann/old\r\n", false, "/home/ann/old"},
      {"/home/ann/new\r\n", true, "/home/ann/new"}};
  for (const auto& [contents, changed, home] : steps) {
    if (contents) TempHome::WriteBytes(file, *contents);
    EXPECT_EQ(RereadHomeDirectory(OsFileIo::Instance(), file), changed) << contents.value_or("(none)");
    EXPECT_EQ(HomeDirectory(), Native(home));
  }
  SetHomeDirectory({});
}

}  // namespace
