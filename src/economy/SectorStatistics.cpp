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

// The type of a placed factory as the cycle rule needs it.
struct FactoryType {
  bool found = false;
  Special special = Special::None;
  int mtime = 0;
};

FactoryType LookupFactoryType(const TDataModule1& store, int id) {
  const TFactoriesFields& f = store.Fields().Factories;
  const Record type = store.FactoriesData.Lookup(f.Id->FieldName(), Value(id));
  if (!type.IsValid()) return {};
  return {true, AsCode<Special>(f.Special.Of(type).ToInteger()), f.Mtime.Of(type).ToInteger()};
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

// Whether the traders of a product count for a request product of that role.
bool TradersAdmit(TradersMode mode, Operation role) {
  switch (mode) {
    case TradersMode::AddToBoth:
      return true;
    case TradersMode::AddToProducers:
      return role == Operation::Produces;
    case TradersMode::AddToConsumers:
      return role == Operation::Needs;
    default:
      return false;
  }
}

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
    const TSectorsFields& f = store_.Fields().Sectors;
    const OrderedRows rows = store_.SectorsData.RowsInOrder("X;Y");
    sectorById_.Items().reserve(static_cast<size_t>(rows.Size()));
    for (int i = 0; i < rows.Size(); ++i) {
      const Record row = rows.At(i);
      const int x = f.X.Of(row).ToInteger();
      const int y = f.Y.Of(row).ToInteger();
      if (!IsMapPosition(x, y)) continue;
      double* cell = cells.Cell(x, y, true);
      if (cell == nullptr) continue;
      sectorById_.FindOrAdd(f.Id.Of(row).ToInteger(), [&] {
        return SectorSums{cell, row, std::nullopt, {}};
      });
    }
  }

  // The recipe rows that concern the request, per factory type, in recipe
  // order; a factory type without any is passed over at once.
  void GatherRecipes() {
    const TFactoryProdFields& f = store_.Fields().FactoryProd;
    const OrderedRows rows = store_.FactoryProdData.RowsInOrder("FactoryId;Operation");
    for (int k = 0; k < rows.Size(); ++k) {
      const Record row = rows.At(k);
      const int productId = f.ProductId.Of(row).ToInteger();
      const int operation = f.Operation.Of(row).ToInteger();
      for (int i = 0; i < n_; ++i) {
        if (request_.ProductId[i] == productId && request_.Operation[i] == operation)
          requestRecipes_
              .FindOrAdd(f.FactoryId.Of(row).ToInteger(),
                         [] { return std::vector<RequestRecipe>(); })
              .push_back({i, f.Qty.Of(row).ToInteger()});
      }
    }
  }

  void SumFactories() {
    const TSectFactoryFields& f = store_.Fields().SectFactory;
    const TSectorsFields& sectors = store_.Fields().Sectors;
    SectorRun run;
    const OrderedRows rows = store_.SectFactoryData.RowsInOrder("SectorId");
    for (int k = 0; k < rows.Size(); ++k) {
      const Record row = rows.At(k);
      // Most factories make nothing the request asks for: their other
      // fields are never read.
      const int factoryId = f.FactoryId.Of(row).ToInteger();
      const std::vector<RequestRecipe>* found = requestRecipes_.Find(factoryId);
      if (found == nullptr) continue;
      SectorSums* sector = SectorOf(f.SectorId.Of(row).ToInteger(), run);
      if (sector == nullptr) continue;
      if (!request_.CountYour && f.Your.Of(row).ToBoolean()) continue;
      if (!request_.Rates) {
        for (const RequestRecipe& r : *found)
          AddTo(*sector, r.slot, 1.0);
        continue;
      }
      const FactoryType& type = TypeOf(factoryId);
      if (type.found && type.special == Special::SolarPlant && !sector->solarCycle) {
        sector->solarCycle =
            TDataModule1::SolarCycleOf(sectors.SolarCycle.Of(sector->row).ToInteger(),
                                       sectors.Suns.Of(sector->row).ToInteger());
      }
      const double cycle =
          FactoryCycleTime(type.found, type.special, type.mtime, f.Yield.Of(row).ToInteger(),
                           sector->solarCycle.value_or(-1));
      if (cycle <= 0.0) continue;
      for (const RequestRecipe& r : *found)
        AddTo(*sector, r.slot, HourlyRate(r.qty, cycle));
    }
  }

  void SumTraders() {
    if (request_.Traders == TradersMode::Ignore) return;
    // Trader rate of each request product, in units per hour.
    const TProductsFields& p = store_.Fields().Products;
    std::array<double, TRequestData::kMaxProducts> traderRate{};
    for (int i = 0; i < n_; ++i) {
      const Record product =
          store_.ProductsData.Lookup(p.Id->FieldName(), Value(request_.ProductId[i]));
      if (!product.IsValid()) continue;
      const int mtime = p.Mtime.Of(product).ToInteger();
      if (mtime > 0) traderRate[i] = HourlyRate(p.Qty.Of(product).ToInteger(), mtime);
    }
    const TSectTradeFields& f = store_.Fields().SectTrade;
    const auto products = request_.ProductId.begin();
    SectorRun run;
    const OrderedRows rows = store_.SectTradeData.RowsInOrder("SectorId");
    for (int k = 0; k < rows.Size(); ++k) {
      const Record row = rows.At(k);
      const int productId = f.ProductId.Of(row).ToInteger();
      if (std::find(products, products + n_, productId) == products + n_) continue;
      SectorSums* sector = SectorOf(f.SectorId.Of(row).ToInteger(), run);
      if (sector == nullptr) continue;
      for (int i = 0; i < n_; ++i) {
        if (request_.ProductId[i] != productId) continue;
        if (TradersAdmit(request_.Traders, AsCode<Operation>(request_.Operation[i])))
          AddTo(*sector, i, request_.Rates ? traderRate[i] : 1.0);
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
    return factoryTypes_.FindOrAdd(id, [&] { return LookupFactoryType(store_, id); });
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

double FactoryCycleTime(bool typeFound, Special special, int mtime, int yield, int solarCycle) {
  if (!typeFound) return -1.0;
  if (special == Special::SolarPlant) return solarCycle;
  if (IsMine(special)) {
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

bool CalcSectorStatistics(const TDataModule1& store, TSectorStat* stat, int x, int y, bool rates) {
  if (stat == nullptr) return false;
  stat->Clear();
  const TStoreFields& f = store.Fields();
  // The sector the map shows there: the first of that position in its order.
  const Record sector = store.SectorsData.RowsWithKey("X;Y", {Value(x), Value(y)}).Front();
  if (!sector.IsValid()) return false;
  const int sectorId = f.Sectors.Id.Of(sector).ToInteger();
  const int solarCycle = TDataModule1::SolarCycleOf(f.Sectors.SolarCycle.Of(sector).ToInteger(),
                                                    f.Sectors.Suns.Of(sector).ToInteger());

  const TSectFactoryFields& placed = f.SectFactory;
  const TFactoryProdFields& recipes = f.FactoryProd;
  const OrderedRows factories = store.SectFactoryData.RowsWithKey("SectorId", {Value(sectorId)});
  for (int k = 0; k < factories.Size(); ++k) {
    const Record factory = factories.At(k);
    const int factoryId = placed.FactoryId.Of(factory).ToInteger();
    double cycle = 0.0;
    if (rates) {
      const FactoryType type = LookupFactoryType(store, factoryId);
      cycle = FactoryCycleTime(type.found, type.special, type.mtime,
                               placed.Yield.Of(factory).ToInteger(), solarCycle);
    }
    const OrderedRows recipe =
        store.FactoryProdData.RowsWithKey("FactoryId;Operation", {Value(factoryId)});
    for (int r = 0; r < recipe.Size(); ++r) {
      const Record row = recipe.At(r);
      const int productId = recipes.ProductId.Of(row).ToInteger();
      const double rate = rates ? HourlyRate(recipes.Qty.Of(row).ToInteger(), cycle) : 0.0;
      if (AsCode<Operation>(recipes.Operation.Of(row).ToInteger()) == Operation::Produces)
        stat->Add(productId, 0, 1, 0, rate, 0.0);
      else
        stat->Add(productId, 0, 0, 1, 0.0, rate);
    }
  }

  const OrderedRows traded = store.SectTradeData.RowsWithKey("SectorId", {Value(sectorId)});
  for (int k = 0; k < traded.Size(); ++k)
    stat->Add(f.SectTrade.ProductId.Of(traded.At(k)).ToInteger(), 1, 0, 0, 0.0, 0.0);
  return true;
}

}  // namespace qv
