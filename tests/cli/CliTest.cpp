#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "data/CommitRecord.h"
#include "data/DataModule1.h"
#include "data/ProgramFolderLock.h"
#include "data/StoreJournal.h"
#include "data/TableFile.h"
#include "economy/ComplexTables.h"
#include "settings/StoreStartExit.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

// Runs the built qvmap-cli (QVMAP_CLI overrides its path) on program folders
// made by the tests.
namespace {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

std::string CliPath() {
  if (const char* path = std::getenv("QVMAP_CLI")) return path;
  return QV_BIN_DIR "/qvmap-cli";
}

class CliTest : public ::testing::Test {
 protected:
  qvtest::TempDir dir;
  qvtest::TempDir work;  // input files and captured stderr

  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(CliPath())) << CliPath() << " is not built";
  }

  Result Run(const std::string& args) {
    Result result;
    const std::string errFile = work.File("stderr.txt");
    // Held to a time limit: a command that waits on a FIFO fails the test
    // instead of hanging it.
    const std::string command = "timeout 120 '" + CliPath() + "' " + args + " 2>'" + errFile + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
      result.out.append(buffer, n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = work.Read("stderr.txt");
    return result;
  }
  Result InHome(const std::string& args) { return Run("--home '" + dir.Folder() + "' " + args); }

  Result Import(const std::string& table, const std::string& content) {
    work.Write(table + ".tsv", content);
    return InHome("import " + table + " '" + work.File(table + ".tsv") + "'");
  }

  // A small universe built from spreadsheets alone.
  void ImportUniverse() {
    ASSERT_EQ(Import("SectorsData",
                     "Name\tX\tY\tRace\tNorthGate\tVisible\n"
                     "Home\t2\t1\tKessar\t1\t1\n"
                     "Dark\t1\t3\t\t0\t0\n")
                  .status,
              0);
    ASSERT_EQ(Import("ProductsData",
                     "Id\tName\tType\tAvg\n"
                     "5\tOre\t0\t50\n"
                     "\tScout\t2\t9000\n")
                  .status,
              0);
    ASSERT_EQ(Import("FactoriesData", "Name\tBuyable\tSpecial\nOre Mine\t1\t2\n").status, 0);
    ASSERT_EQ(
        Import("FactoryProdData", "FactoryId\tOperation\tProductId\tQty\n1\t0\t5\t10\n").status, 0);
    ASSERT_EQ(Import("SectFactoryData", "SectorId\tFactoryId\tYour\n1\t1\t1\n").status, 0);
    ASSERT_EQ(Import("SectTradeData", "SectorId\tTrader\tProductId\n1\t1\t6\n").status, 0);
  }
};

