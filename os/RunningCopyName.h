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

// What a later start sends the running copy when it calls it: one line holding the
// launcher's activation token (empty without one), which a Wayland compositor wants
// before it lets the running copy take the focus.
std::string RunningCopyCall(std::string_view activationToken);

// The activation token a call carries: empty when the call holds none, or anything
// other than one line of at most 255 printable ASCII characters without blanks.
std::string ActivationTokenOf(std::string_view call);
