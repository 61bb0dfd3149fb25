#include "app/MainForm.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <fstream>
#include <memory>

#include "app/AppTestUniverse.h"
#include "app/QtAboutBox.h"
#include "app/QtMapSurface.h"
#include "app/QtProgram.h"
#include "data/MapLimits.h"
#include "economy/FactComplexCalcForm.h"
#include "economy/FactSimpleCalcForm.h"
#include "economy/RequestForm.h"
#include "economy/SectProdForm.h"
#include "editors/FactoriesForm.h"
#include "editors/ProductsForm.h"
#include "editors/QtDataGrid.h"
#include "editors/QtTableModel.h"
#include "editors/RevealSectorForm.h"
#include "editors/SectorDataForm.h"
#include "editors/SectorObjects.h"
#include "editors/SectorPropForm.h"
#include "map/LegendForm.h"

using namespace qvtest;

namespace {

// Counts the paint events of a widget.
struct PaintCounter : QObject {
  explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
  int count = 0;
};

class MainFormTest : public ::testing::Test {
 protected:
  void Start(const std::vector<SectorRow>& rows = SmallUniverse(),
             const std::function<void(qv::TDataModule1&)>& more = {}) {
    WriteSectors(dir, rows, more);
    program = std::make_unique<qv::QtProgram>(dir.Folder(), dialogs, &busy);
    form().FirstShow();
  }
  qv::TMainForm& form() { return program->MainForm(); }
  bool Enabled(const char* name) {
    if (QAction* action = form().Action(name)) return action->isEnabled();
    return form().Button(name)->defaultAction()->isEnabled();
  }
  // A click inside the square of the sector at (x, y).
  void ClickSector(int x, int y) {
    const qv::TERect rect = form().Geometry().SectorRect(x, y);
    form().PaintBox1MouseDown(rect.left + 1, rect.top + 1);
  }
  bool SectorVisible(const std::string& name) {
    qv::Table& t = program->Store().SectorsData;
    for (int i = 1; i <= t.RecordCount(); ++i)
      if (t.RecordAt(i).Get("Name").ToString() == name)
        return t.RecordAt(i).Get("Visible").ToBoolean();
    return false;
  }

