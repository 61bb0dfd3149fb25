// The store on universes far larger than any real one: loading the six table
// files at start, saving them at exit, and the two lookups that the map and
// the editors run most. Goals on 10,000 sectors (about 50,000 placed
// factories and 30,000 traded products): load and save within 150 ms each,
// the load within 1.6 times a bare parse and walk of the same files
// (BM_BareXmlParseAndWalk, run beside it); CountTraders and FindSectorAt grow
// with the logarithm of the table size.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include <fstream>

#include "data/DataModule1.h"
#include "generator/UniverseGenerator.h"
#include "settings/Dialogs.h"
#include "settings/StoreStartExit.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLargeUniverse = 10000;
constexpr int kHugeUniverse = 100000;

// Any message during a benchmark is a failure; it is counted, not shown.
class CountingDialogs : public qv::Dialogs {
 public:
  void ShowMessage(const std::string&, const std::string&, qv::MessageIcon) override { ++messages; }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  std::optional<std::string> AskSaveFileName(std::string&, const std::string&,
                                             const std::string&) override {
    return std::nullopt;
  }
  qv::TColor AskColor(qv::TColor color, std::vector<std::string>&) override { return color; }
  bool AskFont(qv::TFontParams&, bool, qv::CustomColorList&) override { return false; }

  int messages = 0;
};

// A generated universe of `sectors` sectors on the smallest square grid that
// holds them, written once into a folder of its own, and a store loaded from
// it for the queries.
class UniverseFolder {
 public:
  explicit UniverseFolder(int sectors)
      : folder_(fs::temp_directory_path() / ("qvmap-storebench-" + std::to_string(sectors) + "-" +
                                             std::to_string(std::random_device()()))) {
    const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(sectors))));
    options_.sectors = sectors;
    options_.width = side;
    options_.height = side;
    qv::WriteUniverse(folder_.string(), options_);
    store_ = std::make_unique<qv::TDataModule1>(Folder());
    qv::LoadStore(*store_, dialogs_);
    for (const qv::Record& record : store_->SectorsData.AllRecords())
      sectorIds_.push_back(record.Get("Id").ToInteger());
  }
  ~UniverseFolder() {
    store_.reset();
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  UniverseFolder(const UniverseFolder&) = delete;
  UniverseFolder& operator=(const UniverseFolder&) = delete;

  std::string Folder() const { return folder_.string() + "/"; }
  const qv::GeneratorOptions& Options() const { return options_; }
  qv::TDataModule1& Store() { return *store_; }
  const std::vector<int>& SectorIds() const { return sectorIds_; }
  int Messages() const { return dialogs_.messages; }

 private:
  fs::path folder_;
  qv::GeneratorOptions options_;
  CountingDialogs dialogs_;
  std::unique_ptr<qv::TDataModule1> store_;
  std::vector<int> sectorIds_;
};

UniverseFolder& Universe(int sectors) {
  static std::map<int, std::unique_ptr<UniverseFolder>> universes;
  std::unique_ptr<UniverseFolder>& universe = universes[sectors];
  if (!universe) universe = std::make_unique<UniverseFolder>(sectors);
  return *universe;
}

void ReportSizes(benchmark::State& state, qv::TDataModule1& store) {
  state.counters["sectors"] = store.SectorsData.TotalRowCount();
  state.counters["placed"] = store.SectFactoryData.TotalRowCount();
  state.counters["traded"] = store.SectTradeData.TotalRowCount();
}

// The allocator merges the many small blocks a freed store leaves at the
// next large request. The program loads once, at start, with nothing freed
// before; so the merge is done here, outside the timed load.
void SettleAllocator() {
  void* large = std::malloc(4 << 20);
  benchmark::DoNotOptimize(large);
  std::free(large);
}

// The load and its baseline are both measured warm: the memory one
// iteration freed stays with the process for the next, instead of going
// back to the system (and faulting in again, which on this machine costs
// more than the parse) for the one that frees more.
class KeepFreedMemory {
 public:
  KeepFreedMemory() {
    mallopt(M_TRIM_THRESHOLD, kKeep);
    mallopt(M_MMAP_THRESHOLD, kKeep);
  }
  ~KeepFreedMemory() {
    mallopt(M_TRIM_THRESHOLD, kDefault);
    mallopt(M_MMAP_THRESHOLD, kDefault);
  }

 private:
  static constexpr int kKeep = 1 << 30;
  static constexpr int kDefault = 128 * 1024;
};

