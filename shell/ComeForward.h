#pragma once

#include <functional>
#include <string>

#include "shell/AppContext.h"

class QWidget;

// What the running copy shows when the program is started again: the splash while it
// is up (the main window follows it), the main window, or the small "Show Reminder"
// window while the main window is hidden. A main window that was unloaded while
// another window kept the program alive is loaded again, so that the start the user
// asked for gives a program that checks reminders. Once the splash has gone,
// `homeChanged` reads path.txt again (Halvern may have set a home meanwhile); when it
// names another home, the count, the check and every write work on that one from then on.
// On Wayland the later start's activation token (when its launcher gave one) lets the
// window take the focus; a compositor refuses it otherwise.
void ComeForward(AppContext& app, QWidget* splash, const std::function<bool()>& homeChanged,
                 const std::string& activationToken = {});
