#pragma once

#include <string>

// The Qt platform the program asks for, from the environment's DISPLAY and
// QT_QPA_PLATFORM: X11 ("xcb") wherever the session offers an X display, also beside
// Wayland (Xwayland), since windows that stay on top, frameless windows and positions
// hold there only; empty, leaving Qt's own choice, without a display or where the user
// chose a platform. Null stands for an unset variable.
std::string ChosenWindowPlatform(const char* display, const char* chosen);
