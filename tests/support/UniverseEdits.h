#pragma once

#include <functional>
#include <string>
#include <vector>

#include "data/DataModule1.h"
#include "data/StoreTestData.h"
#include "settings/StoreStartExit.h"

// A small saved universe and one edit of every kind the windows make, for
// tests of what is done with the steps (undo, redo, the journal).
namespace qvtest {

// Saves a universe of three sectors with factories, traders, recipes and
// products into `folder` and returns nothing: load it with LoadAllTables.
inline void SaveSmallUniverse(const std::string& folder, qv::Dialogs& dialogs) {
  qv::TDataModule1 s(folder);
  const int vossk = AddSector(s, "Vossk Prime", 1, 1);
  const int ardent = AddSector(s, "Ardent", 2, 1);
  AddSector(s, "Cinder", 1, 2);
  const int ore = AddProduct(s, "Ore", 0);
  const int chip = AddProduct(s, "Chip", 1);
  const int mine = AddFactory(s, "Mine");
  const int fab = AddFactory(s, "Fab");
  AddRecipe(s, mine, 0, ore, 1);
  AddRecipe(s, fab, 1, ore, 4);
  AddRecipe(s, fab, 0, chip, 2);
  AddSectFactory(s, vossk, mine);
  AddSectFactory(s, ardent, fab);
  AddSectFactory(s, vossk, fab, true);
  AddTrade(s, vossk, 0, ore);
  AddTrade(s, ardent, 1, chip);
  qv::SaveStore(s, dialogs);
}

struct UniverseEdit {
  std::string name;
  std::function<void(qv::TDataModule1&)> run;
};

inline void EditWhere(qv::Table& table, const char* field, const qv::Value& value,
                      const char* changed, const qv::Value& to) {
  table.SetIndexFieldNames("");
  if (!table.Locate(field, {value})) return;
  table.Edit();
  table.FieldByName(changed).SetValue(to);
  table.Post();
}

inline void DeleteWhere(qv::Table& table, const char* field, const qv::Value& value) {
  table.SetIndexFieldNames("");
  if (table.Locate(field, {value})) table.Delete();
}

// One of each kind of edit, made as the editors make them (the rules run).
inline std::vector<UniverseEdit> EveryKindOfEdit() {
  using qv::TDataModule1;
  using qv::Value;
  return {
      {"add sector", [](TDataModule1& s) { AddSector(s, "Drift", 3, 3); }},
      {"move sector",
       [](TDataModule1& s) { EditWhere(s.SectorsData, "Name", Value("Ardent"), "X", Value(5)); }},
      {"remove factory",
       [](TDataModule1& s) { DeleteWhere(s.SectFactoryData, "Your", Value(true)); }},
      {"delete sector with its objects",
       [](TDataModule1& s) { DeleteWhere(s.SectorsData, "Name", Value("Vossk Prime")); }},
      {"place factory", [](TDataModule1& s) { AddSectFactory(s, 3, 1); }},
      {"place trader", [](TDataModule1& s) { AddTrade(s, 3, 2, 1); }},
      {"change trader",
       [](TDataModule1& s) { EditWhere(s.SectTradeData, "Trader", Value(1), "Trader", Value(0)); }},
      {"add factory type", [](TDataModule1& s) { AddFactory(s, "Smelter"); }},
      {"change recipe row",
       [](TDataModule1& s) { EditWhere(s.FactoryProdData, "Qty", Value(4), "Qty", Value(9)); }},
      {"delete factory type with its recipes",
       [](TDataModule1& s) { DeleteWhere(s.FactoriesData, "Name", Value("Fab")); }},
      {"add recipe row", [](TDataModule1& s) { AddRecipe(s, 1, 1, 2, 7); }},
      {"add product", [](TDataModule1& s) { AddProduct(s, "Wheat", 0); }},
      {"rename product",
       [](TDataModule1& s) {
         EditWhere(s.ProductsData, "Name", Value("Ore"), "Name", Value("Rock"));
       }},
      {"delete product with its uses",
       [](TDataModule1& s) { DeleteWhere(s.ProductsData, "Name", Value("Chip")); }},
      {"insert before the first trader",
       [](TDataModule1& s) {
         s.SectTradeData.SetIndexFieldNames("");
         s.SectTradeData.First();
         s.SectTradeData.Insert();
         s.SectTradeData.FieldByName("SectorId").SetAsInteger(2);
         s.SectTradeData.FieldByName("ProductId").SetAsInteger(1);
         s.SectTradeData.Post();
       }},
      {"cancelled insert, then a sector",
       [](TDataModule1& s) {
         s.SectorsData.Append();
         s.SectorsData.Cancel();
         AddSector(s, "Late", 4, 4);
       }},
  };
}

}  // namespace qvtest
