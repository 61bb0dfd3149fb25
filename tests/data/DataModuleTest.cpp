#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <iterator>
#include <map>
#include <string>

#include "data/AtomicFile.h"
#include "data/CommitRecord.h"
#include "data/DataModule1.h"
#include "data/StoreTestData.h"
#include "data/TableFile.h"
#include "settings/StoreStartExit.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
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
    TDataModule1 s(dir.Folder());
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
    qv::SaveStore(s, dialogs);
    ASSERT_TRUE(dialogs.Messages().empty());
  }

  std::filesystem::path DataFile(const std::string& name) const {
    return dir.Path() / "Data" / name;
  }

  std::map<std::string, std::string> UniverseFiles() const {
    std::map<std::string, std::string> files;
    for (const char* name : kUniverseFiles)
      if (fs::exists(DataFile(name))) files[name] = dir.Read(std::string("Data/") + name);
    return files;
  }

  std::size_t DataFolderEntries() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir.Path() / "Data"), fs::directory_iterator()));
  }

  // Every file under the program folder with its content.
  std::map<std::string, std::string> AllFiles() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir.Path()))
      if (entry.is_regular_file())
        files[entry.path().string()] = dir.Read(fs::relative(entry.path(), dir.Path()).string());
    return files;
  }

  // The rows a table file holds, read straight from it.
  int RowsInFile(TDataModule1& s, qv::Table& table) {
    qv::LoadTableFile(table, s.TableFilePath(table));
    return table.TotalRowCount();
  }

  // Rows of the universe as a store loads it: sectors, sector factories, traders.
  std::vector<int> LoadedRowCounts(TDataModule1& s) {
    return {s.SectorsData.TotalRowCount(), s.SectFactoryData.TotalRowCount(),
            s.SectTradeData.TotalRowCount()};
  }
};

TEST_F(DataModuleTest, LoadsEveryTableInItsWorkingOrder) {
  WriteUniverse();
  TDataModule1 s(dir.Folder());
  qv::LoadStore(s, dialogs);
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_FALSE(s.DataChanged());
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
    TDataModule1 s(dir.Folder());
    qv::LoadStore(s, dialogs);
    ASSERT_EQ(s.AuxRequestData.RecordCount(), 1);
    for (int i = 0; i < s.AuxRequestData.FieldCount(); ++i)
      EXPECT_TRUE(s.AuxRequestData.Fields(i).IsNull()) << s.AuxRequestData.Fields(i).FieldName();
    EXPECT_EQ(s.AuxRequestData.ChangeCount(), 0);
  }
  dir.Write("QVMap.INI", "[MainWindow]\nBuild=4\n");
  TDataModule1 s(dir.Folder());
  qv::LoadStore(s, dialogs);
  ASSERT_EQ(s.AuxRequestData.RecordCount(), 1);
  EXPECT_EQ(s.AuxRequestData.FieldByName("Prod1").AsInteger(), 2);
  EXPECT_EQ(s.AuxRequestData.FieldByName("Prod1Name").AsString(), "Ore");
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(DataModuleTest, OtherBuildsRequestTableIsReplacedAtExit) {
  WriteUniverse();
  dir.Write("QVMap.INI", "[MainWindow]\nBuild=3\n");
  {
    TDataModule1 s(dir.Folder());
    qv::LoadStore(s, dialogs);
    EXPECT_TRUE(s.AuxRequestData.FieldByName("Prod1").IsNull());
    qv::SaveStore(s, dialogs);
  }
  dir.Write("QVMap.INI", "[MainWindow]\nBuild=4\n");
  TDataModule1 s(dir.Folder());
  qv::LoadStore(s, dialogs);
  EXPECT_EQ(s.AuxRequestData.RecordCount(), 1);
  EXPECT_TRUE(s.AuxRequestData.FieldByName("Prod1").IsNull());
}

