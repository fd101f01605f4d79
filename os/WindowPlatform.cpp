#include "os/WindowPlatform.h"

std::string ChosenWindowPlatform(const char* display, const char* chosen) {
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
