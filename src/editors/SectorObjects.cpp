#include "editors/SectorObjects.h"

#include <cstdint>

#include "data/DataModule1.h"
#include "data/StoreOperations.h"
#include "settings/MainTexts.h"

namespace qv {

bool StationTradesShips(Trader trader) {
  return trader == Trader::Shipyard;
}

std::string StationProductFilter(Trader trader) {
  if (trader == Trader::PirateBase) return {};
  const bool ships = StationTradesShips(trader);
  const ProductType first = ships ? ProductType::Ship : ProductType::Product;
  const ProductType second = ships ? ProductType::Factory : ProductType::Upgrade;
  return "Type = " + std::to_string(CodeOf(first)) + " or Type = " + std::to_string(CodeOf(second));
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

TStationChange SwitchStation(TDataModule1& store, int sectorId, Trader trader, bool on,
                             const std::function<bool()>& confirmClear) {
  if (!store.SectorsData.Lookup("Id", Value(sectorId)).IsValid()) return TStationChange::SectorGone;
  const int code = CodeOf(trader);
  if (!on && store.CountTraders(sectorId, code) > 0) {
    if (!confirmClear()) return TStationChange::Kept;
    RemoveTraders(store, sectorId, code);
  }
  // The question ran an event loop of its own: the sector may be gone.
  if (!SetSectorStation(store, sectorId, code, on)) return TStationChange::SectorGone;
  return TStationChange::Changed;
}

bool StoreSolarCycle(TDataModule1& store, int sectorId, int seconds) {
  return SetSectorSolarCycle(store, sectorId, seconds).has_value();
}

}  // namespace qv
