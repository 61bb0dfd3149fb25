#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/ChangeRecorder.h"
#include "data/CommitRecord.h"
#include "data/NumStrList.h"
#include "data/StoreCodes.h"
#include "data/StoreFields.h"
#include "data/StoreScopes.h"
#include "data/Table.h"
#include "data/TableFile.h"

namespace qv {

class BusyCursor;
class IniFile;
class TRowWriter;
class TStoreRowWriter;

// Coded and store texts that a language file may replace (section "DataModule1").
struct TStoreTexts {
  std::string FactoryProduces = "Produces";
  std::string FactoryNeeds = "Needs";
  std::string ProductUsual = "Product";
  std::string ProductUpgrade = "Upgrade";
  std::string ProductShip = "Ship";
  std::string ProductFactory = "Factory";
  std::string SpecialSuns = "Suns";
  std::string SpecialOre = "Ore";
  std::string SpecialSilicon = "Silicon";
  std::string FactoryOwnerYour = "Your";  // the owner text
  std::string SolarTimeNote = "%d min %d sec (approx. suns: %d)";
  std::string FrameProductText = "Product:";
  std::string FrameResourceText = "Resource:";
  std::string FrameUnitsHour = "units/h";
  std::string FrameAvgButton = "Avg";
  std::string TimeText = "(%d min %d sec)";
};

// What became of a table's file when the store was loaded.
enum class TableFileState {
  NotRead,  // loading has not run (a store built to be filled and saved)
  Loaded,   // read from its file
  Missing,  // there was no file; one may be created at exit
  Damaged,  // the file exists but could not be read; it is never written over
  Skipped,  // a request table of another build, ignored on purpose
};

// What loading found wrong, told to the player in one message: an error when
// a file could not be read or a save could not be completed, a warning
// otherwise. An empty text: nothing to tell.
struct TLoadReport {
  std::string Text;
  bool IsError = false;
};

struct TSectorBounds {
  int MinX = 0, MinY = 0;  // the smallest of 0 and every position
  int MaxX = 0, MaxY = 0;
  int MaxVisibleX = 0, MaxVisibleY = 0;
  int MinVisibleX = 2147483647, MinVisibleY = 2147483647;
  int HiddenCount = 0;
};

// A sector position the sectors table accepts: X and Y within
// ±kMaxGridPosition (src/data/MapLimits.h).
bool SectorPositionAllowed(std::int32_t x, std::int32_t y);

// The universe store: owns the seven tables, loads them at start and saves
// them at exit, answers the shared queries and carries the table rules.
class TDataModule1 {
 public:
  // `programFolder` holds "AuxReq.cds"; its "Data" subfolder the six
  // universe tables. Builds the schemas, indexes and rules; loads nothing yet.
  // The store neither reads the settings file nor tells the player anything:
  // the program passes in what it needs and shows what it returns.
  explicit TDataModule1(std::string programFolder, BusyCursor* busy = nullptr);
  ~TDataModule1();

  // Loading at start and saving at exit (the program calls them once each).
  // Loading first completes a save that was cut short (see CommitRecord),
  // then reads the tables and returns in one report what it found wrong.
  // The request table is read only when `requestFromThisBuild` (the settings
  // file was written by this build: another build's fields may mean
  // something else). Saving writes the six universe files as one commit
  // unless the universe is read-only, and the request table on its own; it
  // returns the error messages to show, in order (every failure of the
  // universe's commit in one of them).
  TLoadReport DataModuleCreate(bool requestFromThisBuild);
  std::vector<std::string> DataModuleDestroy();
  // Loading without the report (the command-line tool tells each problem on
  // a line of its own).
  void LoadAllTables(bool requestFromThisBuild);
  // What loading found wrong: one entry per file ("Cannot open file <path>",
  // a line break, the reason), one for a save that could not be completed,
  // one per file with texts longer than their fields, and one for sectors
  // that lie off the map.
  std::vector<std::string> LoadProblems() const;
  // No universe file is written at exit: one of them exists but could not be
  // read (writing the others would break their links to it), the last save
  // could not be completed, or the folder is read-only for this program.
  bool UniverseReadOnly() const { return universeReadOnly_; }
  // This program does not hold its folder (ProgramFolderLock), so another
  // writer cannot be ruled out: nothing of the folder is written, not even to
  // complete an interrupted save, and the universe is read as the last save
  // left it. Set before loading; the windows ask it before they write.
  void SetFolderReadOnly() { folderReadOnly_ = universeReadOnly_ = true; }
  bool FolderReadOnly() const { return folderReadOnly_; }
  // The rename the save and the completion of a cut-short save use.
  void SetRenameFunction(CommitRecord::RenameFunction rename) { rename_ = std::move(rename); }
  // Called once a save's commit record is written and synced: from then on
  // the new files are the universe (a cut-short save is completed at the
  // next start), so what only stood in for them can go. Empty: nothing.
  void SetCommittedHook(std::function<void()> hook) { committed_ = std::move(hook); }
  // The last DataModuleDestroy wrote the six universe files whole and in place.
  bool UniverseSaved() const { return universeSaved_; }

