// Throughput of the table files and of key search on a sector-sized table far
// larger than any real universe: 50,000 rows of the sectors' schema.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "data/Table.h"
#include "data/TableFile.h"

namespace {

namespace fs = std::filesystem;
using qv::FieldType;
using qv::Value;

constexpr int kRows = 50000;
constexpr int kGridSide = 224;  // 224 * 224 > kRows positions
constexpr int kFindKeyCalls = 1000000;

std::unique_ptr<qv::Table> MakeSectorTable() {
  auto table = std::make_unique<qv::Table>("SectorsData");
  table->AddField("Name", FieldType::String, 40);
  table->AddField("X", FieldType::Integer);
  table->AddField("Y", FieldType::Integer);
  table->AddField("Race", FieldType::String, 20);
  table->AddField("Suns", FieldType::Integer);
  for (const char* gate : {"NorthGate", "SouthGate", "WestGate", "EastGate"}) {
    table->AddField(gate, FieldType::Boolean);
  }
  table->AddField("NameDx", FieldType::Integer);
  table->AddField("NameDy", FieldType::Integer);
  table->AddField("Shipyard", FieldType::Boolean);
  table->AddField("Trstation", FieldType::Boolean);
  table->AddField("Eqdock", FieldType::Boolean);
  table->AddField("Id", FieldType::AutoInc);
  table->AddField("Pirate", FieldType::Boolean);
  table->AddField("Visible", FieldType::Boolean);
  table->AddField("SolarCycle", FieldType::Integer);
  table->AddIndex("SectorsDataCoordIndex", "X;Y");
  table->AddIndex("SectorsDataNameIndex", "Name");
  return table;
}

std::vector<qv::Row> MakeSectorRows() {
  static const char* const kRaces[] = {"Kessar", "Lumari", "Vossk",   "Orthane",
                                       "Drakh",  "Zhurr",  "Pirates", ""};
  std::mt19937 random(4);
  std::vector<qv::Row> rows(kRows);
  for (int i = 0; i < kRows; ++i) {
    qv::RowValues& v = rows[static_cast<std::size_t>(i)].values;
    auto flag = [&] { return Value((random() & 1U) != 0); };
    v.emplace_back("Sector " + std::to_string(random() % 100000) + " of the far reach");
    v.emplace_back(static_cast<std::int32_t>(i % kGridSide));
    v.emplace_back(static_cast<std::int32_t>(i / kGridSide));
    v.emplace_back(kRaces[random() % 8]);
    v.emplace_back(static_cast<std::int32_t>(random() % 7));
    for (int gate = 0; gate < 4; ++gate)
      v.push_back(flag());
    v.emplace_back(static_cast<std::int32_t>(random() % 5) - 2);
    v.emplace_back(static_cast<std::int32_t>(random() % 5) - 2);
    for (int station = 0; station < 3; ++station)
      v.push_back(flag());
    v.emplace_back(static_cast<std::int32_t>(i + 1));
    v.push_back(flag());
    v.push_back(flag());
    v.push_back(i % 10 == 0 ? Value() : Value(static_cast<std::int32_t>(random() % 120)));
  }
  return rows;
}

// The table and its file, built once for all benchmarks of this program.
class Universe {
 public:
  static Universe& Get() {
    static Universe universe;
    return universe;
  }
  ~Universe() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  qv::Table& Sectors() { return *sectors_; }
  const std::string& FilePath() const { return file_; }

 private:
  Universe()
      : folder_(fs::temp_directory_path() /
                ("qvmap-tablebench-" + std::to_string(std::random_device()()))),
        sectors_(MakeSectorTable()) {
    fs::create_directories(folder_);
    file_ = (folder_ / "sectors.cds").string();
    sectors_->LoadRows(MakeSectorRows(), kRows + 1);
    qv::SaveTableFile(*sectors_, file_);
  }

  fs::path folder_;
  std::unique_ptr<qv::Table> sectors_;
  std::string file_;
};

void BM_SaveTable(benchmark::State& state) {
  Universe& universe = Universe::Get();
  for (auto _ : state)
    qv::SaveTableFile(universe.Sectors(), universe.FilePath());
  state.counters["bytes"] = static_cast<double>(fs::file_size(universe.FilePath()));
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SaveTable)->Unit(benchmark::kMillisecond);

// Argument 1: the X;Y index is active, so loading also sorts it (as the
// store does); 0: stored order only, which leaves the file reading alone.
void BM_LoadTable(benchmark::State& state) {
  Universe& universe = Universe::Get();
  auto table = MakeSectorTable();
  if (state.range(0) != 0) table->SetIndexName("SectorsDataCoordIndex");
  for (auto _ : state)
    qv::LoadTableFile(*table, universe.FilePath());
  if (table->TotalRowCount() != kRows) state.SkipWithError("row count differs after loading");
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_LoadTable)->ArgName("indexed")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// One iteration is 1,000,000 key searches on the X;Y index.
void BM_FindKey1M(benchmark::State& state) {
  qv::Table& table = Universe::Get().Sectors();
  table.SetIndexName("SectorsDataCoordIndex");
  std::mt19937 random(7);
  std::vector<std::vector<Value>> keys(4096);
  for (auto& key : keys) {
    // About one search in eight misses: rows fill grid rows 0 to 223 only.
    key = {Value(static_cast<std::int32_t>(random() % kGridSide)),
           Value(static_cast<std::int32_t>(random() % 256))};
  }
  std::int64_t found = 0;
  for (auto _ : state) {
    for (int i = 0; i < kFindKeyCalls; ++i)
      found += table.FindKey(keys[i & 4095]) ? 1 : 0;
  }
  benchmark::DoNotOptimize(found);
  state.counters["hit_ratio"] =
      static_cast<double>(found) / (static_cast<double>(state.iterations()) * kFindKeyCalls);
}
BENCHMARK(BM_FindKey1M)->Unit(benchmark::kMillisecond);

}  // namespace
