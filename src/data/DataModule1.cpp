#include "data/DataModule1.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <filesystem>
#include <utility>

#include "data/TableFile.h"
#include "settings/Dialogs.h"
#include "settings/Settings.h"

namespace qv {

namespace {

constexpr const char* kFileNames[] = {"sectors.cds",  "factlist.cds", "products.cds",
                                      "factprod.cds", "sectfact.cds", "secttrad.cds",
                                      "AuxReq.cds"};
constexpr int kRequestSlot = 6;

std::string WithTrailingSeparator(std::string folder) {
  if (folder.empty() || (folder.back() != '/' && folder.back() != '\\')) folder += '/';
  return folder;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(
      a, b, [](unsigned char x, unsigned char y) { return std::toupper(x) == std::toupper(y); });
}

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
  return std::filesystem::exists(path, ec);
}

}  // namespace

TDataModule1::TDataModule1(std::string programFolder, Dialogs& dialogs, BusyCursor* busy)
    : programFolder_(WithTrailingSeparator(std::move(programFolder))),
      dialogs_(dialogs),
      busy_(busy) {
  fileStates_.fill(TableFileState::NotRead);
  BuildSchemas();
  AttachRules();
}

TDataModule1::~TDataModule1() = default;

std::string TDataModule1::ProgramFolder() const {
  return programFolder_;
}

std::string TDataModule1::DataFolder() const {
  return programFolder_ + "Data/";
}

std::vector<Table*> TDataModule1::AllTables() {
  return {&SectorsData,     &FactoriesData, &ProductsData,  &FactoryProdData,
          &SectFactoryData, &SectTradeData, &AuxRequestData};
}

Table* TDataModule1::FindTable(std::string_view name) {
  for (Table* table : AllTables())
    if (SameNameIgnoringCase(table->Name(), name)) return table;
  return nullptr;
}

int TDataModule1::TableSlot(const Table& table) const {
  const Table* tables[] = {&SectorsData,     &FactoriesData, &ProductsData,  &FactoryProdData,
                           &SectFactoryData, &SectTradeData, &AuxRequestData};
  for (int i = 0; i < kTableCount; ++i)
    if (tables[i] == &table) return i;
  return -1;
}

std::string TDataModule1::TableFilePath(const Table& table) const {
  const int slot = TableSlot(table);
  if (slot < 0) return {};
  return (slot == kRequestSlot ? programFolder_ : DataFolder()) + kFileNames[slot];
}

TableFileState TDataModule1::FileState(const Table& table) const {
  const int slot = TableSlot(table);
  return slot < 0 ? TableFileState::NotRead : fileStates_[slot];
}

// Reads one table's file. A missing or damaged file is reported with its
// full path and the reason, and leaves the table empty; loading goes on with
// the next table either way.
bool TDataModule1::TryLoadFile(Table& table) {
  const std::string path = TableFilePath(table);
  TableFileState& state = fileStates_[TableSlot(table)];
  const bool existed = FileExists(path);
  try {
    LoadTableFile(table, path);
    state = TableFileState::Loaded;
    return true;
  } catch (const std::exception& error) {
    table.EmptyDataSet();
    state = (existed || FileExists(path)) ? TableFileState::Damaged : TableFileState::Missing;
    dialogs_.ShowError("Cannot open file " + path + "\n" + Reason(error, path));
    return false;
  }
}

void TDataModule1::LoadUniverseTable(Table& table, const std::string& indexName,
                                     const std::string& indexFieldNames) {
  TryLoadFile(table);
  if (!indexName.empty())
    table.SetIndexName(indexName);
  else
    table.SetIndexFieldNames(indexFieldNames);
}

void TDataModule1::LoadRequestTable(bool buildMatches) {
  AuxRequestData.EmptyDataSet();
  const std::string path = TableFilePath(AuxRequestData);
  if (!FileExists(path)) {
    fileStates_[kRequestSlot] = TableFileState::Missing;
  } else if (!buildMatches) {
    // Written by another build: its fields may mean something else. It is
    // replaced at exit by the one of this build.
    fileStates_[kRequestSlot] = TableFileState::Skipped;
  } else {
    TryLoadFile(AuxRequestData);
  }
  if (AuxRequestData.IsEmpty()) {
    AuxRequestData.Append();
    AuxRequestData.Post();
    AuxRequestData.MergeChangeLog();
  }
}

void TDataModule1::DataModuleCreate() {
  std::unique_ptr<SettingsFile> settings = OpenSettings(programFolder_, dialogs_);
  {
    BusyGuard busy(busy_);
    LoadUniverseTable(SectorsData, "SectorsDataCoordIndex", "");
    LoadUniverseTable(FactoriesData, "FactoriesDataIdIndex", "");
    LoadUniverseTable(ProductsData, "", "Type;Name");
    LoadUniverseTable(FactoryProdData, "FactoryProdDataIndex", "");
    LoadUniverseTable(SectFactoryData, "", "SectorId");
    LoadUniverseTable(SectTradeData, "", "SectorId;Trader");
    const bool buildMatches = SettingsBuildMatches(settings.get());
    settings.reset();
    LoadRequestTable(buildMatches);
  }
  DataChanged = false;
}

// Merges and writes one table. A failure is reported and never stops the
// other tables; a file that could not be read at start is left as it is.
void TDataModule1::SaveTable(Table& table) {
  const std::string path = TableFilePath(table);
  try {
    table.MergeChangeLog();
  } catch (const std::exception& error) {
    // The row in edit cannot be posted; the rows already stored are still saved.
    table.Cancel();
    dialogs_.ShowError("Cannot save changes of " + table.Name() + "\n" + error.what());
  }
  const TableFileState state = fileStates_[TableSlot(table)];
  if (state == TableFileState::Damaged) return;
  if (state == TableFileState::Missing && FileExists(path)) return;  // someone else's file now
  try {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    SaveTableFile(table, path);
  } catch (const std::exception& error) {
    dialogs_.ShowError("Cannot write file " + path + "\n" + Reason(error, path));
  }
}

void TDataModule1::DataModuleDestroy() {
  BusyGuard busy(busy_);
  for (Table* table : AllTables())
    SaveTable(*table);
}

}  // namespace qv