  TempDir dir;
  ScriptedDialogs dialogs;
  CountingBusyCursor busy;
  std::unique_ptr<qv::QtProgram> program;
};

TEST_F(MainFormTest, StatusLineDescribesTheSelectedSector) {
  Start();
  ClickSector(0, 0);
  EXPECT_EQ(form().StatusText(), "Alpha (0,0), Kessar,suns: 2, SHIPYARD");
  ClickSector(2, 2);
  EXPECT_EQ(form().StatusText(), "Delta (2,2),suns: 1, EQ.DOCK, PIRATE BASE");
  EXPECT_TRUE(Enabled("Delete1"));
  EXPECT_TRUE(Enabled("ToolButton2"));

  // The gap between two squares selects nothing.
  const qv::TERect rect = form().Geometry().SectorRect(0, 0);
  form().PaintBox1MouseDown(rect.Right() + 3, rect.top + 1);
  EXPECT_EQ(form().StatusText(), "");
  EXPECT_FALSE(form().Geometry().HasSelection());
  EXPECT_FALSE(Enabled("Delete1"));
  EXPECT_FALSE(Enabled("ToolButton2"));
}

// Positions north and west of 0 work as any other: reveal, selection, the
// status line, the arrow keys and the statistics cells.
TEST_F(MainFormTest, SectorsNorthAndWestOfZeroAreRevealedAndSelected) {
  Start({{.name = "Home", .x = 0, .y = 0, .north = true},
         {.name = "North", .x = 0, .y = -1, .south = true, .visible = false},
         {.name = "Corner", .x = -1, .y = -1}},
        [](qv::TDataModule1& store) {
          const int ore = AddRowId(store.ProductsData, {{"Name", "Ore"}});
          const int mine = AddRowId(store.FactoriesData, {{"Name", "Mine"}});
          AddRecipe(store, mine, 0, ore, 1);
          ASSERT_TRUE(store.LocateSectorByName("Corner"));
          AddRow(
              store.SectFactoryData,
              {{"SectorId", store.SectorsData.FieldByName("Id").AsInteger()}, {"FactoryId", mine}});
        });
  form().SelectSector(0, 0);
  form().PreparePopupMenu();
  ASSERT_TRUE(form().Action("North1")->isEnabled());
  form().North1Click();
  EXPECT_EQ(form().Geometry().OriginY(), -1);
  EXPECT_EQ(std::pair(form().Cells().FirstX(), form().Cells().FirstY()), std::pair(-1, -1));

  ClickSector(0, -1);
  EXPECT_EQ(form().StatusText(), "North (0,-1),suns: 0");
  ClickSector(-1, -1);
  EXPECT_EQ(form().StatusText(), "Corner (-1,-1),suns: 0");
  EXPECT_TRUE(Enabled("Delete1"));
  form().MoveSelection(1, 0);
  EXPECT_EQ(form().StatusText().left(5), "North");
  form().MoveSelection(0, -1);  // row -1 is the first: nothing beyond
  EXPECT_EQ(form().Geometry().SelY(), -1);

  // No selection is no sector, not the one at (-1, -1).
  ClickSector(-1, -1);
  form().Productsinsector1Click();
  auto* products = program->Window(&qv::TProgramWindows::sectProd);
  EXPECT_EQ(products->SectorName(), "Corner");
  form().ScrollBox1MouseDown();
  EXPECT_EQ(products->SectorName(), "");
  products->RatesBox()->click();
  EXPECT_EQ(products->SectorName(), "");
}

TEST_F(MainFormTest, HiddenSectorIsSelectableOnlyWhileShown) {
  Start();
  // Beta is hidden: with hidden sectors not shown the map starts at Alpha's
  // column and Beta's square is not on it.
  form().SelectSector(1, 0);
  EXPECT_FALSE(form().Geometry().HasSelection());
  EXPECT_EQ(form().StatusText(), "");

  form().Action("Showinvisiblesectors1")->trigger();
  EXPECT_TRUE(form().Button("ToolButton21")->defaultAction()->isChecked());
  ClickSector(1, 0);
  EXPECT_EQ(form().StatusText(), "Beta (1,0),suns: 0");
}

TEST_F(MainFormTest, ArrowKeysSkipGapsAndStopAtTheEdge) {
  Start();
  form().SelectSector(0, 1);   // Gamma
  form().MoveSelection(1, 0);  // nothing to the east of Gamma
  EXPECT_EQ(form().Geometry().SelX(), 0);
  form().MoveSelection(0, -1);
  EXPECT_EQ(form().StatusText().left(5), "Alpha");
  form().MoveSelection(1, 0);  // Beta is hidden: skipped, nothing beyond
  EXPECT_EQ(form().Geometry().SelX(), 0);
}

TEST_F(MainFormTest, DeletingTheOnlySectorAsksFirst) {
  Start({{.name = "Solo", .x = 3, .y = 2}});
  form().SelectSector(3, 2);
  form().ToolButton2Click();  // answered No
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Delete sector \"Solo\"?");
  EXPECT_EQ(dialogs.shown[0].caption, "Delete");
  EXPECT_EQ(program->Store().SectorsData.RecordCount(), 1);

  dialogs.yesNoAnswers = {true};
  form().ToolButton2Click();
  EXPECT_EQ(program->Store().SectorsData.RecordCount(), 0);
  EXPECT_EQ(form().StatusText(), "");
  for (const char* name :
       {"Delete1", "ToolButton2", "Properties1", "ToolButton3", "Objectsinsector1", "ToolButton10"})
    EXPECT_FALSE(Enabled(name)) << name;

