#include "data/StoreJournal.h"

#include <exception>

#include "data/DataModule1.h"

namespace qv {

namespace {

std::vector<std::string> UniverseFiles(TDataModule1& store) {
  std::vector<std::string> paths;
  for (Table* table : store.AllTables())
    if (table != &store.AuxRequestData) paths.push_back(store.TableFilePath(*table));
  return paths;
}

}  // namespace

StoreJournal::StoreJournal(TDataModule1& store)
    : store_(store),
      file_(store.DataFolder() + JournalFile::kFileName,
            JournalFile::FingerprintsOf(UniverseFiles(store))) {}

StoreJournal::~StoreJournal() {
  Stop();
}

StoreJournal::Replayed StoreJournal::Replay(const std::vector<ChangeRecord>& steps) {
  Replayed replayed;
  store_.SuspendViews();
  // Each step would shift every kept order of its table; they are sorted
  // once at the end instead.
  const std::vector<Table*> tables = store_.AllTables();
  for (Table* table : tables)
    table->BeginRawWrites();
  try {
    for (const ChangeRecord& step : steps) {
      store_.ApplyChange(step, ChangeOrigin::Replay);
      ++replayed.steps;
    }
  } catch (const std::exception& error) {
    replayed.stopped = error.what();
  }
  for (Table* table : tables)
    table->EndRawWrites();
  store_.ResumeViews();
  return replayed;
}

void StoreJournal::Start(std::function<void(const std::string&)> problem) {
  if (Started() || store_.UniverseReadOnly()) return;
  problem_ = std::move(problem);
  // The save's commit record holds every step journaled so far, and the
  // next start would take this journal for one of other files.
  store_.SetCommittedHook([this] {
    try {
      file_.Remove();
    } catch (const std::exception& error) {
      if (problem_) problem_(error.what());
    }
  });
  listener_ = store_.AddChangeListener([this](const ChangeRecord& step, ChangeOrigin origin) {
    if (origin == ChangeOrigin::Replay || failed_) return;
    try {
      file_.Append(step);
    } catch (const std::exception& error) {
      failed_ = true;
      if (problem_) problem_(error.what());
    }
  });
}

void StoreJournal::Stop() {
  if (listener_ != 0) {
    store_.RemoveChangeListener(listener_);
    store_.SetCommittedHook({});
  }
  listener_ = 0;
}

void StoreJournal::Finish() {
  Stop();
  file_.Remove();
}

}  // namespace qv