TEST_F(DataModuleTest, MissingFileIsReportedAndLaterTablesStillLoad) {
  WriteUniverse();
  std::filesystem::remove(DataFile("products.cds"));
  TDataModule1 s(dir.Folder());
  qv::LoadStore(s, dialogs);
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
  qv::SaveStore(s, dialogs);
  TDataModule1 again(dir.Folder());
  qv::LoadStore(again, dialogs);
  EXPECT_EQ(Column(again.ProductsData, "Name"), "New");
}

TEST_F(DataModuleTest, DamagedFileMakesTheUniverseReadOnlyForTheRun) {
  WriteUniverse();
  const std::string damaged = "<not a table";
  dir.Write("Data/factlist.cds", damaged);
  const std::map<std::string, std::string> before = UniverseFiles();
  TDataModule1 s(dir.Folder());
  qv::LoadStore(s, dialogs);
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  const std::string message = dialogs.Messages()[0];
  const std::string head = "Cannot open file " + DataFile("factlist.cds").string() + "\n";
  EXPECT_TRUE(message.starts_with(head)) << message;
  EXPECT_NE(message.find("line 1"), std::string::npos) << "the reason follows: " << message;
  EXPECT_NE(message.find("no change to the universe will be saved until this file is repaired "
                         "or removed"),
            std::string::npos)
      << message;
  EXPECT_EQ(s.FileState(s.FactoriesData), qv::TableFileState::Damaged);
  EXPECT_TRUE(s.UniverseReadOnly());
  EXPECT_EQ(s.ProductsData.RecordCount(), 4);

  // Without its factory types, a new type would take Id 1 and adopt the
  // recipes and sector factories of the old one: it counts above them.
  EXPECT_GT(qvtest::AddFactory(s, "Lost on purpose"), 2);
  ASSERT_TRUE(s.LocateSectorAt(1, 3));
  s.SectorsData.Delete();
  qv::SaveStore(s, dialogs);
  EXPECT_EQ(dialogs.Messages().size(), 1u) << "exit says nothing more";
  EXPECT_EQ(UniverseFiles(), before) << "not one universe file is written";
  EXPECT_TRUE(dir.Exists("AuxReq.cds")) << "the request is no part of the universe";
}

TEST_F(DataModuleTest, DamagedRequestFileIsReportedOnceAndReplacedAtExit) {
  WriteUniverse();
  dir.Write("QVMap.INI", "[MainWindow]\nBuild=4\n");
  dir.Write("AuxReq.cds", "garbage");
  {
    TDataModule1 s(dir.Folder());
    qv::LoadStore(s, dialogs);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_TRUE(dialogs.Messages()[0].starts_with("Cannot open file " + dir.File("AuxReq.cds")));
    EXPECT_FALSE(s.UniverseReadOnly());
    EXPECT_EQ(s.AuxRequestData.RecordCount(), 1);
    qv::SaveStore(s, dialogs);
  }
  qvtest::ScriptedDialogs next;
  TDataModule1 s(dir.Folder());
  qv::LoadStore(s, next);
  EXPECT_TRUE(next.Messages().empty());
  EXPECT_EQ(s.FileState(s.AuxRequestData), qv::TableFileState::Loaded);
}

// The six files are one unit: a file that cannot be written keeps every
// other one as it was, and each failure is named in one message.
TEST_F(DataModuleTest, UniverseIsSavedWholeOrNotAtAll) {
  WriteUniverse();
  const std::map<std::string, std::string> before = UniverseFiles();
  TDataModule1 s(dir.Folder());
  qv::LoadStore(s, dialogs);
  ASSERT_TRUE(s.LocateSectorAt(1, 3));
  s.SectorsData.Delete();  // its factories and traders go with it
  qvtest::AddTrade(s, 1, 3, 1);
  fs::permissions(DataFile("sectors.cds"), fs::perms::owner_read);
  fs::remove(DataFile("sectfact.cds"));
  fs::create_directory(DataFile("sectfact.cds"));
  qv::SaveStore(s, dialogs);

  ASSERT_EQ(dialogs.Messages().size(), 1u);
  const std::string message = dialogs.Messages()[0];
  EXPECT_NE(message.find("Cannot write file " + DataFile("sectors.cds").string() +
                         "\nthe file is read-only"),
            std::string::npos)
      << message;
  EXPECT_NE(message.find("Cannot write file " + DataFile("sectfact.cds").string() + "\n"),
            std::string::npos)
      << message;
  EXPECT_NE(message.find("The universe was not saved"), std::string::npos) << message;
  EXPECT_EQ(DataFolderEntries(), 6u) << "no temporary file is left";
  fs::remove(DataFile("sectfact.cds"));
  std::map<std::string, std::string> after = UniverseFiles();
  after.emplace("sectfact.cds", before.at("sectfact.cds"));
  EXPECT_EQ(after, before);
}

