#pragma once

#include <functional>
#include <string>

#include "data/SectorValues.h"
#include "data/StoreCodes.h"
#include "data/StoreFields.h"

namespace qv {

class TDataModule1;
struct TStoreTexts;

// What a station of that kind trades, as a filter of ProductsData: ships and
// factories at a shipyard, products and upgrades at a dock or trading
// station; empty for a pirate base, which may deal in anything.
std::string StationProductFilter(Trader trader);
// Whether the kind's product list is that of ships and factories.
bool StationTradesShips(Trader trader);

// The heading of the objects-in-sector window: "Sector: Alpha (3,4), Kessar",
// without the race part when the sector has none.
std::string SectorObjectsCaption(const std::string& sectorText, const std::string& name, int x,
                                 int y, const std::string& race);

// A cycle in seconds as the store's time text shows it ("(2 min 5 sec)").
std::string CycleTimeText(const TStoreTexts& texts, int seconds);

enum class TStationChange {
  Changed,     // the flag is stored (and, when switched off, the products gone)
  Kept,        // the player kept the station and its products
  SectorGone,  // no sector has that Id any more: nothing changed
};

// Switches the station of kind `trader` of the sector `sectorId` on or off.
// Switching off a station that trades products first asks `confirmClear`;
// on yes its products go with it, on no nothing changes.
TStationChange SwitchStation(TDataModule1& store, int sectorId, Trader trader, bool on,
                             const std::function<bool()>& confirmClear);

// Stores `seconds` as the solar power plant cycle of the sector at once;
// false when the sector is gone.
bool StoreSolarCycle(TDataModule1& store, int sectorId, int seconds);

}  // namespace qv
