#pragma once

#include <string>
#include <string_view>

// The name under which the running copy of the program for one user is found, whatever
// window system or display it runs on: it names a lock file and a local socket. Anything
// that is not a plain letter, digit or dot is written as _XX, so the name is a single
// file name and different users never share one.
std::string RunningCopyName(std::string_view user);

// The user a running copy is kept for: the effective user id on Linux, the user name on
// Windows.
std::string RunningCopyUser();
