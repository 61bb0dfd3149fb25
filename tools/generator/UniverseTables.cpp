#include "UniverseGenerator.h"

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include "data/DataModule1.h"
#include "data/TableFile.h"

namespace qv {
namespace {

// Builds the stored rows of one table from values given in the order of a
// field list, whatever the order of the fields in the schema. The field
// positions are looked up once, not per value.
class RowWriter {
 public:
  RowWriter(Table& table, std::initializer_list<const char*> fields, size_t rowCount)
      : table_(table) {
    for (const char* name : fields)
      columns_.push_back(table.FieldByName(name).Index());
    rows_.reserve(rowCount);
  }

  void Add(std::initializer_list<Value> values) {
    Row& row = rows_.emplace_back();
    row.values.resize(table_.FieldCount());
    row.id = rows_.size();
    size_t i = 0;
    for (const Value& value : values)
      row.values[columns_.at(i++)] = value;
  }
  // nextAutoInc: one above the highest Id handed out.
  void Load(std::int32_t nextAutoInc) { table_.LoadRows(std::move(rows_), nextAutoInc); }

 private:
  Table& table_;
  std::vector<int> columns_;
  std::vector<Row> rows_;
};

template <typename T>
std::int32_t NextId(const std::vector<T>& rows) {
  std::int32_t top = 0;
  for (const T& row : rows)
    top = std::max(top, static_cast<std::int32_t>(row.Id));
  return top + 1;
}

void LoadSectors(Table& table, const std::vector<GenSector>& sectors) {
  RowWriter w(
      table,
      {"Name", "X", "Y", "Race", "Suns", "NorthGate", "SouthGate", "WestGate", "EastGate", "NameDx",
       "NameDy", "Shipyard", "Trstation", "Eqdock", "Id", "Pirate", "Visible", "SolarCycle"},
      sectors.size());
  for (const auto& r : sectors)
    w.Add({r.Name, r.X, r.Y, r.Race, r.Suns, r.NorthGate, r.SouthGate, r.WestGate, r.EastGate,
           r.NameDx, r.NameDy, r.Shipyard, r.Trstation, r.Eqdock, r.Id, r.Pirate, r.Visible,
           r.SolarCycle});
  w.Load(NextId(sectors));
}

void LoadFactoryTypes(Table& table, const std::vector<GenFactoryType>& types) {
  RowWriter w(table, {"Id", "Name", "Buyable", "Special", "Ctime", "Mtime"}, types.size());
  for (const auto& r : types)
    w.Add({r.Id, r.Name, r.Buyable, r.Special, r.Ctime, r.Mtime});
  w.Load(NextId(types));
}

void LoadProducts(Table& table, const std::vector<GenProduct>& products) {
  RowWriter w(table, {"Id", "Name", "Type", "Min", "Max", "Avg", "Mtime", "Qty"}, products.size());
  for (const auto& r : products)
    w.Add({r.Id, r.Name, r.Type, r.Min, r.Max, r.Avg, r.Mtime, r.Qty});
  w.Load(NextId(products));
}

void LoadRecipes(Table& table, const std::vector<GenRecipeRow>& recipes) {
  RowWriter w(table, {"FactoryId", "Operation", "ProductId", "Qty"}, recipes.size());
  for (const auto& r : recipes)
    w.Add({r.FactoryId, r.Operation, r.ProductId, r.Qty});
  w.Load(1);
}

// Only mines carry a yield; the other rows leave it empty.
void LoadPlacedFactories(Table& table, const std::vector<GenPlacedFactory>& factories) {
  RowWriter w(table, {"SectorId", "FactoryId", "Your", "Yield"}, factories.size());
  for (const auto& r : factories)
    w.Add({r.SectorId, r.FactoryId, r.Your, r.Yield ? Value(*r.Yield) : Value()});
  w.Load(1);
}

void LoadTrades(Table& table, const std::vector<GenTradeRow>& trades) {
  RowWriter w(table, {"SectorId", "Trader", "ProductId"}, trades.size());
  for (const auto& r : trades)
    w.Add({r.SectorId, r.Trader, r.ProductId});
  w.Load(1);
}

}  // namespace

void FillUniverseTables(TDataModule1& store, const GenUniverse& universe) {
  LoadSectors(store.SectorsData, universe.Sectors);
  LoadFactoryTypes(store.FactoriesData, universe.FactoryTypes);
  LoadProducts(store.ProductsData, universe.Products);
  LoadRecipes(store.FactoryProdData, universe.Recipes);
  LoadPlacedFactories(store.SectFactoryData, universe.Factories);
  LoadTrades(store.SectTradeData, universe.Trades);

  // The orders the store keeps after loading, which its queries rely on.
  store.SectorsData.SetIndexName("SectorsDataCoordIndex");
  store.FactoriesData.SetIndexName("FactoriesDataIdIndex");
  store.ProductsData.SetIndexFieldNames("Type;Name");
  store.FactoryProdData.SetIndexName("FactoryProdDataIndex");
  store.SectFactoryData.SetIndexFieldNames("SectorId");
  store.SectTradeData.SetIndexFieldNames("SectorId;Trader");
  for (Table* table : {&store.SectorsData, &store.FactoriesData, &store.ProductsData,
                       &store.FactoryProdData, &store.SectFactoryData, &store.SectTradeData})
    table->First();
  // Statistics computed before belong to another universe.
  store.MarkDataChanged();
}

void GenerateUniverse(TDataModule1& store, const GeneratorOptions& options) {
  FillUniverseTables(store, BuildUniverse(options));
}

void WriteUniverse(const std::string& programFolder, const GeneratorOptions& options) {
  const GenUniverse universe = BuildUniverse(options);
  const std::filesystem::path dataFolder = std::filesystem::path(programFolder) / "Data";
  std::filesystem::create_directories(dataFolder);

  TDataModule1 store((std::filesystem::path(programFolder) / "").string());
  FillUniverseTables(store, universe);
  const std::pair<const Table*, const char*> files[] = {
      {&store.SectorsData, "sectors.cds"},      {&store.FactoriesData, "factlist.cds"},
      {&store.ProductsData, "products.cds"},    {&store.FactoryProdData, "factprod.cds"},
      {&store.SectFactoryData, "sectfact.cds"}, {&store.SectTradeData, "secttrad.cds"},
  };
  for (const auto& [table, name] : files)
    SaveTableFile(*table, (dataFolder / name).string());
}

}  // namespace qv
