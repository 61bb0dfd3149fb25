#include "editors/SectorPlacement.h"

#include <gtest/gtest.h>

#include "support/UniverseRows.h"

namespace {

using qv::TGridPos;
using qv::TSide;
using qvtest::AddSector;

bool Gate(qv::TDataModule1& store, int x, int y, const char* gate) {
  EXPECT_TRUE(store.LocateSectorAt(x, y));
  return store.SectorsData.FieldByName(gate).AsBoolean();
}

TEST(SectorPlacementTest, NeighboursAndNamePlacesRoundTrip) {
  // Choosing the neighbour at (7, 2) behind the north gate puts the sector below it.
  EXPECT_EQ(qv::PlaceBeside(TSide::North, {7, 2}), (TGridPos{7, 3}));
  EXPECT_EQ(qv::PlaceBeside(TSide::South, {7, 2}), (TGridPos{7, 1}));
  EXPECT_EQ(qv::PlaceBeside(TSide::West, {7, 2}), (TGridPos{8, 2}));
  EXPECT_EQ(qv::PlaceBeside(TSide::East, {0, 0}), (TGridPos{-1, 0}));

  EXPECT_EQ(qv::NameButtonFor(2, 1), 10);
  EXPECT_EQ(qv::NameButtonFor(0, -2), 5);
  EXPECT_EQ(qv::NameButtonFor(0, 0), 0);  // the square itself is no place
}

TEST(SectorPlacementTest, PositionsAreFreeTakenOrBeyondTheMap) {
  qvtest::EmptyStore store;
  AddSector(*store, {.name = "A", .x = 3, .y = 4});
  AddSector(*store, {.name = "B", .x = 5, .y = 1});
  ASSERT_TRUE(store->LocateSectorAt(5, 1));
  const TGridPos own{3, 4};
  EXPECT_EQ(qv::CheckPosition(*store, {3, 4}, &own), qv::TPositionState::Free);
  EXPECT_EQ(qv::CheckPosition(*store, {3, 4}, nullptr), qv::TPositionState::Taken);
  EXPECT_EQ(qv::CheckPosition(*store, {5, 1}, &own), qv::TPositionState::Taken);
  EXPECT_EQ(qv::CheckPosition(*store, {-9999, 9999}, nullptr), qv::TPositionState::Free);
  EXPECT_EQ(qv::CheckPosition(*store, {10000, 0}, nullptr), qv::TPositionState::OutOfRange);
  EXPECT_EQ(qv::CheckPosition(*store, {0, -10000}, nullptr), qv::TPositionState::OutOfRange);
  EXPECT_EQ(qv::CheckPosition(*store, {-2147483647, 0}, nullptr), qv::TPositionState::OutOfRange);
  const TGridPos stray{20000, 0};  // left there by an older file: it may stay
  EXPECT_EQ(qv::CheckPosition(*store, stray, &stray), qv::TPositionState::Free);
  EXPECT_EQ(store->SectorsData.FieldByName("Name").AsString(), "B");  // the cursor stays

  const std::array<std::string, 4> names = qv::NeighbourNames(*store, {3, 5});
  EXPECT_EQ(names, (std::array<std::string, 4>{"A", "", "", ""}));
}

TEST(SectorPlacementTest, StoringASectorMakesItsNeighboursGatesFollow) {
  qvtest::EmptyStore store;
  AddSector(*store, {.name = "East", .x = 6, .y = 5});
  AddSector(*store, {.name = "West", .x = 4, .y = 5, .east = true});
  AddSector(*store, {.name = "North", .x = 5, .y = 4, .south = true});
  AddSector(*store, {.name = "South", .x = 5, .y = 6, .north = true});
  store->ClearDataChanged();

  qv::TSectorValues values;
  values.name = "Centre";
  values.pos = {5, 5};
  values.gates = {false, false, false, true};
  ASSERT_TRUE(qv::StoreSector(*store, 0, values));
  EXPECT_TRUE(store->DataChanged());
  EXPECT_EQ(store->SectorsData.ChangeCount(), 0);
  EXPECT_EQ(store->SectorsData.FieldByName("Name").AsString(), "Centre");
  EXPECT_TRUE(store->SectorsData.FieldByName("Trstation").AsBoolean());  // the table's default
  EXPECT_TRUE(Gate(*store, 6, 5, "WestGate"));
  EXPECT_FALSE(Gate(*store, 4, 5, "EastGate"));
  EXPECT_FALSE(Gate(*store, 5, 4, "SouthGate"));
  EXPECT_FALSE(Gate(*store, 5, 6, "NorthGate"));

  // Editing keeps the row and what the dialog does not edit.
  ASSERT_TRUE(store->LocateSectorAt(5, 5));
  const int id = store->SectorsData.FieldByName("Id").AsInteger();
  qv::TSectorValues moved = qv::ReadSectorValues(*store);
  moved.pos = {9, 9};
  moved.gates = {};
  moved.nameDx = 2;
  moved.nameDy = 1;
  ASSERT_TRUE(qv::StoreSector(*store, id, moved));
  EXPECT_EQ(store->SectorsData.RecordCount(), 5);
  ASSERT_TRUE(store->LocateSectorAt(9, 9));
  const qv::TSectorValues back = qv::ReadSectorValues(*store);
  EXPECT_EQ(back.name, "Centre");
  EXPECT_EQ(qv::NameButtonFor(back.nameDx, back.nameDy), 10);
  EXPECT_TRUE(store->SectorsData.FieldByName("Trstation").AsBoolean());
  EXPECT_FALSE(qv::StoreSector(*store, 999, moved));  // a sector that is gone
}

}  // namespace
