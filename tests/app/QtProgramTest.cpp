#include "app/QtProgram.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QTableWidget>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/AppTestUniverse.h"
#include "app/MainForm.h"
#include "data/IniFile.h"
#include "data/ProgramHome.h"
#include "economy/FactSimpleCalcForm.h"
#include "economy/SectProdForm.h"
#include "map/LegendForm.h"
#include "settings/QtWindowPlacement.h"

using namespace qvtest;

namespace {

std::string Setting(const TempDir& dir, const std::string& section, const std::string& key) {
  auto ini = qv::IniFile::Load(dir.File("QVMap.INI"));
  return ini ? ini->ReadString(section, key, "<missing>") : "<unreadable>";
}

class QtProgramTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteSectors(dir, SmallUniverse()); }
  void Start() {
    program = std::make_unique<qv::QtProgram>(dir.Folder(), dialogs, &busy);
    program->MainForm().FirstShow();
  }
  void Stop() {
    program->MainForm().close();
    program.reset();
  }
  qv::TMainForm& form() { return program->MainForm(); }
  QString Hint(const char* button) { return form().Button(button)->defaultAction()->toolTip(); }

  TempDir dir;
  ScriptedDialogs dialogs;
  CountingBusyCursor busy;
  std::unique_ptr<qv::QtProgram> program;
};

