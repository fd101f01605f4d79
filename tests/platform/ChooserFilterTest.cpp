#include <gtest/gtest.h>

#include "platform/ChooserFilter.h"

namespace {

TEST(ChooserFilterTest, KeepsTheEntriesAndTheirOrder) {
  const auto entries = ParseChooserFilter(u"Program files|*.exe|Batch Files|*.bat|All Files|*.*");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0], (ChooserFilterEntry{u"Program files", {u"*.exe"}}));
  EXPECT_EQ(entries[1], (ChooserFilterEntry{u"Batch Files", {u"*.bat"}}));
  // "*.*" also takes names without a dot.
  EXPECT_EQ(entries[2], (ChooserFilterEntry{u"All Files", {u"*"}}));
}

TEST(ChooserFilterTest, SplitsPatternsAndDropsIncompleteEntries) {
  const auto entries = ParseChooserFilter(u"Pictures|*.bmp;*.ico ; |Lonely");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].patterns, (std::vector<std::u16string>{u"*.bmp", u"*.ico"}));
  EXPECT_TRUE(ParseChooserFilter(u"").empty());
  EXPECT_TRUE(ParseChooserFilter(u"Nothing|").empty());
}

}  // namespace