  // Without a selection the command does nothing at all.
  form().ToolButton2Click();
  EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(MainFormTest, PopupMenuOffersRevealOnlyThroughAGateToAHiddenSector) {
  Start();
  QMenu* reveal = form().PopupMenu()->findChild<QMenu*>("Reveal1");
  ASSERT_NE(reveal, nullptr);

  form().PreparePopupMenu();  // no selection
  EXPECT_FALSE(reveal->menuAction()->isVisible());
  EXPECT_FALSE(form().Action("Delete2")->isVisible());

  form().SelectSector(0, 1);  // Gamma: no gates, though a hidden sector exists
  form().PreparePopupMenu();
  EXPECT_FALSE(reveal->menuAction()->isVisible());
  EXPECT_TRUE(form().Action("Delete2")->isVisible());

  form().SelectSector(0, 0);  // Alpha: a gate east to hidden Beta
  form().PreparePopupMenu();
  EXPECT_TRUE(reveal->menuAction()->isVisible());
  EXPECT_TRUE(form().Action("East1")->isEnabled());
  EXPECT_FALSE(form().Action("North1")->isEnabled());
  EXPECT_FALSE(form().Action("West1")->isEnabled());
  EXPECT_FALSE(form().Action("South1")->isEnabled());

  form().East1Click();
  EXPECT_TRUE(SectorVisible("Beta"));
  EXPECT_EQ(form().Geometry().HiddenCount(), 0);
  EXPECT_FALSE(Enabled("Revealallsectors1"));
  EXPECT_EQ(form().StatusText().left(5), "Alpha");  // the selection stays
  form().PreparePopupMenu();
  EXPECT_FALSE(reveal->menuAction()->isVisible());
}

TEST_F(MainFormTest, RevealAllAsksAndThenDisablesTheRevealCommands) {
  Start();
  EXPECT_TRUE(Enabled("Revealallsectors1"));
  form().Revealallsectors1Click();  // No
  EXPECT_FALSE(SectorVisible("Beta"));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Reveal all invisible sectors?");
  EXPECT_EQ(dialogs.shown[0].caption, "Reveal all");

  dialogs.yesNoAnswers = {true};
  form().Revealallsectors1Click();
  EXPECT_TRUE(SectorVisible("Beta"));
  EXPECT_FALSE(Enabled("Revealallsectors1"));
  EXPECT_FALSE(Enabled("Revealsector1"));
}

TEST_F(MainFormTest, SavesTheMapAsBmpOrNothingWhenCancelled) {
  Start();
  form().SavemapasBMP1Click();  // cancelled
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.lastFilter,
            "Bitmap files (*.bmp)|*.bmp|PNG images (*.png)|*.png|SVG drawings (*.svg)|*.svg|"
            "All files|*.*");
  EXPECT_FALSE(dir.Exists("map.bmp"));
  EXPECT_EQ(busy.depth, 0);

  const int begunBefore = busy.begun;
  dialogs.saveAnswers = {dir.File("map.bmp")};
  form().SavemapasBMP1Click();
  ASSERT_TRUE(dir.Exists("map.bmp"));
  const std::string bmp = dir.Read("map.bmp");
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_GT(busy.begun, begunBefore);
  EXPECT_EQ(busy.depth, 0);
  EXPECT_EQ(dialogs.Messages().size(), 0u);

  // A folder that does not exist is reported, not passed over in silence.
  dialogs.saveAnswers = {dir.File("missing/map.bmp")};
  form().SavemapasBMP1Click();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].find("missing/map.bmp"), std::string::npos);
  EXPECT_EQ(busy.depth, 0);
}

// A map too large for a BMP file is refused before anything is drawn; a
// large one is asked about; the export shows its progress and can be
// cancelled, which leaves the file that was there.
TEST_F(MainFormTest, LargeMapImagesAreRefusedOrAskedAboutAndExportsCanBeCancelled) {
  std::vector<SectorRow> rows = SmallUniverse();
  rows.push_back({.name = "Far", .x = 400, .y = 400});
  Start(rows);
  dialogs.saveAnswers = {dir.File("map.bmp")};
  form().SavemapasBMP1Click();  // 75 %: 42090 x 42090 pixels
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].kind, "message");
  EXPECT_NE(dialogs.shown[1].text.find("42090 x 42090 pixels"), std::string::npos);
  EXPECT_NE(dialogs.shown[1].text.find("GB"), std::string::npos) << dialogs.shown[1].text;
  EXPECT_FALSE(dir.Exists("map.bmp"));

  form().SetZoom("25%");  // 590 MB
  dialogs.shown.clear();
  dialogs.saveAnswers = {dir.File("map.bmp")};
  form().SavemapasBMP1Click();  // answered No
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].kind, "question");
  EXPECT_NE(dialogs.shown[1].text.find("563 MB"), std::string::npos);

  dialogs.shown.clear();
  dir.Write("map.bmp", "old");
  dialogs.yesNoAnswers = {true};
  dialogs.saveAnswers = {dir.File("map.bmp")};
  auto* progress = form().findChild<QProgressDialog*>("BmpProgress");
  ASSERT_NE(progress, nullptr);
  progress->setMinimumDuration(0);
  QTimer::singleShot(0, progress, [progress] { progress->cancel(); });
  form().SavemapasBMP1Click();
  EXPECT_EQ(dir.Read("map.bmp"), "old");
  for (const auto& shown : dialogs.shown)
    EXPECT_NE(shown.kind, "message") << shown.text;  // cancelling is no error
  EXPECT_FALSE(progress->isVisible());
  EXPECT_EQ(busy.depth, 0);
}

