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
  if (width == width_ && height == height_ && firstX == firstX_ && firstY == firstY_ &&
      !columns_.empty())
    return;
  Clear();
  columns_.resize(static_cast<std::size_t>(width));
  width_ = width;
  height_ = height;
  firstX_ = firstX;
  firstY_ = firstY;
}

void TSectorArray::SetRange(int minX, int minY, int maxX, int maxY) {
  SetSize(AddPixels(static_cast<long long>(maxX) - minX, 1),
          AddPixels(static_cast<long long>(maxY) - minY, 1), minX, minY);
}

bool TSectorArray::Locate(int x, int y, std::size_t& column, std::size_t& row) const {
  const long long ix = static_cast<long long>(x) - firstX_;
  const long long iy = static_cast<long long>(y) - firstY_;
  if (ix < 0 || ix >= width_ || iy < 0 || iy >= height_ || columns_.empty()) return false;
  column = static_cast<std::size_t>(ix);
  row = static_cast<std::size_t>(iy);
  return true;
}

double* TSectorArray::Cell(int x, int y, bool create) {
  std::size_t ix = 0;
  std::size_t iy = 0;
  if (!Locate(x, y, ix, iy)) return nullptr;
  Column& column = columns_[ix];
  if (column.empty()) {
    if (!create) return nullptr;
    column.resize(static_cast<std::size_t>(height_));
  }
  std::unique_ptr<CellBlock>& cell = column[iy];
  if (!cell) {
    if (!create) return nullptr;
    cell = std::make_unique<CellBlock>();
    cell->fill(0.0);
  }
  return cell->data();
}

const double* TSectorArray::Cell(int x, int y) const {
  std::size_t ix = 0;
  std::size_t iy = 0;
  if (!Locate(x, y, ix, iy)) return nullptr;
  const Column& column = columns_[ix];
  if (column.empty()) return nullptr;
  const std::unique_ptr<CellBlock>& cell = column[iy];
  return cell ? cell->data() : nullptr;
}

void TSectorArray::Clear() {
  columns_.clear();
  columns_.shrink_to_fit();
  width_ = 0;
  height_ = 0;
  firstX_ = 0;
  firstY_ = 0;
}

}  // namespace qv
