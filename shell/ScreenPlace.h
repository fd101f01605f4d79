#pragma once

// Screen positions in pixels, for placing windows without a window system at hand.
struct ScreenPoint {
  int x = 0;
  int y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

struct ScreenArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The top-left corner nearest to `wanted` at which a window of `width` x `height`
// lies wholly inside `area` (the screen less its panels); its top-left corner when the
// window is larger than the area. A window placed at fixed coordinates would otherwise
// be out of reach on a small screen.
ScreenPoint KeepInside(ScreenPoint wanted, int width, int height, const ScreenArea& area);
