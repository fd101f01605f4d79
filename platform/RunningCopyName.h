#pragma once

#include <string>
#include <string_view>

// The name under which the running copy of the program for one user and one display
// is found: it names a lock file and a local socket in the user's runtime folder.
// `platform` is the window system's name ("xcb", "wayland", ...) and `display` the
// display it runs on. Spellings of one X display (":0", ":0.0", "unix:0") give one
// name; anything that is not a plain letter, digit or dot is written as _XX, so the
// name is a single file name and different users or displays never share one.
std::string RunningCopyName(std::string_view user, std::string_view platform, std::string_view display);
