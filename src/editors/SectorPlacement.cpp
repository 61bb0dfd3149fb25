#include "editors/SectorPlacement.h"

#include "data/DataModule1.h"
#include "data/StoreOperations.h"

namespace qv {

namespace {}  // namespace

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

TPositionState CheckPosition(const TDataModule1& store, TGridPos pos, const TGridPos* own) {
  // A sector an older file left beyond the range may stay where it is.
  if (own && *own == pos) return TPositionState::Free;
  if (!SectorPositionAllowed(pos.x, pos.y)) return TPositionState::OutOfRange;
  return store.FindSectorAt(pos.x, pos.y) ? TPositionState::Taken : TPositionState::Free;
}

std::array<std::string, 4> NeighbourNames(const TDataModule1& store, TGridPos pos) {
  std::array<std::string, 4> names;
  for (std::size_t i = 0; i < kSides.size(); ++i) {
    const TGridPos at = NeighbourOf(kSides[i], pos);
    store.FindSectorAt(at.x, at.y, &names[i]);
  }
  return names;
}

THiddenState HiddenStateAt(const TDataModule1& store, TGridPos pos) {
  const Record sector = store.SectorsData.RowsWithKey("X;Y", {Value(pos.x), Value(pos.y)}).Front();
  if (!sector.IsValid()) return THiddenState::NotFound;
  return store.Fields().Sectors.Visible.Of(sector).ToBoolean() ? THiddenState::AlreadyVisible
                                                               : THiddenState::Hidden;
}

TSectorValues ReadSectorValues(TDataModule1& store) {
  const TSectorsFields& f = store.Fields().Sectors;
  TSectorValues v;
  v.name = f.Name->AsString();
  v.pos = {f.X->AsInteger(), f.Y->AsInteger()};
  v.race = f.Race->AsString();
  // In the order of kSides.
  const std::array<const FieldRef*, 4> gates = {&f.NorthGate, &f.SouthGate, &f.WestGate,
                                                &f.EastGate};
  for (std::size_t i = 0; i < gates.size(); ++i)
    v.gates[i] = (*gates[i])->AsBoolean();
  v.visible = f.Visible->AsBoolean();
  v.suns = f.Suns->AsInteger();
  v.solarCycle = f.SolarCycle->AsInteger();
  v.nameDx = f.NameDx->AsInteger();
  v.nameDy = f.NameDy->AsInteger();
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
