// Any text read back as a date or a time: either nothing, or a value that the same forms
// write back to text that reads as the same value.
#include <cstdint>
#include <cstdlib>

#include "os/CodePage.h"
#include "os/DateTimeForms.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::unique_ptr<DateTimeForms> forms[] = {
      DateTimeForms::ForLocale("C"), DateTimeForms::ForLocale("en_US.UTF-8"), DateTimeForms::ForLocale("de_DE.UTF-8")};
  const std::u16string text = Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const auto& f : forms) {
    if (!f) continue;
    if (auto date = f->ReadDate(text); date && (!date->ok() || f->ReadDate(f->DateText(*date)) != *date)) std::abort();
    if (auto t = f->ReadTime(text); t && (t->count() < 0 || t->count() >= 86400 || f->ReadTime(f->TimeText(*t)) != *t))
      std::abort();
  }
  return 0;
}
