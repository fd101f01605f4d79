#pragma once

#include <functional>

class QWidget;

// Event hooks the windows' handlers need that Qt widgets offer no signal for. Each hook
// lives as long as its widget.

// Runs `handler` after every key released while `widget` has the focus (KeyUp).
void OnKeyUp(QWidget* widget, std::function<void()> handler);

// Passes each typed character through `filter` before `widget` sees it (KeyPress):
// the result replaces the character, 0 drops it. Keys that type nothing pass.
void FilterTypedKeys(QWidget* widget, std::function<int(int)> filter);

// Runs `handler` when `widget` is clicked with the left button, or, when it takes the
// keyboard focus, when Space or Enter is pressed on it.
void OnClick(QWidget* widget, std::function<void()> handler);

// Runs `handler` once, when the shown top-level `window` is first exposed: by then a
// window manager has framed it, so its frame geometry holds. Nothing when it is exposed
// already.
void OnFirstExposed(QWidget* window, std::function<void()> handler);
