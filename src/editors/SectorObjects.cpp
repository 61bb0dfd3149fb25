#include "editors/SectorObjects.h"

#include <cstdint>

#include "data/DataModule1.h"
#include "data/StoreOperations.h"
#include "settings/MainTexts.h"

namespace qv {

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

TStationChange SwitchStation(TDataModule1& store, int sectorId, int trader, bool on,
                             const std::function<bool()>& confirmClear) {
  if (!store.SectorsData.Lookup("Id", Value(sectorId)).IsValid()) return TStationChange::SectorGone;
  if (!on && store.CountTraders(sectorId, trader) > 0) {
    if (!confirmClear()) return TStationChange::Kept;
    RemoveTraders(store, sectorId, trader);
  }
  // The question ran an event loop of its own: the sector may be gone.
  if (!SetSectorStation(store, sectorId, trader, on)) return TStationChange::SectorGone;
  return TStationChange::Changed;
}

bool StoreSolarCycle(TDataModule1& store, int sectorId, int seconds) {
  return SetSectorSolarCycle(store, sectorId, seconds).has_value();
}

}  // namespace qv