// The player deletes a sector with its factory and trader, and the program is
// killed between two renames of the exit save: the sectors file is new, the
// sector factories and traders files still hold the sector's rows. The save's
// record makes the new set count: a reader sees it without changing a thing,
// and the next start completes it before it reads.
TEST_F(DataModuleTest, SaveKilledBetweenTwoRenamesIsCompletedBeforeTheNextRead) {
  WriteUniverse();
  const pid_t child = ::fork();
  if (child == 0) {
    qvtest::ScriptedDialogs quiet;
    TDataModule1 s(dir.Folder());
    qv::LoadStore(s, quiet);
    if (!s.LocateSectorAt(1, 3)) ::_exit(2);
    s.SectorsData.Delete();
    int renames = 0;
    s.SetRenameFunction([&](const std::string& from, const std::string& to) {
      if (++renames == 2) ::_exit(0);  // killed right before its second rename
      return qv::CommitRecord::SystemRename(from, to);
    });
    qv::SaveStore(s, quiet);
    ::_exit(3);
  }
  int status = -1;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

  TDataModule1 raw(dir.Folder());
  EXPECT_EQ(RowsInFile(raw, raw.SectorsData), 2) << "the sectors file is the new one";
  EXPECT_EQ(RowsInFile(raw, raw.SectFactoryData), 2) << "the sector factories file is old";
  ASSERT_TRUE(dir.Exists(std::string("Data/") + qv::CommitRecord::kFileName));

  const std::map<std::string, std::string> cutShort = AllFiles();
  TDataModule1 reader(dir.Folder());
  reader.SetFolderReadOnly();
  qv::LoadStore(reader, dialogs);
  EXPECT_EQ(LoadedRowCounts(reader), (std::vector<int>{2, 1, 1}));
  qv::SaveStore(reader, dialogs);
  EXPECT_EQ(AllFiles(), cutShort) << "a reader changes nothing";

  TDataModule1 s(dir.Folder());
  qv::LoadStore(s, dialogs);
  EXPECT_EQ(LoadedRowCounts(s), (std::vector<int>{2, 1, 1}));
  EXPECT_EQ(DataFolderEntries(), 6u) << "no record and no temporary file left";
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_EQ(RowsInFile(raw, raw.SectTradeData), 1);
}