TEST_F(QtProgramTest, FirstStartUsesTheFileDefaultsAndWritesEveryKey) {
  Start();
  EXPECT_EQ(form().ZoomBox()->currentText(), "75%");
  for (const char* on : {"Showraces1", "Showdocks1", "Showshipyards1", "Showpiratebases1"})
    EXPECT_TRUE(form().Action(on)->isChecked()) << on;
  for (const char* off : {"Showsuns1", "Showinvisiblesectors1", "Showstatistics1"})
    EXPECT_FALSE(form().Action(off)->isChecked()) << off;
  EXPECT_TRUE(form().Button("ToolButton16")->defaultAction()->isChecked());
  EXPECT_EQ(form().CurrentLanguage(), "English");
  EXPECT_EQ(form().geometry().size(), qv::WorkArea().size());
  EXPECT_EQ(form().Cells().Width(), 3);
  EXPECT_EQ(form().Cells().Height(), 3);
  Stop();

  EXPECT_EQ(Setting(dir, "MainWindow", "Build"), "4");
  EXPECT_EQ(Setting(dir, "MainWindow", "Zoom"), "75");
  EXPECT_EQ(Setting(dir, "MainWindow", "Language"), "English");
  EXPECT_EQ(Setting(dir, "MainWindow", "ShowLegend"), "0");
  EXPECT_EQ(Setting(dir, "MainWindow", "Maximized"), "0");
  for (const char* key : {"Left",
                          "Top",
                          "Width",
                          "Height",
                          "SectorSize",
                          "SectorDx",
                          "SectorDy",
                          "BorderDx",
                          "BorderDy",
                          "ProdColor",
                          "DemandColor",
                          "ReqColor6",
                          "ReqOp6",
                          "SimpleRequest",
                          "VerticalBars",
                          "BarWidth",
                          "ShowNumbers",
                          "NumbersOnly",
                          "Traders",
                          "CountYourFactories",
                          "SectorBorderColor",
                          "GateLineColor",
                          "BackgroundColor",
                          "NoRaceColor",
                          "ShowRaces",
                          "ShowSuns",
                          "ShowDocks",
                          "ShowShipyards",
                          "PirateBasesAsLetter",
                          "ShipyardsAsLetter",
                          "DocksAsLetter",
                          "ShowPirateBases",
                          "SimpleIndividualScale",
                          "CustomIndividualScale",
                          "ShowInvisibleSectors",
                          "ShowRates",
                          "ShowProducts"})
    EXPECT_NE(Setting(dir, "MainWindow", key), "<missing>") << key;
  EXPECT_EQ(Setting(dir, "SunFont", "Color"), "65535");
  EXPECT_EQ(Setting(dir, "MainWindow", "BackgroundColor"), "-2147483643");
  // The tables were saved by the store before the main window went.
  EXPECT_TRUE(dir.Exists("Data/sectors.cds"));
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(QtProgramTest, SettingsFileGivesZoomSwitchesPlacementColoursAndFonts) {
  dir.Write("QVMap.INI",
            "[MainWindow]\nZoom=150\nShowSuns=1\nShowRaces=0\nMaximized=1\n"
            "Left=10\nTop=20\nWidth=300\nHeight=200\nLanguage=Nowhere\nBuild=3\n"
            "[CustomColors]\nColorC=FF00\n[SunFont]\nBold=1\n");
  Start();
  EXPECT_EQ(form().ZoomBox()->currentText(), "150%");
  EXPECT_TRUE(form().Action("Showsuns1")->isChecked());
  EXPECT_TRUE(form().Button("ToolButton15")->defaultAction()->isChecked());
  EXPECT_FALSE(form().Button("ToolButton16")->defaultAction()->isChecked());
  EXPECT_TRUE(form().isMaximized());
  EXPECT_EQ(form().CustomColors()[2], "ColorC=FF00");
  EXPECT_TRUE(form().CustomColors()[0].empty());
  EXPECT_EQ(form().Settings().Map.SunFont.Style, qv::kFontBold);
  EXPECT_EQ(form().Settings().Map.SunFont.Color, 0x00FFFF);
  Stop();

  EXPECT_EQ(Setting(dir, "MainWindow", "Zoom"), "150");
  EXPECT_EQ(Setting(dir, "MainWindow", "Build"), "4");
  EXPECT_EQ(Setting(dir, "MainWindow", "Language"), "Nowhere");
  EXPECT_EQ(Setting(dir, "MainWindow", "Maximized"), "1");
  // A maximized window leaves the normal bounds as they were saved.
  EXPECT_EQ(Setting(dir, "MainWindow", "Left"), "10");
  EXPECT_EQ(Setting(dir, "MainWindow", "Width"), "300");
  EXPECT_EQ(Setting(dir, "CustomColors", "ColorC"), "FF00");
  EXPECT_EQ(Setting(dir, "CustomColors", "ColorA"), "<missing>");
  EXPECT_EQ(Setting(dir, "SunFont", "Bold"), "1");
  EXPECT_EQ(Setting(dir, "SunFont", "Name"), "Arial");
}

TEST_F(QtProgramTest, LegendOpenAtTheLastCloseIsReopened) {
  dir.Write("QVMap.INI", "[MainWindow]\nShowLegend=1\n");
  Start();
  EXPECT_TRUE(form().LegendVisible());
  EXPECT_TRUE(form().Action("Showlegend1")->isChecked());
  EXPECT_TRUE(form().Button("ToolButton19")->defaultAction()->isChecked());
  Stop();
  EXPECT_EQ(Setting(dir, "MainWindow", "ShowLegend"), "1");
  EXPECT_NE(Setting(dir, "LegendWindow", "Width"), "<missing>");
}

// The main window's children that are program windows, in the order made.
std::vector<std::string> ProgramWindowNames(const qv::TMainForm& main) {
  std::vector<std::string> names;
  for (const QObject* child : main.children())
    if (dynamic_cast<const qv::TProgramWindow*>(child))
      names.push_back(child->objectName().toStdString());
  return names;
}

TEST_F(QtProgramTest, WindowsAreMadeInTheirOrderAndWriteTheirSettingsBeforeTheyGo) {
  dir.Write("QVMap.INI", "[LegendWindow]\nLeft=7\nTop=9\nWidth=230\nHeight=290\n");
  Start();
  EXPECT_EQ(ProgramWindowNames(form()),
            (std::vector<std::string>{
                "SectorPropForm", "ProductsForm", "FactoriesForm", "SectorDataForm", "SectProdForm",
                "RequestForm", "PrefForm", "LegendForm", "BrowseForm", "RevealSectorForm",
                "FactSimpleCalcForm", "FactComplexCalcForm", "ProcessDataForm", "WhereToForm"}));
  EXPECT_EQ(program->Window(&qv::TProgramWindows::legend)->size(), QSize(230, 290));
  program->Window(&qv::TProgramWindows::legend)->resize(250, 300);
  program->Window(&qv::TProgramWindows::profit)->resize(480, 610);
  Stop();
  EXPECT_EQ(Setting(dir, "SimpleCalcWindow", "Height"), "610");
  EXPECT_EQ(Setting(dir, "LegendWindow", "Width"), "250");
  EXPECT_EQ(Setting(dir, "LegendWindow", "Height"), "300");
  EXPECT_EQ(Setting(dir, "MainWindow", "Build"), "4");
}

TEST_F(QtProgramTest, TheProductsWindowReopensWithItsColumns) {
  dir.Write("QVMap.INI",
            "[MainWindow]\nShowProducts=1\n[SectorProdWindow]\nProdCol=150\nRates=1\n");
  Start();
  auto* products = program->Window(&qv::TProgramWindows::sectProd);
  EXPECT_TRUE(products->isVisible());
  EXPECT_TRUE(form().Action("Productsinsector1")->isChecked());
  EXPECT_TRUE(form().Button("ToolButton9")->defaultAction()->isChecked());
  EXPECT_EQ(products->Grid()->columnWidth(0), 150);
  EXPECT_EQ(products->Grid()->columnCount(), 6);  // with the rates
  products->Grid()->setColumnWidth(1, 40);
  Stop();
  EXPECT_EQ(Setting(dir, "MainWindow", "ShowProducts"), "1");
  EXPECT_EQ(Setting(dir, "SectorProdWindow", "ProdCol"), "150");
  EXPECT_EQ(Setting(dir, "SectorProdWindow", "TradeCol"), "40");
  EXPECT_EQ(Setting(dir, "SectorProdWindow", "Rates"), "1");

  Start();
  program->Window(&qv::TProgramWindows::sectProd)->close();
  Stop();
  EXPECT_EQ(Setting(dir, "MainWindow", "ShowProducts"), "0");
}

// A machine that died while the file was written can leave NUL bytes at its
// end; the settings before them still count.
TEST_F(QtProgramTest, SettingsEndingInNulBytesAreRead) {
  dir.Write("QVMap.INI", std::string("[MainWindow]\nZoom=150\nBuild=4\n\0\0", 31));
  Start();
  EXPECT_EQ(form().ZoomBox()->currentText(), "150%");
  EXPECT_TRUE(dialogs.Messages().empty());
  Stop();
  EXPECT_EQ(Setting(dir, "MainWindow", "Zoom"), "150");
}

// A FIFO in the settings file's place is never waited on: the program starts
// on its initial values, says once which file it cannot read and why, and
// leaves the FIFO as it is at exit.
TEST_F(QtProgramTest, SettingsFileThatCannotBeReadIsReportedOnceAndLeftAlone) {
  ASSERT_EQ(::mkfifo(dir.File("QVMap.INI").c_str(), 0644), 0);
  Start();
  EXPECT_EQ(form().ZoomBox()->currentText(), "100%");
  EXPECT_FALSE(form().Action("Showraces1")->isChecked());
  EXPECT_EQ(dialogs.Messages(),
            std::vector<std::string>{"Cannot read the settings file " + dir.File("QVMap.INI") +
                                     ": it is not a regular file. QVMap starts with its default "
                                     "settings and leaves the file as it is."});
  Stop();
  EXPECT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_TRUE(std::filesystem::is_fifo(dir.File("QVMap.INI")));
}

TEST_F(QtProgramTest, PlacementOffEveryScreenOpensOnTheWorkArea) {
  dir.Write("QVMap.INI", "[MainWindow]\nLeft=0\nTop=0\nWidth=0\nHeight=0\n");
  Start();
  EXPECT_TRUE(qv::WorkArea().intersects(form().geometry()));
  EXPECT_GT(form().width(), 0);
}

TEST_F(QtProgramTest, LanguageMenuIsHiddenWithoutLanguageFiles) {
  Start();
  EXPECT_FALSE(form().LanguageMenu()->menuAction()->isVisible());
  EXPECT_EQ(Hint("ToolButton1"), "Add sector (Ctrl+Ins)");
  EXPECT_EQ(Hint("ToolButton2"), "Delete sector (Del)");
  EXPECT_EQ(Hint("ToolButton11"), "Calculate statistics (Ctrl+C)");
  EXPECT_EQ(Hint("ToolButton16"), "Show races");
}

TEST_F(QtProgramTest, LanguageFileIsListedByNameAndMarkedWithoutRegardToCase) {
  dir.Write("de.lng", "[MAINFORM]\nadd1.CAPTION=Sektor neu\nStatusSuns=Sonnen\n");
  dir.Write("QVMap.INI", "[MainWindow]\nLanguage=DE\n");
  Start();
  QMenu* menu = form().LanguageMenu();
  EXPECT_TRUE(menu->menuAction()->isVisible());
  QAction* item = nullptr;
  for (QAction* a : menu->actions())
    if (a->isVisible()) item = a;
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text(), "de");
  EXPECT_TRUE(item->isChecked());
  EXPECT_EQ(form().Action("Add1")->text(), "Sektor neu");
  form().SelectSector(0, 0);
  EXPECT_EQ(form().StatusText(), "Alpha (0,0), Kessar,Sonnen: 2, SHIPYARD");
}

