#include "os/WindowPlatform.h"

std::string ChosenWindowPlatform(const char* display, const char* chosen) {
  const bool userChose = chosen && *chosen;
  return display && *display && !userChose ? "xcb" : "";
}
