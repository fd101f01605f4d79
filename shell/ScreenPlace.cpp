#include "shell/ScreenPlace.h"

#include <algorithm>

namespace {

int Clamp(int wanted, int size, int start, int length) {
  const int last = start + length - size;
  if (last < start) return start;
  return std::clamp(wanted, start, last);
}

}  // namespace

ScreenPoint KeepInside(ScreenPoint wanted, int width, int height, const ScreenArea& area) {
  return {Clamp(wanted.x, width, area.left, area.width), Clamp(wanted.y, height, area.top, area.height)};
}
