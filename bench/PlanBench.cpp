// The complex planner. Goals: a plan of three targets over the sample
// universe's catalogue (every buyable type) within 50 ms; a plan over a
// generated catalogue of 200 factory types and 150 products within 1 s, or
// the solver's time limit (2 s) with the best plan found.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchUniverse.h"
#include "economy/ComplexPlan.h"
#include "economy/GlpkSolver.h"
#include "generator/SplitMix64.h"

namespace {

struct SampleCatalogue {
  qvbench::GeneratedUniverse universe{100, 16};  // the sample's economy
  qv::TPlanCatalogue catalogue = qv::LoadPlanCatalogue(universe.store);

  int Id(const char* name) const { return catalogue.FindProductByName(name)->Id; }

  qv::TPlanOptions ThreeTargets() const {
    qv::TPlanOptions options;
    options.MayBuy = catalogue.DefaultMayBuy();
    options.Targets = {
        {Id("Energy Cells"), 10000}, {Id("Microchips"), 60}, {Id("Alloy Plates"), 100}};
    return options;
  }
};

SampleCatalogue& Sample() {
  static SampleCatalogue sample;
  return sample;
}

void Measure(benchmark::State& state, const qv::TPlanCatalogue& catalogue,
             const qv::TPlanOptions& options) {
  const std::unique_ptr<qv::TMipSolver> solver = qv::MakeGlpkSolver();
  qv::TPlan plan;
  for (auto _ : state) {
    plan = qv::SolvePlan(catalogue, options, *solver);
    benchmark::DoNotOptimize(plan);
  }
  state.counters["factories"] = plan.TotalCount();
  state.counters["optimal"] = plan.Status == qv::TPlanStatus::Optimal;
  state.counters["time_limit"] = plan.Status == qv::TPlanStatus::TimeLimit;
  if (!plan.HasPlan()) state.SetLabel(qv::PlanStatusName(plan.Status));
}

// The sample's solar plants live on crystals that cost more energy to make
// than a plant gives: crystals may be bought, as players do.
void BM_PlanSampleThreeTargets(benchmark::State& state) {
  SampleCatalogue& sample = Sample();
  qv::TPlanOptions options = sample.ThreeTargets();
  options.MayBuy.insert(sample.Id("Crystals"));
  options.Objective = state.range(0) == 0 ? qv::TPlanObjective::Count : qv::TPlanObjective::Cost;
  Measure(state, sample.catalogue, options);
}
BENCHMARK(BM_PlanSampleThreeTargets)
    ->ArgName("cost")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// The same targets with nothing bought that a type makes: no plan, and the
// explanation with what could be bought instead.
void BM_PlanSampleExplained(benchmark::State& state) {
  SampleCatalogue& sample = Sample();
  Measure(state, sample.catalogue, sample.ThreeTargets());
}
BENCHMARK(BM_PlanSampleExplained)->Unit(benchmark::kMillisecond);

// 200 types over 150 products: 30 raw products that may be bought, and
// layers of goods above them, each made by one or two types from up to four
// goods below it and energy; every eighth type leaves a by-product.
qv::TPlanCatalogue GeneratedCatalogue() {
  constexpr int kProducts = 150, kRaw = 30, kTypes = 200, kEnergy = kRaw;
  qv::SplitMix64 random(2024);
  qv::TPlanCatalogue catalogue;
  for (int p = 0; p < kProducts; ++p) {
    const int avg = p < kRaw ? random.Between(10, 100) : 100 + 40 * (p - kRaw);
    catalogue.Products.push_back(
        {p + 1, "Product " + std::to_string(p + 1), avg * 4 / 5, avg * 6 / 5, avg});
  }
  for (int t = 0; t < kTypes; ++t) {
    qv::TPlanFactoryType& type = catalogue.Types.emplace_back();
    type.Id = t + 1;
    type.Name = "Type " + std::to_string(t + 1);
    type.Mtime = 60 * random.Between(1, 10);
    const int made = kRaw + t % (kProducts - kRaw);
    type.Items.push_back({made + 1, random.Between(5, 50), true});
    if (t % 8 == 7 && made + 1 < kProducts)
      type.Items.push_back({made + 2, random.Between(1, 10), true});
    if (made != kEnergy) type.Items.push_back({kEnergy + 1, random.Between(10, 100), false});
    const int inputs = random.Between(1, 4);
    for (int i = 0; i < inputs; ++i) {
      const int below = made == kEnergy ? random.Below(kRaw) : random.Below(made);
      if (below != kEnergy) type.Items.push_back({below + 1, random.Between(1, 30), false});
    }
  }
  catalogue.Sort();
  return catalogue;
}

void BM_PlanGeneratedCatalogue(benchmark::State& state) {
  static const qv::TPlanCatalogue catalogue = GeneratedCatalogue();
  qv::TPlanOptions options;
  options.MayBuy = catalogue.DefaultMayBuy();
  options.Targets = {{150, 100}, {149, 60}, {140, 200}};
  options.Objective = state.range(0) == 0 ? qv::TPlanObjective::Count : qv::TPlanObjective::Cost;
  Measure(state, catalogue, options);
  state.counters["types"] = static_cast<double>(catalogue.Types.size());
  state.counters["products"] = static_cast<double>(catalogue.Products.size());
}
BENCHMARK(BM_PlanGeneratedCatalogue)
    ->ArgName("cost")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
