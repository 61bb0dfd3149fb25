#pragma once

#include <algorithm>
#include <climits>
#include <cmath>

namespace qv {

// Pixel values of the map come from settings and grid positions that a player
// may edit by hand. They are computed in 64 bits (or as doubles) and held in
// the range of int after every step, never left to overflow.
constexpr int HoldPixel(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// A double truncated toward zero and held in the range of int; NaN gives 0.
inline int HoldPixel(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int>(
      std::clamp(std::trunc(value), static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

constexpr int AddPixels(long long a, long long b) {
  return HoldPixel(a + b);
}

}  // namespace qv
