#include "platform/Registry.h"

#include <gtest/gtest.h>

#include "platform/FakeRegistry.h"

namespace {

const std::string kKey = "SOFTWARE\\Test";

struct ValueCase {
  const char* name;
  FakeRegistry::Value value;
  std::u16string before;  // KeyVal on entry
  bool ok;
  std::u16string after;
};

class GetKeyValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(GetKeyValueTest, ConvertsTheValueAndClosesTheKey) {
  FakeRegistry registry;
  registry.Set(kKey, "V", GetParam().value);
  std::u16string value = GetParam().before;
  EXPECT_EQ(GetKeyValue(registry, Registry::kLocalMachine, u"SOFTWARE\\Test", u"V", value), GetParam().ok);
  EXPECT_EQ(value, GetParam().after);
  EXPECT_EQ(registry.openKeys, 0);
}

std::u16string Repeated(char16_t c, std::size_t n) { return std::u16string(n, c); }

INSTANTIATE_TEST_SUITE_P(
    Values, GetKeyValueTest,
    ::testing::Values(
        ValueCase{"TextWithItsZero", {Registry::kString, std::string("C:\\Tools\\msinfo32.exe\0", 22)}, u"old", true,
                  u"C:\\Tools\\msinfo32.exe"},
        ValueCase{"FullBufferWithoutZeroStaysWhole", {Registry::kString, std::string(1024, 'x')}, u"", true,
                  Repeated(u'x', 1024)},
        ValueCase{"FullBufferEndingInZeroLosesIt", {Registry::kString, std::string(1023, 'y') + '\0'}, u"", true,
                  Repeated(u'y', 1023)},
        ValueCase{"LoneZeroIsEmptyText", {Registry::kString, std::string(1, '\0')}, u"old", true, u""},
        ValueCase{"NoBytesIsEmptyText", {Registry::kString, ""}, u"old", true, u""},
        ValueCase{"TooLargeForTheBufferFails", {Registry::kString, std::string(1025, 'z')}, u"old", false, u""},
        ValueCase{"DwordDigitsLastByteFirst", {Registry::kDword, std::string("\x02\x01\x00\x00", 4)}, u"old", true,
                  u"&h000102"},
        ValueCase{"DwordWithoutZeroKeepsAllFourBytes", {Registry::kDword, std::string("\x0A\x00\xFF\x7F", 4)}, u"",
                  true, u"&h7FFF000A"},
        ValueCase{"OtherTypeLeavesTheTextAsItCame", {3, "\x01\x02"}, u"as it came", true, u"as it came"},
        ValueCase{"TextInTheCodePage", {Registry::kString, std::string("Caf\xE9\0", 5)}, u"", true, u"Caf\u00E9"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(GetKeyValue, OpensTheKeyForReadingOnlyAndAMissingKeyOrValueGivesFalseAndEmptyText) {
  FakeRegistry registry;
  registry.Set(kKey, "V", {Registry::kString, "a"});
  std::u16string value = u"old";
  EXPECT_FALSE(GetKeyValue(registry, Registry::kLocalMachine, u"SOFTWARE\\Other", u"V", value));
  EXPECT_EQ(value, u"");
  value = u"old";
  EXPECT_FALSE(GetKeyValue(registry, Registry::kLocalMachine, u"SOFTWARE\\Test", u"W", value));
  EXPECT_EQ(value, u"");
  EXPECT_EQ(registry.openKeys, 0);
  EXPECT_EQ(registry.accessMasks, std::vector<std::uint32_t>(2, 0x20019u));  // KEY_READ, not KEY_ALL_ACCESS
}

}  // namespace