// A file that cannot be replaced (say one made immutable meanwhile) stops
// nothing half way: the others are in place, its new content waits, and the
// universe is the new one for everybody until the next start completes it.
TEST_F(DataModuleTest, FileThatCannotBeReplacedLeavesTheSaveToTheNextStart) {
  WriteUniverse();
  const auto refuseTraders = [](const std::string& from, const std::string& to) {
    return to.ends_with("secttrad.cds") ? EPERM : qv::CommitRecord::SystemRename(from, to);
  };
  {
    TDataModule1 s(dir.Folder());
    qv::LoadStore(s, dialogs);
    ASSERT_TRUE(s.LocateSectorAt(1, 3));
    s.SectorsData.Delete();
    s.SetRenameFunction(refuseTraders);
    qv::SaveStore(s, dialogs);
  }
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  const std::string message = dialogs.Messages()[0];
  EXPECT_NE(message.find("Cannot write file " + DataFile("secttrad.cds").string() + "\n" +
                         qv::ErrnoText(EPERM)),
            std::string::npos)
      << message;
  EXPECT_NE(message.find("the next start of the program in this folder puts them in place"),
            std::string::npos)
      << message;

  {  // Still refused: the universe is read as the save left it, and kept.
    qvtest::ScriptedDialogs next;
    TDataModule1 s(dir.Folder());
    s.SetRenameFunction(refuseTraders);
    qv::LoadStore(s, next);
    EXPECT_EQ(LoadedRowCounts(s), (std::vector<int>{2, 1, 1}));
    EXPECT_TRUE(s.UniverseReadOnly());
    ASSERT_EQ(next.Messages().size(), 1u);
    EXPECT_TRUE(
        next.Messages()[0].starts_with("The last save of the universe could not be "
                                       "completed:\n" +
                                       DataFile("secttrad.cds").string()))
        << next.Messages()[0];
  }
  qvtest::ScriptedDialogs last;
  TDataModule1 s(dir.Folder());
  qv::LoadStore(s, last);
  EXPECT_EQ(LoadedRowCounts(s), (std::vector<int>{2, 1, 1}));
  EXPECT_TRUE(last.Messages().empty());
  EXPECT_EQ(DataFolderEntries(), 6u);
}

// A name typed by hand beyond the field's 40 characters is named at start and
// stays whole through the save; only typing a new one cuts it.
TEST_F(DataModuleTest, TextsLongerThanTheirFieldsAreKeptAndNamedOnce) {
  WriteUniverse();
  const std::string longName(100, 'N');
  std::string text = dir.Read("Data/sectors.cds");
  text.replace(text.find("\"Beta\""), 6, "\"" + longName + "\"");
  dir.Write("Data/sectors.cds", text);
  {
    TDataModule1 s(dir.Folder());
    qv::LoadStore(s, dialogs);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0],
              DataFile("sectors.cds").string() +
                  ": 1 text is longer than its field allows; it is kept as it is until it is "
                  "edited:\nrow 1, Name: 100 characters (the field holds 40)");
    std::string name;
    ASSERT_TRUE(s.FindSectorAt(2, 1, &name));
    EXPECT_EQ(name, longName);
    ASSERT_TRUE(s.LocateSectorAt(1, 3));
    s.SectorsData.Edit();
    s.SectorsData.FieldByName("Name").SetAsString(longName);
    s.SectorsData.Post();
    qv::SaveStore(s, dialogs);
  }
  TDataModule1 s(dir.Folder());
  qv::LoadStore(s, dialogs);
  std::string name;
  ASSERT_TRUE(s.FindSectorAt(2, 1, &name));
  EXPECT_EQ(name, longName);
  ASSERT_TRUE(s.FindSectorAt(1, 3, &name));
  EXPECT_EQ(name, std::string(40, 'N')) << "a typed name is cut to the field";
}

// Without the folder's lock another writer may be at work: nothing at all is
// written, not even the request table.
TEST_F(DataModuleTest, StoreThatDoesNotHoldTheFolderWritesNothing) {
  WriteUniverse();
  fs::remove(dir.Path() / "AuxReq.cds");
  const std::map<std::string, std::string> before = AllFiles();
  TDataModule1 s(dir.Folder());
  s.SetFolderReadOnly();
  qv::LoadStore(s, dialogs);
  ASSERT_TRUE(s.LocateSectorAt(1, 3));
  s.SectorsData.Delete();
  qv::SaveStore(s, dialogs);
  EXPECT_EQ(AllFiles(), before);
  EXPECT_TRUE(dialogs.Messages().empty());
}

