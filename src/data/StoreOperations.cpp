#include "data/StoreOperations.h"

#include <array>
#include <cstddef>
#include <exception>
#include <vector>

#include "data/DataModule1.h"

namespace qv {

namespace {

constexpr const char* kCoordIndex = "SectorsDataCoordIndex";

// Whether the cursor stands, in browse state, on the row whose `field` holds `id`.
bool StandsOn(const Table& table, const FieldRef& field, int id) {
  const Record current = table.CurrentRecord();
  if (!current.IsValid() || table.State() != TableState::Browse) return false;
  const Value value = field.Of(current);
  return !value.IsNull() && value.ToInteger() == id;
}

// Puts the cursor on the row whose `field` holds `id`, unless it stands there.
bool StandOnRow(Table& table, const FieldRef& field, int id) {
  if (StandsOn(table, field, id)) return true;
  table.CheckBrowseMode();
  return table.Locate(field->FieldName(), {Value(id)});
}

// Puts the sectors table on the sector, unless it stands there already.
bool StandOnSector(TDataModule1& store, int sectorId) {
  if (StandsOn(store.SectorsData, store.Fields().Sectors.Id, sectorId)) return true;
  return store.LocateSectorById(sectorId);
}

void StandOnBookmark(Table& table, Table::Bookmark row) {
  table.CheckBrowseMode();
  if (table.GetBookmark() != row) table.GotoBookmark(row);
}

// Writes the values into the open edit buffer of the sectors table and
// stores them; a refused row is cancelled.
void PostSectorValues(TDataModule1& store, const TSectorValues& values) {
  Table& t = store.SectorsData;
  const TSectorsFields& f = store.Fields().Sectors;
  try {
    f.Name->SetAsString(values.name);
    f.X->SetAsInteger(values.pos.x);
    f.Y->SetAsInteger(values.pos.y);
    f.Race->SetAsString(values.race);
    const std::array<const FieldRef*, 4> gates = {&f.NorthGate, &f.SouthGate, &f.WestGate,
                                                  &f.EastGate};
    for (std::size_t i = 0; i < gates.size(); ++i)
      (*gates[i])->SetAsBoolean(values.gates[i]);
    f.Suns->SetAsInteger(values.suns);
    f.SolarCycle->SetAsInteger(values.solarCycle);
    f.Visible->SetAsBoolean(values.visible);
    f.NameDx->SetAsInteger(values.nameDx);
    f.NameDy->SetAsInteger(values.nameDy);
    t.Post();
  } catch (...) {
    t.Cancel();
    throw;
  }
}

// Stores one field of the current row of a table; a refused row is cancelled.
void PostField(Table& table, const FieldRef& field, const Value& value) {
  table.Edit();
  try {
    field->SetValue(value);
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
void AppendRow(Table& table, std::initializer_list<std::pair<FieldRef, Value>> values) {
  table.CheckBrowseMode();
  table.Append();
  try {
    for (const auto& [field, value] : values)
      field->SetValue(value);
    table.Post();
  } catch (...) {
    table.Cancel();
    throw;
  }
}

void DeleteCurrentRow(TDataModule1& store, Table& table) {
  const TQuietViews quiet(store);
  table.Delete();
}

// Runs `change` as one step of the store and hands back its record.
template <typename Change>
ChangeRecord OneStep(TDataModule1& store, ChangeKind kind, std::string name, Change&& change) {
  ChangeRecord finished;
  class Catch {
   public:
    Catch(TDataModule1& store, ChangeRecord& finished)
        : store_(store),
          id_(store.AddChangeListener(
              [&finished](const ChangeRecord& record, ChangeOrigin) { finished = record; })) {}
    ~Catch() { store_.RemoveChangeListener(id_); }
    Catch(const Catch&) = delete;
    Catch& operator=(const Catch&) = delete;

   private:
    TDataModule1& store_;
    int id_;
  } caught(store, finished);
  {
    const ChangeScope scope = store.BeginChange(kind, std::move(name));
    change();
  }
  return finished;
}

// Deletes the row `row` of a table without an Id of its own as one step,
// named after what `shown` shows of it.
ChangeRecord RemoveRow(TDataModule1& store, Table& table, Table::Bookmark row, ChangeKind kind,
                       const FieldRef& shown) {
  StandOnBookmark(table, row);
  return OneStep(store, kind, shown->DisplayText(), [&] {
    table.Delete();
    table.MergeChangeLog();
  });
}

// The name of the row of `table` whose `idField` holds `id`.
std::string NameOfRow(const Table& table, const FieldRef& idField, const FieldRef& name, int id) {
  const Record row = table.Lookup(idField->FieldName(), Value(id));
  return row.IsValid() ? name.Of(row).ToString() : std::string();
}

std::string SectorName(const TDataModule1& store, int sectorId) {
  const TSectorsFields& f = store.Fields().Sectors;
  return NameOfRow(store.SectorsData, f.Id, f.Name, sectorId);
}

std::string FactoryTypeName(const TDataModule1& store, int typeId) {
  const TFactoriesFields& f = store.Fields().Factories;
  return NameOfRow(store.FactoriesData, f.Id, f.Name, typeId);
}

// What a grid's step on a row of `table` is called.
ChangeKind RowStepKind(const TDataModule1& store, const Table& table, RowChangeKind change) {
  struct Kinds {
    const Table* table;
    ChangeKind add, edit, remove;
  };
  const Kinds kinds[] = {
      {&store.SectorsData, ChangeKind::AddSector, ChangeKind::EditSector, ChangeKind::DeleteSector},
      {&store.SectFactoryData, ChangeKind::PlaceFactory, ChangeKind::EditPlacedFactory,
       ChangeKind::RemoveFactory},
      {&store.SectTradeData, ChangeKind::PlaceTrader, ChangeKind::EditTrader,
       ChangeKind::RemoveTrader},
      {&store.FactoriesData, ChangeKind::AddFactoryType, ChangeKind::EditFactoryType,
       ChangeKind::DeleteFactoryType},
      {&store.FactoryProdData, ChangeKind::AddRecipeRow, ChangeKind::EditRecipeRow,
       ChangeKind::DeleteRecipeRow},
      {&store.ProductsData, ChangeKind::AddProduct, ChangeKind::EditProduct,
       ChangeKind::DeleteProduct},
  };
  for (const Kinds& k : kinds) {
    if (k.table != &table) continue;
    return change == RowChangeKind::Insert   ? k.add
           : change == RowChangeKind::Delete ? k.remove
                                             : k.edit;
  }
  return ChangeKind::Other;
}

// The name a grid's step carries: the row's own name, when it has one.
std::string RowStepName(const Table& table) {
  const Field* name = table.FindField("Name");
  return name && table.CurrentRecord().IsValid() ? name->AsString() : std::string();
}

}  // namespace

namespace {

// The flag of a kind of station: its member of the sectors' fields and its name.
struct StationFlagOf {
  FieldRef TSectorsFields::*field;
  const char* name;
};

StationFlagOf FlagOf(Trader trader) {
  switch (trader) {
    case Trader::Shipyard:
      return {&TSectorsFields::Shipyard, "Shipyard"};
    case Trader::EquipmentDock:
      return {&TSectorsFields::Eqdock, "Eqdock"};
    case Trader::PirateBase:
      return {&TSectorsFields::Pirate, "Pirate"};
    default:
      return {&TSectorsFields::Trstation, "Trstation"};
  }
}

}  // namespace

const char* StationFlagField(int trader) {
  return FlagOf(AsCode<Trader>(trader)).name;
}

const FieldRef& StationFlag(const TSectorsFields& sectors, Trader trader) {
  return sectors.*FlagOf(trader).field;
}

int InsertedId(const ChangeRecord& record, const Table& table) {
  const Field* id = table.FindField("Id");
  if (id == nullptr) return 0;
  for (const RowChange& row : record.rows)
    if (row.table == table.Name() && row.kind == RowChangeKind::Insert)
      return row.after.at(static_cast<std::size_t>(id->Index())).ToInteger();
  return 0;
}

// ---- Sectors ----

ChangeRecord AddSector(TDataModule1& store, const TSectorValues& values) {
  return OneStep(store, ChangeKind::AddSector, values.name, [&] {
    Table& t = store.SectorsData;
    if (t.IndexName() != kCoordIndex) t.SetIndexName(kCoordIndex);
    t.Append();
    PostSectorValues(store, values);
    store.SyncNeighbourGates();
    t.MergeChangeLog();
  });
}

std::optional<ChangeRecord> EditSector(TDataModule1& store, int sectorId,
                                       const TSectorValues& values) {
  Table& t = store.SectorsData;
  if (!store.LocateSectorById(sectorId)) return std::nullopt;
  return OneStep(store, ChangeKind::EditSector, values.name, [&] {
    t.Edit();
    PostSectorValues(store, values);
    store.SyncNeighbourGates();
    t.MergeChangeLog();
  });
}

std::optional<ChangeRecord> DeleteSector(TDataModule1& store, int sectorId) {
  if (!store.LocateSectorById(sectorId)) return std::nullopt;
  return OneStep(store, ChangeKind::DeleteSector, SectorName(store, sectorId), [&] {
    store.SectorsData.Delete();
    store.SectorsData.MergeChangeLog();
    store.SectFactoryData.MergeChangeLog();
    store.SectTradeData.MergeChangeLog();
  });
}

std::optional<ChangeRecord> SetSectorStation(TDataModule1& store, int sectorId, int trader,
                                             bool on) {
  if (!StandOnSector(store, sectorId)) return std::nullopt;
  return OneStep(store, ChangeKind::EditSector, SectorName(store, sectorId), [&] {
    PostField(store.SectorsData, StationFlag(store.Fields().Sectors, AsCode<Trader>(trader)),
              Value(on));
    store.SectorsData.MergeChangeLog();
  });
}

std::optional<ChangeRecord> SetSectorSolarCycle(TDataModule1& store, int sectorId, int seconds) {
  if (!StandOnSector(store, sectorId)) return std::nullopt;
  return OneStep(store, ChangeKind::EditSector, SectorName(store, sectorId), [&] {
    PostField(store.SectorsData, store.Fields().Sectors.SolarCycle, Value(std::int32_t{seconds}));
  });
}

std::optional<ChangeRecord> RevealSector(TDataModule1& store, int sectorId) {
  Table& t = store.SectorsData;
  if (!store.LocateSectorById(sectorId)) return std::nullopt;
  return OneStep(store, ChangeKind::Reveal, SectorName(store, sectorId), [&] {
    PostField(t, store.Fields().Sectors.Visible, Value(true));
    t.MergeChangeLog();
  });
}

ChangeRecord RevealAllSectors(TDataModule1& store) {
  return OneStep(store, ChangeKind::Reveal, {}, [&] {
    Table& t = store.SectorsData;
    const TQuietViews quiet(store);
    const FieldRef& visible = store.Fields().Sectors.Visible;
    for (t.First(); !t.Eof(); t.Next()) {
      if (visible.Of(t.CurrentRecord()).ToBoolean()) continue;
      PostField(t, visible, Value(true));
    }
    t.MergeChangeLog();
  });
}

// ---- What stands in a sector ----

ChangeRecord PlaceFactory(TDataModule1& store, int sectorId) {
  return OneStep(store, ChangeKind::PlaceFactory, SectorName(store, sectorId), [&] {
    AppendRow(store.SectFactoryData,
              {{store.Fields().SectFactory.SectorId, Value(std::int32_t{sectorId})}});
  });
}

ChangeRecord RemoveFactory(TDataModule1& store, Table::Bookmark row) {
  return RemoveRow(store, store.SectFactoryData, row, ChangeKind::RemoveFactory,
                   store.Fields().SectFactory.FactoryId);
}

ChangeRecord PlaceTrader(TDataModule1& store, int sectorId, int trader) {
  return OneStep(store, ChangeKind::PlaceTrader, SectorName(store, sectorId), [&] {
    const TSectTradeFields& f = store.Fields().SectTrade;
    AppendRow(store.SectTradeData, {{f.SectorId, Value(std::int32_t{sectorId})},
                                    {f.Trader, Value(std::int32_t{trader})}});
  });
}

ChangeRecord RemoveTrader(TDataModule1& store, Table::Bookmark row) {
  return RemoveRow(store, store.SectTradeData, row, ChangeKind::RemoveTrader,
                   store.Fields().SectTrade.ProductId);
}

ChangeRecord RemoveTraders(TDataModule1& store, int sectorId, int trader) {
  return OneStep(store, ChangeKind::RemoveTrader, SectorName(store, sectorId),
                 [&] { store.DeleteTraders(sectorId, trader); });
}

// ---- Factory and product types ----

ChangeRecord AddFactoryType(TDataModule1& store) {
  return OneStep(store, ChangeKind::AddFactoryType, {}, [&] {
    Table& types = store.FactoriesData;
    types.CheckBrowseMode();
    types.Append();
    types.Post();
    const Value id = store.Fields().Factories.Id->GetValue();
    const TFactoryProdFields& f = store.Fields().FactoryProd;
    for (const Operation operation : {Operation::Produces, Operation::Needs})
      AppendRow(store.FactoryProdData, {{f.FactoryId, id}, {f.Operation, CodeValue(operation)}});
  });
}

std::optional<ChangeRecord> DeleteFactoryType(TDataModule1& store, int typeId) {
  Table& types = store.FactoriesData;
  if (!StandOnRow(types, store.Fields().Factories.Id, typeId)) return std::nullopt;
  return OneStep(store, ChangeKind::DeleteFactoryType, FactoryTypeName(store, typeId), [&] {
    DeleteCurrentRow(store, types);
    types.MergeChangeLog();
  });
}

ChangeRecord AddRecipeRow(TDataModule1& store, int typeId) {
  return OneStep(store, ChangeKind::AddRecipeRow, FactoryTypeName(store, typeId), [&] {
    AppendRow(store.FactoryProdData,
              {{store.Fields().FactoryProd.FactoryId, Value(std::int32_t{typeId})}});
  });
}

ChangeRecord RemoveRecipeRow(TDataModule1& store, Table::Bookmark row) {
  return RemoveRow(store, store.FactoryProdData, row, ChangeKind::DeleteRecipeRow,
                   store.Fields().FactoryProd.ProductId);
}

ChangeRecord AddProductType(TDataModule1& store) {
  return OneStep(store, ChangeKind::AddProduct, {}, [&] {
    Table& products = store.ProductsData;
    products.CheckBrowseMode();
    products.Append();
    products.Post();
  });
}

std::optional<ChangeRecord> DeleteProductType(TDataModule1& store, int productId) {
  Table& products = store.ProductsData;
  const TProductsFields& f = store.Fields().Products;
  if (!StandOnRow(products, f.Id, productId)) return std::nullopt;
  return OneStep(store, ChangeKind::DeleteProduct, NameOfRow(products, f.Id, f.Name, productId),
                 [&] {
                   DeleteCurrentRow(store, products);
                   products.MergeChangeLog();
                 });
}

// ---- One field of many rows ----

namespace {

void ChangeRows(Table& table, int fieldIndex, const std::optional<Value>& value,
                const std::function<bool()>& chosen, TBulkChange& result) {
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
}

}  // namespace

TBulkChange ChangeFieldOfRows(TDataModule1& store, Table& table, int fieldIndex,
                              const std::optional<Value>& value,
                              const std::function<bool()>& chosen) {
  TBulkChange result;
  result.record = OneStep(store, ChangeKind::BulkChange, table.Fields(fieldIndex).FieldName(),
                          [&] { ChangeRows(table, fieldIndex, value, chosen, result); });
  return result;
}

// ---- Rows a grid edits ----

void TStoreRowWriter::PostRow(Table& table) {
  if (table.State() == TableState::Browse) return;
  const RowChangeKind change =
      table.State() == TableState::Insert ? RowChangeKind::Insert : RowChangeKind::Update;
  const ChangeScope scope =
      store_.BeginChange(RowStepKind(store_, table, change), RowStepName(table));
  TRowWriter::PostRow(table);
}

void TStoreRowWriter::FinishRow(Table& table) {
  // An untouched row is dropped, which is no step.
  if (!table.Modified()) {
    TRowWriter::FinishRow(table);
    return;
  }
  PostRow(table);
}

void TStoreRowWriter::DeleteRow(Table& table) {
  if (table.State() == TableState::Insert || table.IsEmpty()) {
    TRowWriter::DeleteRow(table);
    return;
  }
  const ChangeScope scope =
      store_.BeginChange(RowStepKind(store_, table, RowChangeKind::Delete), RowStepName(table));
  TRowWriter::DeleteRow(table);
}

}  // namespace qv
