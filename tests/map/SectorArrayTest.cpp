#include "map/SectorArray.h"

#include <gtest/gtest.h>

#include <utility>

namespace qv {
namespace {

TEST(SectorArrayTest, CellsExistOnlyInsideTheArrayAndWhenCreated) {
  TSectorArray array;
  EXPECT_EQ(array.Cell(0, 0, true), nullptr);  // no table yet

  array.SetSize(3, 2);
  EXPECT_EQ(array.Width(), 3);
  EXPECT_EQ(array.Height(), 2);
  EXPECT_EQ(array.Cell(2, 1, false), nullptr);

  double* cell = array.Cell(2, 1, true);
  ASSERT_NE(cell, nullptr);
  for (int i = 0; i < TSectorArray::kValuesPerCell; ++i)
    EXPECT_EQ(cell[i], 0.0);
  cell[5] = 7.5;
  EXPECT_EQ(array.Cell(2, 1, false), cell);
  EXPECT_EQ(array.Cell(2, 1, true), cell);  // an existing cell is not replaced
  EXPECT_EQ(static_cast<const TSectorArray&>(array).Cell(2, 1)[5], 7.5);
  EXPECT_EQ(array.Cell(2, 0, false), nullptr);  // its neighbour stays absent

  EXPECT_EQ(array.Cell(3, 0, true), nullptr);
  EXPECT_EQ(array.Cell(0, 2, true), nullptr);
  EXPECT_EQ(array.Cell(-1, 0, true), nullptr);
  EXPECT_EQ(array.Cell(0, -1, true), nullptr);
}

TEST(SectorArrayTest, ResizeKeepsCellsOnlyAtTheSameSize) {
  TSectorArray array;
  array.SetSize(4, 4);
  array.Cell(1, 1, true)[0] = 3.0;

  array.SetSize(4, 4);
  ASSERT_NE(array.Cell(1, 1, false), nullptr);
  EXPECT_EQ(array.Cell(1, 1, false)[0], 3.0);

  array.SetSize(4, 5);
  EXPECT_EQ(array.Cell(1, 1, false), nullptr);
  array.Cell(1, 1, true);
  array.SetSize(5, 5);
  EXPECT_EQ(array.Cell(1, 1, false), nullptr);
}

TEST(SectorArrayTest, EmptySizesAndClearLeaveNoTable) {
  TSectorArray array;
  array.SetSize(2, 2);
  array.Cell(0, 0, true);
  array.SetSize(0, 5);
  EXPECT_EQ(array.Width(), 0);
  EXPECT_EQ(array.Height(), 0);
  EXPECT_EQ(array.Cell(0, 0, true), nullptr);

  array.SetSize(2, 2);
  array.SetSize(-1, -1);
  EXPECT_EQ(array.Width(), 0);

  array.SetSize(2, 2);
  array.Cell(1, 1, true);
  array.Clear();
  EXPECT_EQ(array.Width(), 0);
  EXPECT_EQ(array.Height(), 0);
  EXPECT_EQ(array.Cell(1, 1, false), nullptr);

  // After a clear the same size makes a fresh table, not "unchanged".
  array.SetSize(2, 2);
  EXPECT_EQ(array.Width(), 2);
  EXPECT_NE(array.Cell(1, 1, true), nullptr);
}

TEST(SectorArrayTest, AbsurdSizesAreHeldAtTheGridLimit) {
  TSectorArray array;
  array.SetSize(20000, 2000000000);
  EXPECT_EQ(array.Width(), TSectorArray::kMaxSide);
  EXPECT_EQ(array.Height(), TSectorArray::kMaxSide);
  EXPECT_NE(array.Cell(9999, 9999, true), nullptr);
  EXPECT_EQ(array.Cell(TSectorArray::kMaxSide, 0, true), nullptr);
}

// Sectors north and west of position 0 have cells of their own; moving the
// start drops the cells as any other resize does.
TEST(SectorArrayTest, ARangeMayStartLeftOfAndAboveZero) {
  TSectorArray array;
  array.SetRange(-2, -1, 3, 4);
  EXPECT_EQ(std::pair(array.Width(), array.Height()), std::pair(6, 6));
  array.Cell(-2, -1, true)[0] = 1.0;
  array.Cell(3, 4, true)[0] = 2.0;
  EXPECT_EQ(array.Cell(0, 0, false), nullptr);
  for (auto [x, y] : {std::pair(-3, 0), std::pair(0, -2), std::pair(4, 0), std::pair(0, 5)})
    EXPECT_EQ(array.Cell(x, y, true), nullptr) << x << "," << y;

  array.SetRange(-2, -1, 3, 4);
  EXPECT_EQ(array.Cell(-2, -1, false)[0], 1.0);
  array.SetRange(-1, -1, 4, 4);  // same size, other start
  EXPECT_EQ(array.Cell(3, 4, false), nullptr);

  array.SetRange(kMinGridPosition, kMinGridPosition, kMaxGridPosition, kMaxGridPosition);
  EXPECT_EQ(array.Width(), TSectorArray::kMaxSide);
  EXPECT_NE(array.Cell(kMinGridPosition, kMaxGridPosition, true), nullptr);
}

// The diagonal of the whole grid: one cell per sector, however large the
// rectangle around them (a table of the rectangle would take gigabytes), and
// every cell keeps its place while the others are made.
TEST(SectorArrayTest, TheWholeGridsDiagonalHoldsOneCellPerSector) {
  TSectorArray array;
  array.SetRange(kMinGridPosition, kMinGridPosition, kMaxGridPosition, kMaxGridPosition);
  double* first = array.Cell(kMinGridPosition, kMinGridPosition, true);
  first[0] = 1.5;
  for (int p = kMinGridPosition + 1; p <= kMaxGridPosition; ++p)
    array.Cell(p, p, true)[1] = p;
  EXPECT_EQ(array.CellCount(), static_cast<std::size_t>(TSectorArray::kMaxSide));
  EXPECT_EQ(array.Cell(kMinGridPosition, kMinGridPosition, false), first);
  EXPECT_EQ(first[0], 1.5);
  EXPECT_EQ(array.Cell(17, 17, false)[1], 17.0);
  EXPECT_EQ(array.Cell(17, 18, false), nullptr);
  EXPECT_EQ(array.Cell(kMaxGridPosition, kMinGridPosition, false), nullptr);
  array.SetRange(kMinGridPosition + 1, kMinGridPosition, kMaxGridPosition, kMaxGridPosition);
  EXPECT_EQ(array.CellCount(), 0u);
}

}  // namespace
}  // namespace qv
