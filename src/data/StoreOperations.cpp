#include "data/StoreOperations.h"

#include <cstddef>
#include <exception>
#include <vector>

#include "data/DataModule1.h"

namespace qv {

namespace {

constexpr const char* kCoordIndex = "SectorsDataCoordIndex";
constexpr std::array<const char*, 4> kGateFields = {"NorthGate", "SouthGate", "WestGate",
                                                    "EastGate"};

// Keeps the views of the six universe tables quiet for a scope.
class QuietStore {
 public:
  explicit QuietStore(TDataModule1& store) : store_(store) { store_.SuspendViews(); }
  ~QuietStore() { store_.ResumeViews(); }
  QuietStore(const QuietStore&) = delete;
  QuietStore& operator=(const QuietStore&) = delete;

 private:
  TDataModule1& store_;
};

// Puts the cursor on the row whose `field` holds `id`, unless it stands there.
bool StandOnRow(Table& table, const char* field, int id) {
  const Record current = table.CurrentRecord();
  if (current.IsValid() && table.State() == TableState::Browse) {
    const Value value = current.Get(field);
    if (!value.IsNull() && value.ToInteger() == id) return true;
  }
  table.CheckBrowseMode();
  return table.Locate(field, {Value(id)});
}

// Puts the sectors table on the sector, unless it stands there already.
bool StandOnSector(TDataModule1& store, int sectorId) {
  Table& sectors = store.SectorsData;
  const Record current = sectors.CurrentRecord();
  if (current.IsValid() && sectors.State() == TableState::Browse &&
      current.Get("Id").ToInteger() == sectorId && !current.Get("Id").IsNull()) {
    return true;
  }
  sectors.CheckBrowseMode();
  return store.LocateSectorById(sectorId);
}

void StandOnBookmark(Table& table, Table::Bookmark row) {
  table.CheckBrowseMode();
  if (table.GetBookmark() != row) table.GotoBookmark(row);
}

// Writes the values into the open edit buffer of the sectors table and
// stores them; a refused row is cancelled.
void PostSectorValues(Table& t, const TSectorValues& values) {
  try {
    t.FieldByName("Name").SetAsString(values.name);
    t.FieldByName("X").SetAsInteger(values.pos.x);
    t.FieldByName("Y").SetAsInteger(values.pos.y);
    t.FieldByName("Race").SetAsString(values.race);
    for (std::size_t i = 0; i < kGateFields.size(); ++i)
      t.FieldByName(kGateFields[i]).SetAsBoolean(values.gates[i]);
    t.FieldByName("Suns").SetAsInteger(values.suns);
    t.FieldByName("SolarCycle").SetAsInteger(values.solarCycle);
    t.FieldByName("Visible").SetAsBoolean(values.visible);
    t.FieldByName("NameDx").SetAsInteger(values.nameDx);
    t.FieldByName("NameDy").SetAsInteger(values.nameDy);
    t.Post();
  } catch (...) {
    t.Cancel();
    throw;
  }
}

// Stores one field of the current row of a table; a refused row is cancelled.
void PostField(Table& table, const char* field, const Value& value) {
  table.Edit();
  try {
    table.FieldByName(field).SetValue(value);
    table.Post();
  } catch (...) {
    table.Cancel();
    throw;
  }
}

// Keeps one table's views quiet for a scope.
class QuietTable {
 public:
  explicit QuietTable(Table& table) : table_(table) { table_.DisableControls(); }
  ~QuietTable() { table_.EnableControls(); }
  QuietTable(const QuietTable&) = delete;
  QuietTable& operator=(const QuietTable&) = delete;

