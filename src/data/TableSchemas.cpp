#include <string>

#include "data/DataModule1.h"

// The fields, display properties and indexes of the seven tables. Field order
// is the order of the files and of the raw browser's columns.

namespace qv {

namespace {

FieldRef AddShown(Table& table, const char* name, FieldType type, int size, int width) {
  Field& field = table.AddField(name, type, size);
  field.SetDisplayWidth(width);
  return FieldRef(field);
}

FieldRef AddGate(Table& table, const char* name, const char* label) {
  Field& field = table.AddField(name, FieldType::Boolean);
  field.SetDisplayLabel(label);
  field.SetAlignment(Alignment::Center);
  field.SetDisplayValues("+");
  return FieldRef(field);
}

// Referencing fields show names, which read better left-aligned and need
// the width of a name rather than of a number.
FieldRef AddReference(Table& table, const char* name) {
  Field& field = table.AddField(name, FieldType::Integer);
  field.SetAlignment(Alignment::Left);
  field.SetDisplayWidth(24);
  return FieldRef(field);
}

FieldRef Add(Table& table, const char* name, FieldType type, int size = 0) {
  return FieldRef(table.AddField(name, type, size));
}

TSectorsFields BuildSectors(Table& t) {
  TSectorsFields f;
  f.Name = AddShown(t, "Name", FieldType::String, 40, 40);
  f.X = AddShown(t, "X", FieldType::Integer, 0, 5);
  f.Y = AddShown(t, "Y", FieldType::Integer, 0, 5);
  f.Race = AddShown(t, "Race", FieldType::String, 20, 10);
  f.Suns = AddShown(t, "Suns", FieldType::Integer, 0, 3);
  f.NorthGate = AddGate(t, "NorthGate", "N");
  f.SouthGate = AddGate(t, "SouthGate", "S");
  f.WestGate = AddGate(t, "WestGate", "W");
  f.EastGate = AddGate(t, "EastGate", "E");
  f.NameDx = Add(t, "NameDx", FieldType::Integer);
  f.NameDy = Add(t, "NameDy", FieldType::Integer);
  f.Shipyard = Add(t, "Shipyard", FieldType::Boolean);
  f.Trstation = Add(t, "Trstation", FieldType::Boolean);
  f.Eqdock = Add(t, "Eqdock", FieldType::Boolean);
  f.Id = Add(t, "Id", FieldType::AutoInc);
  f.Pirate = Add(t, "Pirate", FieldType::Boolean);
  f.Visible = Add(t, "Visible", FieldType::Boolean);
  f.SolarCycle = Add(t, "SolarCycle", FieldType::Integer);
  t.AddIndex("SectorsDataCoordIndex", "X;Y");
  t.AddIndex("SectorsDataNameIndex", "Name");
  return f;
}

TFactoriesFields BuildFactories(Table& t) {
  TFactoriesFields f;
  f.Id = Add(t, "Id", FieldType::AutoInc);
  f.Name = Add(t, "Name", FieldType::String, 30);
  f.Name->SetDisplayLabel("Factory type");
  f.Buyable = Add(t, "Buyable", FieldType::Boolean);
  f.Buyable->SetDisplayLabel("Can be bought");
  f.Buyable->SetDisplayValues("Yes");
  f.Special = Add(t, "Special", FieldType::Integer);
  f.Ctime = Add(t, "Ctime", FieldType::Integer);
  f.Ctime->SetDisplayLabel("Cycle, sec");
  f.Mtime = Add(t, "Mtime", FieldType::Integer);
  f.Mtime->SetDisplayLabel("Calc. time,sec");
  t.AddIndex("FactoriesDataIdIndex", "Id");
  return f;
}

TProductsFields BuildProducts(Table& t) {
  TProductsFields f;
  f.Id = Add(t, "Id", FieldType::AutoInc);
  f.Name = Add(t, "Name", FieldType::String, 30);
  f.Type = Add(t, "Type", FieldType::Integer);
  f.Min = Add(t, "Min", FieldType::Integer);
  f.Max = Add(t, "Max", FieldType::Integer);
  f.Avg = Add(t, "Avg", FieldType::Integer);
  f.Mtime = Add(t, "Mtime", FieldType::Integer);
  f.Qty = Add(t, "Qty", FieldType::Integer);
  t.AddIndex("ProductsDataIdIndex", "Id");
  return f;
}

TFactoryProdFields BuildFactoryProd(Table& t) {
  TFactoryProdFields f;
  f.FactoryId = Add(t, "FactoryId", FieldType::Integer);
  f.Operation = Add(t, "Operation", FieldType::Integer);
  f.Operation->SetDisplayLabel("Type");
  f.ProductId = AddReference(t, "ProductId");
  f.Qty = Add(t, "Qty", FieldType::Integer);
  t.AddIndex("FactoryProdDataIndex", "FactoryId;Operation");
  return f;
}

TSectFactoryFields BuildSectFactory(Table& t) {
  TSectFactoryFields f;
  f.SectorId = Add(t, "SectorId", FieldType::Integer);
  f.FactoryId = AddReference(t, "FactoryId");
  f.Your = Add(t, "Your", FieldType::Boolean);
  f.Your->SetDisplayLabel("Owner");
  f.Your->SetDisplayValues("Your");
  f.Yield = Add(t, "Yield", FieldType::Integer);
  return f;
}

TSectTradeFields BuildSectTrade(Table& t) {
  TSectTradeFields f;
  f.SectorId = Add(t, "SectorId", FieldType::Integer);
  f.Trader = Add(t, "Trader", FieldType::Integer);
  f.ProductId = AddReference(t, "ProductId");
  return f;
}

TAuxRequestFields BuildAuxRequest(Table& t, Table& products, Table& factories) {
  TAuxRequestFields f;
  for (int i = 0; i < 6; ++i)
    f.Prod[i] = FieldRef(t.AddField("Prod" + std::to_string(i + 1), FieldType::Integer));
  f.Fact1 = Add(t, "Fact1", FieldType::Integer);
  for (int i = 0; i < 6; ++i) {
    const std::string n = std::to_string(i + 1);
    f.ProdName[i] =
        FieldRef(t.AddLookupField("Prod" + n + "Name", 30, "Prod" + n, &products, "Id", "Name"));
  }
  f.Fact1Name = FieldRef(t.AddLookupField("Fact1Name", 20, "Fact1", &factories, "Id", "Name"));
  return f;
}

}  // namespace

void TDataModule1::BuildSchemas() {
  fields_.Sectors = BuildSectors(SectorsData);
  fields_.Factories = BuildFactories(FactoriesData);
  fields_.Products = BuildProducts(ProductsData);
  fields_.FactoryProd = BuildFactoryProd(FactoryProdData);
  fields_.SectFactory = BuildSectFactory(SectFactoryData);
  fields_.SectTrade = BuildSectTrade(SectTradeData);
  fields_.AuxRequest = BuildAuxRequest(AuxRequestData, ProductsData, FactoriesData);
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
