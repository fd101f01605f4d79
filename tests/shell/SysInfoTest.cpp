#include "shell/SysInfo.h"

#include <gtest/gtest.h>

#include "platform/FakeRegistry.h"

namespace {

const std::string kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

std::string Text(const std::string& s) { return s + '\0'; }

class SysInfoTest : public ::testing::Test {
 protected:
  FakeRegistry registry;
  FakeFileCheck files;
};

TEST_F(SysInfoTest, ThePathValueIsUsedWithoutTheSecondLookup) {
  registry.Set(kPathKey, "PATH", {Registry::kString, Text("C:\\Program Files\\MSInfo\\msinfo32.exe")});
  registry.Set(kFolderKey, "MSINFO", {Registry::kString, Text("C:\\Elsewhere")});
  EXPECT_EQ(SysInfoToolPath(registry, files), u"C:\\Program Files\\MSInfo\\msinfo32.exe");
  EXPECT_EQ(registry.opened, std::vector<std::string>{kPathKey});
  EXPECT_TRUE(files.asked.empty());
}

TEST_F(SysInfoTest, APathValueNamingNoFileIsStillTheOneToStart) {
  // Starting it fails, and the About box then says the tool is unavailable.
  registry.Set(kPathKey, "PATH", {Registry::kString, Text("C:\\Gone\\msinfo32.exe")});
  registry.Set(kFolderKey, "MSINFO", {Registry::kString, Text("C:\\Tools")});
  files.files = {u"C:\\Tools\\MSINFO32.EXE"};
  EXPECT_EQ(SysInfoToolPath(registry, files), u"C:\\Gone\\msinfo32.exe");
  EXPECT_EQ(registry.opened, std::vector<std::string>{kPathKey});
}

TEST_F(SysInfoTest, TheFolderValueIsTriedSecondAndNeedsTheToolFile) {
  registry.Set(kFolderKey, "MSINFO", {Registry::kString, Text("C:\\Tools")});
  files.files = {u"C:\\Tools\\MSINFO32.EXE"};
  EXPECT_EQ(SysInfoToolPath(registry, files), u"C:\\Tools\\MSINFO32.EXE");
  EXPECT_EQ(registry.opened, (std::vector<std::string>{kPathKey, kFolderKey}));
  EXPECT_EQ(files.asked, std::vector<std::u16string>{u"C:\\Tools\\MSINFO32.EXE"});
}

TEST_F(SysInfoTest, AFolderEndingInABackslashGivesADoubledBackslash) {
  registry.Set(kFolderKey, "MSINFO", {Registry::kString, Text("C:\\Tools\\")});
  files.files = {u"C:\\Tools\\\\MSINFO32.EXE"};
  EXPECT_EQ(SysInfoToolPath(registry, files), u"C:\\Tools\\\\MSINFO32.EXE");
}

TEST_F(SysInfoTest, AFolderWithoutTheToolGivesNothing) {
  registry.Set(kFolderKey, "MSINFO", {Registry::kString, Text("C:\\Tools")});
  EXPECT_EQ(SysInfoToolPath(registry, files), std::nullopt);
  EXPECT_EQ(files.asked, std::vector<std::u16string>{u"C:\\Tools\\MSINFO32.EXE"});
}

TEST_F(SysInfoTest, NeitherKeyGivesNothing) {
  EXPECT_EQ(SysInfoToolPath(registry, files), std::nullopt);
  EXPECT_EQ(registry.opened, (std::vector<std::string>{kPathKey, kFolderKey}));
  EXPECT_EQ(registry.openKeys, 0);
}

TEST_F(SysInfoTest, AFirstKeyWithoutItsValueFallsBackToTheFolder) {
  registry.Set(kPathKey, "Other", {Registry::kString, Text("x")});
  registry.Set(kFolderKey, "MSINFO", {Registry::kString, Text("D:\\MSInfo")});
  files.files = {u"D:\\MSInfo\\MSINFO32.EXE"};
  EXPECT_EQ(SysInfoToolPath(registry, files), u"D:\\MSInfo\\MSINFO32.EXE");
}

}  // namespace
