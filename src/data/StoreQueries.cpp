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
constexpr const char* kNameIndex = "SectorsDataNameIndex";
constexpr const char* kTraderOrder = "SectorId;Trader";

// Switches a table's filtering off for a scope and restores it.
class FilterOff {
 public:
  explicit FilterOff(Table& table) : table_(table), wasFiltered_(table.Filtered()) {
    if (wasFiltered_) table_.SetFiltered(false);
  }
  ~FilterOff() {
    if (wasFiltered_) table_.SetFiltered(true);
  }
  FilterOff(const FilterOff&) = delete;
  FilterOff& operator=(const FilterOff&) = delete;

 private:
  Table& table_;
  bool wasFiltered_;
};

// Whether the current row of the sector traders is of that sector and kind.
class TraderMatch {
 public:
  TraderMatch(const Table& trade, int sectorId, int trader)
      : trade_(trade),
        sectorField_(trade.FieldByName("SectorId").Index()),
        traderField_(trade.FieldByName("Trader").Index()),
        sectorId_(sectorId),
        trader_(trader) {}

  bool operator()() const {
    const Record record = trade_.CurrentRecord();
    return record.IsValid() && record.Get(sectorField_) == sectorId_ &&
           record.Get(traderField_) == trader_;
  }

 private:
  const Table& trade_;
  int sectorField_;
  int traderField_;
  Value sectorId_;
  Value trader_;
};

// Key search for (sectorId, trader) in the sector traders' working order.
bool FindTraders(Table& trade, int sectorId, int trader) {
  if (trade.IndexFieldNames() != kTraderOrder) trade.SetIndexFieldNames(kTraderOrder);
  return trade.FindKey({Value(sectorId), Value(trader)});
}

