#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>

#include "data/MapLimits.h"

namespace qv {

// One statistics cell per grid position: absent, or six values, one per
// product of the current request. The array owns its cells; every resize
// drops them. It covers a rectangle of grid positions that may start left of
// or above position 0. Only the cells made are stored, so that its memory
// follows the number of sectors, not the area of the rectangle.
class TSectorArray {
 public:
  static constexpr int kValuesPerCell = 6;
  // Largest number of columns or rows: every grid position, -9999 to 9999.
  static constexpr int kMaxSide = kMaxGridPosition - kMinGridPosition + 1;

  // W x H absent cells for the positions firstX.. and firstY.. (each side
  // held at kMaxSide). Keeps every cell when the array already has exactly
  // that size and start; W <= 0 or H <= 0 clears it. Lets std::bad_alloc
  // through: the caller reports it.
  void SetSize(int width, int height, int firstX = 0, int firstY = 0);
  // The cells of minX..maxX x minY..maxY.
  void SetRange(int minX, int minY, int maxX, int maxY);
  // The six values at grid position (x, y), or nullptr outside the array or
  // when the cell is absent and `create` is false. A created cell starts at
  // zero. The values stay where they are until the array is resized or
  // cleared, however many cells are made meanwhile.
  double* Cell(int x, int y, bool create);
  const double* Cell(int x, int y) const;
  void Clear();

  int Width() const { return width_; }
  int Height() const { return height_; }
  int FirstX() const { return firstX_; }
  int FirstY() const { return firstY_; }
  // The number of cells made since the last resize.
  std::size_t CellCount() const { return cells_.size(); }

 private:
  using CellBlock = std::array<double, kValuesPerCell>;

  // The key of (x, y), or false outside the array.
  bool Locate(int x, int y, std::uint64_t& key) const;

  // Keyed by position within the array; the nodes of the map do not move
  // when it grows, so the values handed out stay valid.
  std::unordered_map<std::uint64_t, CellBlock> cells_;
  int width_ = 0;
  int height_ = 0;
  int firstX_ = 0;
  int firstY_ = 0;
};

}  // namespace qv
