#include <algorithm>
#include <string>
#include <vector>

#include "data/DataModule1.h"
#include "data/MapLimits.h"

// The lookups the map, the calculators and the editors share. Scans read rows
// by position without moving the cursor; searches that must move it put it
// back (or say where they leave it).

namespace qv {

namespace {

constexpr const char* kCoordIndex = "SectorsDataCoordIndex";
constexpr const char* kTraderOrder = "SectorId;Trader";

// Puts the sectors' cursor on `sector`, found without it, with the sectors
// in the map's order; false when there is no such sector (the cursor stays).
bool StandOnSector(Table& sectors, const Record& sector) {
  if (sectors.IndexName() != kCoordIndex) sectors.SetIndexName(kCoordIndex);
  if (!sector.IsValid()) return false;
  sectors.GotoBookmark(sector.GetRow()->id);
  return true;
}

// Fills a name list from a type table in the order the names are listed
// in, over all its rows, without touching its order, filter or cursor.
void LoadNames(const Table& types, const char* order, const FieldRef& id, const FieldRef& name,
               TNumStrList& names) {
  const OrderedRows rows = types.RowsInOrder(order);
  names.Clear();
  names.Reserve(rows.Size());
  for (int i = 0; i < rows.Size(); ++i) {
    const Record record = rows.At(i);
    names.Add(name.Of(record).ToString(), id.Of(record).ToInteger());
  }
}

}  // namespace

void TDataModule1::SuspendViews() {
  for (Table* table : AllTables())
    if (table != &AuxRequestData) table->DisableControls();
}

void TDataModule1::ResumeViews() {
  for (Table* table : AllTables())
    if (table != &AuxRequestData) table->EnableControls();
}

TSectorBounds TDataModule1::GetSectorBounds() {
  TSectorBounds bounds;
  const TSectorsFields& f = fields_.Sectors;
  const int count = SectorsData.RecordCount();
  for (int recNo = 1; recNo <= count; ++recNo) {
    const Record record = SectorsData.RecordAt(recNo);
    const int sx = f.X.Of(record).ToInteger();
    const int sy = f.Y.Of(record).ToInteger();
    // A stray position would stretch the map to absurd sizes; such rows stay
    // in the table but are left out of the extents.
    if (!IsMapPosition(sx, sy)) continue;
    bounds.MinX = std::min(bounds.MinX, sx);
    bounds.MinY = std::min(bounds.MinY, sy);
    bounds.MaxX = std::max(bounds.MaxX, sx);
    bounds.MaxY = std::max(bounds.MaxY, sy);
    if (f.Visible.Of(record).ToBoolean()) {
      bounds.MaxVisibleX = std::max(bounds.MaxVisibleX, sx);
      bounds.MaxVisibleY = std::max(bounds.MaxVisibleY, sy);
      bounds.MinVisibleX = std::min(bounds.MinVisibleX, sx);
      bounds.MinVisibleY = std::min(bounds.MinVisibleY, sy);
    } else {
      ++bounds.HiddenCount;
    }
  }
  return bounds;
}

void TDataModule1::FillSectorNames(std::vector<std::string>& list, const std::string& leaveOut,
                                   bool visibleOnly) {
  list.clear();
  const TSectorsFields& f = fields_.Sectors;
  const int count = SectorsData.RecordCount();
  for (int recNo = 1; recNo <= count; ++recNo) {
    const Record record = SectorsData.RecordAt(recNo);
    std::string sectorName = f.Name.Of(record).ToString();
    if (sectorName == leaveOut) continue;
    if (visibleOnly && !f.Visible.Of(record).ToBoolean()) continue;
    list.push_back(std::move(sectorName));
  }
}

bool TDataModule1::LocateSectorById(int id) {
  SectorsData.CheckBrowseMode();
  return StandOnSector(SectorsData, SectorsData.Lookup(fields_.Sectors.Id->FieldName(), Value(id)));
}

bool TDataModule1::FindSectorAt(int x, int y, std::string* name) const {
  const Record sector = SectorsData.RowsWithKey("X;Y", {Value(x), Value(y)}).Front();
  if (sector.IsValid() && name) *name = fields_.Sectors.Name.Of(sector).ToString();
  return sector.IsValid();
}

bool TDataModule1::LocateSectorAt(int x, int y) {
  return SectorsData.FindKey({Value(x), Value(y)});
}

bool TDataModule1::FindSectorByName(const std::string& name, int* x, int* y) const {
  const Record sector = SectorsData.RowsWithKey("Name", {Value(name)}).Front();
  if (x) *x = sector.IsValid() ? fields_.Sectors.X.Of(sector).ToInteger() : -1;
  if (y) *y = sector.IsValid() ? fields_.Sectors.Y.Of(sector).ToInteger() : -1;
  return sector.IsValid();
}

bool TDataModule1::LocateSectorByName(const std::string& name) {
  SectorsData.CheckBrowseMode();
  return StandOnSector(SectorsData, SectorsData.RowsWithKey("Name", {Value(name)}).Front());
}

int TDataModule1::CountTraders(int sectorId, int trader) const {
  return SectTradeData.RowsWithKey(kTraderOrder, {Value(sectorId), Value(trader)}).Size();
}

// The rows go whether the traders' filter shows them or not; the filter,
// the order and (unless its row goes) the cursor stay as the window left them.
void TDataModule1::DeleteTraders(int sectorId, int trader) {
  SectTradeData.CheckBrowseMode();
  const OrderedRows rows =
      SectTradeData.RowsWithKey(kTraderOrder, {Value(sectorId), Value(trader)});
  std::vector<Table::Bookmark> doomed;
  doomed.reserve(static_cast<std::size_t>(rows.Size()));
  for (int i = 0; i < rows.Size(); ++i)
    doomed.push_back(rows.At(i).GetRow()->id);
  SectTradeData.DeleteStoredRows(doomed);
}

void TDataModule1::LoadProductNames() {
  LoadNames(ProductsData, "Type;Name", fields_.Products.Id, fields_.Products.Name, productNames_);
}

void TDataModule1::LoadFactoryNames() {
  LoadNames(FactoriesData, "Name", fields_.Factories.Id, fields_.Factories.Name, factoryNames_);
}

void TDataModule1::FillProductNames(std::vector<std::string>& list, bool productsAndUpgrades,
                                    bool shipsAndFactories) {
  list.clear();
  const TProductsFields& f = fields_.Products;
  const OrderedRows rows = ProductsData.RowsInOrder("Type;Name");
  for (int i = 0; i < rows.Size(); ++i) {
    const Record record = rows.At(i);
    const ProductType t = AsCode<ProductType>(f.Type.Of(record).ToInteger());
    const bool ware = t == ProductType::Product || t == ProductType::Upgrade;
    const bool big = t == ProductType::Ship || t == ProductType::Factory;
    if ((productsAndUpgrades && ware) || (shipsAndFactories && big))
      list.push_back(f.Name.Of(record).ToString());
  }
}

void TDataModule1::FillFactoryNames(std::vector<std::string>& list, bool buyableOnly) {
  list.clear();
  const TFactoriesFields& f = fields_.Factories;
  const OrderedRows rows = FactoriesData.RowsInOrder("Name");
  for (int i = 0; i < rows.Size(); ++i) {
    const Record record = rows.At(i);
    if (!buyableOnly || f.Buyable.Of(record).ToBoolean())
      list.push_back(f.Name.Of(record).ToString());
  }
}

int TDataModule1::SectorSolarCycle() const {
  return SolarCycleOfRow(SectorsData.CurrentRecord());
}

int TDataModule1::SectorSolarCycle(const std::string& sectorName) const {
  return SolarCycleOfRow(SectorsData.RowsWithKey("Name", {Value(sectorName)}).Front());
}

int TDataModule1::SolarCycleOfRow(const Record& record) const {
  if (!record.IsValid()) return -1;
  return SolarCycleOf(fields_.Sectors.SolarCycle.Of(record).ToInteger(),
                      fields_.Sectors.Suns.Of(record).ToInteger());
}

int TDataModule1::SolarCycleOf(int solarCycle, int suns) {
  if (solarCycle > 0) return solarCycle;
  switch (suns) {
    case 1:
      return 92;
    case 2:
      return 72;
    case 4:
      return 51;
    case 6:
      return 45;
    default:
      // No suns, or a negative count typed by mistake, gives no solar power
      // rather than a negative cycle.
      if (suns <= 0) return -1;
      return static_cast<int>(56.4 / suns + 35.6);
  }
}

int TDataModule1::ApproxSuns(int cycleSeconds) {
  if (cycleSeconds >= 80) return 1;
  if (cycleSeconds >= 60) return 2;
  if (cycleSeconds >= 48) return 4;
  return 6;
}

}  // namespace qv
