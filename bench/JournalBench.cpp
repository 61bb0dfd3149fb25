// Undo and the journal on the generated universe of 10,000 sectors. Goals:
// one edit journaled and synced costs at most 1.5 times a bare write and
// fdatasync of the same bytes (BM_BareWriteAndSync, run beside it); replaying
// 10,000 journaled edits at start (reading, checking and applying them) takes
// at most 200 ms; undo and redo of the delete of a sector with 50 factories
// and traders take at most 5 ms.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "data/ChangeRecordCodec.h"
#include "data/DataModule1.h"
#include "data/StoreJournal.h"
#include "data/UndoStack.h"
#include "generator/UniverseGenerator.h"
#include "settings/SilentDialogs.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSectors = 10000;
constexpr int kReplayedEdits = 10000;

// A store of its own folder (so that the journal has somewhere to go) with
// the generated universe in memory; the folder goes with it.
struct JournalUniverse {
  fs::path folder =
      fs::temp_directory_path() / ("qvmap-journalbench-" + std::to_string(std::random_device()()));
  qv::SilentDialogs dialogs;
  std::unique_ptr<qv::TDataModule1> store;

  JournalUniverse() {
    fs::create_directories(folder / "Data");
    store = std::make_unique<qv::TDataModule1>(folder.string());
    qv::GeneratorOptions options;
    options.sectors = kSectors;
    options.width = options.height = 100;
    qv::GenerateUniverse(*store, options);
  }
  ~JournalUniverse() {
    store.reset();
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
  std::string JournalPath() const { return (folder / "Data" / "QVMap.journal").string(); }
};

// The edit a player makes most: one value of a sector.
void EditSector(qv::TDataModule1& store, int recNo, int suns) {
  store.SectorsData.SetRecNo(recNo);
  store.SectorsData.Edit();
  store.SectorsData.FieldByName("Suns").SetAsInteger(suns);
  store.SectorsData.Post();
}

void BM_JournaledEdit(benchmark::State& state) {
  JournalUniverse universe;
  qv::StoreJournal journal(*universe.store);
  journal.Start();
  int edit = 0;
  for (auto _ : state) {
    ++edit;
    EditSector(*universe.store, 1 + edit % 100, edit % 7);
  }
}
BENCHMARK(BM_JournaledEdit)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The same bytes as one journaled edit, written and synced with nothing else.
void BM_BareWriteAndSync(benchmark::State& state) {
  JournalUniverse universe;
  std::string frame;
  const int listener =
      universe.store->AddChangeListener([&frame](const qv::ChangeRecord& step, qv::ChangeOrigin) {
        frame = qv::JournalFile::Frame(qv::EncodeChangeRecord(step));
      });
  EditSector(*universe.store, 1, 3);
  universe.store->RemoveChangeListener(listener);
  const std::string path = universe.JournalPath();
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  for (auto _ : state) {
    benchmark::DoNotOptimize(::write(fd, frame.data(), frame.size()));
    ::fdatasync(fd);
  }
  ::close(fd);
}
BENCHMARK(BM_BareWriteAndSync)->Unit(benchmark::kMicrosecond)->UseRealTime();

// 10,000 edits of three kinds (a sector's value, a factory placed, one
// removed), journaled; each run reads the journal and replays it onto the
// universe as it was, which the pause between runs brings back by undoing.
void BM_Replay10000Edits(benchmark::State& state) {
  JournalUniverse universe;
  qv::TDataModule1& store = *universe.store;
  {
    qv::StoreJournal journal(store);
    journal.Start();
    std::mt19937 random(7);
    for (int i = 0; i < kReplayedEdits; ++i) {
      const int recNo = 1 + static_cast<int>(random() % kSectors);
      switch (i % 3) {
        case 0:
          // Always another value, so that every edit is a step.
          store.SectorsData.SetRecNo(recNo);
          EditSector(store, recNo, (store.SectorsData.FieldByName("Suns").AsInteger() + 1) % 7);
          break;
        case 1:
          store.SectFactoryData.Append();
          store.SectFactoryData.FieldByName("SectorId").SetAsInteger(recNo);
          store.SectFactoryData.FieldByName("FactoryId").SetAsInteger(1);
          store.SectFactoryData.Post();
          break;
        default:
          store.SectFactoryData.SetRecNo(recNo);
          store.SectFactoryData.Delete();
      }
    }
  }
  qv::StoreJournal journal(store);
  std::vector<qv::ChangeRecord> steps = journal.Read().steps;
  state.counters["steps"] = static_cast<double>(steps.size());
  for (auto it = steps.rbegin(); it != steps.rend(); ++it)
    store.ApplyChange(*it, qv::ChangeOrigin::Undo);
  for (auto _ : state) {
    const qv::JournalFile::Contents contents = journal.Read();
    const qv::StoreJournal::Replayed replayed = journal.Replay(contents.steps);
    state.PauseTiming();
    if (replayed.steps != contents.steps.size() || !replayed.stopped.empty()) {
      state.SkipWithError(("not every edit was replayed: " + replayed.stopped).c_str());
      break;
    }
    for (auto it = contents.steps.rbegin(); it != contents.steps.rend(); ++it)
      store.ApplyChange(*it, qv::ChangeOrigin::Undo);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Replay10000Edits)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_UndoRedoCascadeDelete(benchmark::State& state) {
  JournalUniverse universe;
  qv::TDataModule1& store = *universe.store;
  const int sector = store.SectorsData.Lookup("Id", qv::Value(5000)).Get("Id").ToInteger();
  for (int i = 0; i < 25; ++i) {
    store.SectFactoryData.Append();
    store.SectFactoryData.FieldByName("SectorId").SetAsInteger(sector);
    store.SectFactoryData.FieldByName("FactoryId").SetAsInteger(1 + i % 5);
    store.SectFactoryData.Post();
    store.SectTradeData.Append();
    store.SectTradeData.FieldByName("SectorId").SetAsInteger(sector);
    store.SectTradeData.FieldByName("ProductId").SetAsInteger(1 + i);
    store.SectTradeData.Post();
  }
  qv::UndoStack undo(store);
  store.LocateSectorById(sector);
  store.SectorsData.Delete();
  state.counters["rows"] = static_cast<double>(undo.NextUndo()->rows.size());
  for (auto _ : state) {
    undo.Undo();
    undo.Redo();
  }
}
BENCHMARK(BM_UndoRedoCascadeDelete)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
