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
  Table& t = store.SectorsData;
  if (!showHidden && !t.FieldByName("Visible").AsBoolean()) return std::nullopt;

  std::string line =
      t.FieldByName("Name").AsString() + " (" + std::to_string(x) + "," + std::to_string(y) + ")";
  const std::string race = t.FieldByName("Race").AsString();
  if (!race.empty()) line += ", " + race;
  line += "," + texts.StatusSuns + ": " + std::to_string(t.FieldByName("Suns").AsInteger());
  if (t.FieldByName("Shipyard").AsBoolean()) line += ", " + texts.StatusShipyard;
  if (t.FieldByName("Eqdock").AsBoolean()) line += ", " + texts.StatusDock;
  if (t.FieldByName("Pirate").AsBoolean()) line += ", " + texts.StatusPirate;
  return line;
}

bool DrawableSectorAt(TDataModule1& store, int x, int y, bool showHidden) {
  if (!IsMapPosition(x, y)) return false;
  Table& t = store.SectorsData;
  const Table::Bookmark mark = t.GetBookmark();
  store.SuspendViews();
  bool drawable = LocateOnMap(store, x, y);
  if (drawable && !showHidden) drawable = t.FieldByName("Visible").AsBoolean();
  if (mark != 0 && t.BookmarkValid(mark)) t.GotoBookmark(mark);
  store.ResumeViews();
  return drawable;
}

TRevealDirections GetRevealDirections(TDataModule1& store, int selX, int selY) {
  TRevealDirections directions;
  if (!LocateOnMap(store, selX, selY)) return directions;
  Table& t = store.SectorsData;
  const bool north = t.FieldByName("NorthGate").AsBoolean();
  const bool south = t.FieldByName("SouthGate").AsBoolean();
  const bool west = t.FieldByName("WestGate").AsBoolean();
  const bool east = t.FieldByName("EastGate").AsBoolean();

  auto hiddenAt = [&](int x, int y) {
    return LocateOnMap(store, x, y) && !t.FieldByName("Visible").AsBoolean();
  };
  directions.north = north && hiddenAt(selX, selY - 1);
  directions.south = south && hiddenAt(selX, selY + 1);
  directions.west = west && hiddenAt(selX - 1, selY);
  directions.east = east && hiddenAt(selX + 1, selY);
  LocateOnMap(store, selX, selY);
  return directions;
}

bool RevealSectorAt(TDataModule1& store, int x, int y) {
  if (!LocateOnMap(store, x, y)) return false;
  return RevealSector(store, store.SectorsData.FieldByName("Id").AsInteger()).has_value();
}

std::optional<std::string> SectorNameAt(TDataModule1& store, int x, int y) {
  if (!LocateOnMap(store, x, y)) return std::nullopt;
  return store.SectorsData.FieldByName("Name").AsString();
}

bool DeleteSectorAt(TDataModule1& store, int x, int y) {
  if (!LocateOnMap(store, x, y)) return false;
  return DeleteSector(store, store.SectorsData.FieldByName("Id").AsInteger()).has_value();
}

}  // namespace qv
