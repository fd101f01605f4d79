#include "shell/SysInfo.h"

#include <gtest/gtest.h>

#include "os/FakeRegistry.h"

namespace {

// The first key's PATH value ("" for a key without it, null for no key); the second
// key's MSINFO value (null for no key); the one tool file that exists; the tool found;
// the keys opened.
struct Lookup {
  const char *path, *folder;
  const char16_t *file, *tool;
  std::size_t keysOpened;
};

class SysInfoTest : public ::testing::TestWithParam<Lookup> {};

TEST_P(SysInfoTest, TakesThePathValueElseTheToolInTheFolder) {
  const Lookup& c = GetParam();
  FakeRegistry registry;
  FakeFileCheck files;
  if (c.path)
    registry.Set("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", *c.path ? "PATH" : "Other",
                 {Registry::kString, std::string(c.path) + '\0'});
  if (c.folder)
    registry.Set("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                 {Registry::kString, std::string(c.folder) + '\0'});
  if (c.file) files.files = {c.file};
  EXPECT_EQ(SysInfoToolPath(registry, files), c.tool ? std::optional<std::u16string>(c.tool) : std::nullopt);
  EXPECT_EQ(registry.opened.size(), c.keysOpened);
  EXPECT_EQ(registry.openKeys, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SysInfoTest,
    ::testing::Values(Lookup{"C:\\Gone.exe", "C:\\Tools", u"C:\\Tools\\MSINFO32.EXE", u"C:\\Gone.exe", 1},
                      Lookup{"", "D:\\MSInfo\\", u"D:\\MSInfo\\\\MSINFO32.EXE", u"D:\\MSInfo\\\\MSINFO32.EXE", 2},
                      Lookup{nullptr, "C:\\Tools", nullptr, nullptr, 2}));

}  // namespace
