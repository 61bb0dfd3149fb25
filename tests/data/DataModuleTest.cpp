#include <gtest/gtest.h>

#include <filesystem>

#include "data/DataModule1.h"
#include "data/StoreTestData.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace {

using qv::TDataModule1;
using qvtest::Column;

const char* const kUniverseFiles[] = {"sectors.cds",  "factlist.cds", "products.cds",
                                      "factprod.cds", "sectfact.cds", "secttrad.cds"};

class DataModuleTest : public ::testing::Test {
 protected:
  qvtest::TempDir dir;
  qvtest::ScriptedDialogs dialogs;

  // A saved universe: rows entered out of their working order.
  void WriteUniverse() {
    TDataModule1 s(dir.Folder(), dialogs);
    const int b = qvtest::AddSector(s, "Beta", 2, 1);
    const int a = qvtest::AddSector(s, "Alpha", 1, 3);
    qvtest::AddSector(s, "Gamma", 1, 2);
    const int ship = qvtest::AddProduct(s, "Zeta ship", 2);
    const int ore = qvtest::AddProduct(s, "Ore", 0);
    const int chip = qvtest::AddProduct(s, "Chip", 1);
    qvtest::AddProduct(s, "Apple", 0);
    const int mine = qvtest::AddFactory(s, "Mine");
    const int fab = qvtest::AddFactory(s, "Fab");
    qvtest::AddRecipe(s, fab, 1, ore, 4);
    qvtest::AddRecipe(s, mine, 0, ore, 1);
    qvtest::AddRecipe(s, fab, 0, chip, 2);
    qvtest::AddSectFactory(s, b, fab);
    qvtest::AddSectFactory(s, a, mine);
    qvtest::AddTrade(s, b, 1, ship);
    qvtest::AddTrade(s, a, 0, ore);
    s.AuxRequestData.Append();
    s.AuxRequestData.FieldByName("Prod1").SetAsInteger(ore);
    s.AuxRequestData.Post();
    s.DataModuleDestroy();
    ASSERT_TRUE(dialogs.Messages().empty());
  }

  std::filesystem::path DataFile(const std::string& name) const {
    return dir.Path() / "Data" / name;
  }
};

TEST_F(DataModuleTest, LoadsEveryTableInItsWorkingOrder) {
  WriteUniverse();
  TDataModule1 s(dir.Folder(), dialogs);
  s.DataModuleCreate();
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_FALSE(s.DataChanged);
  EXPECT_EQ(Column(s.SectorsData, "Name"), "Gamma,Alpha,Beta");
  EXPECT_EQ(s.SectorsData.IndexName(), "SectorsDataCoordIndex");
  EXPECT_EQ(Column(s.ProductsData, "Name"), "Apple,Ore,Chip,Zeta ship");
  EXPECT_EQ(Column(s.FactoriesData, "Name"), "Mine,Fab");
  EXPECT_EQ(Column(s.FactoryProdData, "FactoryId") + "/" + Column(s.FactoryProdData, "Operation"),
            "1,2,2/0,0,1");
  EXPECT_EQ(s.SectTradeData.IndexFieldNames(), "SectorId;Trader");
  EXPECT_EQ(s.SectFactoryData.IndexFieldNames(), "SectorId");
  for (auto* table : s.AllTables()) {
    if (table != &s.AuxRequestData) {
      EXPECT_EQ(s.FileState(*table), qv::TableFileState::Loaded) << table->Name();
    }
  }
}