TEST_F(QtProgramTest, SwitchingLanguageKeepsTextsTheNewFileLacks) {
  dir.Write("Aaa.LNG",
            "[MainForm]\nDelete1.Caption=Weg\nToolButton2.Hint=Loeschen\nStatusSuns=Sonnen\n"
            "[DataModule1]\nProductShip=Schiff\n");
  dir.Write("Bbb.LNG", "[MainForm]\nAdd1.Caption=Neu\n");
  Start();
  std::vector<QAction*> items;
  for (QAction* a : form().LanguageMenu()->actions())
    if (a->isVisible()) items.push_back(a);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0]->text(), "Aaa");

  form().M_TemplateClick(*items[0]);
  EXPECT_EQ(form().Action("Delete1")->text(), "Weg");
  EXPECT_EQ(Hint("ToolButton2"), "Loeschen (Del)");
  form().M_TemplateClick(*items[1]);
  EXPECT_TRUE(items[1]->isChecked());
  EXPECT_FALSE(items[0]->isChecked());
  EXPECT_EQ(form().Action("Add1")->text(), "Neu");
  EXPECT_EQ(form().Action("Delete1")->text(), "Weg");
  EXPECT_EQ(form().Texts().StatusSuns, "Sonnen");
  EXPECT_EQ(program->Store().Texts().ProductShip, "Schiff");
  // The key is named once however often the language changes.
  EXPECT_EQ(Hint("ToolButton2"), "Loeschen (Del)");
  EXPECT_EQ(Hint("ToolButton1"), "Add sector (Ctrl+Ins)");
  EXPECT_EQ(busy.depth, 0);
  Stop();
  EXPECT_EQ(Setting(dir, "MainWindow", "Language"), "Bbb");
}

