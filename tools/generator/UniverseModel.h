#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qv {

// The generated universe as plain rows, one struct per table row, before it
// goes into the store's tables. Ids are the values the tables will hold.

struct GenSector {
  int Id = 0;
  std::string Name;
  int X = 0;
  int Y = 0;
  std::string Race;  // empty: no race
  int Suns = 0;
  bool NorthGate = false;
  bool SouthGate = false;
  bool WestGate = false;
  bool EastGate = false;
  int NameDx = 0;
  int NameDy = 2;
  bool Shipyard = false;
  bool Trstation = false;
  bool Eqdock = false;
  bool Pirate = false;
  bool Visible = true;
  int SolarCycle = 0;  // 0: follows from Suns
};

// Product Type codes and factory Special codes as the tables store them.
enum GenProductType {
  kProductGoods = 0,
  kProductUpgrade = 1,
  kProductShip = 2,
  kProductFactory = 3
};
enum GenSpecial { kSpecialNone = 0, kSpecialSolar = 1, kSpecialOre = 2, kSpecialSilicon = 3 };
enum GenTrader { kTraderStation = 0, kTraderShipyard = 1, kTraderDock = 2, kTraderPirate = 3 };

struct GenProduct {
  int Id = 0;
  std::string Name;
  int Type = kProductGoods;
  int Min = 0;
  int Max = 0;
  int Avg = 0;
  int Mtime = 0;  // > 0 for goods that a trading station turns over
  int Qty = 0;
  std::string Race;  // the race whose stations favour it (not stored in the tables)
};

struct GenFactoryType {
  int Id = 0;
  std::string Name;
  bool Buyable = true;
  int Special = kSpecialNone;
  int Ctime = 0;
  int Mtime = 0;
  std::string Race;  // the race whose space favours it; empty: everyone's (not stored)
};

struct GenRecipeRow {
  int FactoryId = 0;
  int Operation = 0;  // 0 produces, 1 needs
  int ProductId = 0;
  int Qty = 0;
};

struct GenPlacedFactory {
  int SectorId = 0;
  int FactoryId = 0;
  bool Your = false;
  std::optional<int> Yield;  // mines only
};

struct GenTradeRow {
  int SectorId = 0;
  int Trader = kTraderStation;
  int ProductId = 0;
};

struct GenUniverse {
  std::vector<GenSector> Sectors;
  std::vector<GenFactoryType> FactoryTypes;
  std::vector<GenProduct> Products;
  std::vector<GenRecipeRow> Recipes;
  std::vector<GenPlacedFactory> Factories;
  std::vector<GenTradeRow> Trades;
};

}  // namespace qv