// The file's extension chooses the format; a name of no format is refused
// before anything is drawn.
TEST_F(MainFormTest, SavesTheMapAsPngOrSvgByTheExtension) {
  Start();
  dialogs.saveAnswers = {dir.File("map.PNG"), dir.File("map.svg"), dir.File("map.jpg")};
  form().SavemapasBMP1Click();
  form().SavemapasBMP1Click();
  EXPECT_EQ(dialogs.Messages().size(), 0u);
  EXPECT_EQ(dir.Read("map.PNG").substr(0, 8), "\x89PNG\r\n\x1a\n");
  const QImage png(QString::fromStdString(dir.File("map.PNG")));
  EXPECT_EQ(png.size(), QSize(form().Geometry().SurfaceWidth(), form().Geometry().SurfaceHeight()));
  EXPECT_NE(dir.Read("map.svg").find("<svg"), std::string::npos);
  EXPECT_NE(dir.Read("map.svg").find(">Alpha</text>"), std::string::npos);

  form().SavemapasBMP1Click();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0],
            "The map can be saved as BMP, PNG or SVG: give the file name the extension .bmp, "
            ".png or .svg.");
  EXPECT_FALSE(dir.Exists("map.jpg"));
  EXPECT_EQ(busy.depth, 0);
}

// The About box names the version, the licence and the folders the
// universe and the settings are kept in.
TEST_F(MainFormTest, TheAboutBoxTellsWhereTheUniverseIsKept) {
  Start();
  QAction* about = form().Action("About1");
  ASSERT_NE(about, nullptr);
  auto* help = form().menuBar()->findChild<QMenu*>("Help1");
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->actions().contains(about));
  QString shown;
  QString title;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    shown = box->text();
    title = box->windowTitle();
    box->accept();
  });
  about->trigger();
  EXPECT_EQ(title, "About QVMap");
  EXPECT_TRUE(shown.contains(QString("Version ") + qv::ProgramVersion())) << shown.toStdString();
  EXPECT_TRUE(shown.contains("GNU General Public License, version 3"));
  EXPECT_TRUE(shown.contains(QString::fromStdString(dir.Folder()).toHtmlEscaped()));
  EXPECT_TRUE(shown.contains(QString::fromStdString(dir.File("QVMap.INI")).toHtmlEscaped()));
}

TEST_F(MainFormTest, ZoomCommandsFollowTheZoomList) {
  Start();
  EXPECT_EQ(form().ZoomBox()->currentText(), "75%");
  form().SetZoom("150%");
  EXPECT_EQ(form().ZoomBox()->currentText(), "150%");
  form().Zoomin1Click();
  EXPECT_EQ(form().ZoomBox()->currentText(), "200%");
  EXPECT_FALSE(Enabled("Zoomin1"));
  form().Zoomin1Click();
  EXPECT_EQ(form().ZoomBox()->currentText(), "200%");
  form().SetZoom("abc");
  EXPECT_EQ(form().ZoomBox()->currentText(), "100%");
  form().SetZoom("50");
  EXPECT_FALSE(Enabled("Zoomout1"));
  EXPECT_TRUE(Enabled("Zoomin1"));
  // The surface follows the zoom: 3 columns at 50 % of 40 + 2 x 140 + 40.
  EXPECT_GE(form().Surface()->width(), (40 + 2 * 140 + 40 + 40) / 2);
}

