#include "economy/WhereTo.h"

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <unordered_map>

#include "data/DataModule1.h"
#include "economy/SectorStatistics.h"
#include "map/JumpGraph.h"

namespace qv {

namespace {

// One recipe row of a factory type that makes or needs the product.
struct RecipeRow {
  Operation operation = Operation::Produces;
  std::uint64_t rowId = 0;
  int qty = 0;
};

// One placed factory of such a type.
struct PlacedRow {
  int node = 0;
  std::uint64_t rowId = 0;
  int factoryId = 0;
  int yield = 0;
};

// The recipe rows of the product by factory type. Type Ids are small
// auto-increment numbers: most are found in a plain table, as every placed
// factory is looked up.
class RecipesByType {
 public:
  std::vector<RecipeRow>& Add(int factoryId) {
    if (factoryId >= 0 && factoryId < kDense) {
      if (static_cast<std::size_t>(factoryId) >= dense_.size())
        dense_.resize(static_cast<std::size_t>(factoryId) + 1);
      return dense_[static_cast<std::size_t>(factoryId)];
    }
    return sparse_[factoryId];
  }
  // Nothing for a type that makes (or needs) none of the product.
  const std::vector<RecipeRow>* Find(int factoryId) const {
    if (factoryId >= 0 && factoryId < kDense) {
      if (static_cast<std::size_t>(factoryId) >= dense_.size()) return nullptr;
      const std::vector<RecipeRow>& rows = dense_[static_cast<std::size_t>(factoryId)];
      return rows.empty() ? nullptr : &rows;
    }
    const auto it = sparse_.find(factoryId);
    return it == sparse_.end() ? nullptr : &it->second;
  }
  bool Empty() const { return dense_.empty() && sparse_.empty(); }
  // Each type's rows in recipe order: by operation, equal ones by row.
  void Sort() {
    const auto order = [](const RecipeRow& a, const RecipeRow& b) {
      return std::tie(a.operation, a.rowId) < std::tie(b.operation, b.rowId);
    };
    for (std::vector<RecipeRow>& rows : dense_)
      std::sort(rows.begin(), rows.end(), order);
    for (auto& [factory, rows] : sparse_)
      std::sort(rows.begin(), rows.end(), order);
  }