// Fills a name list from a type table, which is left in the order the
// names are listed in.
void LoadNames(Table& types, const char* order, TNumStrList& names) {
  types.DisableControls();
  types.SetIndexFieldNames(order);
  names.Clear();
  const int count = types.RecordCount();
  names.Reserve(count);
  const int id = types.FieldByName("Id").Index();
  const int name = types.FieldByName("Name").Index();
  for (int recNo = 1; recNo <= count; ++recNo) {
    const Record record = types.RecordAt(recNo);
    names.Add(record.Get(name).ToString(), record.Get(id).ToInteger());
  }
  types.EnableControls();
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
  const int x = SectorsData.FieldByName("X").Index();
  const int y = SectorsData.FieldByName("Y").Index();
  const int visible = SectorsData.FieldByName("Visible").Index();
  const int count = SectorsData.RecordCount();
  for (int recNo = 1; recNo <= count; ++recNo) {
    const Record record = SectorsData.RecordAt(recNo);
    const int sx = record.Get(x).ToInteger();
    const int sy = record.Get(y).ToInteger();
    // A stray position would stretch the map to absurd sizes; such rows stay
    // in the table but are left out of the extents.
    if (!IsMapPosition(sx, sy)) continue;
    bounds.MinX = std::min(bounds.MinX, sx);
    bounds.MinY = std::min(bounds.MinY, sy);
    bounds.MaxX = std::max(bounds.MaxX, sx);
    bounds.MaxY = std::max(bounds.MaxY, sy);
    if (record.Get(visible).ToBoolean()) {
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
  const int name = SectorsData.FieldByName("Name").Index();
  const int visible = SectorsData.FieldByName("Visible").Index();
  const int count = SectorsData.RecordCount();
  for (int recNo = 1; recNo <= count; ++recNo) {
    const Record record = SectorsData.RecordAt(recNo);
    std::string sectorName = record.Get(name).ToString();
    if (sectorName == leaveOut) continue;
    if (visibleOnly && !record.Get(visible).ToBoolean()) continue;
    list.push_back(std::move(sectorName));
  }
}

bool TDataModule1::LocateSectorById(int id) {
  SectorsData.SetIndexFieldNames("Id");
  const bool found = SectorsData.FindKey({Value(id)});
  const Table::Bookmark bookmark = SectorsData.GetBookmark();
  SectorsData.SetIndexName(kCoordIndex);
  if (found) SectorsData.GotoBookmark(bookmark);
  return found;
}

bool TDataModule1::FindSectorAt(int x, int y, std::string* name) const {
  const Record sector = SectorsData.RowsWithKey("X;Y", {Value(x), Value(y)}).Front();
  if (sector.IsValid() && name) *name = sector.Get("Name").ToString();
  return sector.IsValid();
}

bool TDataModule1::LocateSectorAt(int x, int y) {
  return SectorsData.FindKey({Value(x), Value(y)});
}

bool TDataModule1::FindSectorByName(const std::string& name, int* x, int* y) const {
  const Record sector = SectorsData.RowsWithKey("Name", {Value(name)}).Front();
  if (x) *x = sector.IsValid() ? sector.Get("X").ToInteger() : -1;
  if (y) *y = sector.IsValid() ? sector.Get("Y").ToInteger() : -1;
  return sector.IsValid();
}

bool TDataModule1::LocateSectorByName(const std::string& name) {
  TQuietViews suspended(*this);
  SectorsData.SetIndexName(kNameIndex);
  const bool found = SectorsData.FindKey({Value(name)});
  const Table::Bookmark bookmark = SectorsData.GetBookmark();
  SectorsData.SetIndexName(kCoordIndex);
  if (found) SectorsData.GotoBookmark(bookmark);
  return found;
}

int TDataModule1::CountTraders(int sectorId, int trader) const {
  return SectTradeData.RowsWithKey(kTraderOrder, {Value(sectorId), Value(trader)}).Size();
}

void TDataModule1::DeleteTraders(int sectorId, int trader) {
  TQuietViews suspended(*this);
  FilterOff unfiltered(SectTradeData);
  if (!FindTraders(SectTradeData, sectorId, trader)) return;
  const TraderMatch matches(SectTradeData, sectorId, trader);
  while (matches()) {
    const bool wasLast = SectTradeData.RecNo() == SectTradeData.RecordCount();
    SectTradeData.Delete();
    if (wasLast) break;
  }
}

void TDataModule1::LoadProductNames() {
  LoadNames(ProductsData, "Type;Name", productNames_);
}

void TDataModule1::LoadFactoryNames() {
  LoadNames(FactoriesData, "Name", factoryNames_);
}

void TDataModule1::FillProductNames(std::vector<std::string>& list, bool productsAndUpgrades,
                                    bool shipsAndFactories) {
  ProductsData.SetIndexFieldNames("Type;Name");
  list.clear();
  const int type = ProductsData.FieldByName("Type").Index();
  const int name = ProductsData.FieldByName("Name").Index();
  const int count = ProductsData.RecordCount();
  for (int recNo = 1; recNo <= count; ++recNo) {
    const Record record = ProductsData.RecordAt(recNo);
    const int t = record.Get(type).ToInteger();
    if ((productsAndUpgrades && (t == 0 || t == 1)) || (shipsAndFactories && (t == 2 || t == 3)))
      list.push_back(record.Get(name).ToString());
  }
}

void TDataModule1::FillFactoryNames(std::vector<std::string>& list, bool buyableOnly) {
  FactoriesData.SetIndexFieldNames("Name");
  list.clear();
  const int buyable = FactoriesData.FieldByName("Buyable").Index();
  const int name = FactoriesData.FieldByName("Name").Index();
  const int count = FactoriesData.RecordCount();
  for (int recNo = 1; recNo <= count; ++recNo) {
    const Record record = FactoriesData.RecordAt(recNo);
    if (!buyableOnly || record.Get(buyable).ToBoolean())
      list.push_back(record.Get(name).ToString());
  }
}

int TDataModule1::SectorSolarCycle() const {
  const Record record = SectorsData.CurrentRecord();
  if (!record.IsValid()) return -1;
  return SolarCycleOf(record.Get("SolarCycle").ToInteger(), record.Get("Suns").ToInteger());
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
