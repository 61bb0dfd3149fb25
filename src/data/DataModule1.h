#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/NumStrList.h"
#include "data/Table.h"

namespace qv {

class Dialogs;
class BusyCursor;
class IniFile;

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

struct TSectorBounds {
  int MaxX = 0, MaxY = 0;
  int MaxVisibleX = 0, MaxVisibleY = 0;
  int MinVisibleX = 2147483647, MinVisibleY = 2147483647;
  int HiddenCount = 0;
};

// The universe store: owns the seven tables, loads them at start and saves
// them at exit, answers the shared queries and carries the table rules.
class TDataModule1 {
 public:
  // `programFolder` holds "AuxReq.cds" and the settings file; its "Data"
  // subfolder the six universe tables. Builds the schemas, indexes and rules;
  // loads nothing yet.
  TDataModule1(std::string programFolder, Dialogs& dialogs, BusyCursor* busy = nullptr);
  ~TDataModule1();

  // Loading at start and saving at exit (the program calls them once each).
  void DataModuleCreate();
  void DataModuleDestroy();

  std::string ProgramFolder() const;  // with a trailing separator
  std::string DataFolder() const;     // ProgramFolder + "Data/"

  Table SectorsData{"SectorsData"};
  Table FactoriesData{"FactoriesData"};
  Table ProductsData{"ProductsData"};
  Table FactoryProdData{"FactoryProdData"};
  Table SectFactoryData{"SectFactoryData"};
  Table SectTradeData{"SectTradeData"};
  Table AuxRequestData{"AuxRequestData"};

  // The six universe tables in load order, then AuxRequestData.
  std::vector<Table*> AllTables();

  int CurrentSectorId = 0;
  int CurrentTrader = 0;
  bool LinkRecipeToFactory = false;
  bool LinkToCurrentSector = false;
  bool DataChanged = false;
  TNumStrList ProductNames;
  TNumStrList FactoryNames;
  TStoreTexts Texts;

  // Queries.
  void SuspendViews();  // the six universe tables
  void ResumeViews();
  TSectorBounds GetSectorBounds();
  void FillSectorNames(std::vector<std::string>& list, const std::string& leaveOut,
                       bool visibleOnly);
  bool LocateSectorById(int id);
  bool FindSectorAt(int x, int y, std::string* name = nullptr);
  bool LocateSectorAt(int x, int y);
  void FindSectorByName(const std::string& name, int* x = nullptr, int* y = nullptr);
  bool LocateSectorByName(const std::string& name);
  int CountTraders(int sectorId, int trader);
  void DeleteTraders(int sectorId, int trader);
  void LoadProductNames();
  void LoadFactoryNames();
  void FillProductNames(std::vector<std::string>& list, bool productsAndUpgrades,
                        bool shipsAndFactories);
  void FillFactoryNames(std::vector<std::string>& list, bool buyableOnly);
  int SectorSolarCycle();  // of the current SectorsData row
  static int ApproxSuns(int cycleSeconds);

  // Table rules used by the windows.
  void SyncNeighbourGates();
  void TranslateStoreTexts(const IniFile& languageFile);

 private:
  std::string programFolder_;
  Dialogs& dialogs_;
  BusyCursor* busy_;
  // Which universe tables were read from an existing file, so that exit
  // never writes a table that failed to load over the player's file.
  std::vector<bool> loadedFromFile_;
  void BuildSchemas();
  void AttachRules();
};

}  // namespace qv