TEST_F(MainFormTest, ViewSwitchesKeepMenuItemAndButtonTogether) {
  Start();
  EXPECT_TRUE(form().Action("Showraces1")->isChecked());
  form().Button("ToolButton16")->defaultAction()->trigger();  // the button
  EXPECT_FALSE(form().Action("Showraces1")->isChecked());
  EXPECT_FALSE(form().Settings().Map.ShowRaces);
  form().Showsuns1Click();  // the menu item
  EXPECT_TRUE(form().Button("ToolButton15")->defaultAction()->isChecked());
  EXPECT_TRUE(form().Settings().Map.ShowSuns);
}

TEST_F(MainFormTest, StrayPositionsTakeNoPartInTheMap) {
  Start({{.name = "Near", .x = 1, .y = 1}, {.name = "Far", .x = 2000000000, .y = 5}});
  EXPECT_EQ(form().Geometry().MaxX(), 1);
  EXPECT_EQ(form().Cells().Width(), 2);
  EXPECT_LT(form().Surface()->width(), 2000);
  form().SelectSector(2000000000, 5);
  EXPECT_FALSE(form().Geometry().HasSelection());
}

TEST_F(MainFormTest, EveryCommandHasItsWindow) {
  Start();
  form().SelectSector(0, 0);
  form().Routefromhere1Click();  // "Clear route" wants something to clear
  for (const QAction* action : form().findChildren<QAction*>()) {
    if (action->objectName().isEmpty() || action->objectName() == "M_Template") continue;
    // Undo and redo wait for a step to act on.
    if (action->objectName() == "Undo1" || action->objectName() == "Redo1") continue;
    EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
  }
  form().PreparePopupMenu();
  EXPECT_TRUE(form().Action("Properties2")->isEnabled());
}

TEST_F(MainFormTest, CalculatorsAndTypeTablesOpenTheirWindowsModally) {
  Start();
  const auto opensModally = [this](QDialog* window, void (qv::TMainForm::*command)()) {
    bool shownModal = false;
    QTimer::singleShot(0, [window, &shownModal] {
      shownModal = window->isVisible() && window->isModal();
      window->reject();
    });
    (form().*command)();
    return shownModal;
  };
  EXPECT_TRUE(opensModally(program->Window(&qv::TProgramWindows::profit),
                           &qv::TMainForm::Factoryprofit1Click));
  EXPECT_TRUE(opensModally(program->Window(&qv::TProgramWindows::complex),
                           &qv::TMainForm::Complexprofit1Click));
  EXPECT_TRUE(dir.Exists("AuxFact.cds"));  // closing wrote the (empty) complex
  EXPECT_TRUE(opensModally(program->Window(&qv::TProgramWindows::factories),
                           &qv::TMainForm::ToolButton6Click));
  EXPECT_TRUE(opensModally(program->Window(&qv::TProgramWindows::products),
                           &qv::TMainForm::ToolButton7Click));
}

TEST_F(MainFormTest, SectorEditorsChangeTheMapAndSelectTheirSector) {
  Start();
  auto* sector = program->Window(&qv::TProgramWindows::sectorProp);
  // A new sector east of Delta (2, 2), joined to it by a gate.
  QTimer::singleShot(0, [sector] {
    sector->findChild<QLineEdit*>("Edit1")->setText("Epsilon");
    sector->findChild<QCheckBox*>("CheckBox3")->setChecked(true);
    QComboBox* west = sector->findChild<QComboBox*>("ComboBox4");
    west->setCurrentIndex(west->findText("Delta"));
    sector->Button1Click();
  });
  form().Add1Click();
  EXPECT_EQ(form().StatusText().left(13), "Epsilon (3,2)");
  EXPECT_EQ(form().Cells().Width(), 4);
  ASSERT_TRUE(program->Store().LocateSectorAt(2, 2));
  EXPECT_TRUE(program->Store().SectorsData.FieldByName("EastGate").AsBoolean());

  form().SelectSector(0, 0);
  QTimer::singleShot(0, [sector] { sector->reject(); });
  form().Properties1Click();
  EXPECT_EQ(form().StatusText().left(5), "Alpha");

  auto* reveal = program->Window(&qv::TProgramWindows::reveal);
  QTimer::singleShot(0, [reveal] {
    reveal->findChild<QLineEdit*>("Edit4")->setText("1");
    reveal->findChild<QLineEdit*>("Edit5")->setText("0");
    reveal->Button1Click();
  });
  form().Revealsector1Click();
  EXPECT_TRUE(SectorVisible("Beta"));
  EXPECT_EQ(form().StatusText().left(4), "Beta");
  EXPECT_FALSE(Enabled("Revealsector1"));
  EXPECT_EQ(busy.depth, 0);
}