TEST_F(DataModuleTest, RequestTableIsReadOnlyUnderTheSameBuild) {
  WriteUniverse();
  ASSERT_TRUE(dir.Exists("AuxReq.cds"));
  {  // No settings file: build 0, the saved request is ignored.
    TDataModule1 s(dir.Folder(), dialogs);
    s.DataModuleCreate();
    ASSERT_EQ(s.AuxRequestData.RecordCount(), 1);
    for (int i = 0; i < s.AuxRequestData.FieldCount(); ++i)
      EXPECT_TRUE(s.AuxRequestData.Fields(i).IsNull()) << s.AuxRequestData.Fields(i).FieldName();
    EXPECT_EQ(s.AuxRequestData.ChangeCount(), 0);
  }
  dir.Write("QVMap.INI", "[MainWindow]\nBuild=4\n");
  TDataModule1 s(dir.Folder(), dialogs);
  s.DataModuleCreate();
  ASSERT_EQ(s.AuxRequestData.RecordCount(), 1);
  EXPECT_EQ(s.AuxRequestData.FieldByName("Prod1").AsInteger(), 2);
  EXPECT_EQ(s.AuxRequestData.FieldByName("Prod1Name").AsString(), "Ore");
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(DataModuleTest, OtherBuildsRequestTableIsReplacedAtExit) {
  WriteUniverse();
  dir.Write("QVMap.INI", "[MainWindow]\nBuild=3\n");
  {
    TDataModule1 s(dir.Folder(), dialogs);
    s.DataModuleCreate();
    EXPECT_TRUE(s.AuxRequestData.FieldByName("Prod1").IsNull());
    s.DataModuleDestroy();
  }
  dir.Write("QVMap.INI", "[MainWindow]\nBuild=4\n");
  TDataModule1 s(dir.Folder(), dialogs);
  s.DataModuleCreate();
  EXPECT_EQ(s.AuxRequestData.RecordCount(), 1);
  EXPECT_TRUE(s.AuxRequestData.FieldByName("Prod1").IsNull());
}

TEST_F(DataModuleTest, MissingFileIsReportedAndLaterTablesStillLoad) {
  WriteUniverse();
  std::filesystem::remove(DataFile("products.cds"));
  TDataModule1 s(dir.Folder(), dialogs);
  s.DataModuleCreate();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_TRUE(dialogs.Messages()[0].starts_with("Cannot open file " +
                                                DataFile("products.cds").string() + "\n"))
      << dialogs.Messages()[0];
  EXPECT_EQ(dialogs.shown[0].caption, "Error");
  EXPECT_EQ(s.ProductsData.RecordCount(), 0);
  EXPECT_EQ(s.FactoryProdData.RecordCount(), 3);
  EXPECT_EQ(s.SectFactoryData.RecordCount(), 2);
  EXPECT_EQ(s.SectTradeData.RecordCount(), 2);
  EXPECT_EQ(s.FileState(s.ProductsData), qv::TableFileState::Missing);

  // A file that was not there may be created at exit with what was entered.
  qvtest::AddProduct(s, "New", 0);
  s.DataModuleDestroy();
  TDataModule1 again(dir.Folder(), dialogs);
  again.DataModuleCreate();
  EXPECT_EQ(Column(again.ProductsData, "Name"), "New");
}

TEST_F(DataModuleTest, DamagedFileIsReportedAndNeverOverwritten) {
  WriteUniverse();
  const std::string damaged = "<not a table";
  dir.Write("Data/factlist.cds", damaged);
  TDataModule1 s(dir.Folder(), dialogs);
  s.DataModuleCreate();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  const std::string message = dialogs.Messages()[0];
  const std::string head = "Cannot open file " + DataFile("factlist.cds").string() + "\n";
  EXPECT_TRUE(message.starts_with(head)) << message;
  EXPECT_GT(message.size(), head.size()) << "the reason follows on its own line";
  EXPECT_EQ(s.FileState(s.FactoriesData), qv::TableFileState::Damaged);
  EXPECT_EQ(s.ProductsData.RecordCount(), 4);

  qvtest::AddFactory(s, "Lost on purpose");
  qvtest::AddSector(s, "Delta", 9, 9);
  s.DataModuleDestroy();
  EXPECT_EQ(dir.Read("Data/factlist.cds"), damaged);
  TDataModule1 again(dir.Folder(), dialogs);
  again.DataModuleCreate();
  EXPECT_EQ(again.SectorsData.RecordCount(), 4);
}

TEST_F(DataModuleTest, DamagedRequestFileIsReportedAndKept) {
  WriteUniverse();
  dir.Write("QVMap.INI", "[MainWindow]\nBuild=4\n");
  dir.Write("AuxReq.cds", "garbage");
  TDataModule1 s(dir.Folder(), dialogs);
  s.DataModuleCreate();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_TRUE(dialogs.Messages()[0].starts_with("Cannot open file " + dir.File("AuxReq.cds")));
  EXPECT_EQ(s.AuxRequestData.RecordCount(), 1);
  s.DataModuleDestroy();
  EXPECT_EQ(dir.Read("AuxReq.cds"), "garbage");
}

TEST_F(DataModuleTest, FailingWriteIsReportedAndTheOtherTablesAreStillSaved) {
  WriteUniverse();
  TDataModule1 s(dir.Folder(), dialogs);
  s.DataModuleCreate();
  qvtest::AddSector(s, "Delta", 9, 9);
  qvtest::AddTrade(s, 1, 3, 1);
  // The sector factories' file cannot be replaced: its name is a folder now.
  std::filesystem::remove(DataFile("sectfact.cds"));
  std::filesystem::create_directory(DataFile("sectfact.cds"));
  s.DataModuleDestroy();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].find(DataFile("sectfact.cds").string()), std::string::npos);
  EXPECT_NE(dialogs.Messages()[0].find('\n'), std::string::npos);

  std::filesystem::remove(DataFile("sectfact.cds"));
  qvtest::ScriptedDialogs quiet;
  TDataModule1 again(dir.Folder(), quiet);
  again.DataModuleCreate();
  EXPECT_EQ(again.SectorsData.RecordCount(), 4);    // before the failing table
  EXPECT_EQ(again.SectTradeData.RecordCount(), 3);  // after it
}

TEST_F(DataModuleTest, RowStillInEditAtExitIsSaved) {
  WriteUniverse();
  {
    TDataModule1 s(dir.Folder(), dialogs);
    s.DataModuleCreate();
    ASSERT_TRUE(s.LocateSectorAt(2, 1));
    s.SectorsData.Edit();
    s.SectorsData.FieldByName("Name").SetAsString("Renamed");
    s.DataModuleDestroy();
  }
  TDataModule1 s(dir.Folder(), dialogs);
  s.DataModuleCreate();
  std::string name;
  ASSERT_TRUE(s.FindSectorAt(2, 1, &name));
  EXPECT_EQ(name, "Renamed");
}

TEST_F(DataModuleTest, FreshFolderStartsEmptyAndCreatesItsFilesAtExit) {
  TDataModule1 s(dir.Folder(), dialogs);
  s.DataModuleCreate();
  EXPECT_EQ(dialogs.Messages().size(), 6u);  // each universe file is reported
  EXPECT_EQ(s.AuxRequestData.RecordCount(), 1);
  qvtest::AddSector(s, "Home", 0, 0);
  s.DataModuleDestroy();
  for (const char* file : kUniverseFiles)
    EXPECT_TRUE(dir.Exists(std::string("Data/") + file));
  EXPECT_TRUE(dir.Exists("AuxReq.cds"));
}

}  // namespace
