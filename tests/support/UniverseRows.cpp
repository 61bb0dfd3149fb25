#include "support/UniverseRows.h"

namespace qvtest {

namespace {

int PostedId(qv::Table& table) {
  table.Post();
  return table.FieldByName("Id").AsInteger();
}

}  // namespace

EmptyStore::EmptyStore() : store_(std::make_unique<qv::TDataModule1>(dir_.Folder(), dialogs_)) {
  store_->DataModuleCreate();
}

EmptyStore::~EmptyStore() = default;

int AddSector(qv::TDataModule1& store, const SectorFields& row) {
  qv::Table& t = store.SectorsData;
  t.Append();
  t.FieldByName("Name").SetAsString(row.name);
  t.FieldByName("X").SetAsInteger(row.x);
  t.FieldByName("Y").SetAsInteger(row.y);
  t.FieldByName("Race").SetAsString(row.race);
  t.FieldByName("Suns").SetAsInteger(row.suns);
  t.FieldByName("NorthGate").SetAsBoolean(row.north);
  t.FieldByName("SouthGate").SetAsBoolean(row.south);
  t.FieldByName("WestGate").SetAsBoolean(row.west);
  t.FieldByName("EastGate").SetAsBoolean(row.east);
  t.FieldByName("NameDx").SetAsInteger(row.nameDx);
  t.FieldByName("NameDy").SetAsInteger(row.nameDy);
  t.FieldByName("Shipyard").SetAsBoolean(row.shipyard);
  t.FieldByName("Eqdock").SetAsBoolean(row.eqdock);
  t.FieldByName("Pirate").SetAsBoolean(row.pirate);
  t.FieldByName("Visible").SetAsBoolean(row.visible);
  t.FieldByName("SolarCycle").SetAsInteger(row.solarCycle);
  return PostedId(t);
}

int AddFactoryType(qv::TDataModule1& store, const std::string& name, int special, int mtime,
                   bool buyable) {
  qv::Table& t = store.FactoriesData;
  t.Append();
  t.FieldByName("Name").SetAsString(name);
  t.FieldByName("Special").SetAsInteger(special);
  t.FieldByName("Mtime").SetAsInteger(mtime);
  t.FieldByName("Ctime").SetAsInteger(mtime);
  t.FieldByName("Buyable").SetAsBoolean(buyable);
  return PostedId(t);
}

int AddProduct(qv::TDataModule1& store, const std::string& name, int type, int mtime, int qty) {
  qv::Table& t = store.ProductsData;
  t.Append();
  t.FieldByName("Name").SetAsString(name);
  t.FieldByName("Type").SetAsInteger(type);
  t.FieldByName("Mtime").SetAsInteger(mtime);
  t.FieldByName("Qty").SetAsInteger(qty);
  return PostedId(t);
}

void AddRecipe(qv::TDataModule1& store, int factoryId, int operation, int productId, int qty) {
  qv::Table& t = store.FactoryProdData;
  t.Append();
  t.FieldByName("FactoryId").SetAsInteger(factoryId);
  t.FieldByName("Operation").SetAsInteger(operation);
  t.FieldByName("ProductId").SetAsInteger(productId);
  t.FieldByName("Qty").SetAsInteger(qty);
  t.Post();
}

void PlaceFactory(qv::TDataModule1& store, int sectorId, int factoryId, bool your, int yield) {
  qv::Table& t = store.SectFactoryData;
  t.Append();
  t.FieldByName("SectorId").SetAsInteger(sectorId);
  t.FieldByName("FactoryId").SetAsInteger(factoryId);
  t.FieldByName("Your").SetAsBoolean(your);
  t.FieldByName("Yield").SetAsInteger(yield);
  t.Post();
}

void AddTrade(qv::TDataModule1& store, int sectorId, int trader, int productId) {
  qv::Table& t = store.SectTradeData;
  t.Append();
  t.FieldByName("SectorId").SetAsInteger(sectorId);
  t.FieldByName("Trader").SetAsInteger(trader);
  t.FieldByName("ProductId").SetAsInteger(productId);
  t.Post();
}

}  // namespace qvtest
