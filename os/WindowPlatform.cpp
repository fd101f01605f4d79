#include "os/WindowPlatform.h"

std::string ChosenWindowPlatform([[maybe_unused]] const char* display, [[maybe_unused]] const char* chosen) {
#ifdef _WIN32
  return "";  // Windows has one window system; a DISPLAY there is Wine's own
#else
  const bool userChose = chosen && *chosen;
  return display && *display && !userChose ? "xcb" : "";
#endif
}
