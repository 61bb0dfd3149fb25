// Routes on the main window's map and the "Where to" window it drives.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QPixmap>
#include <QTableView>
#include <memory>

#include "app/AppTestUniverse.h"
#include "app/MainForm.h"
#include "app/QtMapSurface.h"
#include "app/QtProgram.h"
#include "data/IniFile.h"
#include "economy/WhereToForm.h"

using namespace qvtest;

namespace {

// Home - Mid - Far on the top row, Mid a pirate sector; the long way round
// runs through the row below. Ore is mined in Far and Low 3 and traded in Mid.
std::vector<SectorRow> Grid() {
  return {
      {.name = "Home", .x = 0, .y = 0, .south = true, .east = true},
      {.name = "Mid", .x = 1, .y = 0, .race = "Pirates", .west = true, .east = true},
      {.name = "Far", .x = 2, .y = 0, .south = true, .west = true},
      {.name = "Low 1", .x = 0, .y = 1, .north = true, .east = true},
      {.name = "Low 2", .x = 1, .y = 1, .west = true, .east = true},
      {.name = "Low 3", .x = 2, .y = 1, .north = true, .west = true},
  };
}

void AddOre(qv::TDataModule1& store) {
  const int ore = AddProduct(store, "Ore", 0, 600, 10);
  AddProduct(store, "Wheat");
  const int mine = AddFactoryType(store, "Mine", 0, 300);
  AddRecipe(store, mine, 0, ore, 5);
  for (const char* name : {"Far", "Low 3"}) {
    ASSERT_TRUE(store.LocateSectorByName(name));
    PlaceFactory(store, store.SectorsData.FieldByName("Id").AsInteger(), mine);
  }
  ASSERT_TRUE(store.LocateSectorByName("Mid"));
  AddTrade(store, store.SectorsData.FieldByName("Id").AsInteger(), 0, ore);
}

class QtMainFormRoutesTest : public ::testing::Test {
 protected:
  void Start() {
    WriteSectors(dir, Grid(), AddOre);
    program = std::make_unique<qv::QtProgram>(dir.Folder(), dialogs, &busy);
    form().FirstShow();
  }
  void Stop() {
    form().close();
    program.reset();
  }
  qv::TMainForm& form() { return program->MainForm(); }
  qv::TWhereToForm& whereTo() { return *program->Window(&qv::TProgramWindows::whereTo); }

  std::vector<std::pair<int, int>> RouteCells() {
    const qv::TMapRoute* route = form().RoutePlan().Shown();
    return route ? route->cells : std::vector<std::pair<int, int>>{};
  }
  void RouteBetween(int x0, int y0, int x1, int y1) {
    form().SelectSector(x0, y0);
    form().Routefromhere1Click();
    form().SelectSector(x1, y1);
    form().Routetohere1Click();
  }
  // The colour of the map halfway between the centres of two sectors.
  QRgb Between(const QImage& image, int x0, int y0, int x1, int y1) {
    const qv::TMapGeometry& g = form().Geometry();
    return image.pixel(g.Zoomed((g.SectorCenterX(x0) + g.SectorCenterX(x1)) / 2),
                       g.Zoomed((g.SectorCenterY(y0) + g.SectorCenterY(y1)) / 2)) &
           0xFFFFFF;
  }
  QImage Screen() { return form().Surface()->grab().toImage(); }
  void DeleteSector(const std::string& name) {
    qv::TDataModule1& store = program->Store();
    ASSERT_TRUE(store.LocateSectorByName(name));
    store.SectorsData.Delete();
  }

