#include "ui/ChooserFilter.h"

#include "os/Trim.h"

namespace {

std::vector<std::u16string_view> Split(std::u16string_view text, char16_t separator) {
  std::vector<std::u16string_view> parts;
  for (;;) {
    std::size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::u16string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

}  // namespace

std::vector<ChooserFilterEntry> ParseChooserFilter(std::u16string_view filter) {
  std::vector<ChooserFilterEntry> entries;
  if (filter.empty()) return entries;
  std::vector<std::u16string_view> parts = Split(filter, u'|');
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    ChooserFilterEntry entry{std::u16string(parts[i]), {}};
    for (std::u16string_view pattern : Split(parts[i + 1], u';')) {
      pattern = TrimSpaces(pattern);
      if (pattern.empty()) continue;
      entry.patterns.emplace_back(pattern == u"*.*" ? u"*" : pattern);
    }
    if (!entry.patterns.empty()) entries.push_back(std::move(entry));
  }
  return entries;
}
