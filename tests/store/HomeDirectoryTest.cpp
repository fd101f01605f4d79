#include "store/HomeDirectory.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/OsCodes.h"
#include "store/TempHome.h"

namespace {

struct PathFile {
  std::optional<std::string> contents;  // none: there is no path.txt
  std::string home;                     // empty: reading fails and the home stays
};

void PrintTo(const PathFile& c, std::ostream* os) { *os << (c.contents ? c.contents->size() : 0) << "bytes"; }

class PathFileTest : public ::testing::TestWithParam<PathFile> {
 protected:
  void TearDown() override { SetHomeDirectory({}); }
};

TEST_P(PathFileTest, FirstItemOfTheFirstLineIsTheHomeDirectory) {
  TempHome dir;
  const auto file = dir.root() / "path.txt";
  if (GetParam().contents) TempHome::WriteBytes(file, *GetParam().contents);
  SetHomeDirectory(Native("/unchanged"));
  const Status s = ReadHomeDirectory(OsFileIo::Instance(), file);
  EXPECT_EQ(s.ok(), !GetParam().home.empty()) << s.text();
  EXPECT_EQ(HomeDirectory(), Native(s.ok() ? GetParam().home : "/unchanged"));
  if (!s.ok()) {
    EXPECT_NE(s.text().find(PathText(file)), std::string::npos) << s.text();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Contents, PathFileTest,
    ::testing::Values(PathFile{"/home/ann/rem\r\n", "/home/ann/rem"},
                      PathFile{"/\r\n", "/"},
                      PathFile{"   /home/ann/rem  \r\n", "/home/ann/rem"},
                      PathFile{"/home/ann/My Reminders\r\n", "/home/ann/My Reminders"},
                      PathFile{"/home/ann/a,b\r\n", "/home/ann/a,b"},
                      PathFile{"\"/home/ann/quoted, too\" rest\r\n", "/home/ann/quoted, too"},
                      PathFile{"\"/home/ann/unclosed\r\n/second\"\r\n", "/home/ann/unclosed"},
                      PathFile{"\xef\xbb\xbf/home/ann/rem\r\n", "/home/ann/rem"},
                      PathFile{"\xef\xbb\xbf \"/home/ann/q\"\r\n", "/home/ann/q"},
                      PathFile{"/first\r\n/second\r\n", "/first"},
                      PathFile{"/no/line/end", "/no/line/end"},
                      PathFile{"/home/\xc3\xa4nn\r\n", "/home/\xc3\xa4nn"},
                      PathFile{"/home/\xff\xfe\r\n", "/home/\xff\xfe"},  // not UTF-8, kept as is
                      PathFile{"", ""},
                      PathFile{"\r\n/second\r\n", ""},
                      PathFile{std::nullopt, ""}));

}  // namespace
