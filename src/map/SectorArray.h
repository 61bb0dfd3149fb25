#pragma once

#include <array>
#include <memory>
#include <vector>

namespace qv {

// One statistics cell per grid position: absent, or six values, one per
// product of the current request. The array owns its cells; every resize
// drops them.
class TSectorArray {
 public:
  static constexpr int kValuesPerCell = 6;
  // Largest number of columns or rows; grid positions end at 9999.
  static constexpr int kMaxSide = 10000;

  // W x H absent cells (each side held at kMaxSide). Keeps every cell when the
  // array already has exactly that size; W <= 0 or H <= 0 clears it.
  // Lets std::bad_alloc through: the caller reports it.
  void SetSize(int width, int height);
  // The six values at (x, y), or nullptr outside the array or when the cell is
  // absent and `create` is false. A created cell starts at zero.
  double* Cell(int x, int y, bool create);
  const double* Cell(int x, int y) const;
  void Clear();

  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  using CellBlock = std::array<double, kValuesPerCell>;
  // One table of cells per column; a column's table is made on its first cell,
  // so that a large grid with few sectors costs little.
  using Column = std::vector<std::unique_ptr<CellBlock>>;

  std::vector<Column> columns_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace qv
