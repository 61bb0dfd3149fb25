#pragma once

#include <array>
#include <string>

#include "data/StoreCodes.h"
#include "data/StoreFields.h"

namespace qv {

// The kinds of station a sector may have, as SectTradeData.Trader codes them.
enum TStationKind : int {
  kTradingStation = CodeOf(Trader::TradingStation),
  kShipyard = CodeOf(Trader::Shipyard),
  kEquipmentDock = CodeOf(Trader::EquipmentDock),
  kPirateBase = CodeOf(Trader::PirateBase),
};

// The SectorsData flag that says the sector has a station of that kind, by
// name and as the store's field.
const char* StationFlagField(int trader);
const FieldRef& StationFlag(const TSectorsFields& sectors, Trader trader);

struct TGridPos {
  int x = 0;
  int y = 0;
  friend bool operator==(const TGridPos&, const TGridPos&) = default;
};

// One sector row as the sector properties dialog edits it. The station flags
// are left to the objects-in-sector window.
struct TSectorValues {
  std::string name;
  TGridPos pos;
  std::string race;
  std::array<bool, 4> gates{};  // north, south, west, east
  bool visible = true;
  int suns = 0;
  int solarCycle = 90;
  int nameDx = 0;
  int nameDy = -2;
  friend bool operator==(const TSectorValues&, const TSectorValues&) = default;
};

}  // namespace qv
