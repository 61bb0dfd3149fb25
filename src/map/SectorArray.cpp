#include "map/SectorArray.h"

#include <algorithm>

#include "map/PixelMath.h"

namespace qv {

void TSectorArray::SetSize(int width, int height, int firstX, int firstY) {
  if (width <= 0 || height <= 0) {
    Clear();
    return;
  }
  width = std::min(width, kMaxSide);
  height = std::min(height, kMaxSide);
  if (width == width_ && height == height_ && firstX == firstX_ && firstY == firstY_) return;
  Clear();
  width_ = width;
  height_ = height;
  firstX_ = firstX;
  firstY_ = firstY;
}

void TSectorArray::SetRange(int minX, int minY, int maxX, int maxY) {
  SetSize(AddPixels(static_cast<long long>(maxX) - minX, 1),
          AddPixels(static_cast<long long>(maxY) - minY, 1), minX, minY);
}

bool TSectorArray::Locate(int x, int y, std::uint64_t& key) const {
  const long long ix = static_cast<long long>(x) - firstX_;
  const long long iy = static_cast<long long>(y) - firstY_;
  if (ix < 0 || ix >= width_ || iy < 0 || iy >= height_) return false;
  // Row-major, as a dense table would number the cells: the positions of one
  // array never share a key.
  key = static_cast<std::uint64_t>(iy) * static_cast<std::uint64_t>(width_) +
        static_cast<std::uint64_t>(ix);
  return true;
}

double* TSectorArray::Cell(int x, int y, bool create) {
  std::uint64_t key = 0;
  if (!Locate(x, y, key)) return nullptr;
  if (!create) {
    const auto found = cells_.find(key);
    return found == cells_.end() ? nullptr : found->second.data();
  }
  // A new cell is value-initialised: all six values 0.
  return cells_.try_emplace(key).first->second.data();
}

const double* TSectorArray::Cell(int x, int y) const {
  std::uint64_t key = 0;
  if (!Locate(x, y, key)) return nullptr;
  const auto found = cells_.find(key);
  return found == cells_.end() ? nullptr : found->second.data();
}

void TSectorArray::Clear() {
  // Swapped out, so that the memory of a large grid goes back at once.
  std::unordered_map<std::uint64_t, CellBlock>().swap(cells_);
  width_ = 0;
  height_ = 0;
  firstX_ = 0;
  firstY_ = 0;
}

}  // namespace qv
