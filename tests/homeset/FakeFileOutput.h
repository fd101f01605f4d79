#pragma once

#include <optional>
#include <string>
#include <vector>

#include "homeset/FileOutput.h"

// Records every write and fails it with `failure` when one is set.
class FakeFileOutput final : public FileOutput {
 public:
  std::optional<std::string> Replace(const std::filesystem::path& file,
                                     std::string_view bytes) override {
    writes.push_back({file, std::string(bytes)});
    if (failure) return failure;
    return real.Replace(file, bytes);
  }
  struct Write {
    std::filesystem::path file;
    std::string bytes;
  };
  std::vector<Write> writes;
  std::optional<std::string> failure;
  OsFileOutput real;
};
