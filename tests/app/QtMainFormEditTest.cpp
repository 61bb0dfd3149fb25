#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>

#include "app/AppTestUniverse.h"
#include "app/MainForm.h"
#include "app/QtProgram.h"
#include "data/StoreJournal.h"
#include "data/StoreOperations.h"
#include "data/StoreTestData.h"
#include "economy/RequestForm.h"
#include "editors/SectorDataForm.h"
#include "settings/StoreStartExit.h"

using namespace qvtest;

namespace {

class QtMainFormEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteSectors(dir, SmallUniverse(), [](qv::TDataModule1& store) {
      const int mine = AddFactoryType(store, "Mine", 2, 60);
      const int ore = AddProduct(store, "Ore");
      PlaceFactory(store, 1, mine);
      PlaceFactory(store, 1, mine, true);
      AddTrade(store, 1, 0, ore);
    });
  }
  void Start() {
    program = std::make_unique<qv::QtProgram>(dir.Folder(), dialogs, &busy);
    program->MainForm().FirstShow();
  }
  qv::TMainForm& form() { return program->MainForm(); }
  qv::TDataModule1& store() { return program->Store(); }
  QString Text(const char* action) { return form().Action(action)->text(); }

  TempDir dir;
  ScriptedDialogs dialogs;
  CountingBusyCursor busy;
  std::unique_ptr<qv::QtProgram> program;
};

TEST_F(QtMainFormEditTest, TheEditMenuTakesBackADeletedSectorWithItsObjects) {
  Start();
  QStringList menus;
  for (QAction* menu : form().menuBar()->actions())
    menus << menu->text();
  EXPECT_EQ(menus.mid(0, 3), (QStringList{"&Map", "&Edit", "&Tables"}));
  EXPECT_FALSE(form().Action("Undo1")->isEnabled());
  EXPECT_FALSE(form().Action("Redo1")->isEnabled());
  EXPECT_EQ(form().Action("Undo1")->shortcut(), QKeySequence(QKeySequence::Undo));
  EXPECT_EQ(form().Action("Redo1")->shortcuts().size(), 2);

  form().SelectSector(0, 0);
  dialogs.yesNoAnswers.push_back(true);
  form().Action("Delete1")->trigger();
  ASSERT_FALSE(store().FindSectorByName("Alpha"));
  EXPECT_EQ(store().SectFactoryData.TotalRowCount(), 0);
  EXPECT_EQ(Text("Undo1"), "&Undo delete sector \"Alpha\"");
  ASSERT_TRUE(form().Action("Undo1")->isEnabled());

  form().Action("Undo1")->trigger();
  EXPECT_TRUE(store().FindSectorByName("Alpha"));
  EXPECT_EQ(store().SectFactoryData.TotalRowCount(), 2);
  EXPECT_EQ(store().SectTradeData.TotalRowCount(), 1);
  EXPECT_EQ(form().Geometry().SelX(), 0);  // selected again, as it was drawn before
  EXPECT_EQ(Text("Redo1"), "&Redo delete sector \"Alpha\"");
  EXPECT_FALSE(form().Action("Undo1")->isEnabled());
  EXPECT_EQ(Text("Undo1"), "&Undo");

  form().Action("Redo1")->trigger();
  EXPECT_FALSE(store().FindSectorByName("Alpha"));
  EXPECT_EQ(busy.depth, 0);

  // The editors are modal: they carry the same keys for the same steps.
  bool undoKey = false;
  for (const QShortcut* key :
       program->Window(&qv::TProgramWindows::sectorData)->findChildren<QShortcut*>())
    undoKey = undoKey || key->key() == QKeySequence(QKeySequence::Undo);
  EXPECT_TRUE(undoKey);
}

// The objects-in-sector window open on a sector that a redo takes away
// again: the window closes and leaves no table filtered for it.
TEST_F(QtMainFormEditTest, ARedoThatRemovesTheSectorOfTheObjectsWindowClosesIt) {
  Start();
  form().SelectSector(0, 0);
  dialogs.yesNoAnswers.push_back(true);
  form().Action("Delete1")->trigger();
  form().Action("Undo1")->trigger();
  qv::TSectorDataForm& objects = *program->Window(&qv::TProgramWindows::sectorData);
  ASSERT_TRUE(objects.Open(0, 0));
  objects.FormShow();
  objects.show();
  ASSERT_TRUE(store().SectFactoryData.Filtered());
  form().Action("Redo1")->trigger();
  EXPECT_FALSE(store().FindSectorByName("Alpha"));
  EXPECT_FALSE(objects.isVisible());
  EXPECT_FALSE(store().SectFactoryData.Filtered());
  EXPECT_FALSE(store().SectTradeData.Filtered());
  // Brought back, the sector opens in it as before.
  form().Action("Undo1")->trigger();
  EXPECT_TRUE(objects.Open(0, 0));
}