TEST_F(MainFormTest, PreferencesResizeTheMapOnlyWhenConfirmed) {
  Start();
  const int width = form().Surface()->width();
  auto answer = [this](bool ok) {
    QTimer::singleShot(0, [this, ok] {
      QWidget* prefs = program->MainForm().findChild<QWidget*>("PrefForm");
      prefs->findChild<QSpinBox*>("UpDown2")->setValue(20);
      prefs->findChild<QAbstractButton*>(ok ? "Button1" : "Button2")->click();
    });
  };
  answer(false);
  form().Preferences1Click();
  EXPECT_EQ(form().Settings().Map.SectorDx, 100);
  EXPECT_EQ(form().Surface()->width(), width);

  answer(true);
  form().PaintBox1DblClick();  // no selection: the preferences
  EXPECT_EQ(form().Settings().Map.SectorDx, 20);
  EXPECT_EQ(form().Geometry().Settings().SectorDx, 20);
  EXPECT_LT(form().Surface()->width(), width);
  EXPECT_EQ(form().ZoomBox()->currentText(), "75%");
}

// Two mines making ore stand in Alpha; the simple request asks for ore.
TEST_F(MainFormTest, CalculatedStatisticsAreShownAndTheLegendTurnsItsPage) {
  int ore = 0;
  Start(SmallUniverse(), [&](qv::TDataModule1& store) {
    ore = AddRowId(store.ProductsData, {{"Name", "Ore"}});
    const int mine = AddRowId(store.FactoriesData, {{"Name", "Mine"}});
    AddRecipe(store, mine, 0, ore, 1);  // makes
    store.SectorsData.First();          // Alpha
    const int alpha = store.SectorsData.FieldByName("Id").AsInteger();
    for (int i = 0; i < 2; ++i)
      AddRow(store.SectFactoryData, {{"SectorId", alpha}, {"FactoryId", mine}});
  });
  qv::Table& aux = program->Store().AuxRequestData;
  aux.Edit();
  aux.FieldByName("Prod1").SetAsInteger(ore);
  aux.Post();

  form().Showlegend1Click();
  ASSERT_TRUE(form().LegendVisible());
  EXPECT_TRUE(form().Button("ToolButton19")->defaultAction()->isChecked());
  auto* pages = program->Window(&qv::TProgramWindows::legend)->findChild<QTabWidget*>();
  ASSERT_NE(pages, nullptr);
  auto answerRequest = [&](bool process) {
    QTimer::singleShot(0, [this, process] {
      qv::TRequestForm* request = program->Window(&qv::TProgramWindows::request);
      if (process)
        request->findChild<QAbstractButton*>("Button1")->click();
      else
        request->reject();
    });
  };

  // Switching statistics on without a request asks for one; Cancel leaves
  // nothing to show.
  answerRequest(false);
  form().Showstatistics1Click();
  EXPECT_EQ(form().Request().Count, 0);

  answerRequest(true);
  form().Calculatestatistics1Click();
  ASSERT_EQ(form().Request().Count, 2);
  EXPECT_TRUE(form().Action("Showstatistics1")->isChecked());
  EXPECT_TRUE(form().Button("ToolButton13")->defaultAction()->isChecked());
  const double* alpha = form().Cells().Cell(0, 0);
  ASSERT_NE(alpha, nullptr);
  EXPECT_EQ(alpha[0], 2.0);
  EXPECT_EQ(pages->currentWidget()->objectName(), "StatSheet");
  EXPECT_EQ(busy.depth, 0);

  form().Showstatistics1Click();  // off
  EXPECT_FALSE(form().Action("Showstatistics1")->isChecked());
  EXPECT_EQ(pages->currentWidget()->objectName(), "GeneralSheet");
  form().Showstatistics1Click();  // on again: the request is there, no dialog
  EXPECT_TRUE(form().Settings().Map.ShowStatistics);
  EXPECT_EQ(pages->currentWidget()->objectName(), "StatSheet");

  // Races on switches the statistics off.
  form().Showraces1Click();
  form().Showraces1Click();
  EXPECT_TRUE(form().Settings().Map.ShowRaces);
  EXPECT_FALSE(form().Settings().Map.ShowStatistics);

  // Closing the legend releases its button and menu item.
  program->Window(&qv::TProgramWindows::legend)->close();
  EXPECT_FALSE(form().Action("Showlegend1")->isChecked());
  EXPECT_FALSE(form().Button("ToolButton19")->defaultAction()->isChecked());
}

