// The two programs meet only in path.txt: what Halvern writes, the reader must take back
// as exactly the chosen folder.
#include <gtest/gtest.h>

#include "homeset/HomePathFile.h"
#include "store/HomeDirectory.h"
#include "store/TempHome.h"

namespace {

struct RoundTrip {
  std::string chosen;  // the folder chosen in Halvern
  std::string home;    // what reminder then uses
};

class HalvernPathFileTest : public ::testing::TestWithParam<RoundTrip> {
 protected:
  void TearDown() override { SetHomeDirectory({}); }
};

TEST_P(HalvernPathFileTest, ReaderTakesBackTheChosenFolder) {
  PathFileBytes written = PathFileBytesFor(HomeDirectoryLine(GetParam().chosen));
  ASSERT_FALSE(written.refusal);
  EXPECT_EQ(HomeDirectoryFromFile(written.bytes), GetParam().home);
}

TEST_P(HalvernPathFileTest, ThroughTheFileOnDisk) {
  TempHome dir;
  OsFileOutput output;
  ASSERT_FALSE(WritePathFile(output, GetParam().chosen, dir.root() / "path.txt"));
  ASSERT_TRUE(ReadHomeDirectory(OsFileIo::Instance(), dir.root() / "path.txt").ok());
  EXPECT_EQ(HomeDirectory(), GetParam().home);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, HalvernPathFileTest,
    ::testing::Values(RoundTrip{"/home/ann/rem", "/home/ann/rem"},
                      RoundTrip{"/", "/"},
                      RoundTrip{"/home/ann/My Reminders", "/home/ann/My Reminders"},
                      RoundTrip{"/home/ann/a,b", "/home/ann/a,b"},
                      RoundTrip{"/home/\xc3\xa4nn/r\xe2\x82\xacm", "/home/\xc3\xa4nn/r\xe2\x82\xacm"}));

}  // namespace
