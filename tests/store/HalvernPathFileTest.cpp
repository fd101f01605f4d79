// The two programs meet only in path.txt: what Halvern writes, the reader must take back
// as exactly the chosen folder.
#include <gtest/gtest.h>

#include "homeset/HomePathFile.h"
#include "store/HomeDirectory.h"
#include "store/TempHome.h"

namespace {

class HalvernPathFileTest : public ::testing::TestWithParam<std::string> {
 protected:
  void TearDown() override { SetHomeDirectory({}); }
};

TEST_P(HalvernPathFileTest, ReaderTakesBackTheChosenFolder) {
  TempHome dir;
  OsFileOutput output;
  ASSERT_FALSE(WritePathFile(output, GetParam(), dir.root() / "path.txt"));
  ASSERT_TRUE(ReadHomeDirectory(OsFileIo::Instance(), dir.root() / "path.txt").ok());
  EXPECT_EQ(HomeDirectory(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Paths, HalvernPathFileTest,
                         ::testing::Values("/home/ann/rem", "/", "/home/ann/My Reminders", "/home/ann/a,b",
                                           "/home/\xc3\xa4nn/r\xe2\x82\xacm"));

}  // namespace
