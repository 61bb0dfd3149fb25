#include "economy/SectorStatistics.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>
#include <vector>

#include "data/DataModule1.h"
#include "data/MapLimits.h"
#include "economy/SectorStat.h"
#include "map/RequestData.h"
#include "map/SectorArray.h"

namespace qv {

namespace {

constexpr int kSpecialSolar = 1;
constexpr int kSpecialOre = 2;
constexpr int kSpecialSilicon = 3;

// Resumes the views when the scan ends, also when the engine throws.
class ViewsSuspended {
 public:
  explicit ViewsSuspended(TDataModule1& store) : store_(store) { store_.SuspendViews(); }
  ~ViewsSuspended() { store_.ResumeViews(); }
  ViewsSuspended(const ViewsSuspended&) = delete;
  ViewsSuspended& operator=(const ViewsSuspended&) = delete;

 private:
  TDataModule1& store_;
};

// A scan must see every placed factory and trader. The objects-in-sector
// window filters these tables to one sector while it edits; the filter is
// switched off for the scan and switched back afterwards.
class FilterPaused {
 public:
  explicit FilterPaused(Table& table) : table_(table), wasFiltered_(table.Filtered()) {
    if (wasFiltered_) table_.SetFiltered(false);
  }
  ~FilterPaused() {
    if (wasFiltered_) table_.SetFiltered(true);
  }
  FilterPaused(const FilterPaused&) = delete;
  FilterPaused& operator=(const FilterPaused&) = delete;

 private:
  Table& table_;
  bool wasFiltered_;
};

// The type of a placed factory as the cycle rule needs it.
struct FactoryType {
  bool found = false;
  int special = 0;
  int mtime = 0;
};

FactoryType LookupFactoryType(const Table& factories, int id) {
  const Record type = factories.Lookup("Id", Value(id));
  if (!type.IsValid()) return {};
  return {true, type.Get("Special").ToInteger(), type.Get("Mtime").ToInteger()};
}

// One recipe row that feeds a request product.
struct RequestRecipe {
  int slot = 0;
  int qty = 0;
};

// Items by table Id. Ids are auto-increment numbers that stay small, so a
// plain table finds them faster than hashing; a stray large or negative Id
// goes to a hash map instead.
template <typename T>
class IdMap {
 public:
  T* Find(int id) {
    int slot = 0;
    if (id >= 0 && id < kDenseLimit) {
      if (static_cast<size_t>(id) < dense_.size()) slot = dense_[static_cast<size_t>(id)];
    } else if (const auto it = sparse_.find(id); it != sparse_.end()) {
      slot = it->second;
    }
    return slot == 0 ? nullptr : &items_[static_cast<size_t>(slot - 1)];
  }
  // The item of `id`, made from `make` when there is none yet.
  template <typename Make>
  T& FindOrAdd(int id, Make make) {
    if (T* item = Find(id)) return *item;
    items_.push_back(make());
    const int slot = static_cast<int>(items_.size());
    if (id >= 0 && id < kDenseLimit) {
      if (static_cast<size_t>(id) >= dense_.size()) dense_.resize(static_cast<size_t>(id) + 1, 0);
      dense_[static_cast<size_t>(id)] = slot;
    } else {
      sparse_[id] = slot;
    }
    return items_.back();
  }
  std::vector<T>& Items() { return items_; }

