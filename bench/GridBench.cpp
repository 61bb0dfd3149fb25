// The data grid over a table far longer than any the program shows: opening
// a grid on 10,000 rows and going to the last row must stay within 50 ms,
// which holds only while the grid reads rows on demand instead of copying.
#include <benchmark/benchmark.h>

#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "BenchQtApplication.h"
#include "data/Table.h"
#include "editors/QtDataGrid.h"
#include "editors/QtTableModel.h"
#include "settings/SilentDialogs.h"

namespace {

constexpr int kRows = 10000;

// A products-like table: texts by callback and a lookup, as the editors show.
struct Products {
  qv::Table kinds{"Kinds"};
  qv::Table table{"Products"};

  Products() {
    kinds.AddField("Id", qv::FieldType::Integer);
    kinds.AddField("Name", qv::FieldType::String, 20);
    std::vector<qv::Row> kindRows;
    for (int i = 0; i < 4; ++i)
      kindRows.push_back({{qv::Value(i), qv::Value("Kind " + std::to_string(i))}, 0});
    kinds.LoadRows(std::move(kindRows), 0);

    table.AddField("Id", qv::FieldType::AutoInc);
    table.AddField("Name", qv::FieldType::String, 40);
    table.AddField("Type", qv::FieldType::Integer).OnGetText = [](const qv::Field&,
                                                                  const qv::Value& v) {
      return std::string(v.ToInteger() == 2 ? "Ship" : "Product");
    };
    for (const char* price : {"Min", "Max", "Avg"})
      table.AddField(price, qv::FieldType::Integer);
    table.AddField("Buyable", qv::FieldType::Boolean).SetDisplayValues("Yes;No");
    table.AddLookupField("Kind", 20, "Type", &kinds, "Id", "Name");
    std::vector<qv::Row> rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
      rows.push_back({{qv::Value(i + 1), qv::Value("Product number " + std::to_string(i)),
                       qv::Value(i % 4), qv::Value(i), qv::Value(2 * i), qv::Value(i + i / 2),
                       qv::Value(i % 3 == 0), qv::Value()},
                      0});
    }
    table.LoadRows(std::move(rows), kRows + 1);
    table.SetIndexFieldNames("Name");
  }
};

void BM_GridOpenAndScrollToEnd(benchmark::State& state) {
  qvbench::BenchApplication();
  Products products;
  qv::SilentDialogs dialogs;
  QImage canvas(800, 600, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    products.table.First();
    auto grid = std::make_unique<qv::QtDataGrid>(dialogs);
    grid->resize(canvas.size());
    grid->SetTable(&products.table);
    grid->show();
    grid->render(&canvas);
    products.table.Last();
    grid->render(&canvas);
    benchmark::DoNotOptimize(grid->Model().rowCount());
    if (grid->currentIndex().row() != kRows - 1) state.SkipWithError("grid not at the end");
  }
}
BENCHMARK(BM_GridOpenAndScrollToEnd)->Unit(benchmark::kMillisecond);

}  // namespace
