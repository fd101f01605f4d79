#pragma once

#include <string_view>

// Whether an ordinary file (not a folder, not hidden, not a system file) exists at a
// path; behind an interface so that tests can say which files exist.
class FileCheck {
 public:
  virtual ~FileCheck() = default;
  virtual bool IsOrdinaryFile(std::u16string_view path) const = 0;
};

class OsFileCheck final : public FileCheck {
 public:
  bool IsOrdinaryFile(std::u16string_view path) const override;
  static const OsFileCheck& Instance();
};
