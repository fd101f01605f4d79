#include <gtest/gtest.h>

#include "shell/DocumentationFolder.h"

namespace {

TEST(DocumentationFolderTest, IsShareDocReminderOfTheProgramsPrefix) {
  const struct {
    const char* program;
    const char* documentation;
  } cases[] = {
      {"/usr/bin", "/usr/share/doc/reminder"},
      {"/home/ann/.local/bin/", "/home/ann/.local/share/doc/reminder"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DocumentationFolder(c.program), std::filesystem::path(c.documentation)) << c.program;
  }
}

}  // namespace
