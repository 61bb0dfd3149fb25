#pragma once

#include "map/PixelMath.h"

namespace qv {

// A rectangle given as its top-left corner and its size.
struct TERect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  constexpr int Right() const { return AddPixels(left, width); }
  constexpr int Bottom() const { return AddPixels(top, height); }
  // Only both sizes negative make the rectangle null; a zero-sized one is not.
  constexpr bool IsNull() const { return width < 0 && height < 0; }

  friend constexpr bool operator==(const TERect&, const TERect&) = default;
};

constexpr TERect MakeERect(int left, int top, int width, int height) {
  return TERect{left, top, width, height};
}

}  // namespace qv
