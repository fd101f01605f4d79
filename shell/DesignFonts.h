#pragma once

// The windows are laid out for Tahoma, Verdana, Arial, MS Sans Serif and Times New Roman.
// Where those are missing (Linux), the closest fonts at hand stand in: Wine's Tahoma and
// MS Sans Serif when installed, else fonts of similar width, so captions fit their
// designed sizes.
void LoadDesignFonts();
