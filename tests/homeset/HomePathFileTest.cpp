#include "homeset/HomePathFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "homeset/TempFolder.h"

namespace {

struct LineCase {
  std::string line;
  std::string bytes;   // path.txt's bytes, or
  std::string reason;  // a word of the refusal: the reader would take back another folder
};

class PathFileBytesTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(PathFileBytesTest, OneLineThenCrLfOrARefusalNamingThePath) {
  const PathFileBytes contents = PathFileBytesFor(GetParam().line);
  EXPECT_EQ(contents.bytes, GetParam().bytes);
  EXPECT_EQ(contents.refusal.has_value(), !GetParam().reason.empty());
  if (contents.refusal) {
    EXPECT_NE(contents.refusal->find(GetParam().reason), std::string::npos) << *contents.refusal;
    EXPECT_NE(contents.refusal->find(GetParam().line), std::string::npos) << *contents.refusal;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PathFileBytesTest,
    ::testing::Values(LineCase{"/", "/\r\n", ""}, LineCase{"/home/ann/a,\"b\"", "/home/ann/a,\"b\"\r\n", ""},
                      LineCase{"/home/ann/My  rem /db", "/home/ann/My  rem /db\r\n", ""},
                      LineCase{"/home/caf\xe9/r\xe2\x82\xacm", "/home/caf\xe9/r\xe2\x82\xacm\r\n", ""},
                      LineCase{"/home/ann/two\nlines", "", "line break"}, LineCase{"/home/cr\rhere", "", "line break"},
                      LineCase{"/home/ann/rem ", "", "blank"}, LineCase{"/home/ann/rem\t", "", "blank"},
                      LineCase{" /home/ann/rem", "", "blank"}));

class WritePathFileTest : public ::testing::Test {
 protected:
  std::filesystem::path File() const { return dir.root() / "path.txt"; }
  // No temporary file may stay behind.
  std::size_t Files() const {
    return std::distance(std::filesystem::directory_iterator(dir.root()), {});
  }
  TempFolder dir;
  OsFileOutput os;
};

TEST_F(WritePathFileTest, ReplacesTheWholeFileAndRefusesWithoutWriting) {
  TempFolder::WriteBytes(File(), "/an/older/and/much/longer/path\r\n/and a second line\r\n");
  ASSERT_FALSE(WritePathFile(os, "/b", File()));
  EXPECT_EQ(TempFolder::ReadBytes(File()), "/b\r\n");
  EXPECT_TRUE(WritePathFile(os, "/srv/rem ", File()));
  EXPECT_EQ(TempFolder::ReadBytes(File()), "/b\r\n");
}

TEST_F(WritePathFileTest, FailureNamesTheOsReasonAndTheFullPath) {
  const auto missing = dir.root() / "gone" / "path.txt";
  EXPECT_EQ(WritePathFile(os, "/srv/rem", missing), "No such file or directory: " + missing.native());
  std::filesystem::create_directory(File());  // a folder where the file should be
  EXPECT_EQ(WritePathFile(os, "/srv/rem", File()), "Is a directory: " + File().native());
  EXPECT_EQ(Files(), 1u);
}

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
  EXPECT_EQ(failure, "File too large: " + File().native());
  EXPECT_EQ(TempFolder::ReadBytes(File()), "/the/old/home\r\n");
  EXPECT_EQ(Files(), 1u);
}

}  // namespace
