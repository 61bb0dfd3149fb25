#include "map/SectorArray.h"

#include <algorithm>

namespace qv {

void TSectorArray::SetSize(int width, int height) {
  if (width <= 0 || height <= 0) {
    Clear();
    return;
  }
  width = std::min(width, kMaxSide);
  height = std::min(height, kMaxSide);
  if (width == width_ && height == height_ && !columns_.empty()) return;
  Clear();
  columns_.resize(static_cast<std::size_t>(width));
  width_ = width;
  height_ = height;
}

double* TSectorArray::Cell(int x, int y, bool create) {
  if (x < 0 || x >= width_ || y < 0 || y >= height_ || columns_.empty()) return nullptr;
  Column& column = columns_[static_cast<std::size_t>(x)];
  if (column.empty()) {
    if (!create) return nullptr;
    column.resize(static_cast<std::size_t>(height_));
  }
  std::unique_ptr<CellBlock>& cell = column[static_cast<std::size_t>(y)];
  if (!cell) {
    if (!create) return nullptr;
    cell = std::make_unique<CellBlock>();
    cell->fill(0.0);
  }
  return cell->data();
}

const double* TSectorArray::Cell(int x, int y) const {
  if (x < 0 || x >= width_ || y < 0 || y >= height_ || columns_.empty()) return nullptr;
  const Column& column = columns_[static_cast<std::size_t>(x)];
  if (column.empty()) return nullptr;
  const std::unique_ptr<CellBlock>& cell = column[static_cast<std::size_t>(y)];
  return cell ? cell->data() : nullptr;
}

void TSectorArray::Clear() {
  columns_.clear();
  columns_.shrink_to_fit();
  width_ = 0;
  height_ = 0;
}

}  // namespace qv
