// The objects-in-sector window on a universe far larger than any real one:
// 10,000 sectors on a 100 x 100 grid with about 50,000 placed factories and
// 30,000 traded products. Goal: opening the window on a sector, drawing it
// and turning to each of its station pages within 20 ms, which holds only
// while the sector's rows are found without walking the whole tables for
// every grid.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QTabWidget>
#include <utility>
#include <vector>

#include "BenchQtApplication.h"
#include "BenchUniverse.h"
#include "editors/FactoriesForm.h"
#include "editors/ProductsForm.h"
#include "editors/SectorDataForm.h"
#include "editors/SectorObjects.h"
#include "settings/MainTexts.h"

namespace {

struct Windows {
  qvbench::GeneratedUniverse universe{10000, 100};
  qv::TMainTexts texts;
  qv::TProductsForm products{universe.store, universe.dialogs, texts, "/nonexistent-qvmap-bench/"};
  qv::TFactoriesForm factories{universe.store, universe.dialogs, texts, "/nonexistent-qvmap-bench/",
                               products};
  qv::TSectorDataForm objects{universe.store, universe.dialogs, texts, "/nonexistent-qvmap-bench/",
                              factories,      products};
  std::vector<std::pair<int, int>> positions;

  Windows() {
    qv::Table& sectors = universe.store.SectorsData;
    for (sectors.First(); !sectors.Eof(); sectors.Next())
      positions.emplace_back(sectors.FieldByName("X").AsInteger(),
                             sectors.FieldByName("Y").AsInteger());
  }
};

void BM_ObjectsWindowOpenAndTurnPages(benchmark::State& state) {
  qvbench::BenchApplication();
  static Windows windows;
  qv::TSectorDataForm& form = windows.objects;
  QImage canvas(form.size(), QImage::Format_ARGB32_Premultiplied);
  std::size_t next = 0;
  int pages = 0;
  for (auto _ : state) {
    const auto [x, y] = windows.positions[next];
    next = (next + 7919) % windows.positions.size();
    if (!form.Open(x, y)) state.SkipWithError("no sector");
    form.FormShow();
    form.show();
    form.render(&canvas);
    for (const qv::Trader trader : {qv::Trader::Shipyard, qv::Trader::EquipmentDock,
                                    qv::Trader::TradingStation, qv::Trader::PirateBase}) {
      QWidget& page = form.Page(trader);
      if (!form.Pages().isTabVisible(form.Pages().indexOf(&page))) continue;
      form.Pages().setCurrentWidget(&page);
      form.render(&canvas);
      ++pages;
    }
    form.done(0);
  }
  state.counters["pages"] = benchmark::Counter(pages, benchmark::Counter::kAvgIterations);
  state.counters["placed"] = windows.universe.store.SectFactoryData.TotalRowCount();
}
BENCHMARK(BM_ObjectsWindowOpenAndTurnPages)->Unit(benchmark::kMillisecond);

}  // namespace
