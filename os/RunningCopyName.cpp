#include "os/RunningCopyName.h"

namespace {

bool Plain(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.'; }

std::string Escaped(std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : text) {
    if (Plain(c)) {
      out += c;
    } else {
      const auto byte = static_cast<unsigned char>(c);
      out += '_';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    }
  }
  return out;
}

}  // namespace

std::string RunningCopyName(std::string_view user) { return "reminder-" + Escaped(user); }

std::string RunningCopyCall(std::string_view activationToken) { return std::string(activationToken) + '\n'; }

std::string ActivationTokenOf(std::string_view call) {
  constexpr std::size_t kLongest = 255;
  const std::size_t end = call.find('\n');
  if (end == std::string_view::npos || end > kLongest) return {};
  const std::string_view token = call.substr(0, end);
  for (char c : token)
    if (c <= ' ' || c > '~') return {};
  return std::string(token);
}
