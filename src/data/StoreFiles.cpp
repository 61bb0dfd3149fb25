#include <sys/stat.h>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <optional>
#include <tuple>
#include <utility>

#include "data/AtomicFile.h"
#include "data/BusyCursor.h"
#include "data/DataModule1.h"
#include "data/MapLimits.h"
#include "data/TableFile.h"

// Loading the tables at start and saving them at exit. The six universe
// tables refer to one another by Id, so they are read, judged and written
// as one unit: a universe that could not be read whole is never written back,
// and a save is one commit (CommitRecord): a program killed in the middle of
// it leaves a universe that the next start completes, never a mix.

namespace qv {

namespace {

constexpr int kUniverseTableCount = 6;
constexpr std::size_t kOffMapSectorsListed = 10;
constexpr std::size_t kOverlongValuesListed = 10;
// A reader that does not hold the folder reads again when a writer changed
// the files meanwhile; a writer that keeps on saving must not hold it forever.
constexpr int kReadAttempts = 3;

// The reason of a file error, without the leading "... <path>: " that the
// message shows anyway.
std::string Reason(const std::exception& error, const std::string& path) {
  std::string reason = error.what();
  const std::string::size_type at = reason.find(path + ": ");
  if (at != std::string::npos) reason.erase(0, at + path.size() + 2);
  return reason;
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
  std::string text;
  for (const std::string& part : parts) {
    if (!text.empty()) text += separator;
    text += part;
  }
  return text;
}

// What a reader sees of the universe files and the commit record: a save that
// ran while they were read changes it.
using FileStamp = std::tuple<bool, dev_t, ino_t, off_t, long, long>;
std::vector<FileStamp> Stamps(const std::vector<std::string>& paths) {
  std::vector<FileStamp> stamps;
  for (const std::string& path : paths) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
      stamps.emplace_back(false, 0, 0, 0, 0, 0);
    else
      stamps.emplace_back(true, info.st_dev, info.st_ino, info.st_size, info.st_mtim.tv_sec,
                          info.st_mtim.tv_nsec);
  }
  return stamps;
}

// The largest value of `field` over every row of `table` (0 without the field).
std::int64_t LargestValue(const Table& table, const char* field) {
  const Field* column = table.FindField(field);
  if (column == nullptr) return 0;
  std::int64_t largest = 0;
  for (const Record& record : table.AllRecords())
    largest = std::max<std::int64_t>(largest, record.Get(column->Index()).ToInteger());
  return largest;
}

}  // namespace

// Reads one table's file, or the new content that a save cut short left for
// it. A missing or damaged file leaves the table empty and its reason noted;
// loading goes on with the next table either way.
bool TDataModule1::TryLoadFile(Table& table, const CommitRecord& committed) {
  const std::string path = TableFilePath(table);
  const std::string source = committed.CommittedFile(path);
  const int slot = TableSlot(table);
  const bool existed = FileExists(source);
  try {
    LoadTableFile(table, source, &overlong_[slot]);
    fileStates_[slot] = TableFileState::Loaded;
    loadErrors_[slot].clear();
    return true;
  } catch (const std::exception& error) {
    table.EmptyDataSet();
    overlong_[slot].clear();
    fileStates_[slot] =
        (existed || FileExists(source)) ? TableFileState::Damaged : TableFileState::Missing;
    loadErrors_[slot] = "Cannot open file " + path + "\n" + Reason(error, source);
    return false;
  }
}

void TDataModule1::LoadUniverseTable(Table& table, const std::string& indexName,
                                     const std::string& indexFieldNames,
                                     const CommitRecord& committed) {
  TryLoadFile(table, committed);
  if (!indexName.empty())
    table.SetIndexName(indexName);
  else
    table.SetIndexFieldNames(indexFieldNames);
}

