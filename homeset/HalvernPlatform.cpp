#include "homeset/HalvernPlatform.h"

std::string HalvernWindowPlatform(const char* display, const char* chosen) {
  const bool userChose = chosen && *chosen;
#ifdef _WIN32
  // Windows has one window system; a DISPLAY there is Wine's own.
  (void)display;
  (void)userChose;
  return "";
#else
  return display && *display && !userChose ? "xcb" : "";
#endif
}