// A first start, or files the player removed: one message for all of them,
// and the empty tables count above every Id the loaded ones still use.
TEST_F(DataModuleTest, MissingFilesAreListedInOneMessageAndNewRowsAdoptNoOrphans) {
  WriteUniverse();
  for (const char* name : {"sectors.cds", "factlist.cds", "products.cds"})
    fs::remove(DataFile(name));
  TDataModule1 s(dir.Folder());
  qv::LoadStore(s, dialogs);
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  for (const char* name : {"sectors.cds", "factlist.cds", "products.cds"})
    EXPECT_NE(dialogs.Messages()[0].find("Cannot open file " + DataFile(name).string()),
              std::string::npos)
        << name;
  EXPECT_NE(dialogs.Messages()[0].find("files start empty"), std::string::npos);
  EXPECT_FALSE(s.UniverseReadOnly());
  EXPECT_EQ(qvtest::AddSector(s, "New", 5, 5), 3);  // sector factories use 1 and 2
  EXPECT_EQ(qvtest::AddFactory(s, "New"), 3);       // recipes use 1 and 2
  EXPECT_EQ(qvtest::AddProduct(s, "New", 0), 4);    // recipes and traders use up to 3
  ASSERT_TRUE(s.LocateSectorAt(5, 5));
  s.SectorsData.Delete();
  EXPECT_EQ(s.SectFactoryData.RecordCount(), 2) << "the orphans' rows stay";
}

TEST_F(DataModuleTest, SectorsOffTheMapInAFileAreKeptAndNamedOnce) {
  {
    TDataModule1 s(dir.Folder());
    qvtest::AsFromOldFile(s.SectorsData, [&] { return qvtest::AddSector(s, "Far", 10000, 2); });
    qvtest::AddSector(s, "Edge", -9999, 9999);
    qv::SaveStore(s, dialogs);
  }
  TDataModule1 s(dir.Folder());
  qv::LoadStore(s, dialogs);
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].find("'Far' at 10000, 2"), std::string::npos)
      << dialogs.Messages()[0];
  EXPECT_EQ(dialogs.Messages()[0].find("Edge"), std::string::npos);
  EXPECT_EQ(s.SectorsData.RecordCount(), 2);
}

TEST_F(DataModuleTest, RowStillInEditAtExitIsSaved) {
  WriteUniverse();
  {
    TDataModule1 s(dir.Folder());
    qv::LoadStore(s, dialogs);
    ASSERT_TRUE(s.LocateSectorAt(2, 1));
    s.SectorsData.Edit();
    s.SectorsData.FieldByName("Name").SetAsString("Renamed");
    qv::SaveStore(s, dialogs);
  }
  TDataModule1 s(dir.Folder());
  qv::LoadStore(s, dialogs);
  std::string name;
  ASSERT_TRUE(s.FindSectorAt(2, 1, &name));
  EXPECT_EQ(name, "Renamed");
}

TEST_F(DataModuleTest, FreshFolderStartsEmptyAndCreatesItsFilesAtExit) {
  TDataModule1 s(dir.Folder());
  qv::LoadStore(s, dialogs);
  ASSERT_EQ(dialogs.Messages().size(), 1u);  // naming each universe file
  EXPECT_NE(dialogs.Messages()[0].find("secttrad.cds"), std::string::npos);
  EXPECT_EQ(s.AuxRequestData.RecordCount(), 1);
  qvtest::AddSector(s, "Home", 0, 0);
  qv::SaveStore(s, dialogs);
  for (const char* file : kUniverseFiles)
    EXPECT_TRUE(dir.Exists(std::string("Data/") + file));
  EXPECT_TRUE(dir.Exists("AuxReq.cds"));
}

}  // namespace

// The store tells nothing itself: what it found and what it could not write
// come back to the program, which shows them.
TEST_F(DataModuleTest, LoadReportAndSaveFailuresAreReturnedNotShown) {
  WriteUniverse();
  std::filesystem::remove(DataFile("products.cds"));
  TDataModule1 s(dir.Folder());
  const qv::TLoadReport report = s.DataModuleCreate(false);
  EXPECT_TRUE(report.IsError);
  EXPECT_TRUE(report.Text.starts_with("Cannot open file " + DataFile("products.cds").string()))
      << report.Text;
  dir.Write("Data/products.cds", "made by another program");
  const std::vector<std::string> failures = s.DataModuleDestroy();
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("The universe was not saved"), std::string::npos) << failures[0];
  EXPECT_FALSE(s.UniverseSaved());
  EXPECT_TRUE(dialogs.Messages().empty());
}
