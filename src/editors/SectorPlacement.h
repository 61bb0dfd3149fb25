#pragma once

#include <array>
#include <string>

#include "data/SectorValues.h"

namespace qv {

class TDataModule1;

// The four sides of a sector, in the order of the gate boxes and neighbour
// lists of the sector properties dialog.
enum class TSide { North, South, West, East };
constexpr std::array<TSide, 4> kSides = {TSide::North, TSide::South, TSide::West, TSide::East};

// The position beside (x, y) on `side` (north is one row up).
TGridPos NeighbourOf(TSide side, TGridPos pos);
// Where a sector goes so that the sector at `neighbour` lies on its `side`.
TGridPos PlaceBeside(TSide side, TGridPos neighbour);

// The twelve places of a sector's name label around its square, as codes
// from -2 to 2 (negative is left or up). Place i belongs to SpeedButton i+1.
struct TNamePlace {
  int dx;
  int dy;
};
extern const std::array<TNamePlace, 12> kNamePlaces;
// The speed button (1 to 12) of a code pair, 0 for a pair that is none of them.
int NameButtonFor(int dx, int dy);

// What a position typed for a sector means.
enum class TPositionState { Free, Taken, OutOfRange };
// `own` is the position of the sector being edited (it does not collide with
// itself); null for a new sector. Beyond the map's range is what the sectors
// table refuses. Keeps the cursor of SectorsData.
TPositionState CheckPosition(const TDataModule1& store, TGridPos pos, const TGridPos* own);

// Names of the sectors on the four sides of (x, y), in kSides order; empty
// where none stands. Keeps the cursor of SectorsData.
std::array<std::string, 4> NeighbourNames(const TDataModule1& store, TGridPos pos);

// Whether the sector at a position can be revealed.
enum class THiddenState { NotFound, AlreadyVisible, Hidden };
THiddenState HiddenStateAt(const TDataModule1& store, TGridPos pos);

// The values of the current row of SectorsData.
TSectorValues ReadSectorValues(TDataModule1& store);

// Stores a sector: the row with Id `sectorId` is edited, or with sectorId 0 a
// new row is appended (with the table's defaults for the stations); then the
// opposite gates of its four neighbours follow its gates and the change log
// is merged. The cursor stays on the stored sector. A row the table refuses
// is cancelled and the TableError passes on; false when the sector to edit
// is gone.
bool StoreSector(TDataModule1& store, int sectorId, const TSectorValues& values);

}  // namespace qv
