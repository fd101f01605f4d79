#include "platform/RunningCopyName.h"

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

// "[host]:number[.screen]": the screen does not change the display, and "unix" is the
// local host spelt out.
std::string XDisplay(std::string_view display) {
  const std::size_t colon = display.rfind(':');
  if (colon == std::string_view::npos) return std::string(display);
  std::string_view host = display.substr(0, colon);
  std::string_view number = display.substr(colon + 1);
  number = number.substr(0, number.find('.'));
  if (host == "unix") host = {};
  return std::string(host) + ':' + std::string(number);
}

}  // namespace

std::string RunningCopyName(std::string_view user, std::string_view platform, std::string_view display) {
  const std::string shown = platform == "xcb" ? XDisplay(display) : std::string(display);
  return "reminder-" + Escaped(user) + '-' + Escaped(platform) + '-' + Escaped(shown);
}