 private:
  Table& table_;
};

// Appends a row with the given values (after the table's defaults).
void AppendRow(Table& table, std::initializer_list<std::pair<const char*, Value>> values) {
  table.CheckBrowseMode();
  table.Append();
  try {
    for (const auto& [field, value] : values)
      table.FieldByName(field).SetValue(value);
    table.Post();
  } catch (...) {
    table.Cancel();
    throw;
  }
}

void DeleteCurrentRow(TDataModule1& store, Table& table) {
  const QuietStore quiet(store);
  table.Delete();
}

}  // namespace

const char* StationFlagField(int trader) {
  switch (trader) {
    case kShipyard:
      return "Shipyard";
    case kEquipmentDock:
      return "Eqdock";
    case kPirateBase:
      return "Pirate";
    default:
      return "Trstation";
  }
}

// ---- Sectors ----

int AddSector(TDataModule1& store, const TSectorValues& values) {
  Table& t = store.SectorsData;
  if (t.IndexName() != kCoordIndex) t.SetIndexName(kCoordIndex);
  t.Append();
  PostSectorValues(t, values);
  const int id = t.FieldByName("Id").AsInteger();
  store.SyncNeighbourGates();
  t.MergeChangeLog();
  return id;
}

bool EditSector(TDataModule1& store, int sectorId, const TSectorValues& values) {
  Table& t = store.SectorsData;
  if (!store.LocateSectorById(sectorId)) return false;
  t.Edit();
  PostSectorValues(t, values);
  store.SyncNeighbourGates();
  t.MergeChangeLog();
  return true;
}

bool DeleteSector(TDataModule1& store, int sectorId) {
  if (!store.LocateSectorById(sectorId)) return false;
  store.SectorsData.Delete();
  store.SectorsData.MergeChangeLog();
  store.SectFactoryData.MergeChangeLog();
  store.SectTradeData.MergeChangeLog();
  return true;
}

bool SetSectorStation(TDataModule1& store, int sectorId, int trader, bool on) {
  if (!StandOnSector(store, sectorId)) return false;
  PostField(store.SectorsData, StationFlagField(trader), Value(on));
  store.SectorsData.MergeChangeLog();
  return true;
}

bool SetSectorSolarCycle(TDataModule1& store, int sectorId, int seconds) {
  if (!StandOnSector(store, sectorId)) return false;
  PostField(store.SectorsData, "SolarCycle", Value(std::int32_t{seconds}));
  return true;
}

bool RevealSector(TDataModule1& store, int sectorId) {
  Table& t = store.SectorsData;
  if (!store.LocateSectorById(sectorId)) return false;
  PostField(t, "Visible", Value(true));
  t.MergeChangeLog();
  return true;
}

void RevealAllSectors(TDataModule1& store) {
  Table& t = store.SectorsData;
  const QuietStore quiet(store);
  const int visible = t.FieldByName("Visible").Index();
  for (t.First(); !t.Eof(); t.Next()) {
    if (t.CurrentRecord().Get(visible).ToBoolean()) continue;
    PostField(t, "Visible", Value(true));
  }
  t.MergeChangeLog();
}

// ---- What stands in a sector ----

void PlaceFactory(TDataModule1& store, int sectorId) {
  AppendRow(store.SectFactoryData, {{"SectorId", Value(std::int32_t{sectorId})}});
}

void RemoveFactory(TDataModule1& store, Table::Bookmark row) {
  Table& factories = store.SectFactoryData;
  StandOnBookmark(factories, row);
  factories.Delete();
  factories.MergeChangeLog();
}

void PlaceTrader(TDataModule1& store, int sectorId, int trader) {
  AppendRow(store.SectTradeData,
            {{"SectorId", Value(std::int32_t{sectorId})}, {"Trader", Value(std::int32_t{trader})}});
}

void RemoveTrader(TDataModule1& store, Table::Bookmark row) {
  Table& trade = store.SectTradeData;
  StandOnBookmark(trade, row);
  trade.Delete();
  trade.MergeChangeLog();
}

void RemoveTraders(TDataModule1& store, int sectorId, int trader) {
  store.DeleteTraders(sectorId, trader);
}

// ---- Factory and product types ----

int AddFactoryType(TDataModule1& store) {
  Table& types = store.FactoriesData;
  types.CheckBrowseMode();
  types.Append();
  types.Post();
  const Value id = types.FieldByName("Id").GetValue();
  for (const std::int32_t operation : {0, 1})
    AppendRow(store.FactoryProdData, {{"FactoryId", id}, {"Operation", Value(operation)}});
  return id.ToInteger();
}

void DeleteFactoryType(TDataModule1& store, int typeId) {
  Table& types = store.FactoriesData;
  if (!StandOnRow(types, "Id", typeId)) return;
  DeleteCurrentRow(store, types);
  types.MergeChangeLog();
}

void AddRecipeRow(TDataModule1& store, int typeId) {
  AppendRow(store.FactoryProdData, {{"FactoryId", Value(std::int32_t{typeId})}});
}

void RemoveRecipeRow(TDataModule1& store, Table::Bookmark row) {
  Table& recipes = store.FactoryProdData;
  StandOnBookmark(recipes, row);
  recipes.Delete();
  recipes.MergeChangeLog();
}

int AddProductType(TDataModule1& store) {
  Table& products = store.ProductsData;
  products.CheckBrowseMode();
  products.Append();
  products.Post();
  return products.FieldByName("Id").AsInteger();
}

void DeleteProductType(TDataModule1& store, int productId) {
  Table& products = store.ProductsData;
  if (!StandOnRow(products, "Id", productId)) return;
  DeleteCurrentRow(store, products);
  products.MergeChangeLog();
}

// ---- One field of many rows ----

TBulkChange ChangeFieldOfRows(TDataModule1&, Table& table, int fieldIndex,
                              const std::optional<Value>& value,
                              const std::function<bool()>& chosen) {
  TBulkChange result;
  table.CheckBrowseMode();
  const QuietTable quiet(table);
  const Table::Bookmark start = table.GetBookmark();
  // The rows in their order before the run: storing a row may move it in the
  // order the table shows, and each row must be seen exactly once.
  std::vector<Table::Bookmark> rows;
  rows.reserve(static_cast<std::size_t>(table.RecordCount()));
  for (int recNo = 1; recNo <= table.RecordCount(); ++recNo)
    rows.push_back(table.RecordAt(recNo).GetRow()->id);
  Field& target = table.Fields(fieldIndex);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!table.BookmarkValid(rows[i])) continue;  // a rule removed it
    try {
      table.GotoBookmark(rows[i]);
      if (!chosen()) continue;
      table.Edit();
      if (value) target.SetValue(*value);
      table.Post();
      if (value) ++result.changed;
    } catch (const std::exception& e) {
      if (table.State() != TableState::Browse) table.Cancel();
      result.failedRow = static_cast<int>(i) + 1;
      result.error = e.what();
      break;
    }
  }
  if (start != 0 && table.BookmarkValid(start)) table.GotoBookmark(start);
  return result;
}

// ---- Rows a grid edits ----

void TStoreRowWriter::PostRow(Table& table) {
  TRowWriter::PostRow(table);
}

void TStoreRowWriter::FinishRow(Table& table) {
  TRowWriter::FinishRow(table);
}

void TStoreRowWriter::DeleteRow(Table& table) {
  TRowWriter::DeleteRow(table);
}

}  // namespace qv
