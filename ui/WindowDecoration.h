#pragma once

class QWidget;

// Gives a top-level window an empty caption and no icon. Qt alone cannot: it falls back
// to the application's name and icon. On X11 the window's own title and icon properties
// are emptied; elsewhere the window keeps what Qt gives it. Creates the native window.
void ShowNoCaptionOrIcon(QWidget* window);