  TempDir dir;
  ScriptedDialogs dialogs;
  CountingBusyCursor busy;
  std::unique_ptr<qv::QtProgram> program;
  static constexpr QRgb kRouteColour = 0xFF8000;  // 0x0080FF as the settings hold it
};

TEST_F(QtMainFormRoutesTest, BothEndsChosenDrawTheRouteAndTheStatusLineCountsItsJumps) {
  Start();
  EXPECT_FALSE(form().Action("Clearroute1")->isEnabled());
  EXPECT_EQ(form().RouteStatusText(), "");
  form().SelectSector(0, 0);
  form().PreparePopupMenu();
  EXPECT_TRUE(form().Action("Routefromhere1")->isEnabled());
  EXPECT_TRUE(form().PopupMenu()->actions().contains(form().Action("Routetohere1")));
  form().Routefromhere1Click();
  EXPECT_EQ(form().RouteStatusText(),
            "Route from Home (0,0): choose its end with \"Route to here\"");
  EXPECT_TRUE(form().Action("Clearroute1")->isEnabled());
  EXPECT_NE(Between(Screen(), 0, 0, 1, 0), kRouteColour);

  form().SelectSector(2, 0);
  form().Routetohere1Click();
  EXPECT_EQ(form().RouteStatusText(), "Route: 2 jumps");
  EXPECT_EQ(RouteCells(), (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 0}}));
  EXPECT_EQ(Between(Screen(), 0, 0, 1, 0), kRouteColour);
  EXPECT_NE(Between(Screen(), 0, 0, 0, 1), kRouteColour);
  // Zoomed, the route is drawn where the sectors now are.
  form().SetZoom("150%");
  EXPECT_EQ(Between(Screen(), 1, 0, 2, 0), kRouteColour);

  // Avoiding the pirates takes the long way round; the choice is kept.
  form().Action("AvoidPirates1")->trigger();
  EXPECT_EQ(form().RouteStatusText(), "Route: 4 jumps");
  EXPECT_EQ(RouteCells().size(), 5u);
  EXPECT_EQ(Between(Screen(), 0, 0, 0, 1), kRouteColour);

  // Escape clears it.
  EXPECT_EQ(form().Action("Clearroute1")->shortcut(), QKeySequence(Qt::Key_Escape));
  form().Action("Clearroute1")->trigger();
  EXPECT_EQ(form().RouteStatusText(), "");
  EXPECT_TRUE(RouteCells().empty());
  EXPECT_NE(Between(Screen(), 0, 0, 0, 1), kRouteColour);
  Stop();
  EXPECT_EQ(
      qv::IniFile::Load(dir.File("QVMap.INI"))->ReadString("MainWindow", "RouteAvoidRaces", ""),
      "Pirates");
}

TEST_F(QtMainFormRoutesTest, TheRouteFollowsSectorEditsAndTheHiddenSwitch) {
  Start();
  RouteBetween(0, 0, 2, 0);
  ASSERT_EQ(form().RouteStatusText(), "Route: 2 jumps");
  DeleteSector("Mid");
  EXPECT_EQ(form().RouteStatusText(), "Route: 4 jumps");

  // With Low 2 hidden no way is left, until hidden sectors are shown.
  qv::Table& sectors = program->Store().SectorsData;
  ASSERT_TRUE(program->Store().LocateSectorByName("Low 2"));
  sectors.Edit();
  sectors.FieldByName("Visible").SetAsBoolean(false);
  sectors.Post();
  EXPECT_EQ(form().RouteStatusText(), "No route from Home (0,0) to Far (2,0)");
  EXPECT_TRUE(RouteCells().empty());
  form().Action("Showinvisiblesectors1")->trigger();
  EXPECT_EQ(form().RouteStatusText(), "Route: 4 jumps");

  // An end that is deleted leaves the other one waiting for a new partner.
  DeleteSector("Home");
  EXPECT_EQ(form().RouteStatusText(),
            "Route to Far (2,0): choose its start with \"Route from here\"");
  EXPECT_TRUE(form().Action("Clearroute1")->isEnabled());
}

TEST_F(QtMainFormRoutesTest, SavingTheMapAsBmpDrawsTheRouteToo) {
  Start();
  RouteBetween(0, 0, 2, 0);
  dialogs.saveAnswers = {dir.File("map.bmp")};
  form().SavemapasBMP1Click();
  const QImage image(QString::fromStdString(dir.File("map.bmp")));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(Between(image, 1, 0, 2, 0), kRouteColour);
  EXPECT_NE(Between(image, 0, 0, 0, 1), kRouteColour);
}

