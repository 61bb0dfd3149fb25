#pragma once

#include <string>

#include "data/DataModule1.h"

// Rows for store tests, added through the tables as an editor adds them (so
// the table rules run).
namespace qvtest {

inline int AddSector(qv::TDataModule1& s, const std::string& name, int x, int y,
                     bool visible = true, int suns = 0) {
  qv::Table& t = s.SectorsData;
  t.Append();
  t.FieldByName("Name").SetAsString(name);
  t.FieldByName("X").SetAsInteger(x);
  t.FieldByName("Y").SetAsInteger(y);
  t.FieldByName("Visible").SetAsBoolean(visible);
  t.FieldByName("Suns").SetAsInteger(suns);
  t.Post();
  return t.FieldByName("Id").AsInteger();
}

inline int AddProduct(qv::TDataModule1& s, const std::string& name, int type) {
  qv::Table& t = s.ProductsData;
  t.Append();
  t.FieldByName("Name").SetAsString(name);
  t.FieldByName("Type").SetAsInteger(type);
  t.Post();
  return t.FieldByName("Id").AsInteger();
}

inline int AddFactory(qv::TDataModule1& s, const std::string& name, bool buyable = true) {
  qv::Table& t = s.FactoriesData;
  t.Append();
  t.FieldByName("Name").SetAsString(name);
  t.FieldByName("Buyable").SetAsBoolean(buyable);
  t.Post();
  return t.FieldByName("Id").AsInteger();
}

inline void AddRecipe(qv::TDataModule1& s, int factoryId, int operation, int productId, int qty) {
  qv::Table& t = s.FactoryProdData;
  t.Append();
  t.FieldByName("FactoryId").SetAsInteger(factoryId);
  t.FieldByName("Operation").SetAsInteger(operation);
  t.FieldByName("ProductId").SetAsInteger(productId);
  t.FieldByName("Qty").SetAsInteger(qty);
  t.Post();
}

inline void AddSectFactory(qv::TDataModule1& s, int sectorId, int factoryId, bool your = false) {
  qv::Table& t = s.SectFactoryData;
  t.Append();
  t.FieldByName("SectorId").SetAsInteger(sectorId);
  t.FieldByName("FactoryId").SetAsInteger(factoryId);
  t.FieldByName("Your").SetAsBoolean(your);
  t.Post();
}

inline void AddTrade(qv::TDataModule1& s, int sectorId, int trader, int productId) {
  qv::Table& t = s.SectTradeData;
  t.Append();
  t.FieldByName("SectorId").SetAsInteger(sectorId);
  t.FieldByName("Trader").SetAsInteger(trader);
  t.FieldByName("ProductId").SetAsInteger(productId);
  t.Post();
}

// Values of one field over the table's current view, in view order.
inline std::string Column(const qv::Table& t, const std::string& field) {
  std::string out;
  for (int i = 1; i <= t.RecordCount(); ++i) {
    if (i > 1) out += ",";
    out += t.RecordAt(i).Get(field).ToString();
  }
  return out;
}

}  // namespace qvtest
