#include "economy/FactComplexCalcForm.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <cstdio>
#include <filesystem>

#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "data/TableImport.h"
#include "editors/QtDataGrid.h"
#include "editors/QtTableModel.h"
#include "settings/MainTexts.h"
#include "settings/StoreStartExit.h"
#include "support/QtEditorTesting.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/UniverseRows.h"

namespace {

using Cells = std::vector<std::string>;

// The worked example's universe: type "Maker" turns 20 Y into 10 X per
// 600 s, "Supplier" makes 30 Y per 600 s; a mine, a type that cannot be
// bought, and a sector with four suns.
class FactComplexCalcFormTest : public ::testing::Test {
 protected:
  FactComplexCalcFormTest() {
    qv::LoadStore(store, dialogs);
    const int x = qvtest::AddRowId(store.ProductsData,
                                   {{"Name", "X"}, {"Min", 80}, {"Max", 120}, {"Avg", 100}});
    const int y = qvtest::AddRowId(store.ProductsData,
                                   {{"Name", "Y"}, {"Min", 20}, {"Max", 40}, {"Avg", 30}});
    const int maker = qvtest::AddFactoryType(store, "Maker", 0, 600);
    const int supplier = qvtest::AddFactoryType(store, "Supplier", 0, 600);
    const int mine = qvtest::AddFactoryType(store, "Y Mine", 2, 600);
    const int secret = qvtest::AddFactoryType(store, "Secret Lab", 0, 600, false);
    qvtest::AddRecipe(store, maker, 0, x, 10);
    qvtest::AddRecipe(store, maker, 1, y, 20);
    qvtest::AddRecipe(store, supplier, 0, y, 30);
    qvtest::AddRecipe(store, mine, 0, y, 10);
    qvtest::AddRecipe(store, secret, 0, x, 1);
    qvtest::AddSector(store, {.name = "Quad", .suns = 4});
    dialogs.shown.clear();  // the universe files that were missing
  }

  std::unique_ptr<qv::TFactComplexCalcForm> MakeForm() {
    return std::make_unique<qv::TFactComplexCalcForm>(store, dialogs, nullptr, dir.Folder(),
                                                      mainTexts);
  }

  // Types into a cell of the current row, as the player does in its editor.
  void Type(const std::string& field, const std::string& text) {
    const qv::QtTableModel& model = form->Grid().Model();
    for (int column = 0; column < model.columnCount(); ++column) {
      if (model.Columns()[column].FieldName == field) {
        ASSERT_TRUE(form->Grid().Model().WriteCellText(model.CursorRow(), column, text));
      }
    }
  }
  void AddFactory(const std::string& type, const std::string& nps = "") {
    form->ToolButton1Click();
    Type("FactoryId", type);
    if (!nps.empty()) Type("AllowNPS", nps);
    ASSERT_TRUE(form->Grid().FinishEditing());
  }
  // The worked example; the supplier's Y goes for 25.
  void BuildExample() {
    AddFactory("Maker");
    AddFactory("Supplier", "No");
    form->Frames().at(0)->findChild<QLineEdit*>("Edit1")->setText("25");
  }

  std::string Label(const char* name) {
    return form->findChild<QLabel*>(name)->text().toStdString();
  }
  std::vector<Cells> ResultRows() {
    std::vector<Cells> rows;
    const QTableWidget& grid = form->ResultGrid();
    for (int r = 0; r < grid.rowCount(); ++r) {
      Cells& row = rows.emplace_back();
      for (int c = 0; c < grid.columnCount(); ++c)
        row.push_back(grid.item(r, c) ? grid.item(r, c)->text().toStdString() : "");
    }
    return rows;
  }
  std::string Shown(const char* field) {
    return form->FactoryListData().FieldByName(field).DisplayText();
  }