TEST_F(CliTest, ImportBuildsAUniverseThatDumpReadsBack) {
  const Result first = Import("ProductsData", "Name\tType\tId\nOre\t0\t\nAlloy\t0\t7\nGun\t1\t\n");
  ASSERT_EQ(first.status, 0) << first.err;
  // Only the imported table's file is written, in a Data folder made for it.
  EXPECT_TRUE(dir.Exists("Data/products.cds"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            1);

  ImportUniverse();
  const Result dump = InHome("dump ProductsData");
  ASSERT_EQ(dump.status, 0) << dump.err;
  EXPECT_EQ(dump.out,
            "Id\tName\tType\tMin\tMax\tAvg\tMtime\tQty\n"
            "5\tOre\t0\t\t\t50\t\t\n"
            "6\tScout\t2\t\t\t9000\t\t\n");
  const Result sectors = InHome("dump SectorsData");
  // Rows come in the working order: by X, then Y.
  EXPECT_EQ(sectors.out.substr(sectors.out.find('\n') + 1, 8), "Dark\t1\t3");

  // What dump writes, import takes back unchanged.
  work.Write("again.tsv", dump.out);
  ASSERT_EQ(InHome("import ProductsData '" + work.File("again.tsv") + "'").status, 0);
  EXPECT_EQ(InHome("dump ProductsData").out, dump.out);

  const Result tables = InHome("tables");
  EXPECT_EQ(tables.status, 0) << tables.err;
  EXPECT_EQ(tables.out,
            "SectorsData\t2\nFactoriesData\t1\nProductsData\t2\nFactoryProdData\t1\n"
            "SectFactoryData\t1\nSectTradeData\t1\nAuxRequestData\t1\n");
  // Reading never writes: no request table, no settings file appear.
  EXPECT_FALSE(dir.Exists("AuxReq.cds"));
  EXPECT_FALSE(dir.Exists("QVMap.INI"));
}

TEST_F(CliTest, DumpTextShowsWhatTheWindowsShowInTheChosenLanguage) {
  ImportUniverse();
  const Result products = InHome("dump --text ProductsData");
  ASSERT_EQ(products.status, 0) << products.err;
  EXPECT_NE(products.out.find("\tScout\tShip\t"), std::string::npos) << products.out;
  EXPECT_NE(InHome("dump --text FactoryProdData").out.find("1\tProduces\tOre\t10"),
            std::string::npos);
  EXPECT_NE(InHome("dump --text SectFactoryData").out.find("1\tOre Mine\tYour\t"),
            std::string::npos);
  EXPECT_NE(InHome("dump --text FactoriesData").out.find("Ore Mine\tYes\tOre\t"),
            std::string::npos);
  EXPECT_NE(InHome("dump --text SectorsData").out.find("Kessar\t\t+\t"), std::string::npos);

  dir.Write("Deutsch.LNG", "[DataModule1]\nProductShip=Schiff\nFactoryOwnerYour=Eigen\n");
  dir.Write("QVMap.INI", "[MainWindow]\nLanguage=Deutsch\n");
  EXPECT_NE(InHome("dump --text ProductsData").out.find("\tScout\tSchiff\t"), std::string::npos);
  EXPECT_NE(InHome("dump --text SectFactoryData").out.find("\tEigen\t"), std::string::npos);
  // --language wins over the settings file; a missing language file changes nothing.
  EXPECT_NE(InHome("--language Klingon dump --text ProductsData").out.find("\tScout\tShip\t"),
            std::string::npos);
}

TEST_F(CliTest, BadInputNamesFileAndLineAndWritesNothing) {
  ImportUniverse();
  const std::string before = dir.Read("Data/products.cds");
  const auto expectRefused = [&](const std::string& content, const std::string& where,
                                 const std::string& table = "ProductsData") {
    const Result r = Import(table, content);
    EXPECT_EQ(r.status, 1) << content;
    EXPECT_NE(r.err.find(work.File(table + ".tsv") + where), std::string::npos) << r.err;
    EXPECT_EQ(dir.Read("Data/products.cds"), before);
  };
  expectRefused("Name\tPrice\nOre\t5\n", ":1:");                 // unknown field
  expectRefused("Name\tType\nOre\t0\nGun\tone\n", ":3:");        // not an integer
  expectRefused("Name\tType\nOre\t0\t1\n", ":2:");               // too many cells
  expectRefused("Name\tType\nOre\n", ":2:");                     // too few cells
  expectRefused("Id\tName\n3\tA\n3\tB\n", ":3:");                // an Id twice
  expectRefused("Name\n" + std::string(31, 'x') + "\n", ":2:");  // longer than the field
  expectRefused("Buyable\nmaybe\n", ":2:", "FactoriesData");     // not a boolean
  expectRefused("Name\tType\n", ": unknown table", "Nonsense");
  EXPECT_EQ(Run("--home '" + dir.Folder() + "' import ProductsData '" + work.File("none.tsv") + "'")
                .status,
            1);
}

TEST_F(CliTest, UsageErrorsAndMissingTables) {
  for (const char* args : {"", "--bogus tables", "frobnicate", "dump", "import ProductsData",
                           "--home", "tables extra"}) {
    const Result r = InHome(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_NE(r.err.find("usage: qvmap-cli"), std::string::npos) << args;
  }
  const Result help = Run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("dump [--text] TABLE"), std::string::npos);

  // A folder without a universe: each missing file is named, and the command fails.
  const Result empty = InHome("tables");
  EXPECT_EQ(empty.status, 1);
  EXPECT_NE(empty.err.find("Cannot open file " + dir.Folder() + "Data/sectors.cds"),
            std::string::npos)
      << empty.err;
  EXPECT_EQ(InHome("dump SectorsData").status, 1);
  EXPECT_EQ(InHome("dump NoSuchTable").status, 1);
  EXPECT_FALSE(dir.Exists("Data"));
}

}  // namespace

