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

// One sector's values while a request is summed.
struct SectorSums {
  double* cell = nullptr;
  Record row;                     // the sector, for its solar cycle
  std::optional<int> solarCycle;  // read when a solar power plant needs it
  std::array<double, TRequestData::kMaxProducts> values{};
};

// The steps of a request's statistics, over rows read without any cursor.
class RequestSums {
 public:
  RequestSums(TDataModule1& store, TRequestData& request)
      : store_(store), request_(request), n_(request.UsedCount()) {}

  // Every sector on the map gets its values, zero to start with. They are
  // summed per sector and written to the cells at the end in the sectors'
  // order, so that of two sectors sharing a position the later one shows,
  // as when each sector clears its cell before counting.
  void GatherSectors(TSectorArray& cells) {
    const Table& sectors = store_.SectorsData;
    const int xIndex = sectors.FieldByName("X").Index();
    const int yIndex = sectors.FieldByName("Y").Index();
    const int idIndex = sectors.FieldByName("Id").Index();
    const OrderedRows rows = sectors.RowsInOrder("X;Y");
    sectorById_.Items().reserve(static_cast<size_t>(rows.Size()));
    for (int i = 0; i < rows.Size(); ++i) {
      const Record row = rows.At(i);
      const int x = row.Get(xIndex).ToInteger();
      const int y = row.Get(yIndex).ToInteger();
      if (!IsMapPosition(x, y)) continue;
      double* cell = cells.Cell(x, y, true);
      if (cell == nullptr) continue;
      sectorById_.FindOrAdd(row.Get(idIndex).ToInteger(), [&] {
        return SectorSums{cell, row, std::nullopt, {}};
      });
    }
  }

  // The recipe rows that concern the request, per factory type, in recipe
  // order; a factory type without any is passed over at once.
  void GatherRecipes() {
    const Table& recipes = store_.FactoryProdData;
    const int factoryIndex = recipes.FieldByName("FactoryId").Index();
    const int operationIndex = recipes.FieldByName("Operation").Index();
    const int productIndex = recipes.FieldByName("ProductId").Index();
    const int qtyIndex = recipes.FieldByName("Qty").Index();
    const OrderedRows rows = recipes.RowsInOrder("FactoryId;Operation");
    for (int k = 0; k < rows.Size(); ++k) {
      const Record row = rows.At(k);
      const int productId = row.Get(productIndex).ToInteger();
      const int operation = row.Get(operationIndex).ToInteger();
      for (int i = 0; i < n_; ++i) {
        if (request_.ProductId[i] == productId && request_.Operation[i] == operation)
          requestRecipes_
              .FindOrAdd(row.Get(factoryIndex).ToInteger(),
                         [] { return std::vector<RequestRecipe>(); })
              .push_back({i, row.Get(qtyIndex).ToInteger()});
      }
    }
  }

  void SumFactories() {
    const Table& placed = store_.SectFactoryData;
    const int sectorIndex = placed.FieldByName("SectorId").Index();
    const int factoryIndex = placed.FieldByName("FactoryId").Index();
    const int yourIndex = placed.FieldByName("Your").Index();
    const int yieldIndex = placed.FieldByName("Yield").Index();
    const int solarIndex = store_.SectorsData.FieldByName("SolarCycle").Index();
    const int sunsIndex = store_.SectorsData.FieldByName("Suns").Index();
    SectorRun run;
    const OrderedRows rows = placed.RowsInOrder("SectorId");
    for (int k = 0; k < rows.Size(); ++k) {
      const Record row = rows.At(k);
      // Most factories make nothing the request asks for: their other
      // fields are never read.
      const int factoryId = row.Get(factoryIndex).ToInteger();
      const std::vector<RequestRecipe>* found = requestRecipes_.Find(factoryId);
      if (found == nullptr) continue;
      SectorSums* sector = SectorOf(row.Get(sectorIndex).ToInteger(), run);
      if (sector == nullptr) continue;
      if (!request_.CountYour && row.Get(yourIndex).ToBoolean()) continue;
      if (!request_.Rates) {
        for (const RequestRecipe& r : *found)
          AddTo(*sector, r.slot, 1.0);
        continue;
      }
      const FactoryType& type = TypeOf(factoryId);
      if (type.found && type.special == kSpecialSolar && !sector->solarCycle) {
        sector->solarCycle = TDataModule1::SolarCycleOf(sector->row.Get(solarIndex).ToInteger(),
                                                        sector->row.Get(sunsIndex).ToInteger());
      }
      const double cycle =
          FactoryCycleTime(type.found, type.special, type.mtime, row.Get(yieldIndex).ToInteger(),
                           sector->solarCycle.value_or(-1));
      if (cycle <= 0.0) continue;
      for (const RequestRecipe& r : *found)
        AddTo(*sector, r.slot, HourlyRate(r.qty, cycle));
    }
  }

