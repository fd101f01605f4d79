#pragma once

#include <cstdint>
#include <string>

// "Version " followed by major, minor and revision joined by "." in plain decimal
// ("Version 1.0.2"); the splash window and the About box show it.
std::string VersionCaption(std::int16_t major, std::int16_t minor, std::int16_t revision);