// Alpha makes ore with one mine; Gamma has nothing.
TEST_F(MainFormTest, ProductsWindowFollowsTheSelectionAndClosingReleasesItsButton) {
  Start(SmallUniverse(), [](qv::TDataModule1& store) {
    const int ore = AddRowId(store.ProductsData, {{"Name", "Ore"}});
    const int mine = AddRowId(store.FactoriesData, {{"Name", "Mine"}});
    AddRecipe(store, mine, 0, ore, 1);
    store.SectorsData.First();  // Alpha
    AddRow(store.SectFactoryData,
           {{"SectorId", store.SectorsData.FieldByName("Id").AsInteger()}, {"FactoryId", mine}});
  });
  qv::TSectProdForm* products = program->Window(&qv::TProgramWindows::sectProd);
  ASSERT_NE(products, nullptr);
  EXPECT_TRUE(Enabled("Productsinsector1") && Enabled("ToolButton9"));
  EXPECT_EQ(form().Action("Productsinsector1")->shortcut(), QKeySequence("Ctrl+I"));

  ClickSector(0, 0);
  form().Productsinsector1Click();
  EXPECT_TRUE(products->isVisible());
  EXPECT_TRUE(form().Button("ToolButton9")->defaultAction()->isChecked());
  EXPECT_EQ(products->SectorName(), "Alpha");
  EXPECT_EQ(products->Grid()->item(0, 2)->text(), "1");

  form().MoveSelection(0, 1);  // Gamma, below
  EXPECT_EQ(products->ShownY(), 1);
  EXPECT_EQ(products->SectorName(), "");
  ClickSector(0, 0);
  EXPECT_EQ(products->SectorName(), "Alpha");

  form().Button("ToolButton9")->defaultAction()->trigger();  // released: hidden
  EXPECT_FALSE(products->isVisible());
  EXPECT_FALSE(form().Action("Productsinsector1")->isChecked());
  form().Productsinsector1Click();
  products->close();
  EXPECT_FALSE(form().Action("Productsinsector1")->isChecked());
  EXPECT_FALSE(form().Button("ToolButton9")->defaultAction()->isChecked());
}