TEST_F(QtProgramTest, UnreadableLanguageFileIsReportedAndTranslatesNothing) {
  dir.Write("Good.LNG", "[MainForm]\nAdd1.Caption=Neu\n");
  dir.Write("Bad.LNG", "[MainForm]\nDelete1.Caption=X\n");
  std::filesystem::resize_file(dir.File("Bad.LNG"), (16 << 20) + 1);  // more than is read
  Start();
  std::vector<QAction*> items;
  for (QAction* a : form().LanguageMenu()->actions())
    if (a->isVisible()) items.push_back(a);
  ASSERT_EQ(items.size(), 2u);
  form().M_TemplateClick(*items[1]);  // Good
  form().M_TemplateClick(*items[0]);  // Bad
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0], "Error reading " + dir.Folder() +
                                       "Bad.LNG: the file is 16777217 bytes, more than the 16.0 MB "
                                       "read from such a file");
  EXPECT_EQ(dialogs.shown.back().caption, "Error");
  EXPECT_EQ(form().Action("Add1")->text(), "Neu");
  EXPECT_EQ(form().Action("Delete1")->text(), "Delete sector");
  EXPECT_EQ(Hint("ToolButton1"), "Add sector (Ctrl+Ins)");
  EXPECT_EQ(busy.depth, 0);
}

