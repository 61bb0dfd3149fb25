// The statistics on universes far larger than any real one: 10,000 sectors
// on a 100 x 100 grid with about 50,000 placed factories, and 100,000 on
// 317 x 317. Goals: the whole-map request statistics with six products in
// rates mode within 10 ms at 10k, the list of one sector within 20
// microseconds.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BenchUniverse.h"
#include "data/DataModule1.h"
#include "economy/SectorStat.h"
#include "economy/SectorStatistics.h"
#include "map/RequestData.h"
#include "map/SectorArray.h"

namespace {

struct BigUniverse : qvbench::GeneratedUniverse {
  std::vector<std::pair<int, int>> positions;
  int side;

  BigUniverse(int count, int side) : GeneratedUniverse(count, side), side(side) {
    qv::Table& sectors = store.SectorsData;
    for (sectors.First(); !sectors.Eof(); sectors.Next())
      positions.emplace_back(sectors.FieldByName("X").AsInteger(),
                             sectors.FieldByName("Y").AsInteger());
  }

  // Six products that factories make, for a request that finds something.
  qv::TRequestData SixProductRequest() {
    qv::TRequestData request;
    for (const int product : RecipeProducts(6)) {
      request.ProductId[request.Count] = product;
      request.Operation[request.Count] = request.Count % 2;
      ++request.Count;
    }
    request.Rates = true;
    request.Traders = qv::TradersMode::AddToConsumers;
    return request;
  }
};

BigUniverse& Universe(int count = 10000) {
  static std::map<int, std::unique_ptr<BigUniverse>> universes;
  std::unique_ptr<BigUniverse>& universe = universes[count];
  if (!universe) universe = std::make_unique<BigUniverse>(count, count >= 100000 ? 317 : 100);
  return *universe;
}

void BM_CalcRequestStatisticsSixProductsRates(benchmark::State& state) {
  BigUniverse& u = Universe(static_cast<int>(state.range(0)));
  qv::TRequestData request = u.SixProductRequest();
  qv::TSectorArray cells;
  cells.SetSize(u.side, u.side);
  for (auto _ : state) {
    qv::CalcRequestStatistics(u.store, request, cells);
    benchmark::DoNotOptimize(request.OverallMax);
  }
  state.counters["placed"] = u.store.SectFactoryData.RecordCount();
}
BENCHMARK(BM_CalcRequestStatisticsSixProductsRates)
    ->ArgName("sectors")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

void BM_CalcRequestStatisticsSixProductsFactories(benchmark::State& state) {
  BigUniverse& u = Universe(static_cast<int>(state.range(0)));
  qv::TRequestData request = u.SixProductRequest();
  request.Rates = false;
  request.Traders = qv::TradersMode::AddToBoth;
  qv::TSectorArray cells;
  cells.SetSize(u.side, u.side);
  for (auto _ : state) {
    qv::CalcRequestStatistics(u.store, request, cells);
    benchmark::DoNotOptimize(request.OverallMax);
  }
}
BENCHMARK(BM_CalcRequestStatisticsSixProductsFactories)
    ->ArgName("sectors")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

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