TEST_F(MainFormTest, ObjectsOfTheSelectedSectorOpenModallyAndTheMapFollowsThem) {
  Start(SmallUniverse(), [](qv::TDataModule1& store) {
    AddRowId(store.ProductsData, {{"Name", "Ore"}, {"Type", 0}});
  });
  EXPECT_FALSE(Enabled("Objectsinsector1") || Enabled("ToolButton10"));
  EXPECT_TRUE(Enabled("Factorytypes1") && Enabled("ToolButton6"));
  EXPECT_TRUE(Enabled("Producttypes1") && Enabled("ToolButton7"));
  EXPECT_EQ(form().Action("Factorytypes1")->shortcut(), QKeySequence("Ctrl+F"));
  EXPECT_EQ(form().Action("Producttypes1")->shortcut(), QKeySequence("Ctrl+P"));
  ClickSector(0, 0);  // Alpha
  EXPECT_TRUE(Enabled("Objectsinsector1") && Enabled("ToolButton10") && Enabled("Objects1"));
  form().Productsinsector1Click();
  qv::TSectProdForm& products = *program->Window(&qv::TProgramWindows::sectProd);
  EXPECT_EQ(products.Grid()->rowCount(), 1);  // nothing traded yet: the empty row

  // A double click on the sector opens its objects; a pirate base and a
  // traded product put in there show on the status line and in the products.
  bool shownModal = false;
  QTimer::singleShot(0, [this, &shownModal] {
    qv::TSectorDataForm& objects = *program->Window(&qv::TProgramWindows::sectorData);
    shownModal = objects.isVisible() && objects.isModal();
    EXPECT_EQ(objects.Heading(), "Sector: Alpha (0,0), Kessar");
    objects.StationBox(qv::Trader::PirateBase).setChecked(true);
    objects.Pages().setCurrentWidget(&objects.Page(qv::Trader::PirateBase));
    objects.ToolButton3Click();
    EXPECT_TRUE(objects.Grid(qv::Trader::PirateBase).Model().WriteCellText(0, 0, "Ore"));
    objects.accept();
  });
  form().PaintBox1DblClick();
  EXPECT_TRUE(shownModal);
  EXPECT_TRUE(form().StatusText().endsWith("PIRATE BASE"));
  EXPECT_EQ(products.Grid()->item(0, 0)->text(), "Ore");
  EXPECT_EQ(products.Grid()->item(0, 1)->text(), "1");
}

// Switching statistics on with nothing requested asks for a request. Cancel
// leaves the switch off, so the next click asks again, and repaints the map,
// whose bar settings the dialog changes even then.
TEST_F(MainFormTest, CancelledRequestLeavesStatisticsOffAndRepaintsTheMap) {
  Start();
  form().show();
  QCoreApplication::processEvents();
  PaintCounter paints(*form().Surface());
  int asked = 0;
  for (int attempt = 0; attempt < 2; ++attempt) {
    QTimer::singleShot(0, [&] {
      qv::TRequestForm* request = program->Window(&qv::TProgramWindows::request);
      if (!request->isVisible()) return;
      ++asked;
      request->findChild<QAbstractButton*>("CheckBox3")->click();  // numbers only
      QCoreApplication::processEvents();
      paints.count = 0;
      request->reject();
    });
    form().Showstatistics1Click();
    EXPECT_FALSE(form().Settings().Map.ShowStatistics);
    EXPECT_FALSE(form().Action("Showstatistics1")->isChecked());
    EXPECT_FALSE(form().Button("ToolButton13")->defaultAction()->isChecked());
    QCoreApplication::processEvents();
    EXPECT_GT(paints.count, 0) << attempt;
  }
  EXPECT_EQ(asked, 2);
  form().hide();
}

// "Process" with no product chosen shows every square without bars; the
// status line and the legend say why.
TEST_F(MainFormTest, StatisticsOfNoProductSayNoProductChosen) {
  Start();
  form().Showlegend1Click();
  QTimer::singleShot(0, [this] {
    program->Window(&qv::TProgramWindows::request)->findChild<QAbstractButton*>("Button1")->click();
  });
  form().Calculatestatistics1Click();
  ASSERT_EQ(form().Request().Count, 2);
  EXPECT_EQ(form().StatusHint(), "no product chosen");
  EXPECT_EQ(
      program->Window(&qv::TProgramWindows::legend)->findChild<QLabel*>("Panel2Caption")->text(),
      "no product chosen");

  // Reopened while statistics are shown, the legend opens on their page.
  auto* pages = program->Window(&qv::TProgramWindows::legend)->findChild<QTabWidget*>();
  form().Showlegend1Click();
  pages->setCurrentIndex(0);
  form().Showlegend1Click();
  EXPECT_EQ(pages->currentWidget()->objectName(), "StatSheet");

  form().Showstatistics1Click();  // off
  EXPECT_EQ(form().StatusHint(), "");
  program->Window(&qv::TProgramWindows::legend)->close();
}

TEST_F(MainFormTest, BuiltInMenuTitlesHaveTheirKeys) {
  Start();
  for (QAction* menu : form().menuBar()->actions())
    EXPECT_TRUE(menu->text().startsWith('&')) << menu->text().toStdString();
}

}  // namespace
