#include "app/QtProgram.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QTableWidget>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "app/AppTestUniverse.h"
#include "app/MainForm.h"
#include "economy/FactSimpleCalcForm.h"
#include "economy/SectProdForm.h"
#include "map/LegendForm.h"
#include "settings/IniFile.h"
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
  EXPECT_EQ(program->Window<qv::TLegendForm>()->size(), QSize(230, 290));
  program->Window<qv::TLegendForm>()->resize(250, 300);
  program->Window<qv::TFactSimpleCalcForm>()->resize(480, 610);
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
  auto* products = program->Window<qv::TSectProdForm>();
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
  program->Window<qv::TSectProdForm>()->close();
  Stop();
  EXPECT_EQ(Setting(dir, "MainWindow", "ShowProducts"), "0");
}

TEST_F(QtProgramTest, UnreadableSettingsFileKeepsTheInitialValues) {
  dir.Write("QVMap.INI", std::string("[MainWindow]\nZoom=150\n\0\0", 24));
  Start();
  EXPECT_EQ(form().ZoomBox()->currentText(), "100%");
  EXPECT_FALSE(form().Action("Showraces1")->isChecked());
  ASSERT_FALSE(dialogs.Messages().empty());
  EXPECT_EQ(dialogs.Messages()[0], "INI file read/write error");
  Stop();
  // The file the program could not read is not written over.
  EXPECT_EQ(dir.Read("QVMap.INI").size(), 24u);
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
  EXPECT_EQ(program->Store().Texts.ProductShip, "Schiff");
  // The key is named once however often the language changes.
  EXPECT_EQ(Hint("ToolButton2"), "Loeschen (Del)");
  EXPECT_EQ(Hint("ToolButton1"), "Add sector (Ctrl+Ins)");
  EXPECT_EQ(busy.depth, 0);
  Stop();
  EXPECT_EQ(Setting(dir, "MainWindow", "Language"), "Bbb");
}

TEST_F(QtProgramTest, UnreadableLanguageFileIsReportedAndTranslatesNothing) {
  dir.Write("Good.LNG", "[MainForm]\nAdd1.Caption=Neu\n");
  std::string binary = "[MainForm]\nDelete1.Caption=X\n";
  binary.push_back('\0');
  dir.Write("Bad.LNG", binary);
  Start();
  std::vector<QAction*> items;
  for (QAction* a : form().LanguageMenu()->actions())
    if (a->isVisible()) items.push_back(a);
  ASSERT_EQ(items.size(), 2u);
  form().M_TemplateClick(*items[1]);  // Good
  form().M_TemplateClick(*items[0]);  // Bad
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0], "Error reading " + dir.Folder() + "Bad.LNG");
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
  EXPECT_EQ(program->Store().Texts.SpecialOre, "Erz");
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
  EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{"INI file read/write error"});
  EXPECT_EQ(dir.Read("QVMap.INI"), "[MainWindow]\nZoom=150\nShowLegend=1\n");
  EXPECT_EQ(std::filesystem::status(dir.File("QVMap.INI")).permissions(),
            std::filesystem::perms::owner_read);
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

}  // namespace