TEST_F(QtMainFormRoutesTest, WhereToFollowsTheSelectionAndADoubleClickDrawsTheRoute) {
  Start();
  form().SelectSector(0, 0);
  EXPECT_EQ(form().Action("Whereto1")->shortcut(), QKeySequence("Ctrl+W"));
  form().Whereto1Click();
  qv::TWhereToForm& window = whereTo();
  ASSERT_TRUE(window.isVisible());
  EXPECT_EQ(window.StartText(), "From Home (0,0)");
  ASSERT_EQ(window.ProductBox()->currentText(), "Ore");
  ASSERT_EQ(window.RowCount(), 2);
  EXPECT_EQ(window.CellText(0, 0), "Far (2,0)");
  EXPECT_EQ(window.CellText(0, 1), "2");
  EXPECT_EQ(window.CellText(0, 2), "1");
  EXPECT_EQ(window.CellText(0, 3), "60");  // 5 units per 300 s
  EXPECT_EQ(window.CellText(1, 0), "Low 3 (2,1)");
  EXPECT_EQ(window.CellText(1, 1), "3");

  // The window follows the selection.
  form().SelectSector(1, 1);
  EXPECT_EQ(window.StartText(), "From Low 2 (1,1)");
  EXPECT_EQ(window.CellText(0, 0), "Low 3 (2,1)");
  EXPECT_EQ(window.CellText(0, 1), "1");
  window.RoleBox()->setCurrentIndex(2);  // traded
  ASSERT_EQ(window.RowCount(), 1);
  EXPECT_EQ(window.CellText(0, 0), "Mid (1,0)");
  EXPECT_EQ(window.CellText(0, 1), "3");
  EXPECT_EQ(window.CellText(0, 3), "60");  // 10 units per 600 s

  // A double click (or Enter) shows the route there (of the two of three jumps, the
  // one through Low 1, added before Low 3) and selects the sector; the list
  // stays the one from its start.
  window.Grid()->setCurrentIndex(window.Grid()->model()->index(0, 0));
  // Enter is the grid's, not the main window's "Objects in sector".
  QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_Return, Qt::NoModifier);
  override.ignore();
  QCoreApplication::sendEvent(window.Grid(), &override);
  EXPECT_TRUE(override.isAccepted());
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(window.Grid(), &enter);
  EXPECT_EQ(RouteCells(), (std::vector<std::pair<int, int>>{{1, 1}, {0, 1}, {0, 0}, {1, 0}}));
  EXPECT_EQ(form().RouteStatusText(), "Route: 3 jumps");
  EXPECT_EQ(form().Geometry().SelX(), 1);
  EXPECT_EQ(form().Geometry().SelY(), 0);
  EXPECT_EQ(window.StartText(), "From Low 2 (1,1)");

  // Unreachable sectors go when only reachable ones are asked for.
  qv::Table& sectors = program->Store().SectorsData;
  for (const char* name : {"Low 1", "Low 3"}) {
    ASSERT_TRUE(program->Store().LocateSectorByName(name));
    sectors.Edit();
    sectors.FieldByName("Visible").SetAsBoolean(false);
    sectors.Post();
  }
  form().SelectSector(1, 1);
  EXPECT_EQ(window.CellText(0, 1), "-");
  window.ReachableBox()->setChecked(true);
  EXPECT_EQ(window.RowCount(), 0);

  // Without a selection no jumps are counted.
  form().ScrollBox1MouseDown();
  EXPECT_EQ(window.StartText(), "No sector selected: no jumps are counted");
  EXPECT_EQ(busy.depth, 0);
}

TEST_F(QtMainFormRoutesTest, WhereToKeepsItsPlacementColumnsAndChoices) {
  dir.Write("QVMap.INI",
            "[WhereToWindow]\nLeft=20\nTop=30\nWidth=400\nHeight=300\nSectorCol=210\nRole=1\n"
            "Reachable=1\n");
  Start();
  qv::TWhereToForm& window = whereTo();
  EXPECT_EQ(window.size(), QSize(400, 300));
  EXPECT_EQ(window.ColumnWidths()[0], 210);
  EXPECT_EQ(window.RoleBox()->currentIndex(), 1);
  EXPECT_TRUE(window.ReachableBox()->isChecked());
  form().Whereto1Click();
  window.ProductBox()->setCurrentIndex(window.ProductBox()->findText("Wheat"));
  window.RoleBox()->setCurrentIndex(0);
  Stop();
  const auto ini = qv::IniFile::Load(dir.File("QVMap.INI"));
  EXPECT_EQ(ini->ReadString("WhereToWindow", "SectorCol", ""), "210");
  EXPECT_EQ(ini->ReadString("WhereToWindow", "Role", ""), "0");
  EXPECT_NE(ini->ReadString("WhereToWindow", "Product", ""), "0");
  EXPECT_EQ(ini->ReadString("WhereToWindow", "Width", ""), "400");
  EXPECT_EQ(ini->ReadString("MainWindow", "RouteColor", ""), "33023");  // 0x0080FF
}

}  // namespace
