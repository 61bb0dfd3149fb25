// The statistics on a universe far larger than any real one: 10,000 sectors
// on a 100 x 100 grid with about 50,000 placed factories. Goals: the whole-map
// request statistics with six products in rates mode within 10 ms, the list
// of one sector within 20 microseconds.
#include <benchmark/benchmark.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "data/DataModule1.h"
#include "economy/RequestData.h"
#include "economy/SectorStat.h"
#include "economy/SectorStatistics.h"
#include "generator/UniverseGenerator.h"
#include "map/SectorArray.h"
#include "settings/Dialogs.h"

namespace {

class SilentDialogs : public qv::Dialogs {
 public:
  void ShowMessage(const std::string&, const std::string&, qv::MessageIcon) override {}
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  std::optional<std::string> AskSaveFileName(std::string&, const std::string&,
                                             const std::string&) override {
    return std::nullopt;
  }
  qv::TColor AskColor(qv::TColor color, std::vector<std::string>&) override { return color; }
  bool AskFont(qv::TFontParams&, bool) override { return false; }
};

struct BigUniverse {
  SilentDialogs dialogs;
  qv::TDataModule1 store{"/nonexistent-qvmap-bench/", dialogs};
  std::vector<std::pair<int, int>> positions;

  BigUniverse() {
    qv::GeneratorOptions options;
    options.sectors = 10000;
    options.width = 100;
    options.height = 100;
    qv::GenerateUniverse(store, options);
    qv::Table& sectors = store.SectorsData;
    for (sectors.First(); !sectors.Eof(); sectors.Next())
      positions.emplace_back(sectors.FieldByName("X").AsInteger(),
                             sectors.FieldByName("Y").AsInteger());
  }

  // Six products that factories make, for a request that finds something.
  qv::TRequestData SixProductRequest() {
    qv::TRequestData request;
    std::set<int> seen;
    qv::Table& recipes = store.FactoryProdData;
    for (recipes.First(); !recipes.Eof() && request.Count < 6; recipes.Next()) {
      const int product = recipes.FieldByName("ProductId").AsInteger();
      if (!seen.insert(product).second) continue;
      request.ProductId[request.Count] = product;
      request.Operation[request.Count] = request.Count % 2;
      ++request.Count;
    }
    request.Rates = true;
    request.Traders = 2;
    return request;
  }
};

BigUniverse& Universe() {
  static BigUniverse universe;
  return universe;
}

void BM_CalcRequestStatisticsSixProductsRates(benchmark::State& state) {
  BigUniverse& u = Universe();
  qv::TRequestData request = u.SixProductRequest();
  qv::TSectorArray cells;
  cells.SetSize(100, 100);
  for (auto _ : state) {
    qv::CalcRequestStatistics(u.store, request, cells);
    benchmark::DoNotOptimize(request.OverallMax);
  }
  state.counters["placed"] = u.store.SectFactoryData.RecordCount();
}
BENCHMARK(BM_CalcRequestStatisticsSixProductsRates)->Unit(benchmark::kMillisecond);

void BM_CalcRequestStatisticsSixProductsFactories(benchmark::State& state) {
  BigUniverse& u = Universe();
  qv::TRequestData request = u.SixProductRequest();
  request.Rates = false;
  request.Traders = 3;
  qv::TSectorArray cells;
  cells.SetSize(100, 100);
  for (auto _ : state) {
    qv::CalcRequestStatistics(u.store, request, cells);
    benchmark::DoNotOptimize(request.OverallMax);
  }
}
BENCHMARK(BM_CalcRequestStatisticsSixProductsFactories)->Unit(benchmark::kMillisecond);

void BM_CalcSectorStatisticsRates(benchmark::State& state) {
  BigUniverse& u = Universe();
  qv::TSectorStat stat;
  size_t next = 0;
  for (auto _ : state) {
    const auto [x, y] = u.positions[next];
    next = (next + 7919) % u.positions.size();
    benchmark::DoNotOptimize(qv::CalcSectorStatistics(u.store, &stat, x, y, true));
  }
}
BENCHMARK(BM_CalcSectorStatisticsRates)->Unit(benchmark::kMicrosecond);

}  // namespace
