#include "platform/FileCheck.h"

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "store/TempHome.h"

namespace {

std::u16string Wide(const std::filesystem::path& p) { return Utf8ToUtf16(p.string()); }

TEST(OsFileCheck, OnlyOrdinaryFilesCount) {
  TempHome dir;
  TempHome::WriteBytes(dir.root() / "MSINFO32.EXE", "x");
  TempHome::WriteBytes(dir.root() / ".hidden", "x");
  const OsFileCheck& check = OsFileCheck::Instance();
  EXPECT_TRUE(check.IsOrdinaryFile(Wide(dir.root() / "MSINFO32.EXE")));
  EXPECT_FALSE(check.IsOrdinaryFile(Wide(dir.root() / "db")));  // a folder
#ifndef _WIN32  // a dot file is hidden here; Windows' hidden attribute: WindowsTest.cpp
  EXPECT_FALSE(check.IsOrdinaryFile(Wide(dir.root() / ".hidden")));
#endif
  EXPECT_FALSE(check.IsOrdinaryFile(Wide(dir.root() / "missing")));
  EXPECT_FALSE(check.IsOrdinaryFile(u""));
}

}  // namespace