TEST_F(QtProgramTest, ShippedGermanFileTranslatesTheMainWindowAndTheStore) {
  const std::string source = std::string(QV_SOURCE_DIR) + "/lang/Deutsch.LNG";
  auto german = qv::IniFile::Load(source);
  ASSERT_TRUE(german);
  dir.Write("Deutsch.LNG", [&] {
    std::ifstream in(source, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }());
  dir.Write("QVMap.INI", "[MainWindow]\nLanguage=Deutsch\n");
  Start();
  EXPECT_EQ(form().Action("Delete2")->text(), "Löschen");
  EXPECT_EQ(form().Texts().RevealAllCap, "Alle aufdecken");
  EXPECT_EQ(program->Store().Texts().SpecialOre, "Erz");
  EXPECT_EQ(dialogs.language, "Deutsch");  // the standard dialogs follow
  // Every tool button has a German hint of its own.
  for (const char* button :
       {"ToolButton1", "ToolButton2", "ToolButton3", "ToolButton10", "ToolButton6", "ToolButton7",
        "ToolButton11", "ToolButton9", "ToolButton19", "ToolButton13", "ToolButton16",
        "ToolButton15", "ToolButton17", "ToolButton18", "ToolButton20", "ToolButton21"})
    EXPECT_NE(german->ReadString("MainForm", std::string(button) + ".Hint", ""), "") << button;
}

}  // namespace

namespace {

// A read-only settings file is read, left as it is, and every window's
// refused write at exit comes to one message.
TEST_F(QtProgramTest, ReadOnlySettingsFileIsReadAndReportedOnceAtExit) {
  dir.Write("QVMap.INI", "[MainWindow]\nZoom=150\nShowLegend=1\n");
  std::filesystem::permissions(dir.File("QVMap.INI"), std::filesystem::perms::owner_read);
  Start();
  EXPECT_EQ(form().ZoomBox()->currentText(), "150%");
  EXPECT_TRUE(dialogs.Messages().empty());
  Stop();
  EXPECT_EQ(dialogs.Messages(),
            std::vector<std::string>{"The settings could not be saved: Cannot write file " +
                                     dir.File("QVMap.INI") + "\nthe file is read-only"});
  EXPECT_EQ(dir.Read("QVMap.INI"), "[MainWindow]\nZoom=150\nShowLegend=1\n");
  EXPECT_EQ(std::filesystem::status(dir.File("QVMap.INI")).permissions(),
            std::filesystem::perms::owner_read);
}

// Every file the exit cannot write (settings, column layouts, the request
// and the universe) is named with its reason in one message, not one box each.
TEST_F(QtProgramTest, EveryFileTheExitCannotWriteIsNamedInOneMessage) {
  dir.Write("QVMap.INI", "[MainWindow]\nBuild=4\n");
  Start();
  Stop();
  const std::vector<std::string> refused = {"QVMap.INI", "products.col", "fact3.col", "AuxReq.cds",
                                            "Data/sectors.cds"};
  for (const std::string& file : refused)
    std::filesystem::permissions(dir.File(file), std::filesystem::perms::owner_read);
  dialogs.shown.clear();
  Start();
  Stop();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  const std::string message = dialogs.Messages()[0];
  EXPECT_TRUE(message.starts_with("Not everything could be saved when the program ended:\n\n"))
      << message;
  for (const std::string& file : refused)
    EXPECT_NE(message.find("Cannot write file " + dir.File(file) + "\nthe file is read-only"),
              std::string::npos)
        << file << " in " << message;
  EXPECT_NE(message.find("The universe was not saved"), std::string::npos) << message;
  EXPECT_EQ(dialogs.shown[0].icon, qv::MessageIcon::Error);
}

// Every file under `dir` with its content.
std::map<std::string, std::string> FolderContents(const TempDir& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path())) {
    const std::string name = std::filesystem::relative(entry.path(), dir.Path()).string();
    files[name] = entry.is_regular_file() ? dir.Read(name) : "<folder>";
  }
  return files;
}

