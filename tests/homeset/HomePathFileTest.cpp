#include "homeset/HomePathFile.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include "homeset/TempFolder.h"

struct LineCase {
  std::string line;
  std::string reason;  // a word of the refusal (the reader would take back another folder), or none
};

class PathFileBytesTest : public ::testing::TestWithParam<LineCase> {};

// Either the line, byte for byte, then CR LF; or a refusal naming the path and nothing.
TEST_P(PathFileBytesTest, OneLineThenCrLfOrARefusalNamingThePath) {
  const auto& [line, reason] = GetParam();
  const PathFileBytes contents = PathFileBytesFor(line);
  const std::string refusal = contents.refusal.value_or("");
  EXPECT_EQ(contents.bytes, reason.empty() ? line + "\r\n" : "");
  EXPECT_EQ(refusal.empty(), reason.empty()) << refusal;
  if (!reason.empty()) {
    EXPECT_TRUE(refusal.find(reason) != std::string::npos && refusal.find(line) != std::string::npos) << refusal;
  }
}

INSTANTIATE_TEST_SUITE_P(Lines, PathFileBytesTest,
                         ::testing::Values(LineCase{"/", ""}, LineCase{"/home/ann/a,\"b\"", ""},
                                           LineCase{"/My  rem /db", ""},
                                           LineCase{"/two\nlines", "line break"}, LineCase{"/cr\rhere", "line break"},
                                           LineCase{"/rem ", "blank"}, LineCase{"/rem\t", "blank"},
                                           LineCase{" /rem", "blank"}));
#ifndef _WIN32  // a Linux folder name is any bytes; a Windows one is UTF-16, written in the ANSI code page
INSTANTIATE_TEST_SUITE_P(Bytes, PathFileBytesTest, ::testing::Values(LineCase{"/home/caf\xe9/r\xe2\x82\xacm", ""}));
#endif

#ifndef _WIN32  // a file size limit stands in for a full disk
// path.txt is replaced whole, a refused folder writes nothing, and a write that fails
// once the temporary file has been made (a file size limit, as a full disk; root ignores
// read-only folders) leaves the old file as it was and no temporary file.
TEST(WritePathFileTest, ReplacesTheWholeFileOrLeavesItAsItWasAndSaysWhy) {
  TempFolder dir;
  OsFileOutput os;
  const std::filesystem::path file = dir.root() / "path.txt";
  TempFolder::WriteBytes(file, "/an/older/and/much/longer/path\r\n/and a second line\r\n");
  ASSERT_FALSE(WritePathFile(os, "/b", file));
  EXPECT_TRUE(WritePathFile(os, "/srv/rem ", file));
  rlimit before{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
  const rlimit small{2, before.rlim_max};
  auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::optional<std::string> failure = WritePathFile(os, "/a/longer/new/home", file);
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(failure, "File too large: " + file.native());
  EXPECT_EQ(TempFolder::ReadBytes(file), "/b\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.root()), {}), 1);
}
#endif
