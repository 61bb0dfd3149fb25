#include "editors/SectorPlacement.h"

#include "data/DataModule1.h"
#include "data/StoreOperations.h"

namespace qv {

namespace {

constexpr const char* kCoordIndex = "SectorsDataCoordIndex";
constexpr std::array<const char*, 4> kGateFields = {"NorthGate", "SouthGate", "WestGate",
                                                    "EastGate"};

// Position searches need the coordinate order; the direct access browser
// leaves it only while it is open, but a search must never run on another.
void UseCoordOrder(TDataModule1& store) {
  if (store.SectorsData.IndexName() != kCoordIndex) store.SectorsData.SetIndexName(kCoordIndex);
}

}  // namespace

const std::array<TNamePlace, 12> kNamePlaces = {{
    {1, -2},   // SpeedButton1: above, right
    {-1, -2},  // SpeedButton2: above, left
    {-1, 2},   // SpeedButton3: below, left
    {1, 2},    // SpeedButton4: below, right
    {0, -2},   // SpeedButton5: above, centre
    {0, 2},    // SpeedButton6: below, centre
    {-2, -1},  // SpeedButton7: left, top
    {-2, 0},   // SpeedButton8: left, middle
    {2, -1},   // SpeedButton9: right, top
    {2, 1},    // SpeedButton10: right, bottom
    {2, 0},    // SpeedButton11: right, middle
    {-2, 1},   // SpeedButton12: left, bottom
}};

int NameButtonFor(int dx, int dy) {
  for (std::size_t i = 0; i < kNamePlaces.size(); ++i)
    if (kNamePlaces[i].dx == dx && kNamePlaces[i].dy == dy) return static_cast<int>(i) + 1;
  return 0;
}

TGridPos NeighbourOf(TSide side, TGridPos pos) {
  switch (side) {
    case TSide::North:
      return {pos.x, pos.y - 1};
    case TSide::South:
      return {pos.x, pos.y + 1};
    case TSide::West:
      return {pos.x - 1, pos.y};
    case TSide::East:
      return {pos.x + 1, pos.y};
  }
  return pos;
}

TGridPos PlaceBeside(TSide side, TGridPos neighbour) {
  // The sector lies on the opposite side of its neighbour.
  switch (side) {
    case TSide::North:
      return NeighbourOf(TSide::South, neighbour);
    case TSide::South:
      return NeighbourOf(TSide::North, neighbour);
    case TSide::West:
      return NeighbourOf(TSide::East, neighbour);
    case TSide::East:
      return NeighbourOf(TSide::West, neighbour);
  }
  return neighbour;
}

TPositionState CheckPosition(TDataModule1& store, TGridPos pos, const TGridPos* own) {
  // A sector an older file left beyond the range may stay where it is.
  if (own && *own == pos) return TPositionState::Free;
  if (!SectorPositionAllowed(pos.x, pos.y)) return TPositionState::OutOfRange;
  UseCoordOrder(store);
  return store.FindSectorAt(pos.x, pos.y) ? TPositionState::Taken : TPositionState::Free;
}

std::array<std::string, 4> NeighbourNames(TDataModule1& store, TGridPos pos) {
  UseCoordOrder(store);
  std::array<std::string, 4> names;
  for (std::size_t i = 0; i < kSides.size(); ++i) {
    const TGridPos at = NeighbourOf(kSides[i], pos);
    store.FindSectorAt(at.x, at.y, &names[i]);
  }
  return names;
}

THiddenState HiddenStateAt(TDataModule1& store, TGridPos pos) {
  UseCoordOrder(store);
  Table& t = store.SectorsData;
  store.SuspendViews();
  const Table::Bookmark mark = t.GetBookmark();
  THiddenState state = THiddenState::NotFound;
  if (t.FindKey({Value(pos.x), Value(pos.y)}))
    state =
        t.FieldByName("Visible").AsBoolean() ? THiddenState::AlreadyVisible : THiddenState::Hidden;
  if (t.BookmarkValid(mark)) t.GotoBookmark(mark);
  store.ResumeViews();
  return state;
}

TSectorValues ReadSectorValues(TDataModule1& store) {
  const Table& t = store.SectorsData;
  TSectorValues v;
  v.name = t.FieldByName("Name").AsString();
  v.pos = {t.FieldByName("X").AsInteger(), t.FieldByName("Y").AsInteger()};
  v.race = t.FieldByName("Race").AsString();
  for (std::size_t i = 0; i < kGateFields.size(); ++i)
    v.gates[i] = t.FieldByName(kGateFields[i]).AsBoolean();
  v.visible = t.FieldByName("Visible").AsBoolean();
  v.suns = t.FieldByName("Suns").AsInteger();
  v.solarCycle = t.FieldByName("SolarCycle").AsInteger();
  v.nameDx = t.FieldByName("NameDx").AsInteger();
  v.nameDy = t.FieldByName("NameDy").AsInteger();
  return v;
}

bool StoreSector(TDataModule1& store, int sectorId, const TSectorValues& values) {
  if (sectorId == 0) {
    AddSector(store, values);
    return true;
  }
  return EditSector(store, sectorId, values).has_value();
}

}  // namespace qv
