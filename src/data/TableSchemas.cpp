#include <string>

#include "data/DataModule1.h"

// The fields, display properties and indexes of the seven tables. Field order
// is the order of the files and of the raw browser's columns.

namespace qv {

namespace {

Field& AddShown(Table& table, const char* name, FieldType type, int size, int width) {
  Field& field = table.AddField(name, type, size);
  field.SetDisplayWidth(width);
  return field;
}

void AddGate(Table& table, const char* name, const char* label) {
  Field& field = table.AddField(name, FieldType::Boolean);
  field.SetDisplayLabel(label);
  field.SetAlignment(Alignment::Center);
  field.SetDisplayValues("+");
}

// Referencing fields show names, which read better left-aligned and need
// the width of a name rather than of a number.
void AddReference(Table& table, const char* name) {
  Field& field = table.AddField(name, FieldType::Integer);
  field.SetAlignment(Alignment::Left);
  field.SetDisplayWidth(24);
}

void BuildSectors(Table& t) {
  AddShown(t, "Name", FieldType::String, 40, 40);
  AddShown(t, "X", FieldType::Integer, 0, 5);
  AddShown(t, "Y", FieldType::Integer, 0, 5);
  AddShown(t, "Race", FieldType::String, 20, 10);
  AddShown(t, "Suns", FieldType::Integer, 0, 3);
  AddGate(t, "NorthGate", "N");
  AddGate(t, "SouthGate", "S");
  AddGate(t, "WestGate", "W");
  AddGate(t, "EastGate", "E");
  t.AddField("NameDx", FieldType::Integer);
  t.AddField("NameDy", FieldType::Integer);
  t.AddField("Shipyard", FieldType::Boolean);
  t.AddField("Trstation", FieldType::Boolean);
  t.AddField("Eqdock", FieldType::Boolean);
  t.AddField("Id", FieldType::AutoInc);
  t.AddField("Pirate", FieldType::Boolean);
  t.AddField("Visible", FieldType::Boolean);
  t.AddField("SolarCycle", FieldType::Integer);
  t.AddIndex("SectorsDataCoordIndex", "X;Y");
  t.AddIndex("SectorsDataNameIndex", "Name");
}

void BuildFactories(Table& t) {
  t.AddField("Id", FieldType::AutoInc);
  t.AddField("Name", FieldType::String, 30).SetDisplayLabel("Factory type");
  Field& buyable = t.AddField("Buyable", FieldType::Boolean);
  buyable.SetDisplayLabel("Can be bought");
  buyable.SetDisplayValues("Yes");
  t.AddField("Special", FieldType::Integer);
  t.AddField("Ctime", FieldType::Integer).SetDisplayLabel("Cycle, sec");
  t.AddField("Mtime", FieldType::Integer).SetDisplayLabel("Calc. time,sec");
  t.AddIndex("FactoriesDataIdIndex", "Id");
}

void BuildProducts(Table& t) {
  t.AddField("Id", FieldType::AutoInc);
  t.AddField("Name", FieldType::String, 30);
  t.AddField("Type", FieldType::Integer);
  t.AddField("Min", FieldType::Integer);
  t.AddField("Max", FieldType::Integer);
  t.AddField("Avg", FieldType::Integer);
  t.AddField("Mtime", FieldType::Integer);
  t.AddField("Qty", FieldType::Integer);
  t.AddIndex("ProductsDataIdIndex", "Id");
}

void BuildFactoryProd(Table& t) {
  t.AddField("FactoryId", FieldType::Integer);
  t.AddField("Operation", FieldType::Integer).SetDisplayLabel("Type");
  AddReference(t, "ProductId");
  t.AddField("Qty", FieldType::Integer);
  t.AddIndex("FactoryProdDataIndex", "FactoryId;Operation");
}

void BuildSectFactory(Table& t) {
  t.AddField("SectorId", FieldType::Integer);
  AddReference(t, "FactoryId");
  Field& your = t.AddField("Your", FieldType::Boolean);
  your.SetDisplayLabel("Owner");
  your.SetDisplayValues("Your");
  t.AddField("Yield", FieldType::Integer);
}

void BuildSectTrade(Table& t) {
  t.AddField("SectorId", FieldType::Integer);
  t.AddField("Trader", FieldType::Integer);
  AddReference(t, "ProductId");
}

void BuildAuxRequest(Table& t, Table& products, Table& factories) {
  for (int i = 1; i <= 6; ++i)
    t.AddField("Prod" + std::to_string(i), FieldType::Integer);
  t.AddField("Fact1", FieldType::Integer);
  for (int i = 1; i <= 6; ++i) {
    const std::string n = std::to_string(i);
    t.AddLookupField("Prod" + n + "Name", 30, "Prod" + n, &products, "Id", "Name");
  }
  t.AddLookupField("Fact1Name", 20, "Fact1", &factories, "Id", "Name");
}

}  // namespace

void TDataModule1::BuildSchemas() {
  BuildSectors(SectorsData);
  BuildFactories(FactoriesData);
  BuildProducts(ProductsData);
  BuildFactoryProd(FactoryProdData);
  BuildSectFactory(SectFactoryData);
  BuildSectTrade(SectTradeData);
  BuildAuxRequest(AuxRequestData, ProductsData, FactoriesData);
  SetWorkingOrders();
}

void TDataModule1::SetWorkingOrders() {
  SectorsData.SetIndexName("SectorsDataCoordIndex");
  FactoriesData.SetIndexName("FactoriesDataIdIndex");
  ProductsData.SetIndexFieldNames("Type;Name");
  FactoryProdData.SetIndexName("FactoryProdDataIndex");
  SectFactoryData.SetIndexFieldNames("SectorId");
  SectTradeData.SetIndexFieldNames("SectorId;Trader");
}

}  // namespace qv
