#include "editors/SectorCommands.h"

#include "data/DataModule1.h"
#include "data/MapLimits.h"
#include "data/StoreOperations.h"
#include "settings/MainTexts.h"

namespace qv {

namespace {

constexpr const char* kCoordIndex = "SectorsDataCoordIndex";

// Puts SectorsData on its coordinate index and on the sector at (x, y).
bool LocateOnMap(TDataModule1& store, int x, int y) {
  if (!IsMapPosition(x, y)) return false;
  store.SectorsData.SetIndexName(kCoordIndex);
  return store.LocateSectorAt(x, y);
}

}  // namespace

std::optional<std::string> SectorStatusText(TDataModule1& store, int x, int y, bool showHidden,
                                            const TMainTexts& texts) {
  if (!LocateOnMap(store, x, y)) return std::nullopt;
  const TSectorsFields& f = store.Fields().Sectors;
  if (!showHidden && !f.Visible->AsBoolean()) return std::nullopt;

  std::string line = f.Name->AsString() + " (" + std::to_string(x) + "," + std::to_string(y) + ")";
  const std::string race = f.Race->AsString();
  if (!race.empty()) line += ", " + race;
  line += "," + texts.StatusSuns + ": " + std::to_string(f.Suns->AsInteger());
  if (f.Shipyard->AsBoolean()) line += ", " + texts.StatusShipyard;
  if (f.Eqdock->AsBoolean()) line += ", " + texts.StatusDock;
  if (f.Pirate->AsBoolean()) line += ", " + texts.StatusPirate;
  return line;
}

bool DrawableSectorAt(TDataModule1& store, int x, int y, bool showHidden) {
  if (!IsMapPosition(x, y)) return false;
  Table& t = store.SectorsData;
  const Table::Bookmark mark = t.GetBookmark();
  store.SuspendViews();
  bool drawable = LocateOnMap(store, x, y);
  if (drawable && !showHidden) drawable = store.Fields().Sectors.Visible->AsBoolean();
  if (mark != 0 && t.BookmarkValid(mark)) t.GotoBookmark(mark);
  store.ResumeViews();
  return drawable;
}

TRevealDirections GetRevealDirections(TDataModule1& store, int selX, int selY) {
  TRevealDirections directions;
  if (!LocateOnMap(store, selX, selY)) return directions;
  const TSectorsFields& f = store.Fields().Sectors;
  const bool north = f.NorthGate->AsBoolean();
  const bool south = f.SouthGate->AsBoolean();
  const bool west = f.WestGate->AsBoolean();
  const bool east = f.EastGate->AsBoolean();

  auto hiddenAt = [&](int x, int y) { return LocateOnMap(store, x, y) && !f.Visible->AsBoolean(); };
  directions.north = north && hiddenAt(selX, selY - 1);
  directions.south = south && hiddenAt(selX, selY + 1);
  directions.west = west && hiddenAt(selX - 1, selY);
  directions.east = east && hiddenAt(selX + 1, selY);
  LocateOnMap(store, selX, selY);
  return directions;
}

bool RevealSectorAt(TDataModule1& store, int x, int y) {
  if (!LocateOnMap(store, x, y)) return false;
  return RevealSector(store, store.Fields().Sectors.Id->AsInteger()).has_value();
}

std::optional<std::string> SectorNameAt(TDataModule1& store, int x, int y) {
  if (!LocateOnMap(store, x, y)) return std::nullopt;
  return store.Fields().Sectors.Name->AsString();
}

bool DeleteSectorAt(TDataModule1& store, int x, int y) {
  if (!LocateOnMap(store, x, y)) return false;
  return DeleteSector(store, store.Fields().Sectors.Id->AsInteger()).has_value();
}

}  // namespace qv
