#include "shell/VersionCaption.h"

std::string VersionCaption(std::int16_t major, std::int16_t minor, std::int16_t revision) {
  return "Version " + std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}