// Loading at start: the six universe tables and the request table, each
// sorted into the order the store keeps. Building the schemas is included,
// as it is part of creating the store; freeing the previous store is not.
void BM_StoreLoad(benchmark::State& state) {
  UniverseFolder& universe = Universe(static_cast<int>(state.range(0)));
  CountingDialogs dialogs;
  std::unique_ptr<qv::TDataModule1> store;
  const KeepFreedMemory keep;
  for (auto _ : state) {
    state.PauseTiming();
    store.reset();
    SettleAllocator();
    state.ResumeTiming();
    store = std::make_unique<qv::TDataModule1>(universe.Folder());
    qv::LoadStore(*store, dialogs);
  }
  if (dialogs.messages != 0) state.SkipWithError("loading reported an error");
  ReportSizes(state, *store);
}
BENCHMARK(BM_StoreLoad)->Arg(kLargeUniverse)->Arg(kHugeUniverse)->Unit(benchmark::kMillisecond);

// The baseline of the load: each of the six files read whole and parsed by
// pugixml, and every attribute of every row visited, as a reader that builds
// nothing would.
void BM_BareXmlParseAndWalk(benchmark::State& state) {
  UniverseFolder& universe = Universe(static_cast<int>(state.range(0)));
  const char* files[] = {"sectors.cds",  "factlist.cds", "products.cds",
                         "factprod.cds", "sectfact.cds", "secttrad.cds"};
  std::size_t visited = 0;
  const KeepFreedMemory keep;
  for (auto _ : state) {
    for (const char* name : files) {
      const std::string path = universe.Folder() + "Data/" + name;
      std::string text(fs::file_size(path), '\0');
      std::ifstream(path, std::ios::binary).read(text.data(), static_cast<long>(text.size()));
      pugi::xml_document doc;
      doc.load_buffer_inplace(text.data(), text.size());
      for (pugi::xml_node row : doc.document_element().child("Rows").children())
        for (pugi::xml_attribute attribute : row.attributes())
          visited += *attribute.value() != '\0' ? 1 : 0;
    }
  }
  benchmark::DoNotOptimize(visited);
}
BENCHMARK(BM_BareXmlParseAndWalk)
    ->Arg(kLargeUniverse)
    ->Arg(kHugeUniverse)
    ->Unit(benchmark::kMillisecond);

// Saving at exit: every table merged and written back to its file.
void BM_StoreSave(benchmark::State& state) {
  UniverseFolder& universe = Universe(static_cast<int>(state.range(0)));
  CountingDialogs dialogs;
  qv::TDataModule1 store(universe.Folder());
  qv::LoadStore(store, dialogs);
  for (auto _ : state)
    qv::SaveStore(store, dialogs);
  if (dialogs.messages != 0) state.SkipWithError("saving reported an error");
  ReportSizes(state, store);
}
BENCHMARK(BM_StoreSave)->Arg(kLargeUniverse)->Unit(benchmark::kMillisecond);

// One CountTraders call for a random sector and trader kind.
void BM_CountTraders(benchmark::State& state) {
  UniverseFolder& universe = Universe(static_cast<int>(state.range(0)));
  qv::TDataModule1& store = universe.Store();
  const std::vector<int>& ids = universe.SectorIds();
  std::mt19937 random(5);
  std::vector<std::pair<int, int>> queries(4096);
  for (auto& [id, trader] : queries) {
    id = ids[random() % ids.size()];
    trader = static_cast<int>(random() % 4);
  }
  std::int64_t counted = 0;
  std::size_t next = 0;
  for (auto _ : state) {
    const auto [id, trader] = queries[next++ & 4095];
    counted += store.CountTraders(id, trader);
  }
  benchmark::DoNotOptimize(counted);
  state.counters["per_call"] = static_cast<double>(counted) / static_cast<double>(next);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CountTraders)
    ->Arg(1000)
    ->Arg(3000)
    ->Arg(kLargeUniverse)
    ->Complexity(benchmark::oLogN)
    ->Unit(benchmark::kNanosecond);

// One FindSectorAt call on a random grid cell (the grid has a few empty cells,
// so some calls miss).
void BM_FindSectorAt(benchmark::State& state) {
  UniverseFolder& universe = Universe(static_cast<int>(state.range(0)));
  qv::TDataModule1& store = universe.Store();
  std::mt19937 random(6);
  std::vector<std::pair<int, int>> cells(4096);
  for (auto& [x, y] : cells) {
    x = static_cast<int>(random() % static_cast<unsigned>(universe.Options().width));
    y = static_cast<int>(random() % static_cast<unsigned>(universe.Options().height));
  }
  std::string name;
  std::int64_t found = 0;
  std::size_t next = 0;
  for (auto _ : state) {
    const auto [x, y] = cells[next++ & 4095];
    found += store.FindSectorAt(x, y, &name) ? 1 : 0;
  }
  benchmark::DoNotOptimize(found);
  state.counters["hit_ratio"] = static_cast<double>(found) / static_cast<double>(next);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_FindSectorAt)
    ->Arg(1000)
    ->Arg(3000)
    ->Arg(kLargeUniverse)
    ->Complexity(benchmark::oLogN)
    ->Unit(benchmark::kNanosecond);

}  // namespace