// The request is disposable: a damaged file is reported, the request starts
// empty, and a sound file replaces it at exit.
void TDataModule1::LoadRequestTable(bool buildMatches) {
  AuxRequestData.EmptyDataSet();
  const std::string path = TableFilePath(AuxRequestData);
  const int slot = TableSlot(AuxRequestData);
  if (!FileExists(path)) {
    fileStates_[slot] = TableFileState::Missing;
  } else if (!buildMatches) {
    // Written by another build: its fields may mean something else.
    fileStates_[slot] = TableFileState::Skipped;
  } else {
    TryLoadFile(AuxRequestData, CommitRecord(DataFolder()));
  }
  if (AuxRequestData.IsEmpty()) {
    AuxRequestData.Append();
    AuxRequestData.Post();
    AuxRequestData.MergeChangeLog();
  }
}

// A table whose file was not read starts empty, but the other tables may
// still refer to its old rows. Its counter starts above every such Id, so
// that a new row never adopts the orphans (and a cascade never deletes them).
void TDataModule1::NumberAboveReferences() {
  const std::pair<Table*, const char*> referenced[] = {
      {&SectorsData, "SectorId"}, {&FactoriesData, "FactoryId"}, {&ProductsData, "ProductId"}};
  const std::vector<Table*> tables = AllTables();
  for (const auto& [table, field] : referenced) {
    if (fileStates_[TableSlot(*table)] == TableFileState::Loaded) continue;
    std::int64_t largest = 0;
    for (int i = 0; i < kUniverseTableCount; ++i)
      largest = std::max(largest, LargestValue(*tables[i], field));
    if (largest >= table->NextAutoInc()) table->LoadRows({}, largest + 1);
  }
}

// Positions beyond the map's range cannot be entered any more, but a file
// may hold them; such rows are kept and named once at start.
void TDataModule1::FindOffMapSectors() {
  offMapSectors_.clear();
  const TSectorsFields& f = fields_.Sectors;
  for (const Record& record : SectorsData.AllRecords()) {
    const int px = f.X.Of(record).ToInteger();
    const int py = f.Y.Of(record).ToInteger();
    if (!SectorPositionAllowed(px, py))
      offMapSectors_.push_back({f.Name.Of(record).ToString(), px, py});
  }
}

// The universe as the last save left it. The holder of the folder first
// completes a save that was cut short (or drops one that cannot count); a
// reader changes nothing and reads what the save's record names.
CommitRecord TDataModule1::OpenUniverse() {
  commitProblem_.clear();
  commitProblemIsError_ = false;
  if (folderReadOnly_) return CommitRecord::Read(DataFolder());
  const CommitRecord::Recovery recovery = CommitRecord::Recover(DataFolder(), rename_);
  std::string failures;
  for (const CommitRecord::Failure& failure : recovery.failures)
    failures += "\n" + failure.target + ": " + failure.reason;
  if (recovery.outcome == CommitRecord::Recovery::Outcome::Pending) {
    // The new set is whole only with its waiting files: it is read as it is,
    // and nothing is saved over it until the player has put things in order.
    universeReadOnly_ = true;
    commitProblemIsError_ = true;
    commitProblem_ = "The last save of the universe could not be completed:" + failures +
                     "\nThe universe is read as that save left it; no change to it will be "
                     "saved until the files are in order.";
  } else if (recovery.outcome == CommitRecord::Recovery::Outcome::Dropped) {
    commitProblem_ =
        "A save of the universe that was cut short could not be completed, and "
        "was undone:" +
        failures + "\nThe universe is as it was before that save.";
  }
  return CommitRecord::Read(DataFolder());
}

void TDataModule1::LoadUniverse() {
  const std::vector<Table*> tables = AllTables();
  std::vector<std::string> paths;
  for (int i = 0; i < kUniverseTableCount; ++i)
    paths.push_back(TableFilePath(*tables[i]));
  paths.push_back(CommitRecord(DataFolder()).FilePath());
  for (int attempt = 1;; ++attempt) {
    const std::vector<FileStamp> before = Stamps(paths);
    const CommitRecord committed = OpenUniverse();
    LoadUniverseTable(SectorsData, "SectorsDataCoordIndex", "", committed);
    LoadUniverseTable(FactoriesData, "FactoriesDataIdIndex", "", committed);
    LoadUniverseTable(ProductsData, "", "Type;Name", committed);
    LoadUniverseTable(FactoryProdData, "FactoryProdDataIndex", "", committed);
    LoadUniverseTable(SectFactoryData, "", "SectorId", committed);
    LoadUniverseTable(SectTradeData, "", "SectorId;Trader", committed);
    // Only a reader can meet a writer at work; it reads the set once more.
    if (!folderReadOnly_ || attempt == kReadAttempts || Stamps(paths) == before) return;
  }
}

