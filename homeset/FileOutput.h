#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Writing a whole file, behind an interface so that tests can make it fail (root
// ignores a read-only folder, so a real refusal cannot be staged there).
class FileOutput {
 public:
  virtual ~FileOutput() = default;
  // Makes `file` hold `bytes` and nothing else, as a whole: after a failure any earlier
  // `file` is still as it was. Nothing on success; otherwise the OS's description of the
  // failure and the file's full path.
  virtual std::optional<std::string> Replace(const std::filesystem::path& file, std::string_view bytes) = 0;
};

// The real file system.
class OsFileOutput final : public FileOutput {
 public:
  std::optional<std::string> Replace(const std::filesystem::path& file, std::string_view bytes) override;
};

// "<OS description>: <full path>", the form of every file failure Halvern shows.
std::string DescribeFileFailure(int code, const std::filesystem::path& file);
// Its two parts, each system's own: the system's text for an error code, and a path as
// UTF-8 text.
std::string OsDescription(int code);
std::string PathAsText(const std::filesystem::path& path);
