// The raw editors on the large generated universe (10,000 sectors, 50,000
// placed factories): the direct access browser shown on the placed factories
// and scrolled to their last row within 50 ms, and the process data dialog
// changing one field in all 50,000 rows within 500 ms.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QImage>

#include "BenchQtApplication.h"
#include "BenchUniverse.h"
#include "editors/BrowseForm.h"
#include "editors/ProcessData.h"
#include "editors/QtDataGrid.h"
#include "settings/MainTexts.h"

namespace {

struct LargeUniverse : qvbench::GeneratedUniverse {
  LargeUniverse() : GeneratedUniverse(10000, 100) {}
};

LargeUniverse& Universe() {
  static LargeUniverse universe;
  return universe;
}

void BM_BrowseSectFactoryShownAndScrolledToEnd(benchmark::State& state) {
  qvbench::BenchApplication();
  LargeUniverse& universe = Universe();
  const qv::TMainTexts mainTexts;
  qv::TBrowseForm browse(universe.store, universe.dialogs, mainTexts);
  browse.resize(1000, 700);
  QImage canvas(browse.size(), QImage::Format_ARGB32_Premultiplied);
  auto* list = browse.findChild<QComboBox*>("ComboBox1");
  qv::Table& rows = universe.store.SectFactoryData;
  state.counters["rows"] = rows.RecordCount();
  for (auto _ : state) {
    browse.FormShow();
    browse.show();
    list->setCurrentIndex(list->findText("SectFactoryData"));
    browse.render(&canvas);
    rows.Last();
    browse.render(&canvas);
    if (browse.Grid().currentIndex().row() != rows.RecordCount() - 1)
      state.SkipWithError("grid not on the last row");
    state.PauseTiming();
    browse.hide();
    browse.FormClose();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BrowseSectFactoryShownAndScrolledToEnd)->Unit(benchmark::kMillisecond);

void BM_ProcessOneFieldInAllSectFactoryRows(benchmark::State& state) {
  qv::Table& rows = Universe().store.SectFactoryData;
  rows.SetIndexFieldNames("");  // the stored order, as the browser shows it
  qv::TProcessConditions conditions{};
  int value = 0;
  for (auto _ : state) {
    const qv::TProcessResult result = qv::ProcessRows(Universe().store, rows, conditions, true,
                                                      "Yield", std::to_string(++value % 100));
    if (result.count != rows.RecordCount()) state.SkipWithError("not every row was processed");
  }
  Universe().store.SetWorkingOrders();
}
BENCHMARK(BM_ProcessOneFieldInAllSectFactoryRows)->Unit(benchmark::kMillisecond);

}  // namespace