// When the folder cannot be locked (here its lock file cannot be made), the
// program runs, says once that it saves nothing, and writes nothing at all.
TEST_F(QtProgramTest, WithoutTheFolderLockNothingOfTheFolderIsWritten) {
  std::filesystem::create_directory(dir.Path() / "QVMap.lock");
  const std::map<std::string, std::string> before = FolderContents(dir);
  Start();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_TRUE(dialogs.Messages()[0].starts_with("Cannot lock the program folder " + dir.Folder()))
      << dialogs.Messages()[0];
  EXPECT_TRUE(dialogs.Messages()[0].ends_with(form().Texts().FolderReadOnlyMsg));
  ASSERT_TRUE(program->Store().LocateSectorAt(0, 1));
  program->Store().SectorsData.Delete();
  program->Window(&qv::TProgramWindows::legend)->resize(250, 300);
  Stop();
  EXPECT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(FolderContents(dir), before);
}

// A second program on the same folder says so and ends before it makes or
// writes anything; the first one goes on as if nothing happened.
TEST_F(QtProgramTest, SecondProgramOnTheSameFolderEndsWithoutWriting) {
  Start();
  ScriptedDialogs second;
  EXPECT_THROW(qv::QtProgram(dir.Folder(), second, nullptr), qv::ProgramFolderInUse);
  ASSERT_EQ(second.Messages().size(), 1u);
  EXPECT_EQ(second.Messages()[0],
            "The universe in " + dir.Folder() + " is open in another program (process " +
                std::to_string(::getpid()) + ").\nThis program ends without changing anything.");
  EXPECT_FALSE(dir.Exists("QVMap.INI"));
  Stop();
  EXPECT_TRUE(dir.Exists("QVMap.INI"));
  EXPECT_FALSE(dir.Exists("QVMap.lock"));
}

// Sets environment variables for as long as it lives.
class ScopedEnvironment {
 public:
  void Set(const char* name, const std::string& value) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second)
        setenv(it->first.c_str(), it->second->c_str(), 1);
      else
        unsetenv(it->first.c_str());
    }
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// Installed where the player may not write: the first start copies the
// sample into the player's data folder, and from then on the universe lives
// there and the settings in the player's configuration folder.
TEST_F(QtProgramTest, AnInstalledProgramKeepsThePlayersUniverseAndSettingsInHisFolders) {
  TempDir user;
  ScopedEnvironment environment;
  environment.Set("XDG_DATA_HOME", user.File("data"));
  environment.Set("XDG_CONFIG_HOME", user.File("config"));
  dir.Write("Deutsch.LNG", "[MainForm]\nDelete2.Caption=L\xc3\xb6schen\n");
  std::filesystem::create_directory(user.Path() / "bin");
  qv::ProgramHomeSources sources = qv::ProgramHomeSourcesOf("", user.File("bin"));
  sources.installedData = dir.Folder();
  const qv::ProgramHome home = qv::ChooseProgramHome(sources);
  ASSERT_TRUE(home.filled);
  ASSERT_EQ(home.folder, user.File("data/qvmap") + "/");

  auto first = std::make_unique<qv::QtProgram>(home.folder, dialogs, &busy);
  first->MainForm().FirstShow();
  EXPECT_EQ(first->Store().SectorsData.RecordCount(), 4);
  EXPECT_TRUE(first->MainForm().LanguageMenu()->menuAction()->isVisible());
  first->MainForm().SetZoom("150%");
  first->MainForm().close();
  first.reset();
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_TRUE(user.Exists("config/qvmap/QVMap.INI"));
  EXPECT_FALSE(user.Exists("data/qvmap/QVMap.INI"));
  EXPECT_FALSE(user.Exists("data/qvmap/QVMap.lock"));

  auto again =
      std::make_unique<qv::QtProgram>(qv::ChooseProgramHome(sources).folder, dialogs, &busy);
  again->MainForm().FirstShow();
  EXPECT_EQ(again->MainForm().ZoomBox()->currentText(), "150%");
  again->MainForm().close();
}

}  // namespace
