#include "os/Registry.h"

#include <gtest/gtest.h>

#include "os/FakeRegistry.h"

// The value of "V" (type 0: there is no "V"), whether it reads, and the text it gives from "old".
using ValueCase = std::tuple<FakeRegistry::Value, bool, std::u16string>;

class GetKeyValueTest : public ::testing::TestWithParam<ValueCase> {};

// A missing key or value gives false and no text; the key is opened for reading only
// (KEY_READ: no administrator rights needed) and closed.
TEST_P(GetKeyValueTest, ConvertsTheValueAndClosesTheKey) {
  const auto& [stored, ok, text] = GetParam();
  FakeRegistry registry;
  registry.Set("SOFTWARE\\Test", stored.type ? "V" : "W", stored);
  std::u16string value = u"old";
  EXPECT_FALSE(GetKeyValue(registry, Registry::kLocalMachine, u"SOFTWARE\\Other", u"V", value) || value != u"");
  value = u"old";
  EXPECT_EQ(GetKeyValue(registry, Registry::kLocalMachine, u"SOFTWARE\\Test", u"V", value), ok);
  EXPECT_TRUE(value == text && registry.openKeys == 0 &&
              registry.accessMasks == std::vector<std::uint32_t>(2, 0x20019));
}

// Text ends at its zero, or fills the 1024-byte buffer; a value beyond it fails; a DWORD
// reads as "&h" and its hex digits, last byte first; another type leaves the text as it came.
INSTANTIATE_TEST_SUITE_P(
    Values, GetKeyValueTest,
    ::testing::Values(ValueCase{{Registry::kString, std::string("C:\\msinfo32.exe\0", 16)}, true, u"C:\\msinfo32.exe"},
                      ValueCase{{Registry::kString, std::string(1024, 'x')}, true, std::u16string(1024, u'x')},
                      ValueCase{{Registry::kString, std::string(1025, 'z')}, false, u""},
                      ValueCase{{Registry::kString, ""}, true, u""},
                      ValueCase{{Registry::kDword, std::string("\x02\x01\x00\x00", 4)}, true, u"&h000102"},
                      ValueCase{{3, "\x01\x02"}, true, u"old"}, ValueCase{{0, "a"}, false, u""},
                      ValueCase{{Registry::kString, std::string("Caf\xE9\0", 5)}, true, u"Caf\u00E9"}));