  std::string ProgramFolder() const;  // with a trailing separator
  std::string DataFolder() const;     // ProgramFolder + "Data/"

  Table SectorsData{"SectorsData"};
  Table FactoriesData{"FactoriesData"};
  Table ProductsData{"ProductsData"};
  Table FactoryProdData{"FactoryProdData"};
  Table SectFactoryData{"SectFactoryData"};
  Table SectTradeData{"SectTradeData"};
  Table AuxRequestData{"AuxRequestData"};

  // Every field of the seven tables, found when the schemas were built.
  const TStoreFields& Fields() const { return fields_; }

  // The six universe tables in load order, then AuxRequestData.
  std::vector<Table*> AllTables();
  // The table of that name (ignoring ASCII case), nullptr when the store has none.
  Table* FindTable(std::string_view name);
  // Full path of a table's file: the data folder for the universe tables,
  // the program folder for the request table.
  std::string TableFilePath(const Table& table) const;
  TableFileState FileState(const Table& table) const;
  // What the grids and field boxes showing a universe table write through.
  TRowWriter& RowWriter();

  // What the editors are showing (StoreScopes.h): hold the scope while the
  // window shows it.
  [[nodiscard]] TOpenSector OpenSector(int sectorId, int trader);
  [[nodiscard]] TOpenRecipes OpenRecipes();
  int OpenSectorId() const { return open_.sectorId; }
  int OpenTrader() const { return open_.trader; }
  bool SectorLinked() const { return open_.sectorLinked; }
  bool RecipesLinked() const { return open_.recipesLinked; }

  // A sector, placed factory or trader changed since the statistics were
  // last worked out (loading clears it).
  bool DataChanged() const { return dataChanged_; }
  void MarkDataChanged() { dataChanged_ = true; }
  void ClearDataChanged() { dataChanged_ = false; }
  // The names the referencing fields show while an editor has them loaded
  // (LoadProductNames, LoadFactoryNames); empty lists show the numbers.
  const TNumStrList& ProductNames() const { return productNames_; }
  const TNumStrList& FactoryNames() const { return factoryNames_; }
  void ClearProductNames() { productNames_.Clear(); }
  void ClearFactoryNames() { factoryNames_.Clear(); }
  const TStoreTexts& Texts() const { return texts_; }

  // Queries.
  void SuspendViews();  // the six universe tables
  void ResumeViews();
  TSectorBounds GetSectorBounds();
  void FillSectorNames(std::vector<std::string>& list, const std::string& leaveOut,
                       bool visibleOnly);
  bool LocateSectorById(int id);
  // Searches that leave every cursor, order and filter as it was.
  bool FindSectorAt(int x, int y, std::string* name = nullptr) const;
  bool LocateSectorAt(int x, int y);
  // False when no sector has that name (x and y are then -1, which is also a
  // position: ask the result, not the position).
  bool FindSectorByName(const std::string& name, int* x = nullptr, int* y = nullptr) const;
  bool LocateSectorByName(const std::string& name);
  int CountTraders(int sectorId, int trader) const;
  void DeleteTraders(int sectorId, int trader);
  void LoadProductNames();
  void LoadFactoryNames();
  void FillProductNames(std::vector<std::string>& list, bool productsAndUpgrades,
                        bool shipsAndFactories);
  void FillFactoryNames(std::vector<std::string>& list, bool buyableOnly);
  int SectorSolarCycle() const;  // of the current SectorsData row
  // Of the sector of that name, without moving the cursor; -1 when none has it.
  int SectorSolarCycle(const std::string& sectorName) const;
  // The same rule for a sector's SolarCycle and Suns values, read elsewhere.
  static int SolarCycleOf(int solarCycle, int suns);
  static int ApproxSuns(int cycleSeconds);

  // The orders the six universe tables are kept in while the program runs
  // (loading sets them; the raw browser shows the stored order for a while).
  void SetWorkingOrders();

