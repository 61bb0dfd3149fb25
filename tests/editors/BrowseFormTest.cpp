#include "editors/BrowseForm.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

#include "editors/ProcessDataForm.h"
#include "editors/QtDataGrid.h"
#include "editors/QtTableModel.h"
#include "settings/MainTexts.h"
#include "support/QtEditorTesting.h"
#include "support/UniverseRows.h"

namespace {

using qvtest::AddSector;

class BrowseFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Stored in another order than the map's X;Y.
    AddSector(*store, {.name = "Third", .x = 5, .y = 5});
    AddSector(*store, {.name = "First", .x = 0, .y = 0});
    AddSector(*store, {.name = "Second", .x = 1, .y = 0});
    browse.SetProcessDialog(&process);
    browse.FormShow();
  }
  void Choose(const char* table) {
    QComboBox* list = browse.findChild<QComboBox*>("ComboBox1");
    list->setCurrentIndex(list->findText(table));
  }
  bool Enabled(const char* button) { return browse.findChild<QToolButton*>(button)->isEnabled(); }
  std::string ShownColumn(int column) {
    const qv::QtTableModel& model = browse.Grid().Model();
    std::string out;
    for (int row = 0; row < model.rowCount(); ++row)
      out += (row ? "," : "") +
             model.data(model.index(row, column), Qt::DisplayRole).toString().toStdString();
    return out;
  }

  qvtest::EmptyStore store;
  qvtest::ScriptedDialogs dialogs;
  qv::TMainTexts mainTexts;
  qv::TProcessDataForm process{dialogs, nullptr};
  qv::TBrowseForm browse{*store, dialogs, mainTexts};
};

TEST_F(BrowseFormTest, TablesShowTheirStoredOrderAndGetTheirWorkingOrderBack) {
  EXPECT_EQ(browse.Grid().GetTable(), nullptr);
  EXPECT_FALSE(Enabled("ToolButton1"));
  store->SectFactoryData.SetFiltered(true);
  Choose("SectorsData");
  EXPECT_EQ(browse.Grid().Model().columnCount(), store->SectorsData.FieldCount());
  EXPECT_EQ(ShownColumn(0), "Third,First,Second");
  Choose("SectFactoryData");
  EXPECT_FALSE(store->SectFactoryData.Filtered());
  browse.FormClose();

  EXPECT_EQ(browse.Grid().GetTable(), nullptr);
  EXPECT_EQ(store->SectorsData.IndexName(), "SectorsDataCoordIndex");
  EXPECT_EQ(store->ProductsData.IndexFieldNames(), "Type;Name");
  EXPECT_EQ(store->SectFactoryData.IndexFieldNames(), "SectorId");
  EXPECT_FALSE(store->SectFactoryData.Filtered());  // stays off
  EXPECT_TRUE(store->LocateSectorAt(1, 0));         // key searches work again

  browse.FormShow();  // a new opening starts without a table
  EXPECT_EQ(browse.findChild<QComboBox*>("ComboBox1")->currentIndex(), -1);
  EXPECT_EQ(browse.Grid().GetTable(), nullptr);
  EXPECT_EQ(browse.SourceForName("AuxRequestData"), nullptr);
  EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{"Unknown data set"});
}

TEST_F(BrowseFormTest, AddDeleteAndProcessRecords) {
  browse.SpeedButton1Click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "You should select a table first");
  EXPECT_EQ(dialogs.shown[0].caption, "Process");

  Choose("ProductsData");
  EXPECT_TRUE(Enabled("ToolButton1"));
  EXPECT_FALSE(Enabled("ToolButton2"));  // nothing to delete
  browse.ToolButton1Click();
  EXPECT_TRUE(Enabled("ToolButton2"));  // as soon as the new row exists
  store->ProductsData.FieldByName("Name").SetAsString("Ore");
  ASSERT_TRUE(browse.Grid().PostRow());
  EXPECT_EQ(store->ProductsData.RecordCount(), 1);

  browse.ToolButton2Click();  // answered No
  EXPECT_EQ(store->ProductsData.RecordCount(), 1);
  EXPECT_EQ(dialogs.shown.back().text, "Delete record ?");
  EXPECT_EQ(dialogs.shown.back().caption, "Delete");
  dialogs.yesNoAnswers.push_back(true);
  browse.ToolButton2Click();
  EXPECT_EQ(store->ProductsData.RecordCount(), 0);
  EXPECT_FALSE(Enabled("ToolButton2"));

  Choose("SectorsData");
  QTimer::singleShot(0, [this] {
    QComboBox* target = process.findChild<QComboBox*>("ComboBox7");
    target->setCurrentIndex(target->findText("Race"));
    process.findChild<QLineEdit*>("Edit4")->setText("Zhurr");
    process.Button2Click();
  });
  browse.SpeedButton1Click();
  EXPECT_EQ(process.windowTitle(), "Table: SectorsData");
  EXPECT_EQ(dialogs.shown.back().text, "3 records processed");
  EXPECT_EQ(ShownColumn(3), "Zhurr,Zhurr,Zhurr");
}

TEST_F(BrowseFormTest, AnAddedRowIsShownWholeAndAskedAboutOnceFilledIn) {
  for (int i = 0; i < 60; ++i)
    AddSector(*store, {.name = "More " + std::to_string(i), .x = 10 + i});
  browse.resize(700, 300);
  browse.show();
  browse.activateWindow();
  QApplication::processEvents();
  Choose("SectorsData");
  qv::QtDataGrid& grid = browse.Grid();
  browse.ToolButton1Click();
  EXPECT_TRUE(grid.hasFocus());  // the keys typed next go to the new row
  EXPECT_EQ(grid.currentIndex().row(), 63);
  EXPECT_TRUE(grid.viewport()->rect().contains(grid.visualRect(grid.currentIndex())));
  browse.ToolButton2Click();  // nothing typed: dropped without a question
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(grid.Model().rowCount(), 63);

  browse.ToolButton1Click();
  ASSERT_TRUE(qvtest::TypeInCell(grid, "Newfound"));
  browse.ToolButton2Click();  // No: the row and what was typed stay
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Delete record ?");
  EXPECT_EQ(dialogs.shown[0].caption, "Delete");
  EXPECT_EQ(store->SectorsData.State(), qv::TableState::Insert);
  EXPECT_EQ(qvtest::CellTextBox(grid)->text(), "Newfound");
  dialogs.yesNoAnswers = {true};
  browse.ToolButton2Click();
  EXPECT_EQ(store->SectorsData.State(), qv::TableState::Browse);
  EXPECT_EQ(store->SectorsData.RecordCount(), 63);
}

}  // namespace
