#include "homeset/HalvernPlatform.h"

std::string HalvernWindowPlatform(const char* display, const char* chosen) {
  const bool userChose = chosen && *chosen;
  return display && *display && !userChose ? "xcb" : "";
}
