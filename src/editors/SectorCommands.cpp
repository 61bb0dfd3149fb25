#include "editors/SectorCommands.h"

#include "data/DataModule1.h"
#include "data/MapLimits.h"
#include "data/StoreOperations.h"
#include "settings/MainTexts.h"

namespace qv {

namespace {

// The sector at (x, y), read without moving the cursor or the order of the
// sectors table, which an editor may be showing.
Record SectorRecordAt(const TDataModule1& store, int x, int y) {
  if (!IsMapPosition(x, y)) return Record(store.SectorsData, nullptr);
  return store.SectorsData.RowsWithKey("X;Y", {Value(x), Value(y)}).Front();
}

}  // namespace

std::optional<std::string> SectorStatusText(const TDataModule1& store, int x, int y,
                                            bool showHidden, const TMainTexts& texts) {
  const Record sector = SectorRecordAt(store, x, y);
  if (!sector.IsValid()) return std::nullopt;
  const TSectorsFields& f = store.Fields().Sectors;
  if (!showHidden && !f.Visible.Of(sector).ToBoolean()) return std::nullopt;

  std::string line =
      f.Name.Of(sector).ToString() + " (" + std::to_string(x) + "," + std::to_string(y) + ")";
  const std::string race = f.Race.Of(sector).ToString();
  if (!race.empty()) line += ", " + race;
  line += "," + texts.StatusSuns + ": " + std::to_string(f.Suns.Of(sector).ToInteger());
  if (f.Shipyard.Of(sector).ToBoolean()) line += ", " + texts.StatusShipyard;
  if (f.Eqdock.Of(sector).ToBoolean()) line += ", " + texts.StatusDock;
  if (f.Pirate.Of(sector).ToBoolean()) line += ", " + texts.StatusPirate;
  return line;
}

bool DrawableSectorAt(const TDataModule1& store, int x, int y, bool showHidden) {
  const Record sector = SectorRecordAt(store, x, y);
  return sector.IsValid() && (showHidden || store.Fields().Sectors.Visible.Of(sector).ToBoolean());
}

TRevealDirections GetRevealDirections(const TDataModule1& store, int selX, int selY) {
  TRevealDirections directions;
  const Record selected = SectorRecordAt(store, selX, selY);
  if (!selected.IsValid()) return directions;
  const TSectorsFields& f = store.Fields().Sectors;
  auto hiddenAt = [&](int x, int y) {
    const Record neighbour = SectorRecordAt(store, x, y);
    return neighbour.IsValid() && !f.Visible.Of(neighbour).ToBoolean();
  };
  directions.north = f.NorthGate.Of(selected).ToBoolean() && hiddenAt(selX, selY - 1);
  directions.south = f.SouthGate.Of(selected).ToBoolean() && hiddenAt(selX, selY + 1);
  directions.west = f.WestGate.Of(selected).ToBoolean() && hiddenAt(selX - 1, selY);
  directions.east = f.EastGate.Of(selected).ToBoolean() && hiddenAt(selX + 1, selY);
  return directions;
}

bool RevealSectorAt(TDataModule1& store, int x, int y) {
  const Record sector = SectorRecordAt(store, x, y);
  if (!sector.IsValid()) return false;
  return RevealSector(store, store.Fields().Sectors.Id.Of(sector).ToInteger()).has_value();
}

std::optional<std::string> SectorNameAt(const TDataModule1& store, int x, int y) {
  const Record sector = SectorRecordAt(store, x, y);
  if (!sector.IsValid()) return std::nullopt;
  return store.Fields().Sectors.Name.Of(sector).ToString();
}

bool DeleteSectorAt(TDataModule1& store, int x, int y) {
  const Record sector = SectorRecordAt(store, x, y);
  if (!sector.IsValid()) return false;
  return DeleteSector(store, store.Fields().Sectors.Id.Of(sector).ToInteger()).has_value();
}

}  // namespace qv