 private:
  static constexpr int kDense = 1 << 16;
  std::vector<std::vector<RecipeRow>> dense_;
  std::unordered_map<int, std::vector<RecipeRow>> sparse_;
};

struct Tally {
  int count = 0;
  double rate = 0.0;
};

// The placed factories by sector, each sector's in row order: counted into
// place, as there are many, then put in order where stored order was not
// row order already.
std::vector<PlacedRow> BySectorThenRow(std::vector<PlacedRow> rows, int nodes) {
  std::vector<std::size_t> start(static_cast<std::size_t>(nodes) + 1, 0);
  for (const PlacedRow& row : rows)
    ++start[static_cast<std::size_t>(row.node) + 1];
  for (std::size_t node = 0; node < static_cast<std::size_t>(nodes); ++node)
    start[node + 1] += start[node];
  std::vector<PlacedRow> sorted(rows.size());
  std::vector<std::size_t> fill(start.begin(), start.end() - 1);
  for (const PlacedRow& row : rows)
    sorted[fill[static_cast<std::size_t>(row.node)]++] = row;
  const auto byRow = [](const PlacedRow& a, const PlacedRow& b) { return a.rowId < b.rowId; };
  for (std::size_t node = 0; node < static_cast<std::size_t>(nodes); ++node) {
    const auto begin = sorted.begin() + static_cast<std::ptrdiff_t>(start[node]);
    const auto end = sorted.begin() + static_cast<std::ptrdiff_t>(start[node + 1]);
    if (!std::is_sorted(begin, end, byRow)) std::sort(begin, end, byRow);
  }
  return sorted;
}

// The per-sector statistics of one product from its factories. The rows are
// summed in the order the statistics walk them (placed factories in the
// sector's order, then each one's recipe rows in recipe order, equal keys by
// row), so that the rates come out as those of the statistics to the last
// bit.
void TallyFactories(const TDataModule1& store, const TJumpGraph& graph, int productId, bool made,
                    std::vector<Tally>& tally) {
  const TStoreFields& f = store.Fields();
  const Table& recipes = store.FactoryProdData;
  const std::size_t rFactory = f.FactoryProd.FactoryId.Slot(),
                    rOperation = f.FactoryProd.Operation.Slot(),
                    rProduct = f.FactoryProd.ProductId.Slot(), rQty = f.FactoryProd.Qty.Slot();
  RecipesByType recipesOf;
  for (const Record& record : recipes.AllRecords()) {
    const Row& row = *record.GetRow();
    if (row.values[rProduct].ToInteger() != productId) continue;
    // The statistics take every operation but producing as a need.
    const Operation operation = AsCode<Operation>(row.values[rOperation].ToInteger());
    if ((operation == Operation::Produces) != made) continue;
    recipesOf.Add(row.values[rFactory].ToInteger())
        .push_back({operation, row.id, row.values[rQty].ToInteger()});
  }
  if (recipesOf.Empty()) return;
  recipesOf.Sort();

  const Table& placed = store.SectFactoryData;
  const std::size_t pSector = f.SectFactory.SectorId.Slot(),
                    pFactory = f.SectFactory.FactoryId.Slot(), pYield = f.SectFactory.Yield.Slot();
  std::vector<PlacedRow> found;
  for (const Record& record : placed.AllRecords()) {
    const Row& row = *record.GetRow();
    const int factoryId = row.values[pFactory].ToInteger();
    if (recipesOf.Find(factoryId) == nullptr) continue;
    const int node = graph.NodeOfId(row.values[pSector].ToInteger());
    if (node < 0) continue;
    found.push_back({node, row.id, factoryId, row.values[pYield].ToInteger()});
  }
  found = BySectorThenRow(std::move(found), graph.Count());

  const Table& factories = store.FactoriesData;
  const std::size_t fSpecial = f.Factories.Special.Slot(), fMtime = f.Factories.Mtime.Slot();
  struct FactoryType {
    bool found = false;
    Special special = Special::None;
    int mtime = 0;
  };
  std::unordered_map<int, FactoryType> types;
  for (const PlacedRow& p : found) {
    auto [type, added] = types.try_emplace(p.factoryId);
    if (added) {
      const Record record = factories.Lookup("Id", Value(p.factoryId));
      if (record.IsValid())
        type->second = {true, AsCode<Special>(record.GetRow()->values[fSpecial].ToInteger()),
                        record.GetRow()->values[fMtime].ToInteger()};
    }
    const FactoryType& t = type->second;
    const double cycle =
        FactoryCycleTime(t.found, t.special, t.mtime, p.yield, graph.Sector(p.node).solarCycle);
    Tally& sector = tally[static_cast<std::size_t>(p.node)];
    for (const RecipeRow& r : *recipesOf.Find(p.factoryId)) {
      ++sector.count;
      sector.rate += HourlyRate(r.qty, cycle);
    }
  }
}

// The trader rows of the product per sector, and its trading rate once for
// every sector that trades it.
void TallyTraders(const TDataModule1& store, const TJumpGraph& graph, int productId,
                  std::vector<Tally>& tally) {
  const TStoreFields& f = store.Fields();
  const Table& trade = store.SectTradeData;
  const std::size_t tSector = f.SectTrade.SectorId.Slot(), tProduct = f.SectTrade.ProductId.Slot();
  for (const Record& record : trade.AllRecords()) {
    const Row& row = *record.GetRow();
    if (row.values[tProduct].ToInteger() != productId) continue;
    const int node = graph.NodeOfId(row.values[tSector].ToInteger());
    if (node >= 0) ++tally[static_cast<std::size_t>(node)].count;
  }
  double rate = 0.0;
  const Table& products = store.ProductsData;
  if (const Record product = products.Lookup("Id", Value(productId)); product.IsValid()) {
    const int mtime = f.Products.Mtime.Of(product).ToInteger();
    if (mtime > 0) rate = HourlyRate(f.Products.Qty.Of(product).ToInteger(), mtime);
  }
  for (Tally& sector : tally)
    if (sector.count > 0) sector.rate = rate;
}

}  // namespace

std::vector<TWhereToRow> FindWhereTo(const TDataModule1& store, const TJumpGraph& graph,
                                     const TWhereToQuery& query) {
  std::vector<Tally> tally(static_cast<std::size_t>(graph.Count()));
  if (query.role == TWhereRole::Traded)
    TallyTraders(store, graph, query.productId, tally);
  else
    TallyFactories(store, graph, query.productId, query.role == TWhereRole::Made, tally);

  std::vector<int> jumps;
  if (query.fromNode >= 0) jumps = JumpCounts(graph, query.fromNode, query.route);
  std::vector<TWhereToRow> rows;
  for (int node = 0; node < graph.Count(); ++node) {
    const Tally& t = tally[static_cast<std::size_t>(node)];
    if (t.count <= 0) continue;
    const int j = jumps.empty() ? -1 : jumps[static_cast<std::size_t>(node)];
    if (query.onlyReachable && j < 0) continue;
    rows.push_back({node, j, t.count, t.rate});
  }

  const std::vector<int>& rank = graph.NameRanks();
  // No route sorts after every count of jumps.
  const auto key = [&rank](const TWhereToRow& row) {
    return std::pair(static_cast<unsigned>(row.jumps), rank[static_cast<std::size_t>(row.node)]);
  };
  std::sort(rows.begin(), rows.end(),
            [&key](const TWhereToRow& a, const TWhereToRow& b) { return key(a) < key(b); });
  return rows;
}

}  // namespace qv