  // ---- Steps: what undo, redo and the journal build on ----
  // Opens a named operation: every row of the six universe tables written
  // until the returned scope ends is one step (scopes nest; the outermost
  // one ends it). A write made outside any scope is a step of its own, named
  // after its first row change.
  [[nodiscard]] ChangeScope BeginChange(ChangeKind kind, std::string name = {});
  // The listeners hear every finished step, one notification each.
  int AddChangeListener(ChangeListener listener);
  void RemoveChangeListener(int id);
  // Applies a step to the tables without running their rules and without
  // making it a new step: Undo takes it back, Redo and Replay do it again.
  // A row still being edited in a table the step writes is cancelled first.
  // Sets DataChanged; the listeners hear what was applied. TableError when
  // the tables do not hold what the step expects (nothing is then changed).
  void ApplyChange(const ChangeRecord& record, ChangeOrigin origin);
  // True while a step is being gathered (an operation or a write is running).
  bool ChangeInProgress() const { return recorder_->InStep(); }

  // Table rules used by the windows.
  void SyncNeighbourGates();
  void TranslateStoreTexts(const IniFile& languageFile);

 private:
  static constexpr int kTableCount = 7;
  std::string programFolder_;
  BusyCursor* busy_;
  // What became of each table's file (AllTables order), so that exit never
  // writes a table that failed to load over the player's file.
  std::array<TableFileState, kTableCount> fileStates_{};
  std::array<std::string, kTableCount> loadErrors_{};  // path and reason, when not loaded
  // Texts longer than their fields, as the files hold them (AllTables order).
  std::array<std::vector<OverlongValue>, kTableCount> overlong_{};
  std::string commitProblem_;  // a save cut short that could not be completed or undone
  bool commitProblemIsError_ = false;
  bool universeReadOnly_ = false;
  bool folderReadOnly_ = false;
  bool universeSaved_ = false;
  std::vector<std::string> saveFailures_;  // gathered by the save at exit
  CommitRecord::RenameFunction rename_ = CommitRecord::SystemRename;
  std::function<void()> committed_;
  std::unique_ptr<TStoreRowWriter> rowWriter_;
  struct OpenState {
    int sectorId = 0;
    int trader = 0;
    bool sectorLinked = false;
    bool recipesLinked = false;
  };
  OpenState open_;
  bool dataChanged_ = false;
  TNumStrList productNames_;
  TNumStrList factoryNames_;
  TStoreTexts texts_;
  TStoreFields fields_;
  friend class TOpenSector;
  friend class TOpenRecipes;
  // Declared after the tables it observes, so that it goes first.
  std::unique_ptr<ChangeRecorder> recorder_;
  struct OffMapSector {
    std::string name;
    int x = 0, y = 0;
  };
  std::vector<OffMapSector> offMapSectors_;

  int TableSlot(const Table& table) const;
  int SolarCycleOfRow(const Record& sector) const;
  void BuildSchemas();
  void AttachRules();
  void LoadUniverseTable(Table& table, const std::string& indexName,
                         const std::string& indexFieldNames, const CommitRecord& committed);
  void LoadUniverse();
  CommitRecord OpenUniverse();
  void LoadRequestTable(bool buildMatches);
  bool TryLoadFile(Table& table, const CommitRecord& committed);
  void NumberAboveReferences();
  void FindOffMapSectors();
  TLoadReport LoadReport() const;
  void MergeBeforeSaving(Table& table);
  void SaveUniverse();
  void SaveRequestTable();

  // Table rules (see TableRules.cpp).
  void SectorsDataAfterInsert(Table& table);
  void SectorsDataBeforePost(Table& table);
  void FactoryProdDataAfterInsert(Table& table);
  void SectFactoryDataBeforePost(Table& table);
  void SectTradeDataBeforePost(Table& table);
  void SectorsDataAfterPost(Table& table);
  void SectorsDataBeforeDelete(Table& table);
  void FactoriesDataBeforeDelete(Table& table);
  void ProductsDataBeforeDelete(Table& table);
  std::string ProductsDataTypeGetText(const Value& value) const;
  void ProductsDataTypeSetText(Field& field, const std::string& text);
  std::string FactoryProdDataOperationGetText(const Value& value) const;
  void FactoryProdDataOperationSetText(Field& field, const std::string& text);
  std::string FactoriesDataSpecialGetText(const Value& value) const;
  void FactoriesDataSpecialSetText(Field& field, const std::string& text);
  bool SectFactoryDataFilterRecord(const Record& record) const;
  bool SectTradeDataFilterRecord(const Record& record) const;
  bool FactoriesDataFilterRecord(const Record& record) const;
};

}  // namespace qv
