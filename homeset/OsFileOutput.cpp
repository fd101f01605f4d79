#include <filesystem>
#include <string>

#include "homeset/FileOutput.h"

std::string DescribeFileFailure(int code, const std::filesystem::path& file) {
  std::error_code ec;
  std::filesystem::path shown = std::filesystem::absolute(file, ec);
  return OsDescription(code) + ": " + PathAsText(ec ? file : shown);
}