namespace {

TEST_F(CliTest, DumpReadsTheComplexCalculatorTablesBesideTheProgram) {
  ImportUniverse();
  // No saved complex yet: the table is empty but known.
  Result empty = InHome("dump FactoryListData");
  EXPECT_EQ(empty.status, 0) << empty.err;
  EXPECT_EQ(empty.out, "RecId\tFactoryId\tYield\tAllowNPS\n");

  {
    qvtest::ScriptedDialogs dialogs;
    qv::TDataModule1 store(dir.Folder());
    qv::Table factories("FactoryListData");
    qv::BuildFactoryListSchema(factories, store);
    factories.Append();
    factories.FieldByName("FactoryId").SetAsInteger(1);
    factories.FieldByName("Yield").SetAsInteger(12);
    factories.FieldByName("AllowNPS").SetAsBoolean(true);
    factories.Post();
    qv::SaveTableFile(factories, dir.File("AuxFact.cds"));
    qv::Table prices("FactProdData");
    qv::BuildFactProdSchema(prices);
    prices.Append();
    prices.FieldByName("RecId").SetAsInteger(1);
    prices.FieldByName("ProductId").SetAsInteger(5);
    prices.FieldByName("Current").SetAsInteger(61);
    prices.Post();
    qv::SaveTableFile(prices, dir.File("AuxProd.cds"));
  }
  Result raw = InHome("dump FactoryListData");
  EXPECT_EQ(raw.out, "RecId\tFactoryId\tYield\tAllowNPS\n1\t1\t12\t1\n");
  Result text = InHome("dump --text FactoryListData");
  EXPECT_EQ(text.out, "RecId\tFactoryId\tYield\tAllowNPS\n1\tOre Mine\t12\tYes\n");
  EXPECT_EQ(InHome("dump FactProdData").out, "RecId\tProductId\tCurrent\n1\t5\t61\n");

  dir.Write("AuxProd.cds", "<not a table");
  Result damaged = InHome("dump FactProdData");
  EXPECT_EQ(damaged.status, 1);
  EXPECT_NE(damaged.err.find("AuxProd.cds"), std::string::npos) << damaged.err;
}

}  // namespace