void TDataModule1::LoadAllTables(bool requestFromThisBuild) {
  BusyGuard busy(busy_);
  loadErrors_.fill(std::string());
  LoadUniverse();
  for (int i = 0; i < kUniverseTableCount; ++i)
    if (fileStates_[i] == TableFileState::Damaged) universeReadOnly_ = true;
  NumberAboveReferences();
  FindOffMapSectors();
  LoadRequestTable(requestFromThisBuild);
  recorder_->TakeCounters();
  dataChanged_ = false;
}

std::vector<std::string> TDataModule1::LoadProblems() const {
  std::vector<std::string> problems;
  if (!commitProblem_.empty()) problems.push_back(commitProblem_);
  for (const std::string& entry : loadErrors_)
    if (!entry.empty()) problems.push_back(entry);
  const Table* tables[kTableCount] = {&SectorsData,     &FactoriesData,   &ProductsData,
                                      &FactoryProdData, &SectFactoryData, &SectTradeData,
                                      &AuxRequestData};
  for (int i = 0; i < kTableCount; ++i) {
    const std::vector<OverlongValue>& values = overlong_[i];
    if (values.empty()) continue;
    std::string text =
        TableFilePath(*tables[i]) + ": " +
        (values.size() == 1
             ? std::string("1 text is longer than its field allows; it is kept as it is until "
                           "it is edited:")
             : std::to_string(values.size()) +
                   " texts are longer than their fields allow; they are kept as they are until "
                   "they are edited:");
    for (std::size_t k = 0; k < values.size() && k < kOverlongValuesListed; ++k) {
      const OverlongValue& value = values[k];
      text += "\nrow " + std::to_string(value.row) + ", " + value.field + ": " +
              std::to_string(value.length) + " characters (the field holds " +
              std::to_string(value.limit) + ")";
    }
    if (values.size() > kOverlongValuesListed)
      text += "\n... and " + std::to_string(values.size() - kOverlongValuesListed) + " more";
    problems.push_back(std::move(text));
  }
  if (!offMapSectors_.empty()) {
    std::string text = std::to_string(offMapSectors_.size()) +
                       (offMapSectors_.size() == 1 ? " sector lies" : " sectors lie") +
                       " outside the map (-" + std::to_string(kMaxGridPosition) + " to " +
                       std::to_string(kMaxGridPosition) + "); kept, but not drawn:";
    for (std::size_t i = 0; i < offMapSectors_.size() && i < kOffMapSectorsListed; ++i) {
      const OffMapSector& sector = offMapSectors_[i];
      text += "\n'" + sector.name + "' at " + std::to_string(sector.x) + ", " +
              std::to_string(sector.y);
    }
    if (offMapSectors_.size() > kOffMapSectorsListed)
      text += "\n... and " + std::to_string(offMapSectors_.size() - kOffMapSectorsListed) + " more";
    problems.push_back(std::move(text));
  }
  return problems;
}

// Everything loading found, in one message: one box per file would make a
// first start click through six of them.
TLoadReport TDataModule1::LoadReport() const {
  std::vector<std::string> parts = LoadProblems();
  if (parts.empty()) return {};
  int damaged = 0;
  int missing = 0;
  bool fileProblem = commitProblemIsError_;
  for (int i = 0; i < kTableCount; ++i) {
    if (!loadErrors_[i].empty()) fileProblem = true;
    if (i >= kUniverseTableCount) continue;
    if (fileStates_[i] == TableFileState::Damaged) ++damaged;
    if (fileStates_[i] == TableFileState::Missing) ++missing;
  }
  if (missing > 0 && damaged == 0 && !universeReadOnly_) {
    parts.push_back(missing == 1 ? "The table of the missing file starts empty; the file is "
                                   "created when the program ends."
                                 : "The tables of the missing files start empty; the files are "
                                   "created when the program ends.");
  }
  if (damaged > 0) {
    parts.push_back(std::string("The universe is read-only for this run: no change to the "
                                "universe will be saved until ") +
                    (damaged == 1 ? "this file is" : "these files are") + " repaired or removed.");
  }
  return {Joined(parts, "\n\n"), fileProblem};
}

