#include <cstring>

#include "os/OsError.h"

std::string SystemErrorText(int code) {
  char buffer[256];
  // GNU strerror_r may return a static string instead of filling the buffer.
  const char* text = strerror_r(code, buffer, sizeof buffer);
  return text ? text : ("Error " + std::to_string(code));
}

std::string PathText(const std::filesystem::path& path) { return path.native(); }
