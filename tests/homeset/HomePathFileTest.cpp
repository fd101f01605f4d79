#include "homeset/HomePathFile.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include "homeset/FakeFileOutput.h"
#include "homeset/TempFolder.h"

namespace {

TEST(HomeWarning, IsTheThreePiecesJoined) {
  EXPECT_EQ(ComposeHomeWarning(),
            "Make sure to specify the correct path of HOME directory of reminder installed at "
            "your hard drive. Otherwise reminder may not WORK AT ALL. Proceed at your own risk!");
}

struct TrimCase {
  std::string text;
  std::string line;
};

class HomeLineTest : public ::testing::TestWithParam<TrimCase> {};

TEST_P(HomeLineTest, TrimsTheEndsAndKeepsInnerBlanks) {
  EXPECT_EQ(HomeDirectoryLine(GetParam().text), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HomeLineTest,
    ::testing::Values(TrimCase{"/home/ann/rem", "/home/ann/rem"},
                      TrimCase{"   /home/ann/rem  ", "/home/ann/rem"},
                      TrimCase{"\t/home/ann/rem\t ", "/home/ann/rem"},
                      TrimCase{"  /home/ann/My  Reminders ", "/home/ann/My  Reminders"},
                      TrimCase{"C:\\Program Files\\Remind ", "C:\\Program Files\\Remind"},
                      TrimCase{"/", "/"},
                      TrimCase{"   ", ""},
                      TrimCase{"", ""}));

struct BytesCase {
  std::string line;
  std::string bytes;
};

class PathFileBytesTest : public ::testing::TestWithParam<BytesCase> {};

TEST_P(PathFileBytesTest, OneLineThenCrLf) {
  PathFileBytes contents = PathFileBytesFor(GetParam().line);
  EXPECT_FALSE(contents.refusal);
  EXPECT_EQ(contents.bytes, GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PathFileBytesTest,
    ::testing::Values(BytesCase{"/home/ann/rem", "/home/ann/rem\r\n"},
                      BytesCase{"/", "/\r\n"},  // a volume root, as is
                      BytesCase{"/home/ann/a,b", "/home/ann/a,b\r\n"},
                      BytesCase{"/home/ann/\"quoted\"", "/home/ann/\"quoted\"\r\n"},
                      BytesCase{"/home/ann/rem /db", "/home/ann/rem /db\r\n"},  // not at the end
                      // The file system's own spelling, byte for byte.
                      BytesCase{"/home/\xc3\xa4nn/r\xe2\x82\xacm", "/home/\xc3\xa4nn/r\xe2\x82\xacm\r\n"}));

struct RefusalCase {
  std::string line;
  std::string reason;  // a word of the refusal
};

class PathFileRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

// The reader would take back another folder: refused, naming the reason and the path.
TEST_P(PathFileRefusalTest, RefusesALineTheReaderWouldNotTakeBack) {
  PathFileBytes contents = PathFileBytesFor(GetParam().line);
  ASSERT_TRUE(contents.refusal);
  EXPECT_NE(contents.refusal->find(GetParam().reason), std::string::npos) << *contents.refusal;
  EXPECT_NE(contents.refusal->find(GetParam().line), std::string::npos) << *contents.refusal;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PathFileRefusalTest,
    ::testing::Values(RefusalCase{"/home/ann/two\nlines", "line break"},
                      RefusalCase{"/home/ann/cr\rhere", "line break"},
                      RefusalCase{"/home/ann/rem ", "blank"},
                      RefusalCase{"/home/ann/rem\t", "blank"},
                      RefusalCase{" /home/ann/rem", "blank"}));

class WritePathFileTest : public ::testing::Test {
 protected:
  std::filesystem::path File() const { return dir.root() / "path.txt"; }
  // The names in the folder: no temporary file may stay behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.root()))
      names.push_back(entry.path().filename().string());
    return names;
  }
  TempFolder dir;
  OsFileOutput os;
};

TEST_F(WritePathFileTest, RunningTwiceLeavesOnlyTheNewestLine) {
  TempFolder::WriteBytes(File(), "/an/older/and/much/longer/path\r\n/and a second line\r\n");
  ASSERT_FALSE(WritePathFile(os, "/first/choice", File()));
  ASSERT_FALSE(WritePathFile(os, "/b", File()));
  EXPECT_EQ(TempFolder::ReadBytes(File()), "/b\r\n");
}

TEST_F(WritePathFileTest, ByItsRelativeNameTheFileLandsInTheWorkingDirectory) {
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(dir.root());
  std::optional<std::string> failure = WritePathFile(os, "/srv/rem");
  std::filesystem::current_path(before);
  ASSERT_FALSE(failure);
  EXPECT_EQ(TempFolder::ReadBytes(File()), "/srv/rem\r\n");
}

TEST_F(WritePathFileTest, FailureNamesTheOsReasonAndTheFullPath) {
  const auto missing = dir.root() / "gone" / "path.txt";
  std::optional<std::string> failure = WritePathFile(os, "/srv/rem", missing);
  ASSERT_TRUE(failure);
  EXPECT_EQ(*failure, "No such file or directory: " + missing.native());

  std::filesystem::create_directory(File());  // a folder where the file should be
  failure = WritePathFile(os, "/srv/rem", File());
  ASSERT_TRUE(failure);
  EXPECT_EQ(*failure, "Is a directory: " + File().native());
  EXPECT_EQ(Names(), std::vector<std::string>{"path.txt"});
}

#ifndef _WIN32
// A file size limit makes the write itself fail once the file has been made, as a full
// disk does (root ignores read-only folders, so no other refusal can be staged).
TEST_F(WritePathFileTest, AFailedWriteLeavesTheOldFileAsItWas) {
  TempFolder::WriteBytes(File(), "/the/old/home\r\n");
  rlimit before{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
  rlimit small = before;
  small.rlim_cur = 4;
  auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::optional<std::string> failure = WritePathFile(os, "/a/longer/new/home", File());
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, oldHandler);

  ASSERT_TRUE(failure);
  EXPECT_EQ(*failure, "File too large: " + File().native());
  EXPECT_EQ(TempFolder::ReadBytes(File()), "/the/old/home\r\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"path.txt"});
}
#endif

TEST_F(WritePathFileTest, RefusedPathWritesNothing) {
  FakeFileOutput output;
  std::optional<std::string> failure = WritePathFile(output, "/srv/rem ", File());
  ASSERT_TRUE(failure);
  EXPECT_TRUE(output.writes.empty());
}

TEST_F(WritePathFileTest, OutputFailureIsPassedOn) {
  FakeFileOutput output;
  output.failure = "Read-only file system: /ro/path.txt";
  EXPECT_EQ(WritePathFile(output, "/srv/rem", "path.txt"), output.failure);
  ASSERT_EQ(output.writes.size(), 1u);
  EXPECT_EQ(output.writes[0].file, "path.txt");
  EXPECT_EQ(output.writes[0].bytes, "/srv/rem\r\n");
}

}  // namespace
