#include "EconomyCatalogue.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace qv {
namespace {

struct ProductEntry {
  const char* name;
  int type;
  int avg;
  const char* race = "";  // whose stations favour it
};

// Average prices; the spread around them depends on the type.
constexpr ProductEntry kProducts[] = {
    // Raw materials and energy.
    {"Energy Cells", kProductGoods, 16},
    {"Crystals", kProductGoods, 1680},
    {"Ore", kProductGoods, 128},
    {"Silicon Wafers", kProductGoods, 504},
    // Every race eats its own food: a primary crop and what is made of it.
    {"Kessar Grain", kProductGoods, 40, "Kessar"},
    {"Kessar Bread", kProductGoods, 120, "Kessar"},
    {"Lumari Moss", kProductGoods, 36, "Lumari"},
    {"Moss Cakes", kProductGoods, 110, "Lumari"},
    {"Vossk Larvae", kProductGoods, 44, "Vossk"},
    {"Larva Paste", kProductGoods, 130, "Vossk"},
    {"Orthane Fruit", kProductGoods, 38, "Orthane"},
    {"Fruit Preserves", kProductGoods, 115, "Orthane"},
    {"Drakh Tubers", kProductGoods, 34, "Drakh"},
    {"Tuber Spirits", kProductGoods, 140, "Drakh"},
    {"Zhurr Algae", kProductGoods, 42, "Zhurr"},
    {"Algae Wine", kProductGoods, 125, "Zhurr"},
    // Intermediate goods.
    {"Alloy Plates", kProductGoods, 310},
    {"Microchips", kProductGoods, 880},
    {"Quantum Tubes", kProductGoods, 1450},
    {"Plasma Cells", kProductGoods, 620},
    {"Hull Segments", kProductGoods, 960},
    {"Medical Kits", kProductGoods, 210},
    {"Contraband Spice", kProductGoods, 700, "Pirates"},
    {"Stolen Relics", kProductGoods, 2400, "Pirates"},
    // Upgrades.
    {"Pulse Cannon", kProductUpgrade, 9000},
    {"Ion Lance", kProductUpgrade, 24000},
    {"Hornet Missile", kProductUpgrade, 1800},
    {"Viper Missile", kProductUpgrade, 4200},
    {"1 MJ Shield", kProductUpgrade, 2600},
    {"5 MJ Shield", kProductUpgrade, 14000},
    {"Long Range Scanner", kProductUpgrade, 11000},
    {"Cargo Extension", kProductUpgrade, 5200},
    {"Jump Drive", kProductUpgrade, 95000},
    {"Trade Software", kProductUpgrade, 16000},
    {"Docking Computer", kProductUpgrade, 7800},
    {"Repair Drones", kProductUpgrade, 3300},
    // Ships.
    {"Kessar Hauler", kProductShip, 380000, "Kessar"},
    {"Lumari Courier", kProductShip, 210000, "Lumari"},
    {"Vossk Interceptor", kProductShip, 450000, "Vossk"},
    {"Orthane Frigate", kProductShip, 2100000, "Orthane"},
    {"Drakh Raider", kProductShip, 620000, "Drakh"},
    {"Zhurr Scout", kProductShip, 150000, "Zhurr"},
    {"Mining Barge", kProductShip, 290000},
    // Factories for sale at the shipyards.
    {"Solar Power Plant", kProductFactory, 850000},
    {"Ore Mine", kProductFactory, 580000},
    {"Silicon Mine", kProductFactory, 1200000},
    {"Crystal Fab", kProductFactory, 1600000},
    {"Alloy Foundry", kProductFactory, 900000},
    {"Chip Plant", kProductFactory, 1350000},
    {"Shield Plant", kProductFactory, 2500000},
    {"Cannon Forge", kProductFactory, 3100000},
};

struct Input {
  const char* product;
  int qty;
};

struct FactoryEntry {
  const char* name;
  int special;
  int ctime;
  int mtime;
  bool buyable;
  const char* race;
  Input output;
  std::vector<Input> inputs;
};

// clang-format off
const FactoryEntry kFactories[] = {
    // name, special, ctime, mtime, buyable, race, output, inputs
    {"Solar Power Plant", kSpecialSolar, 60, 60, true, "", {"Energy Cells", 120},
     {{"Crystals", 1}}},
    {"Ore Mine", kSpecialOre, 600, 600, true, "", {"Ore", 10},
     {{"Energy Cells", 60}}},
    {"Silicon Mine", kSpecialSilicon, 600, 600, true, "", {"Silicon Wafers", 4},
     {{"Energy Cells", 120}}},
    // Primary food.
    {"Kessar Grain Farm", kSpecialNone, 120, 120, true, "Kessar", {"Kessar Grain", 30},
     {{"Energy Cells", 60}}},
    {"Lumari Moss Garden", kSpecialNone, 110, 110, true, "Lumari", {"Lumari Moss", 32},
     {{"Energy Cells", 55}}},
    {"Vossk Larva Hatchery", kSpecialNone, 130, 128, true, "Vossk", {"Vossk Larvae", 28},
     {{"Energy Cells", 64}}},
    {"Orthane Orchard", kSpecialNone, 120, 120, true, "Orthane", {"Orthane Fruit", 30},
     {{"Energy Cells", 58}}},
    {"Drakh Tuber Field", kSpecialNone, 100, 100, true, "Drakh", {"Drakh Tubers", 34},
     {{"Energy Cells", 50}}},
    {"Zhurr Algae Tank", kSpecialNone, 125, 124, true, "Zhurr", {"Zhurr Algae", 29},
     {{"Energy Cells", 62}}},
    // Secondary food, made of the primary one.
    {"Kessar Bakery", kSpecialNone, 180, 180, true, "Kessar", {"Kessar Bread", 20},
     {{"Energy Cells", 40}, {"Kessar Grain", 20}}},
    {"Moss Cake Kitchen", kSpecialNone, 170, 170, true, "Lumari", {"Moss Cakes", 22},
     {{"Energy Cells", 40}, {"Lumari Moss", 22}}},
    {"Larva Paste Mill", kSpecialNone, 190, 186, true, "Vossk", {"Larva Paste", 18},
     {{"Energy Cells", 44}, {"Vossk Larvae", 18}}},
    {"Preserve Cannery", kSpecialNone, 180, 180, true, "Orthane", {"Fruit Preserves", 21},
     {{"Energy Cells", 42}, {"Orthane Fruit", 21}}},
    {"Tuber Distillery", kSpecialNone, 200, 200, true, "Drakh", {"Tuber Spirits", 16},
     {{"Energy Cells", 46}, {"Drakh Tubers", 24}}},
    {"Algae Winery", kSpecialNone, 185, 184, true, "Zhurr", {"Algae Wine", 19},
     {{"Energy Cells", 43}, {"Zhurr Algae", 19}}},
    // Intermediate goods.
    {"Kessar Crystal Fab", kSpecialNone, 300, 300, true, "Kessar", {"Crystals", 2},
     {{"Energy Cells", 160}, {"Silicon Wafers", 2}, {"Kessar Bread", 10}}},
    {"Zhurr Crystal Fab", kSpecialNone, 320, 312, true, "Zhurr", {"Crystals", 2},
     {{"Energy Cells", 160}, {"Silicon Wafers", 2}, {"Algae Wine", 8}}},
    {"Alloy Foundry", kSpecialNone, 240, 240, true, "Vossk", {"Alloy Plates", 12},
     {{"Energy Cells", 80}, {"Ore", 20}, {"Larva Paste", 6}}},
    {"Chip Plant", kSpecialNone, 360, 360, true, "Lumari", {"Microchips", 6},
     {{"Energy Cells", 120}, {"Silicon Wafers", 2}, {"Moss Cakes", 10}}},
    {"Quantum Tube Works", kSpecialNone, 400, 396, true, "Orthane", {"Quantum Tubes", 4},
     {{"Energy Cells", 150}, {"Crystals", 1}, {"Fruit Preserves", 10}}},
    {"Plasma Refinery", kSpecialNone, 300, 300, false, "Drakh", {"Plasma Cells", 8},
     {{"Energy Cells", 100}, {"Ore", 10}, {"Tuber Spirits", 6}}},
    {"Hull Yard", kSpecialNone, 420, 420, true, "", {"Hull Segments", 5},
     {{"Energy Cells", 100}, {"Alloy Plates", 10}}},
    {"Medical Lab", kSpecialNone, 240, 240, true, "", {"Medical Kits", 10},
     {{"Energy Cells", 60}, {"Fruit Preserves", 4}, {"Moss Cakes", 4}}},
    {"Spice Den", kSpecialNone, 280, 280, false, "Pirates", {"Contraband Spice", 5},
     {{"Energy Cells", 80}, {"Tuber Spirits", 10}}},
    // Weapons, shields and other equipment.
    {"Pulse Cannon Forge", kSpecialNone, 600, 600, true, "Drakh", {"Pulse Cannon", 1},
     {{"Energy Cells", 300}, {"Alloy Plates", 6}, {"Plasma Cells", 4}}},
    {"Ion Lance Forge", kSpecialNone, 600, 590, false, "Orthane", {"Ion Lance", 1},
     {{"Energy Cells", 500}, {"Quantum Tubes", 4}, {"Microchips", 6}}},
    {"Missile Works", kSpecialNone, 450, 450, true, "Zhurr", {"Hornet Missile", 4},
     {{"Energy Cells", 200}, {"Alloy Plates", 4}, {"Microchips", 2}, {"Algae Wine", 6}}},
    {"Light Shield Plant", kSpecialNone, 360, 360, true, "", {"1 MJ Shield", 2},
     {{"Energy Cells", 200}, {"Quantum Tubes", 1}, {"Crystals", 1}}},
    {"Heavy Shield Plant", kSpecialNone, 540, 540, true, "Kessar", {"5 MJ Shield", 1},
     {{"Energy Cells", 400}, {"Quantum Tubes", 4}, {"Microchips", 3}, {"Kessar Bread", 10}}},
    {"Scanner Works", kSpecialNone, 480, 480, true, "Lumari", {"Long Range Scanner", 1},
     {{"Energy Cells", 300}, {"Microchips", 4}, {"Crystals", 2}}},
    {"Drone Bay", kSpecialNone, 300, 300, true, "", {"Repair Drones", 3},
     {{"Energy Cells", 150}, {"Hull Segments", 1}, {"Microchips", 1}}},
};
// clang-format on

// Price spread in percent below and above the average.
int SpreadPercent(int type) {
  switch (type) {
    case kProductGoods:
      return 20;
    case kProductUpgrade:
      return 15;
    default:
      return 10;
  }
}

GenProduct MakeProduct(int id, const ProductEntry& entry) {
  GenProduct p;
  p.Id = id;
  p.Name = entry.name;
  p.Type = entry.type;
  p.Race = entry.race;
  p.Avg = entry.avg;
  const int spread = std::max(
      1, static_cast<int>(static_cast<long long>(entry.avg) * SpreadPercent(entry.type) / 100));
  p.Min = entry.avg - spread;
  p.Max = entry.avg + spread;
  if (entry.type == kProductGoods || entry.type == kProductUpgrade) {
    // A trading station turns over about the same value of every good.
    p.Mtime = entry.type == kProductGoods ? 600 : 1200;
    p.Qty = std::clamp(96000 / entry.avg, 1, 5000);
  }
  return p;
}

int ProductIdByName(const GenUniverse& universe, const std::string& name) {
  for (const GenProduct& p : universe.Products)
    if (p.Name == name) return p.Id;
  throw std::logic_error("economy catalogue names an unknown product: " + name);
}

}  // namespace

void BuildEconomy(GenUniverse& universe) {
  universe.Products.clear();
  universe.FactoryTypes.clear();
  universe.Recipes.clear();
  int productId = 0;
  for (const ProductEntry& entry : kProducts)
    universe.Products.push_back(MakeProduct(++productId, entry));

  int factoryId = 0;
  for (const FactoryEntry& entry : kFactories) {
    GenFactoryType f;
    f.Id = ++factoryId;
    f.Name = entry.name;
    f.Buyable = entry.buyable;
    f.Special = entry.special;
    f.Ctime = entry.ctime;
    f.Mtime = entry.mtime;
    f.Race = entry.race;
    universe.FactoryTypes.push_back(f);
    universe.Recipes.push_back(
        {f.Id, 0, ProductIdByName(universe, entry.output.product), entry.output.qty});
    for (const Input& input : entry.inputs)
      universe.Recipes.push_back({f.Id, 1, ProductIdByName(universe, input.product), input.qty});
  }
}

}  // namespace qv
