#include "editors/SectorObjects.h"

#include <cstdint>

#include "data/DataModule1.h"
#include "settings/MainTexts.h"

namespace qv {

const char* StationFlagField(int trader) {
  switch (trader) {
    case kShipyard:
      return "Shipyard";
    case kEquipmentDock:
      return "Eqdock";
    case kPirateBase:
      return "Pirate";
    default:
      return "Trstation";
  }
}

bool StationTradesShips(int trader) {
  return trader == kShipyard;
}

std::string StationProductFilter(int trader) {
  if (trader == kPirateBase) return {};
  const char* first = StationTradesShips(trader) ? "2" : "0";
  const char* second = StationTradesShips(trader) ? "3" : "1";
  return std::string("Type = ") + first + " or Type = " + second;
}

std::string SectorObjectsCaption(const std::string& sectorText, const std::string& name, int x,
                                 int y, const std::string& race) {
  std::string caption =
      sectorText + " " + name + " (" + std::to_string(x) + "," + std::to_string(y) + ")";
  if (!race.empty()) caption += ", " + race;
  return caption;
}

std::string CycleTimeText(const TStoreTexts& texts, int seconds) {
  return FormatText(texts.TimeText, {std::int64_t{seconds / 60}, std::int64_t{seconds % 60}});
}

namespace {

// Puts the sectors table on the sector, unless it stands there already.
bool StandOnSector(TDataModule1& store, int sectorId) {
  Table& sectors = store.SectorsData;
  const Record current = sectors.CurrentRecord();
  if (current.IsValid() && sectors.State() == TableState::Browse &&
      current.Get("Id").ToInteger() == sectorId && !current.Get("Id").IsNull()) {
    return true;
  }
  sectors.CheckBrowseMode();
  return store.LocateSectorById(sectorId);
}

}  // namespace

TStationChange SwitchStation(TDataModule1& store, int sectorId, int trader, bool on,
                             const std::function<bool()>& confirmClear) {
  if (!StandOnSector(store, sectorId)) return TStationChange::SectorGone;
  if (!on && store.CountTraders(sectorId, trader) > 0) {
    if (!confirmClear()) return TStationChange::Kept;
    store.DeleteTraders(sectorId, trader);
    // The question ran an event loop of its own: make sure of the row again.
    if (!StandOnSector(store, sectorId)) return TStationChange::SectorGone;
  }
  Table& sectors = store.SectorsData;
  sectors.Edit();
  sectors.FieldByName(StationFlagField(trader)).SetAsBoolean(on);
  sectors.Post();
  sectors.MergeChangeLog();
  return TStationChange::Changed;
}

bool StoreSolarCycle(TDataModule1& store, int sectorId, int seconds) {
  if (!StandOnSector(store, sectorId)) return false;
  Table& sectors = store.SectorsData;
  sectors.Edit();
  sectors.FieldByName("SolarCycle").SetAsInteger(seconds);
  sectors.Post();
  return true;
}

}  // namespace qv
