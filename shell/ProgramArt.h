#pragma once

#include <QIcon>
#include <QPixmap>

// The program's own pictures, embedded in the program (drawn by tools/DrawArt.cpp).
// The icon every window carries, with its 16, 32 and 48 pixel images.
QIcon ProgramIcon();
// The splash window's logo, a portrait picture of 362 x 450 pixels.
QPixmap ProgramLogo();