namespace {

// Values that are not of their field's type are refused with the file, the
// line and the field, the cell shown cut to 40 characters and escaped.
TEST_F(CliTest, ImportRefusesValuesThatAreNotOfTheFieldsType) {
  ImportUniverse();
  const std::string products = dir.Read("Data/products.cds");
  const std::string sectors = dir.Read("Data/sectors.cds");
  const auto expectRefused = [&](const std::string& table, const std::string& content,
                                 const std::string& message) {
    const Result r = Import(table, content);
    EXPECT_EQ(r.status, 1) << content;
    EXPECT_EQ(r.err, "qvmap-cli: " + work.File(table + ".tsv") + ":2: " + message + "\n");
  };
  expectRefused("ProductsData", "Name\tMin\nOre\t+-5\n", "field Min: '+-5' is not an integer");
  expectRefused("ProductsData", "Name\tMin\nOre\t99999999999\n",
                "field Min: '99999999999' is out of the 32-bit range");
  expectRefused("ProductsData", "Name\n\xC0\xAF\n",
                "field Name: '\\xC0\\xAF' is not well-formed UTF-8");  // overlong '/'
  expectRefused("ProductsData", "Name\n\xED\xA0\x80\n",
                "field Name: '\\xED\\xA0\\x80' is not well-formed UTF-8");  // a surrogate
  expectRefused("ProductsData", "Name\n\xF5\x80\x80\x80\n",
                "field Name: '\\xF5\\x80\\x80\\x80' is not well-formed UTF-8");
  expectRefused("ProductsData", std::string("Name\nO\0re\n", 10),
                "field Name: 'O\\x00re' holds a NUL character");
  expectRefused("ProductsData", "Name\n\x01" + std::string(50, 'x') + "\n",
                "field Name: '\\x01" + std::string(39, 'x') + "...' is longer than 30 characters");
  expectRefused("SectorsData", "Name\tX\tY\nFar\t3\t-10000\n",
                "field Y: '-10000' lies outside the map (-9999 to 9999)");
  EXPECT_EQ(dir.Read("Data/products.cds"), products);
  EXPECT_EQ(dir.Read("Data/sectors.cds"), sectors);
}

TEST_F(CliTest, ImportTakesTrailingEmptyLinesAndTheLastIdentifier) {
  const Result r = Import("ProductsData", "Id\tName\n2147483647\tLast\n\n\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(InHome("dump ProductsData").out.find("2147483647\tLast"), std::string::npos);
  const Result full = Import("ProductsData", "Id\tName\n2147483647\tLast\n\tOne more\n");
  EXPECT_EQ(full.status, 1);
  EXPECT_NE(full.err.find("no identifier left"), std::string::npos) << full.err;

  // A file that cannot be written is named once, with the reason.
  std::filesystem::permissions(dir.Path() / "Data/products.cds",
                               std::filesystem::perms::owner_read);
  const Result refused = Import("ProductsData", "Name\nOre\n");
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, "qvmap-cli: Cannot write file " + dir.Folder() +
                             "Data/products.cds: the file is read-only\n");
}

TEST_F(CliTest, ExitStatusesAndMessagesSayWhatWentWrong) {
  const Result nowhere = Run("--home '" + dir.File("nowhere") + "' tables");
  EXPECT_EQ(nowhere.status, 1);
  EXPECT_EQ(nowhere.err, "qvmap-cli: " + dir.File("nowhere") + ": no such folder\n");
  EXPECT_NE(Run("--help").out.find("--product NAME:ROLE"), std::string::npos);
  const Result extra = InHome("sector 6 2 3");
  EXPECT_EQ(extra.status, 2);
  EXPECT_NE(extra.err.find("too many arguments"), std::string::npos) << extra.err;
  const Result huge = InHome("sector 99999999999 2");
  EXPECT_EQ(huge.status, 2);
  EXPECT_NE(huge.err.find("out of range"), std::string::npos) << huge.err;

  // Two tables missing: dump prints what it has, one line per missing file.
  ImportUniverse();
  std::filesystem::remove(dir.Path() / "Data/factlist.cds");
  std::filesystem::remove(dir.Path() / "Data/secttrad.cds");
  const Result dump = InHome("dump SectorsData");
  EXPECT_EQ(dump.status, 1);
  EXPECT_NE(dump.out.find("Home\t2\t1"), std::string::npos) << dump.out;
  EXPECT_EQ(std::count(dump.err.begin(), dump.err.end(), '\n'), 2) << dump.err;
  EXPECT_NE(dump.err.find("Data/factlist.cds"), std::string::npos) << dump.err;
  const Result render = InHome("render '" + work.File("map.bmp") + "'");
  EXPECT_EQ(render.status, 1);
  EXPECT_FALSE(work.Exists("map.bmp"));
}

// While another program holds the folder an import writes nothing; two
// imports at once never leave a damaged file, whichever of them wins.
TEST_F(CliTest, ImportsHoldTheProgramFolder) {
  ImportUniverse();
  const std::string before = dir.Read("Data/products.cds");
  {
    const qv::ProgramFolderLock held(dir.Folder());
    ASSERT_TRUE(held.Held());
    const Result r = Import("ProductsData", "Name\nOre\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "qvmap-cli: the universe in " + dir.Folder() +
                         " is open in another program (process " + std::to_string(::getpid()) +
                         "); nothing written\n");
    EXPECT_EQ(dir.Read("Data/products.cds"), before);
    EXPECT_EQ(InHome("dump ProductsData").status, 0) << "reading needs no lock";
  }

  std::string rows[2];
  for (int k = 0; k < 2; ++k) {
    rows[k] = "Name\tType\n";
    for (int i = 0; i < 3000; ++i)
      rows[k] += "P" + std::to_string(k) + "-" + std::to_string(i) + "\t0\n";
    work.Write("rows" + std::to_string(k) + ".tsv", rows[k]);
  }
  const std::string one =
      "'" + CliPath() + "' --home '" + dir.Folder() + "' import ProductsData '" + work.File("rows");
  for (int round = 0; round < 8; ++round) {
    const std::string both = "(" + one + "0.tsv' 2>/dev/null; echo $? >'" + work.File("s0") +
                             "') & (" + one + "1.tsv' 2>/dev/null; echo $? >'" + work.File("s1") +
                             "') & wait";
    ASSERT_EQ(std::system(both.c_str()), 0);
    const Result dump = InHome("dump ProductsData");
    ASSERT_EQ(dump.status, 0) << "round " << round << ": " << dump.err;
    EXPECT_EQ(std::count(dump.out.begin(), dump.out.end(), '\n'), 3001);
    for (const char* status : {"s0", "s1"})
      EXPECT_TRUE(work.Read(status) == "0\n" || work.Read(status) == "1\n") << work.Read(status);
  }
}

// A FIFO or a device in place of a file the tool reads is refused at once,
// naming the file and the reason; nothing waits on it or reads it to its end.
TEST_F(CliTest, FifosAndDevicesInPlaceOfFilesAreRefusedAtOnce) {
  ImportUniverse();
  const std::string products = dir.Read("Data/products.cds");
  ASSERT_EQ(::mkfifo(dir.File("QVMap.INI").c_str(), 0644), 0);
  ASSERT_EQ(::mkfifo(dir.File("Deutsch.LNG").c_str(), 0644), 0);
  const Result tables = InHome("tables");
  EXPECT_EQ(tables.status, 0);
  EXPECT_NE(tables.out.find("SectorsData\t2"), std::string::npos) << tables.out;
  EXPECT_EQ(tables.err, "qvmap-cli: Cannot read the settings file " + dir.File("QVMap.INI") +
                            ": it is not a regular file\n");
  const Result german = InHome("--language Deutsch tables");
  EXPECT_EQ(german.status, 0);
  EXPECT_EQ(german.err, "qvmap-cli: " + dir.File("Deutsch.LNG") + ": it is not a regular file\n");
  const Result stats = InHome("stats --product Ore:prod");
  EXPECT_EQ(stats.status, 1);
  EXPECT_EQ(stats.err, tables.err);

  const Result zero = InHome("import ProductsData /dev/zero");
  EXPECT_EQ(zero.status, 1);
  EXPECT_EQ(zero.err, "qvmap-cli: /dev/zero: it is not a regular file\n");
  const Result fifo = InHome("import ProductsData '" + dir.File("QVMap.INI") + "'");
  EXPECT_EQ(fifo.status, 1);
  EXPECT_EQ(fifo.err, "qvmap-cli: " + dir.File("QVMap.INI") + ": it is not a regular file\n");
  EXPECT_EQ(dir.Read("Data/products.cds"), products);
}

}  // namespace

