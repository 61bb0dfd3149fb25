#pragma once

#include <algorithm>

namespace qv {

// Grid positions run from -9999 to 9999 in both directions. A sector stored
// outside that range is kept in the tables but takes no part in the map: it
// is neither drawn, nor hit, nor counted in the extents, so that a stray
// coordinate cannot blow up the drawing surface or the sector array.
constexpr int kMaxGridPosition = 9999;
constexpr int kMinGridPosition = -kMaxGridPosition;

constexpr bool IsMapPosition(int x, int y) {
  return x >= kMinGridPosition && x <= kMaxGridPosition && y >= kMinGridPosition &&
         y <= kMaxGridPosition;
}

// The range a geometry setting is held to when it is read, whatever a
// hand-edited settings file says. Within these ranges no pixel value of the
// map, zoomed up to 1000 %, comes near the limits of int.
struct TSettingRange {
  int min;
  int max;
  constexpr int Hold(int value) const { return std::clamp(value, min, max); }
};
constexpr TSettingRange kSectorSizeRange{1, 1000};  // side of a square
constexpr TSettingRange kSpacingRange{0, 1000};     // gaps and borders
constexpr TSettingRange kBarWidthRange{0, 100};     // as the preferences offer it
constexpr TSettingRange kFontSizeRange{1, 500};     // points
constexpr TSettingRange kZoomPercentRange{1, 1000};

}  // namespace qv
