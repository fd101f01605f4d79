#include "store/HomeDirectory.h"

#include <gtest/gtest.h>

#include "platform/OsCodes.h"
#include "store/FaultyFileIo.h"
#include "store/TempHome.h"

namespace {

struct LineCase {
  std::string contents;
  std::string home;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.contents.size() << "bytes"; }

class HomeLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(HomeLineTest, FirstItemIsTheHomeDirectory) {
  EXPECT_EQ(HomeDirectoryFromFile(GetParam().contents), Native(GetParam().home));
}

INSTANTIATE_TEST_SUITE_P(
    Contents, HomeLineTest,
    ::testing::Values(LineCase{"/home/ann/rem\r\n", "/home/ann/rem"},
                      LineCase{"/\r\n", "/"},
                      LineCase{"   /home/ann/rem  \r\n", "/home/ann/rem"},
                      LineCase{"/home/ann/My Reminders\r\n", "/home/ann/My Reminders"},
                      LineCase{"/home/ann/a,b\r\n", "/home/ann/a,b"},
                      LineCase{"\"/home/ann/quoted, too\" rest\r\n", "/home/ann/quoted, too"},
                      LineCase{"\"/home/ann/unclosed\r\n/second\"\r\n", "/home/ann/unclosed"},
                      LineCase{"\xef\xbb\xbf/home/ann/rem\r\n", "/home/ann/rem"},
                      LineCase{"\xef\xbb\xbf \"/home/ann/q\"\r\n", "/home/ann/q"},
                      LineCase{"/first\r\n/second\r\n", "/first"},
                      LineCase{"/no/line/end", "/no/line/end"},
                      LineCase{"/home/\xc3\xa4nn\r\n", "/home/\xc3\xa4nn"},
                      LineCase{"/home/\xff\xfe\r\n", "/home/\xff\xfe"},  // not UTF-8, kept as is
                      LineCase{"", ""},
                      LineCase{"\r\n/second\r\n", ""}));

#ifndef _WIN32  // Windows paths: tests/platform/WindowsTest.cpp
TEST(StorePaths, AreHomeThenDbThenName) {
  EXPECT_EQ(StorePathFor("/home/ann/rem").native(), "/home/ann/rem/db/reminders.rmd");
  EXPECT_EQ(TempPathFor("/home/ann/rem").native(), "/home/ann/rem/db/temp");
  EXPECT_EQ(StorePathFor("/").native(), "//db/reminders.rmd");
  EXPECT_EQ(StorePathFor("").native(), "/db/reminders.rmd");
}
#endif

class ReadHomeTest : public ::testing::Test {
 protected:
  void SetUp() override { SetHomeDirectory(Native("/unchanged")); }
  void TearDown() override { SetHomeDirectory({}); }
  TempHome dir;
};

TEST_F(ReadHomeTest, SetsTheHomeDirectory) {
  TempHome::WriteBytes(dir.root() / "path.txt", "  /srv/rem  \r\n");
  ASSERT_TRUE(ReadHomeDirectory(OsFileIo::Instance(), dir.root() / "path.txt").ok());
  EXPECT_EQ(HomeDirectory(), Native("/srv/rem"));
}

TEST_F(ReadHomeTest, MissingFileIsReportedWithItsPath) {
  Status s = ReadHomeDirectory(OsFileIo::Instance(), dir.root() / "path.txt");
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.text(), DescribeFailure(kNoSuchFile, dir.root() / "path.txt"));
  EXPECT_EQ(HomeDirectory(), Native("/unchanged"));
}

TEST_F(ReadHomeTest, EmptyFileIsReported) {
  TempHome::WriteBytes(dir.root() / "path.txt", "");
  Status s = ReadHomeDirectory(OsFileIo::Instance(), dir.root() / "path.txt");
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.text().find("Input past end of file"), std::string::npos);
  EXPECT_EQ(HomeDirectory(), Native("/unchanged"));
}

TEST_F(ReadHomeTest, EveryFailingCallIsReportedAndClosesTheFile) {
  TempHome::WriteBytes(dir.root() / "path.txt", "/srv/rem\r\n");
  FaultyFileIo io;
  for (int at = 1; at <= 2; ++at) {  // open, read
    io.calls = 0;
    io.failAt = at;
    io.error = kAccessDenied;
    Status s = ReadHomeDirectory(io, dir.root() / "path.txt");
    ASSERT_FALSE(s.ok()) << at;
    EXPECT_NE(s.text().find(OsErrorText(kAccessDenied)), std::string::npos);
    EXPECT_TRUE(io.open.empty());
    EXPECT_EQ(HomeDirectory(), Native("/unchanged"));
  }
}

}  // namespace