TLoadReport TDataModule1::DataModuleCreate(bool requestFromThisBuild) {
  LoadAllTables(requestFromThisBuild);
  return LoadReport();
}

// Posts a row still in edit; a row that cannot be posted is dropped with a
// message, and the rows already stored are still saved.
void TDataModule1::MergeBeforeSaving(Table& table) {
  try {
    table.MergeChangeLog();
  } catch (const std::exception& error) {
    table.Cancel();
    saveFailures_.push_back("Cannot save changes of " + table.Name() + "\n" + error.what());
  }
}

// All six files are written to temporary files and flushed first; only when
// every one succeeded does the commit record make them the universe, and are
// they renamed into place. Otherwise none is, and the old files stay the last
// consistent universe.
void TDataModule1::SaveUniverse() {
  std::error_code ec;
  std::filesystem::create_directories(DataFolder(), ec);
  const std::vector<Table*> tables = AllTables();
  std::vector<StagedFile> staged;
  CommitRecord record(DataFolder());
  std::vector<std::string> failures;
  for (int i = 0; i < kUniverseTableCount; ++i) {
    const std::string path = TableFilePath(*tables[i]);
    try {
      if (fileStates_[i] == TableFileState::Missing && FileExists(path)) {
        failures.push_back("Cannot write file " + path +
                           "\nthe file was made by another program while this one ran; it is "
                           "kept as it is");
        continue;
      }
      const std::string text = TableFileText(*tables[i], path);
      StagedFile& file = staged.emplace_back(path, text);
      file.Flush();
      record.Add({path, file.TemporaryPath(), FileFingerprint::Of(text)});
    } catch (const std::exception& error) {
      failures.push_back(WriteFailureText(path, error));
    }
  }
  if (failures.empty()) {
    try {
      record.Write();
    } catch (const std::exception& error) {
      failures.push_back(WriteFailureText(record.FilePath(), error));
    }
  }
  if (!failures.empty()) {
    staged.clear();  // drops every temporary file
    failures.push_back("The universe was not saved: its files are as they were before.");
    saveFailures_.push_back(Joined(failures, "\n\n"));
    return;
  }
  // From here on the record holds the new set, whatever happens.
  for (StagedFile& file : staged)
    file.Release();
  if (committed_) committed_();
  const std::vector<CommitRecord::Failure> notPlaced = record.Apply(rename_);
  if (notPlaced.empty()) {
    record.Remove();
    universeSaved_ = true;
    return;
  }
  for (const CommitRecord::Failure& failure : notPlaced)
    failures.push_back("Cannot write file " + failure.target + "\n" + failure.reason);
  failures.push_back(
      "The save of the universe is not complete: the new files wait beside the old ones, and "
      "the next start of the program in this folder puts them in place.");
  saveFailures_.push_back(Joined(failures, "\n\n"));
}

void TDataModule1::SaveRequestTable() {
  const std::string path = TableFilePath(AuxRequestData);
  try {
    SaveTableFile(AuxRequestData, path);
  } catch (const std::exception& error) {
    saveFailures_.push_back(WriteFailureText(path, error));
  }
}

std::vector<std::string> TDataModule1::DataModuleDestroy() {
  BusyGuard busy(busy_);
  universeSaved_ = false;
  saveFailures_.clear();
  for (Table* table : AllTables())
    MergeBeforeSaving(*table);
  // Another writer may be at work.
  if (!folderReadOnly_) {
    if (!universeReadOnly_) SaveUniverse();
    SaveRequestTable();
  }
  return std::exchange(saveFailures_, {});
}

}  // namespace qv