  qvtest::TempDir dir;
  qvtest::ScriptedDialogs dialogs;
  qv::TDataModule1 store{dir.Folder()};
  qv::TMainTexts mainTexts;
  std::unique_ptr<qv::TFactComplexCalcForm> form = MakeForm();
};

const std::vector<Cells> kExampleRows = {{"X", "100", "60", "-", "Pure export", "+6000"},
                                         {"Y", "25", "120", "120", "Equal, spare 60", ""}};

TEST_F(FactComplexCalcFormTest, TheWorkedExampleBuiltRowByRow) {
  form->FormShow();
  EXPECT_EQ(ResultRows(), (std::vector<Cells>{Cells(6)}));  // one empty row
  AddFactory("Maker");
  EXPECT_EQ(Shown("AllowNPS"), "Yes");  // posted with the switch on
  EXPECT_EQ(Shown("Prod1") + "/" + Shown("Res1") + "/" + Shown("Res2"), "X/Y/");
  EXPECT_EQ(Label("Label5"), "Prices: Maker");
  ASSERT_EQ(form->Frames().size(), 2u);
  form->Grid().SetCurrentColumn(4);  // a calculated column sends the cursor home
  QApplication::processEvents();
  EXPECT_EQ(form->Grid().CurrentField(), "FactoryId");
  AddFactory("Supplier", "No");
  form->Frames().at(0)->findChild<QLineEdit*>("Edit1")->setText("25");
  EXPECT_EQ(ResultRows(), kExampleRows);
  EXPECT_EQ(Label("Label3"), "6000");
  EXPECT_EQ(Label("Label11"), "");
  EXPECT_EQ(Label("Label7"), "4500");  // the supplier's maximum profit
  EXPECT_EQ(form->Frames().at(0)->findChild<QLabel*>("Label4")->text(), "180 units/h");

  // Without the supplier the maker buys its Y outside.
  dialogs.yesNoAnswers = {true};
  form->ToolButton2Click();
  EXPECT_EQ(dialogs.shown.back().text, "Delete \"Supplier\" ?");
  EXPECT_EQ(dialogs.shown.back().caption, "Delete");
  EXPECT_EQ(ResultRows().at(1), (Cells{"Y", "30", "-", "120", "Pure import", "-3600"}));
  EXPECT_EQ(Label("Label3"), "2400");
}

TEST_F(FactComplexCalcFormTest, ANewRowHasItsFactoryEditorOpenAtOnce) {
  form->FormShow();
  form->show();
  form->activateWindow();
  QApplication::processEvents();
  form->ToolButton1Click();
  QApplication::processEvents();
  qv::QtDataGrid& grid = form->Grid();
  EXPECT_EQ(grid.CurrentField(), "FactoryId");
  ASSERT_NE(qvtest::CellEditor(grid), nullptr);
  qvtest::PressKey(qvtest::CellEditor(grid), Qt::Key_Escape);
  QApplication::processEvents();
  ASSERT_EQ(qvtest::CellEditor(grid), nullptr);
  qvtest::ClickCell(grid, grid.currentIndex());  // one click, as on any other row
  EXPECT_NE(qvtest::CellEditor(grid), nullptr);
}

TEST_F(FactComplexCalcFormTest, NoResultRowsLeaveNoFiguresOfAnEarlierComplex) {
  form->FormShow();
  BuildExample();
  ASSERT_EQ(Label("Label3"), "6000");
  dialogs.yesNoAnswers = {false, true};
  form->ToolButton3Click();  // No: nothing happens
  EXPECT_EQ(Label("Label3"), "6000");
  form->ToolButton3Click();
  EXPECT_EQ(dialogs.shown.back().text, "Delete all factories?");
  EXPECT_EQ(dialogs.shown.back().caption, "Clear");
  EXPECT_TRUE(form->FactoryListData().IsEmpty());
  EXPECT_EQ(ResultRows(), (std::vector<Cells>{Cells(6)}));
  EXPECT_EQ(Label("Label3") + Label("Label11") + Label("Label7"), "");
  EXPECT_TRUE(form->Frames().empty());

  // A complex whose only factory makes nothing: a type that cannot be bought.
  AddFactory("Supplier", "No");
  ASSERT_EQ(Label("Label3"), "?");
  ASSERT_NE(Label("Label11"), "");
  Type("FactoryId", "Secret Lab");
  EXPECT_EQ(Shown("Prod1"), "");
  EXPECT_EQ(ResultRows(), (std::vector<Cells>{Cells(6)}));
  EXPECT_EQ(Label("Label3") + Label("Label11"), "");
}

TEST_F(FactComplexCalcFormTest, ClosingAndShowingAgainKeepsTheComplexWithItsPrices) {
  form->FormShow();
  BuildExample();
  AddFactory("Y Mine");
  Type("Yield", "12");
  const std::vector<Cells> before = ResultRows();
  ASSERT_EQ(before.size(), 3u);
  form->FormClose();
  EXPECT_TRUE(form->FactoryListData().IsEmpty());
  EXPECT_EQ(store.FactoryNames().Size(), 0);
  EXPECT_FALSE(store.FactoriesData.Filtered());

  form->FormShow();
  ASSERT_EQ(form->FactoryListData().RecordCount(), 3);
  EXPECT_EQ(Shown("FactoryId"), "Maker");  // on the first row
  EXPECT_EQ(ResultRows(), before);
  form->FactoryListData().Next();
  EXPECT_EQ(Label("Label5"), "Prices: Supplier");
  EXPECT_EQ(form->Frames().at(0)->Price(), 25);
  form->FactoryListData().Next();
  EXPECT_EQ(Shown("Yield") + " " + Shown("AllowNPS"), "12 Yes");
  form->FormClose();

  // Settings of this build keep the complex; any other replace it.
  qv::IniFile settings(dir.File("QVMap.INI"));
  settings.WriteInteger("MainWindow", "Build", 4);
  settings.WriteInteger("ComplexCalcWindow", "FactoryListHeight", 50);
  for (const int build : {4, 3}) {
    settings.WriteInteger("MainWindow", "Build", build);
    form = MakeForm();
    form->ReadSettings(&settings);
    form->FormShow();
    EXPECT_EQ(form->FactoryListData().RecordCount(), build == 4 ? 3 : 0);
    form->FormClose();
  }
  EXPECT_TRUE(dir.Exists("fact4.col"));
  EXPECT_EQ(ResultRows(), (std::vector<Cells>{Cells(6)}));
  form->WriteSettings(&settings);
  EXPECT_EQ(settings.ReadInteger("ComplexCalcWindow", "FactoryListHeight", 0), 100);
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(FactComplexCalcFormTest, AComplexThatCannotBeReadIsReportedAndKept) {
  form->FormShow();
  BuildExample();
  form->FormClose();
  dir.Write("AuxFact.cds", "<damaged");
  form->FormShow();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text.find("AuxFact.cds"), std::string::npos);
  EXPECT_TRUE(form->FactoryListData().IsEmpty());
  form->FormClose();  // nothing built meanwhile: the player's file stays
  EXPECT_EQ(dir.Read("AuxFact.cds"), "<damaged");
  form->FormShow();
  AddFactory("Maker");
  form->FormClose();  // a new complex replaces it
  form->FormShow();
  EXPECT_EQ(Shown("FactoryId"), "Maker");
}

// One of the two files without the other is half a complex: it is named
// once, with the reason, and the file that is there is not written over.
TEST_F(FactComplexCalcFormTest, AHalfSavedComplexIsKeptAndReportedOnce) {
  form->FormShow();
  BuildExample();
  form->FormClose();
  const std::string list = dir.Read("AuxFact.cds");
  std::filesystem::remove(dir.File("AuxProd.cds"));
  for (int opening = 0; opening < 2; ++opening) {
    form->FormShow();
    EXPECT_TRUE(form->FactoryListData().IsEmpty());
    form->FormClose();
  }
  EXPECT_EQ(dialogs.Messages(),
            std::vector<std::string>{"Cannot open file " + dir.File("AuxProd.cds") +
                                     ": No such file or directory. The saved complex is kept on "
                                     "disk as it is until you build another one here."});
  EXPECT_EQ(dir.Read("AuxFact.cds"), list);
  EXPECT_FALSE(dir.Exists("AuxProd.cds"));
}

// Only settings that name another build discard the saved complex: without
// settings (a first start, a deleted file, one that cannot be read) nothing
// says whose it is, and it is kept.
TEST_F(FactComplexCalcFormTest, WithoutSettingsTheSavedComplexIsKept) {
  form->FormShow();
  BuildExample();
  form->FormClose();
  qv::IniFile noBuild(dir.File("QVMap.INI"));
  noBuild.WriteInteger("ComplexCalcWindow", "PowerCycle", 90);
  for (const qv::IniFile* settings : std::initializer_list<const qv::IniFile*>{nullptr, &noBuild}) {
    form = MakeForm();
    form->ReadSettings(settings);
    form->FormShow();
    EXPECT_EQ(form->FactoryListData().RecordCount(), 2);
    form->FormClose();
  }
  EXPECT_TRUE(dialogs.Messages().empty());
}

// A product may have the Id -1 (an import keeps any Id): it shows where a
// factory uses it, not in every resource column that has none.
TEST_F(FactComplexCalcFormTest, AProductWithIdMinusOneShowsOnlyWhereItIsUsed) {
  std::string rows = "Id\tName\tMin\tMax\tAvg\n-1\tMinus\t1\t9\t5\n";
  for (const qv::Record& product : store.ProductsData.AllRecords())
    rows += std::to_string(product.Get("Id").ToInteger()) + "\t" + product.Get("Name").ToString() +
            "\t" + std::to_string(product.Get("Min").ToInteger()) + "\t" +
            std::to_string(product.Get("Max").ToInteger()) + "\t" +
            std::to_string(product.Get("Avg").ToInteger()) + "\n";
  dir.Write("products.tsv", rows);
  qv::ImportTableFile(store.ProductsData, dir.File("products.tsv"));
  const int minusMaker = qvtest::AddFactoryType(store, "Minus Maker", 0, 600);
  qvtest::AddRecipe(store, minusMaker, 0, -1, 5);

  form->FormShow();
  AddFactory("Supplier");
  EXPECT_EQ(Shown("Prod1") + "/" + Shown("Res1") + "/" + Shown("Res2") + "/" + Shown("Res3"),
            "Y///");
  AddFactory("Minus Maker");
  EXPECT_EQ(Shown("Prod1") + "/" + Shown("Res1"), "Minus/");
  EXPECT_EQ(ResultRows().at(0), (Cells{"Minus", "5", "30.0", "-", "Pure export", "+150"}));
}

TEST_F(FactComplexCalcFormTest, TheTraceReportsWhereItWentAndTheResultsStandEitherWay) {
  form->FormShow();
  BuildExample();
  // Beside the universe, wherever the program was started from.
  EXPECT_EQ(form->Calculation().TracePath, dir.File("trace.txt"));
  form->Label9DblClick();
  EXPECT_EQ(dialogs.shown.back().text, "Results were saved to \"trace.txt\"");
  EXPECT_EQ(dialogs.shown.back().caption, "Debug");
  EXPECT_NE(dir.Read("trace.txt").find("***** Correction: factory 2, product Y"),
            std::string::npos);

  form->Calculation().TracePath = dir.File("trace.txt/trace.txt");  // under a file
  form->Label9DblClick();
  const auto& error = dialogs.shown.back();
  EXPECT_EQ(error.icon, qv::MessageIcon::Error);
  EXPECT_EQ(error.text.rfind("Cannot write the trace file ", 0), 0u) << error.text;
  EXPECT_NE(error.text.find("trace.txt: Not a directory"), std::string::npos) << error.text;
  EXPECT_EQ(ResultRows(), kExampleRows);
  EXPECT_EQ(Label("Label3"), "6000");
  EXPECT_FALSE(form->Calculation().TraceOn);
}

TEST_F(FactComplexCalcFormTest, TheSolarCycleComesFromASectorOrTheBox) {
  form->FormShow();
  auto* sectors = form->findChild<QComboBox*>("ComboBox1");
  auto* box = form->findChild<QLineEdit*>("Edit1");
  ASSERT_EQ(sectors->count(), 1);
  sectors->setCurrentIndex(0);
  form->ComboBox1Change();
  EXPECT_EQ(form->PowerCycle(), 51);  // four suns
  EXPECT_EQ(box->toolTip(), "0 min 51 sec (approx. suns: 4)");
  box->setText("5000");
  EXPECT_EQ(form->PowerCycle(), 999);
}

// The same saved complex, read by qvmap-cli, gives the window's figures.
TEST_F(FactComplexCalcFormTest, ShowsWhatTheCommandLineToolPrints) {
  const std::string cli = QV_BIN_DIR "/qvmap-cli";
  ASSERT_TRUE(std::filesystem::exists(cli));
  form->FormShow();
  BuildExample();
  AddFactory("Y Mine");
  Type("Yield", "3");
  std::string shown = "Product name\tPrice\tProduction\tInt.demand\tStatus\tResult\n";
  for (const Cells& row : ResultRows()) {
    for (std::size_t i = 0; i < row.size(); ++i)
      shown += row[i] + (i + 1 < row.size() ? "\t" : "\n");
  }
  shown += "profit\t" + Label("Label3") + "\nmessage\t" + Label("Label11") + "\n";
  form->FormClose();
  qv::SaveStore(store, dialogs);

  std::string printed;
  FILE* pipe = popen(("'" + cli + "' --home '" + dir.Folder() + "' complex").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    printed.append(buffer, n);
  ASSERT_EQ(WEXITSTATUS(pclose(pipe)), 0);
  EXPECT_EQ(printed.substr(0, shown.size()), shown);
  EXPECT_NE(printed.find("factory\t2\tSupplier\t4500\n"), std::string::npos) << printed;
}

}  // namespace
