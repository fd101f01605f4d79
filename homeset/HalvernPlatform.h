#pragma once

#include <string>

// The Qt platform Halvern asks for, from the environment's DISPLAY and QT_QPA_PLATFORM:
// X11 ("xcb") wherever the session offers an X display, also beside Wayland (Xwayland),
// as reminder does, so that both programs' windows are placed alike; empty, leaving Qt's
// own choice, without a display or where the user chose a platform. Null stands for an
// unset variable.
std::string HalvernWindowPlatform(const char* display, const char* chosen);