// Whoever writes a step, the map, the status line, the commands and the
// statistics shown follow it without being asked.
TEST_F(QtMainFormEditTest, EveryStepRefreshesTheMainWindowWithoutBeingAsked) {
  Start();
  const qv::TStoreFields& f = store().Fields();
  qv::Table& sectors = store().SectorsData;
  form().SelectSector(0, 0);
  ASSERT_TRUE(form().StatusText().startsWith("Alpha (0,0)"));

  ASSERT_TRUE(store().LocateSectorByName("Alpha"));
  sectors.Edit();
  f.Sectors.Name->SetAsString("Alpha Prime");
  sectors.Post();
  EXPECT_TRUE(form().StatusText().startsWith("Alpha Prime (0,0)"));

  ASSERT_TRUE(form().Action("Revealallsectors1")->isEnabled());
  qv::RevealAllSectors(store());
  EXPECT_FALSE(form().Action("Revealallsectors1")->isEnabled());

  // The statistics follow a recipe, which is no sector object.
  const qv::Record ore = store().ProductsData.RowsInOrder("").Front();
  const qv::Record mine = store().FactoriesData.RowsInOrder("").Front();
  qv::Table& aux = store().AuxRequestData;
  aux.Edit();
  store().Fields().AuxRequest.Prod[0]->SetValue(f.Products.Id.Of(ore));
  aux.Post();
  QTimer::singleShot(0, [this] {
    program->Window(&qv::TProgramWindows::request)->findChild<QAbstractButton*>("Button1")->click();
  });
  form().Calculatestatistics1Click();
  ASSERT_NE(form().Cells().Cell(0, 0), nullptr);
  EXPECT_EQ(form().Cells().Cell(0, 0)[0], 0.0);
  qv::Table& recipes = store().FactoryProdData;
  recipes.Append();
  f.FactoryProd.FactoryId->SetValue(f.Factories.Id.Of(mine));
  f.FactoryProd.Operation->SetValue(qv::CodeValue(qv::Operation::Produces));
  f.FactoryProd.ProductId->SetValue(f.Products.Id.Of(ore));
  f.FactoryProd.Qty->SetAsInteger(1);
  recipes.Post();
  ASSERT_NE(form().Cells().Cell(0, 0), nullptr);
  EXPECT_GT(form().Cells().Cell(0, 0)[0], 0.0);

  qv::DeleteSector(store(),
                   f.Sectors.Id.Of(sectors.RowsWithKey("X;Y", {0, 0}).Front()).ToInteger());
  EXPECT_FALSE(form().Geometry().HasSelection());
  EXPECT_EQ(form().StatusText(), "");
  EXPECT_EQ(busy.depth, 0);
}

TEST_F(QtMainFormEditTest, AJournalLeftByAKilledRunIsOfferedAtTheNextStart) {
  {
    // A run that placed a factory and was killed before it saved.
    ScriptedDialogs quiet;
    qv::TDataModule1 killed(dir.Folder());
    killed.LoadAllTables(qv::RequestFromThisBuild(killed.ProgramFolder()));
    qv::StoreJournal journal(killed);
    journal.Start();
    PlaceFactory(killed, 3, 1);
  }
  dialogs.yesNoAnswers.push_back(true);
  Start();
  const auto questions = dialogs.Messages();
  ASSERT_FALSE(questions.empty());
  EXPECT_EQ(questions[0],
            "QVMap did not close normally. Restore the 1 changes made since the last save?");
  EXPECT_EQ(store().SectFactoryData.TotalRowCount(), 3);
  EXPECT_TRUE(store().DataChanged());
  ASSERT_TRUE(dir.Exists("Data/QVMap.journal"));
  // A normal end saves the universe whole and then drops the journal.
  form().close();
  program.reset();
  EXPECT_FALSE(dir.Exists("Data/QVMap.journal"));
  dialogs.shown.clear();
  Start();
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_EQ(store().SectFactoryData.TotalRowCount(), 3);
}

TEST_F(QtMainFormEditTest, TheEditMenuSpeaksGerman) {
  std::filesystem::copy_file(QV_SOURCE_DIR "/lang/Deutsch.LNG", dir.File("Deutsch.LNG"));
  dir.Write("QVMap.INI", "[MainWindow]\nLanguage=Deutsch\n");
  Start();
  ASSERT_EQ(form().CurrentLanguage(), "Deutsch");
  EXPECT_EQ(Text("Undo1"), QString::fromUtf8("&Rückgängig"));
  form().SelectSector(0, 0);
  dialogs.yesNoAnswers.push_back(true);
  form().Action("Delete1")->trigger();
  EXPECT_EQ(Text("Undo1"), QString::fromUtf8("&Rückgängig: Sektor „Alpha“ löschen"));
  EXPECT_EQ(Text("Redo1"), QString::fromUtf8("&Wiederholen"));
}

}  // namespace
