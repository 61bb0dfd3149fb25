// The complex calculation at its limits. Goals: a ring of 100 factories that
// never settles and runs into the pass limit, one UpdateResults within 100 ms;
// a chain of 300 factories that settles, within 20 ms.
#include <benchmark/benchmark.h>

#include <vector>

#include "BenchUniverse.h"
#include "economy/ComplexCalculation.h"
#include "economy/ComplexResults.h"
#include "economy/ComplexTables.h"
#include "generator/SplitMix64.h"

namespace {

void AddProduct(qv::TFactory& factory, bool isOutput, int productId, int qty, int price) {
  qv::TProduct& p = factory.AddProduct(isOutput);
  p.ProductId = productId;
  p.Name = "Product " + std::to_string(productId);
  p.Qty = qty;
  p.Price = price;
}

// Factory i makes 100 of product i from `need` of product i - 1 (the ring
// closes on the first); one extra factory exports so that throttling runs.
void Build(qv::TComplexCalculation& calc, int count, int need, bool ring) {
  qv::TFactory& exporter = calc.Factories.AddFactory(count + 1);
  exporter.AllowNPS = true;
  exporter.Mtime = 600;
  AddProduct(exporter, true, 10000, 1, 10);
  if (!ring) AddProduct(exporter, false, count - 1, need, 10);
  for (int i = 0; i < count; ++i) {
    qv::TFactory& f = calc.Factories.AddFactory(i + 1);
    f.Mtime = 300 + i % 7 * 60;
    AddProduct(f, true, i, 100, 10);
    if (i > 0 || ring) AddProduct(f, false, (i + count - 1) % count, need, 10);
  }
}

// One UpdateResults of the complex per iteration.
void MeasureUpdateResults(benchmark::State& state, qv::TComplexCalculation& calc) {
  const qv::TComplexTexts texts;
  for (auto _ : state) {
    const qv::TComplexResults results = qv::UpdateResults(calc, 90, 1, texts);
    benchmark::DoNotOptimize(results);
  }
  state.counters["passes"] = calc.IterationCount;
}

void BM_RingHitsThePassLimit(benchmark::State& state) {
  qv::TComplexCalculation calc;
  Build(calc, 100, 99, true);
  MeasureUpdateResults(state, calc);
  if (!calc.PassLimitReached()) state.SkipWithError("the ring settled");
}
BENCHMARK(BM_RingHitsThePassLimit)->Unit(benchmark::kMillisecond);

void BM_ChainSettles(benchmark::State& state) {
  qv::TComplexCalculation calc;
  Build(calc, 300, 50, false);
  MeasureUpdateResults(state, calc);
  if (calc.PassLimitReached() || calc.IterationCount < 2) state.SkipWithError("no settling chain");
}
BENCHMARK(BM_ChainSettles)->Unit(benchmark::kMillisecond);

}  // namespace

// A complex far larger than any player builds: `count` factories of the
// generated economy's buyable types, every third one without outside sales
// so that throttling runs. Goal: 16,000 factories within 1 s.
namespace {

struct LargeComplex {
  qvbench::GeneratedUniverse universe{100, 16};
  qv::Table factoryList{"FactoryListData"};
  qv::Table factProd{"FactProdData"};
  qv::TComplexCalculation calc;

  explicit LargeComplex(int count) {
    qv::BuildFactoryListSchema(factoryList, universe.store);
    qv::BuildFactProdSchema(factProd);
    std::vector<int> types;
    for (const qv::Record& type : universe.store.FactoriesData.AllRecords())
      if (type.Get("Buyable").ToBoolean()) types.push_back(type.Get("Id").ToInteger());
    qv::SplitMix64 random(7);
    for (int i = 0; i < count; ++i) {
      factoryList.Append();
      factoryList.FieldByName("FactoryId").SetAsInteger(types[random.Below(int(types.size()))]);
      factoryList.FieldByName("Yield").SetAsInteger(10);
      factoryList.FieldByName("AllowNPS").SetAsBoolean(i % 3 != 0);
      factoryList.Post();
    }
    factoryList.MergeChangeLog();
    Load();
    qv::StoreComplexPrices(calc.Factories, factProd);
  }

  void Load() {
    qv::BuyableFactoryTypes buyable(universe.store);
    qv::LoadComplexFactories(universe.store, factoryList, factProd, calc.Factories);
  }
};

void BM_LargeComplexUpdateResults(benchmark::State& state) {
  LargeComplex complex(static_cast<int>(state.range(0)));
  MeasureUpdateResults(state, complex.calc);
  state.counters["factories"] = static_cast<double>(complex.calc.Factories.Factories().size());
}
BENCHMARK(BM_LargeComplexUpdateResults)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond);

// What opening the window with that complex costs: the factories built from
// the saved list with their prices put back, then one calculation.
void BM_LargeComplexLoadAndCalculate(benchmark::State& state) {
  LargeComplex complex(static_cast<int>(state.range(0)));
  const qv::TComplexTexts texts;
  for (auto _ : state) {
    complex.Load();
    const qv::TComplexResults results = qv::UpdateResults(complex.calc, 90, 1, texts);
    benchmark::DoNotOptimize(results);
  }
}
BENCHMARK(BM_LargeComplexLoadAndCalculate)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond);

}  // namespace