namespace {

// A save of the universe left unfinished (one file could not be put in place):
// readers see the set the save's record names and change nothing; an import,
// which holds the folder, completes the save before it writes.
TEST_F(CliTest, ReadersSeeTheUnfinishedSaveAndImportCompletesIt) {
  ImportUniverse();
  {
    qvtest::ScriptedDialogs dialogs;
    qv::TDataModule1 store(dir.Folder());
    qv::LoadStore(store, dialogs);
    ASSERT_TRUE(store.LocateSectorAt(2, 1));
    store.SectorsData.Delete();  // with its factory and its trader
    store.SetRenameFunction([](const std::string& from, const std::string& to) {
      return to.ends_with("secttrad.cds") ? EIO : qv::CommitRecord::SystemRename(from, to);
    });
    qv::SaveStore(store, dialogs);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
  }
  const auto listing = [&] {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path() / "Data"))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  };
  const std::vector<std::string> unfinished = listing();
  ASSERT_EQ(unfinished.size(), 8u);  // the six, the record and the waiting traders file
  const Result traders = InHome("dump SectTradeData");
  EXPECT_EQ(traders.status, 0) << traders.err;
  EXPECT_EQ(traders.out, "SectorId\tTrader\tProductId\n");
  EXPECT_EQ(InHome("tables").out.substr(0, 14), "SectorsData\t1\n");
  EXPECT_EQ(listing(), unfinished);

  const Result import = Import("FactoriesData", "Name\nOre Mine\n");
  EXPECT_EQ(import.status, 0) << import.err;
  EXPECT_EQ(listing().size(), 6u);
  EXPECT_EQ(InHome("dump SectTradeData").out, traders.out);
}

