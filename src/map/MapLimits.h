#pragma once

namespace qv {

// Grid positions run from 0 to kMaxGridPosition in both directions. A sector
// stored outside that range is kept in the tables but takes no part in the
// map: it is neither drawn, nor hit, nor counted in the extents, so that a
// stray coordinate cannot blow up the drawing surface or the sector array.
constexpr int kMaxGridPosition = 9999;

constexpr bool IsMapPosition(int x, int y) {
  return x >= 0 && x <= kMaxGridPosition && y >= 0 && y <= kMaxGridPosition;
}

}  // namespace qv
