#pragma once

#include <array>
#include <memory>
#include <vector>

#include "map/MapLimits.h"

namespace qv {

// One statistics cell per grid position: absent, or six values, one per
// product of the current request. The array owns its cells; every resize
// drops them. It covers a rectangle of grid positions that may start left of
// or above position 0.
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
  // when the cell is absent and `create` is false. A created cell starts at zero.
  double* Cell(int x, int y, bool create);
  const double* Cell(int x, int y) const;
  void Clear();

  int Width() const { return width_; }
  int Height() const { return height_; }
  int FirstX() const { return firstX_; }
  int FirstY() const { return firstY_; }

 private:
  using CellBlock = std::array<double, kValuesPerCell>;
  // One table of cells per column; a column's table is made on its first cell,
  // so that a large grid with few sectors costs little.
  using Column = std::vector<std::unique_ptr<CellBlock>>;

  // The column and row of (x, y), or false outside the array.
  bool Locate(int x, int y, std::size_t& column, std::size_t& row) const;

  std::vector<Column> columns_;
  int width_ = 0;
  int height_ = 0;
  int firstX_ = 0;
  int firstY_ = 0;
};

}  // namespace qv