 private:
  static constexpr int kDenseLimit = 1 << 20;
  std::vector<int> dense_;  // slot + 1 per Id, 0 when absent
  std::unordered_map<int, int> sparse_;
  std::vector<T> items_;
};

}  // namespace

double FactoryCycleTime(bool typeFound, int special, int mtime, int yield, int solarCycle) {
  if (!typeFound) return -1.0;
  if (special == kSpecialSolar) return solarCycle;
  if (special == kSpecialOre || special == kSpecialSilicon) {
    if (yield < 1) return -1.0;
    return static_cast<double>(mtime) / yield;
  }
  return mtime;
}

double HourlyRate(int qty, double cycleTime) {
  if (cycleTime <= 0.0) return 0.0;
  // In doubles: a large quantity must not wrap around in 32-bit arithmetic.
  return static_cast<double>(qty) * 3600.0 / cycleTime;
}

void CalcRequestStatistics(TDataModule1& store, TRequestData& request, TSectorArray& cells) {
  const int n = request.UsedCount();
  Table& sectors = store.SectorsData;
  Table& factories = store.FactoriesData;
  Table& products = store.ProductsData;
  Table& recipes = store.FactoryProdData;
  Table& placed = store.SectFactoryData;
  Table& trade = store.SectTradeData;

  {
    ViewsSuspended suspended(store);
    FilterPaused placedUnfiltered(placed);
    FilterPaused tradeUnfiltered(trade);
    const Table::Bookmark sectorMark = sectors.GetBookmark();

    factories.SetIndexName("FactoriesDataIdIndex");
    products.SetIndexName("ProductsDataIdIndex");
    recipes.SetIndexName("FactoryProdDataIndex");
    trade.SetIndexFieldNames("SectorId");
    if (placed.ActiveOrderFields() != "SectorId") placed.SetIndexFieldNames("SectorId");

    // Trader rate of each request product, in units per hour.
    std::array<double, TRequestData::kMaxProducts> traderRate{};
    for (int i = 0; i < n; ++i) {
      const Record product = products.Lookup("Id", Value(request.ProductId[i]));
      if (!product.IsValid()) continue;
      const int mtime = product.Get("Mtime").ToInteger();
      if (mtime > 0) traderRate[i] = HourlyRate(product.Get("Qty").ToInteger(), mtime);
    }

    request.Max.fill(0.0);
    request.OverallMax = 0.0;

    // Every sector on the map gets its values, zero to start with. They are
    // summed per sector and written to the cells at the end in the sectors'
    // order, so that of two sectors sharing a position the later one shows,
    // as when each sector clears its cell before counting.
    struct SectorValues {
      double* cell = nullptr;
      int recNo = 0;                  // where the sector stands in the sectors' order
      std::optional<int> solarCycle;  // read when a solar power plant needs it
      std::array<double, TRequestData::kMaxProducts> values{};
    };
    IdMap<SectorValues> sectorById;
    {
      const int xIndex = sectors.FieldByName("X").Index();
      const int yIndex = sectors.FieldByName("Y").Index();
      const int idIndex = sectors.FieldByName("Id").Index();
      const int count = sectors.RecordCount();
      sectorById.Items().reserve(static_cast<size_t>(count));
      for (int recNo = 1; recNo <= count; ++recNo) {
        const Record row = sectors.RecordAt(recNo);
        const int x = row.Get(xIndex).ToInteger();
        const int y = row.Get(yIndex).ToInteger();
        if (!IsMapPosition(x, y)) continue;
        double* cell = cells.Cell(x, y, true);
        if (cell == nullptr) continue;
        sectorById.FindOrAdd(row.Get(idIndex).ToInteger(), [&] {
          return SectorValues{cell, recNo, std::nullopt, {}};
        });
      }
    }

    auto addTo = [&](SectorValues& sector, int i, double amount) {
      sector.values[i] += amount;
      if (sector.values[i] > request.Max[i]) request.Max[i] = sector.values[i];
    };
    // The rows of one sector lie together in the SectorId order; the sector
    // is looked up once per run of rows.
    struct SectorRun {
      bool started = false;
      int id = 0;
      SectorValues* values = nullptr;
    };
    auto sectorOf = [&](int sectorId, SectorRun& run) {
      if (!run.started || sectorId != run.id) {
        run = SectorRun{true, sectorId, sectorById.Find(sectorId)};
      }
      return run.values;
    };

    if (n > 0) {
      // The recipe rows that concern the request, per factory type, in recipe
      // order; a factory type without any is passed over at once.
      IdMap<std::vector<RequestRecipe>> requestRecipes;
      {
        Field& fFactory = recipes.FieldByName("FactoryId");
        Field& fOperation = recipes.FieldByName("Operation");
        Field& fProduct = recipes.FieldByName("ProductId");
        Field& fQty = recipes.FieldByName("Qty");
        for (recipes.First(); !recipes.Eof(); recipes.Next()) {
          const int productId = fProduct.AsInteger();
          const int operation = fOperation.AsInteger();
          for (int i = 0; i < n; ++i) {
            if (request.ProductId[i] == productId && request.Operation[i] == operation)
              requestRecipes
                  .FindOrAdd(fFactory.AsInteger(), [] { return std::vector<RequestRecipe>(); })
                  .push_back({i, fQty.AsInteger()});
          }
        }
      }
      IdMap<FactoryType> factoryTypes;
      auto typeOf = [&](int id) -> const FactoryType& {
        return factoryTypes.FindOrAdd(id, [&] { return LookupFactoryType(factories, id); });
      };

      const int sectorIndex = placed.FieldByName("SectorId").Index();
      const int factoryIndex = placed.FieldByName("FactoryId").Index();
      const int yourIndex = placed.FieldByName("Your").Index();
      const int yieldIndex = placed.FieldByName("Yield").Index();
      SectorRun run;
      const int placedCount = placed.RecordCount();
      for (int recNo = 1; recNo <= placedCount; ++recNo) {
        const Record row = placed.RecordAt(recNo);
        // Most factories make nothing the request asks for: their other
        // fields are never read.
        const int factoryId = row.Get(factoryIndex).ToInteger();
        const std::vector<RequestRecipe>* found = requestRecipes.Find(factoryId);
        if (found == nullptr) continue;
        SectorValues* sector = sectorOf(row.Get(sectorIndex).ToInteger(), run);
        if (sector == nullptr) continue;
        if (!request.CountYour && row.Get(yourIndex).ToBoolean()) continue;
        if (!request.Rates) {
          for (const RequestRecipe& r : *found)
            addTo(*sector, r.slot, 1.0);
          continue;
        }
        const FactoryType& type = typeOf(factoryId);
        if (type.found && type.special == kSpecialSolar && !sector->solarCycle) {
          sectors.SetRecNo(sector->recNo);
          sector->solarCycle = store.SectorSolarCycle();
        }
        const double cycle =
            FactoryCycleTime(type.found, type.special, type.mtime, row.Get(yieldIndex).ToInteger(),
                             sector->solarCycle.value_or(-1));
        if (cycle <= 0.0) continue;
        for (const RequestRecipe& r : *found)
          addTo(*sector, r.slot, HourlyRate(r.qty, cycle));
      }

      if (request.Traders != 0) {
        const int tradeSectorIndex = trade.FieldByName("SectorId").Index();
        const int tradeProductIndex = trade.FieldByName("ProductId").Index();
        SectorRun tradeRun;
        const int tradeCount = trade.RecordCount();
        for (int recNo = 1; recNo <= tradeCount; ++recNo) {
          const Record row = trade.RecordAt(recNo);
          const int productId = row.Get(tradeProductIndex).ToInteger();
          if (std::find(request.ProductId.begin(), request.ProductId.begin() + n, productId) ==
              request.ProductId.begin() + n)
            continue;
          SectorValues* sector = sectorOf(row.Get(tradeSectorIndex).ToInteger(), tradeRun);
          if (sector == nullptr) continue;
          for (int i = 0; i < n; ++i) {
            if (request.ProductId[i] != productId) continue;
            const bool admitted = request.Traders == 3 ||
                                  (request.Traders == 1 && request.Operation[i] == 0) ||
                                  (request.Traders == 2 && request.Operation[i] == 1);
            if (admitted) addTo(*sector, i, request.Rates ? traderRate[i] : 1.0);
          }
        }
      }
    }

    for (const SectorValues& sector : sectorById.Items())
      std::copy(sector.values.begin(), sector.values.begin() + n, sector.cell);

    // The walk leaves the cursor at the end; a grid over the sectors or the
    // selection must not lose its row because statistics ran.
    if (sectorMark != 0 && sectors.BookmarkValid(sectorMark)) sectors.GotoBookmark(sectorMark);

    store.DataChanged = false;
    products.SetIndexFieldNames("Type;Name");
    trade.SetIndexFieldNames("SectorId;Trader");
  }

  for (int i = 0; i < n; ++i)
    request.OverallMax = std::max(request.OverallMax, request.Max[i]);
}

bool CalcSectorStatistics(TDataModule1& store, TSectorStat* stat, int x, int y, bool rates) {
  if (stat == nullptr) return false;
  stat->Clear();
  Table& sectors = store.SectorsData;
  Table& factories = store.FactoriesData;
  Table& recipes = store.FactoryProdData;
  Table& placed = store.SectFactoryData;
  Table& trade = store.SectTradeData;

  factories.SetIndexName("FactoriesDataIdIndex");
  if (sectors.IndexName() != "SectorsDataCoordIndex") sectors.SetIndexName("SectorsDataCoordIndex");
  if (!store.LocateSectorAt(x, y)) return false;
  const int sectorId = sectors.FieldByName("Id").AsInteger();
  const int solarCycle = store.SectorSolarCycle();

  ViewsSuspended suspended(store);
  FilterPaused placedUnfiltered(placed);
  FilterPaused tradeUnfiltered(trade);
  recipes.SetIndexName("FactoryProdDataIndex");
  trade.SetIndexFieldNames("SectorId");
  if (placed.ActiveOrderFields() != "SectorId") placed.SetIndexFieldNames("SectorId");

  Field& fPlacedSector = placed.FieldByName("SectorId");
  Field& fPlacedFactory = placed.FieldByName("FactoryId");
  Field& fYield = placed.FieldByName("Yield");
  Field& fRecipeFactory = recipes.FieldByName("FactoryId");
  Field& fOperation = recipes.FieldByName("Operation");
  Field& fProduct = recipes.FieldByName("ProductId");
  Field& fQty = recipes.FieldByName("Qty");

  placed.FindNearest({Value(sectorId)});
  for (; !placed.Eof() && fPlacedSector.AsInteger() == sectorId; placed.Next()) {
    const int factoryId = fPlacedFactory.AsInteger();
    double cycle = 0.0;
    if (rates) {
      const FactoryType type = LookupFactoryType(factories, factoryId);
      cycle =
          FactoryCycleTime(type.found, type.special, type.mtime, fYield.AsInteger(), solarCycle);
    }
    recipes.FindNearest({Value(factoryId)});
    for (; !recipes.Eof() && fRecipeFactory.AsInteger() == factoryId; recipes.Next()) {
      const double rate = rates ? HourlyRate(fQty.AsInteger(), cycle) : 0.0;
      if (fOperation.AsInteger() == 0)
        stat->Add(fProduct.AsInteger(), 0, 1, 0, rate, 0.0);
      else
        stat->Add(fProduct.AsInteger(), 0, 0, 1, 0.0, rate);
    }
  }

  Field& fTradeSector = trade.FieldByName("SectorId");
  Field& fTradeProduct = trade.FieldByName("ProductId");
  trade.FindNearest({Value(sectorId)});
  for (; !trade.Eof() && fTradeSector.AsInteger() == sectorId; trade.Next())
    stat->Add(fTradeProduct.AsInteger(), 1, 0, 0, 0.0, 0.0);

  trade.SetIndexFieldNames("SectorId;Trader");
  return true;
}

}  // namespace qv
