#pragma once

#include <string>
#include <string_view>
#include <vector>

// The filter of an open-file chooser as the dialogs spell it: descriptions and patterns
// alternating, separated by "|" ("Program files|*.exe|All Files|*.*"); several patterns
// of one entry are separated by ";".
struct ChooserFilterEntry {
  std::u16string description;
  std::vector<std::u16string> patterns;

  bool operator==(const ChooserFilterEntry&) const = default;
};

// The entries in their order. "*.*" means every file and becomes "*", which also
// matches names without a dot. A description without a pattern is dropped.
std::vector<ChooserFilterEntry> ParseChooserFilter(std::u16string_view filter);