  void SumTraders() {
    if (request_.Traders == 0) return;
    // Trader rate of each request product, in units per hour.
    std::array<double, TRequestData::kMaxProducts> traderRate{};
    for (int i = 0; i < n_; ++i) {
      const Record product = store_.ProductsData.Lookup("Id", Value(request_.ProductId[i]));
      if (!product.IsValid()) continue;
      const int mtime = product.Get("Mtime").ToInteger();
      if (mtime > 0) traderRate[i] = HourlyRate(product.Get("Qty").ToInteger(), mtime);
    }
    const Table& trade = store_.SectTradeData;
    const int sectorIndex = trade.FieldByName("SectorId").Index();
    const int productIndex = trade.FieldByName("ProductId").Index();
    const auto products = request_.ProductId.begin();
    SectorRun run;
    const OrderedRows rows = trade.RowsInOrder("SectorId");
    for (int k = 0; k < rows.Size(); ++k) {
      const Record row = rows.At(k);
      const int productId = row.Get(productIndex).ToInteger();
      if (std::find(products, products + n_, productId) == products + n_) continue;
      SectorSums* sector = SectorOf(row.Get(sectorIndex).ToInteger(), run);
      if (sector == nullptr) continue;
      for (int i = 0; i < n_; ++i) {
        if (request_.ProductId[i] != productId) continue;
        const bool admitted = request_.Traders == 3 ||
                              (request_.Traders == 1 && request_.Operation[i] == 0) ||
                              (request_.Traders == 2 && request_.Operation[i] == 1);
        if (admitted) AddTo(*sector, i, request_.Rates ? traderRate[i] : 1.0);
      }
    }
  }

  void WriteCells() {
    for (const SectorSums& sector : sectorById_.Items())
      std::copy(sector.values.begin(), sector.values.begin() + n_, sector.cell);
  }

 private:
  // The rows of one sector lie together in the SectorId order; the sector is
  // looked up once per run of rows.
  struct SectorRun {
    bool started = false;
    int id = 0;
    SectorSums* values = nullptr;
  };
  SectorSums* SectorOf(int sectorId, SectorRun& run) {
    if (!run.started || sectorId != run.id)
      run = SectorRun{true, sectorId, sectorById_.Find(sectorId)};
    return run.values;
  }
  const FactoryType& TypeOf(int id) {
    return factoryTypes_.FindOrAdd(id, [&] { return LookupFactoryType(store_.FactoriesData, id); });
  }
  void AddTo(SectorSums& sector, int i, double amount) {
    sector.values[i] += amount;
    if (sector.values[i] > request_.Max[i]) request_.Max[i] = sector.values[i];
  }

  TDataModule1& store_;
  TRequestData& request_;
  const int n_;
  IdMap<SectorSums> sectorById_;
  IdMap<std::vector<RequestRecipe>> requestRecipes_;
  IdMap<FactoryType> factoryTypes_;
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
  request.Max.fill(0.0);
  request.OverallMax = 0.0;
  RequestSums sums(store, request);
  sums.GatherSectors(cells);
  if (request.UsedCount() > 0) {
    sums.GatherRecipes();
    sums.SumFactories();
    sums.SumTraders();
  }
  sums.WriteCells();
  store.ClearDataChanged();
  for (int i = 0; i < request.UsedCount(); ++i)
    request.OverallMax = std::max(request.OverallMax, request.Max[i]);
}

bool CalcSectorStatistics(TDataModule1& store, TSectorStat* stat, int x, int y, bool rates) {
  if (stat == nullptr) return false;
  stat->Clear();
  Table& sectors = store.SectorsData;
  if (sectors.IndexName() != "SectorsDataCoordIndex") sectors.SetIndexName("SectorsDataCoordIndex");
  if (!store.LocateSectorAt(x, y)) return false;
  const int sectorId = sectors.FieldByName("Id").AsInteger();
  const int solarCycle = store.SectorSolarCycle();

  const Table& placed = store.SectFactoryData;
  const Table& recipes = store.FactoryProdData;
  const int factoryIndex = placed.FieldByName("FactoryId").Index();
  const int yieldIndex = placed.FieldByName("Yield").Index();
  const int operationIndex = recipes.FieldByName("Operation").Index();
  const int productIndex = recipes.FieldByName("ProductId").Index();
  const int qtyIndex = recipes.FieldByName("Qty").Index();
  const OrderedRows factories = placed.RowsWithKey("SectorId", {Value(sectorId)});
  for (int k = 0; k < factories.Size(); ++k) {
    const Record factory = factories.At(k);
    const int factoryId = factory.Get(factoryIndex).ToInteger();
    double cycle = 0.0;
    if (rates) {
      const FactoryType type = LookupFactoryType(store.FactoriesData, factoryId);
      cycle = FactoryCycleTime(type.found, type.special, type.mtime,
                               factory.Get(yieldIndex).ToInteger(), solarCycle);
    }
    const OrderedRows recipe = recipes.RowsWithKey("FactoryId;Operation", {Value(factoryId)});
    for (int r = 0; r < recipe.Size(); ++r) {
      const Record row = recipe.At(r);
      const int productId = row.Get(productIndex).ToInteger();
      const double rate = rates ? HourlyRate(row.Get(qtyIndex).ToInteger(), cycle) : 0.0;
      if (row.Get(operationIndex).ToInteger() == 0)
        stat->Add(productId, 0, 1, 0, rate, 0.0);
      else
        stat->Add(productId, 0, 0, 1, 0.0, rate);
    }
  }

  const Table& trade = store.SectTradeData;
  const int tradeProductIndex = trade.FieldByName("ProductId").Index();
  const OrderedRows traded = trade.RowsWithKey("SectorId", {Value(sectorId)});
  for (int k = 0; k < traded.Size(); ++k)
    stat->Add(traded.At(k).Get(tradeProductIndex).ToInteger(), 1, 0, 0, 0.0, 0.0);
  return true;
}

}  // namespace qv