TEST_F(CliTest, ReadersApplyAJournalInMemoryAndRecoverSavesIt) {
  ImportUniverse();
  {
    // A run of the program that added a sector and was killed.
    qvtest::ScriptedDialogs dialogs;
    qv::TDataModule1 store(dir.Folder());
    store.LoadAllTables(qv::RequestFromThisBuild(store.ProgramFolder()));
    qv::StoreJournal journal(store);
    journal.Start();
    store.SectorsData.Append();
    store.SectorsData.FieldByName("Name").SetAsString("Fresh");
    store.SectorsData.FieldByName("X").SetAsInteger(4);
    store.SectorsData.FieldByName("Y").SetAsInteger(4);
    store.SectorsData.Post();
  }
  const std::string saved = dir.Read("Data/sectors.cds");
  const Result read = InHome("dump SectorsData");
  EXPECT_EQ(read.status, 0) << read.err;
  EXPECT_NE(read.out.find("Fresh"), std::string::npos);
  EXPECT_EQ(std::count(read.err.begin(), read.err.end(), '\n'), 1) << read.err;
  EXPECT_NE(read.err.find("applied 1 unsaved changes"), std::string::npos) << read.err;
  EXPECT_EQ(dir.Read("Data/sectors.cds"), saved);
  EXPECT_TRUE(dir.Exists("Data/QVMap.journal"));

  // A universe table written now would orphan the journal's changes.
  const Result import = Import("FactoriesData", "Name\nOre Mine\n");
  EXPECT_EQ(import.status, 1);
  EXPECT_NE(import.err.find("recover"), std::string::npos) << import.err;

  const Result recover = InHome("recover");
  EXPECT_EQ(recover.status, 0) << recover.err;
  EXPECT_EQ(recover.out, "recovered 1 changes; the universe is saved\n");
  EXPECT_FALSE(dir.Exists("Data/QVMap.journal"));
  const Result after = InHome("dump SectorsData");
  EXPECT_EQ(after.out, read.out);
  EXPECT_EQ(after.err, "");
  EXPECT_EQ(InHome("recover").out.find("nothing to recover") != std::string::npos, true);
  EXPECT_NE(InHome("--help").out.find("recover"), std::string::npos);
}

}  // namespace
