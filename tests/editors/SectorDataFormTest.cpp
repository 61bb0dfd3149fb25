#include "editors/SectorDataForm.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <memory>

#include "data/IniFile.h"
#include "editors/FactoriesForm.h"
#include "editors/ProductsForm.h"
#include "editors/QtDataGrid.h"
#include "editors/QtEditorParts.h"
#include "editors/QtTableModel.h"
#include "editors/SectorObjects.h"
#include "settings/MainTexts.h"
#include "support/QtEditorTesting.h"
#include "support/UniverseRows.h"

namespace {

using namespace qvtest;
using qv::TSectorDataForm;

// Alpha (Kessar) has a shipyard without products, a trading station with
// three and a farm; Delta has no race and no station.
class SectorDataFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qv::TDataModule1& s = *store;
    const int wheat = AddProduct(s, "Wheat", 0, 0, 0);
    AddProduct(s, "Laser", 1, 0, 0);
    AddProduct(s, "Hauler", 2, 0, 0);
    AddProduct(s, "Farm kit", 3, 0, 0);
    farm = AddFactoryType(s, "Farm", 0, 60);
    AddFactoryType(s, "Secret lab", 0, 60, false);
    alpha = AddSector(s, {.name = "Alpha", .x = 1, .y = 1, .race = "Kessar", .shipyard = true});
    AddSector(s, {.name = "Delta", .x = 2, .y = 2});
    store->LocateSectorById(alpha);
    store->SectorsData.Edit();
    store->SectorsData.FieldByName("SolarCycle").SetAsInteger(80);
    store->SectorsData.Post();
    PlaceFactory(s, alpha, farm, true);
    for (int i = 0; i < 3; ++i)
      AddTrade(s, alpha, qv::kTradingStation, wheat);
    dir.Write("QVMap.INI", "[MainWindow]\nBuild=4\n");
  }
  std::unique_ptr<TSectorDataForm> Make() {
    auto form = std::make_unique<TSectorDataForm>(*store, dialogs, texts, dir.Folder(), factories,
                                                  products);
    form->ReadSettings(qv::IniFile::Load(dir.File("QVMap.INI")).get());
    return form;
  }
  void OpenAlpha() {
    ASSERT_TRUE(form->Open(1, 1));
    form->FormShow();
  }
  bool TabShown(std::optional<qv::Trader> trader) {
    return form->Pages().isTabVisible(form->Pages().indexOf(&form->Page(trader)));
  }
  void GoToPage(std::optional<qv::Trader> trader) {
    form->Pages().setCurrentWidget(&form->Page(trader));
  }
  bool SectorFlag(const char* field) {
    store->LocateSectorById(alpha);
    return store->SectorsData.FieldByName(field).AsBoolean();
  }

  TempDir dir;
  EmptyStore store;
  ScriptedDialogs dialogs;
  qv::TMainTexts texts;
  qv::TProductsForm products{*store, dialogs, texts, dir.Folder()};
  qv::TFactoriesForm factories{*store, dialogs, texts, dir.Folder(), products};
  std::unique_ptr<TSectorDataForm> form = Make();
  int alpha = 0, farm = 0;
};

TEST_F(SectorDataFormTest, OpensOnTheSectorWithItsStationsFactoriesAndPickLists) {
  EXPECT_FALSE(form->Open(5, 5));
  ASSERT_TRUE(form->Open(2, 2));
  EXPECT_EQ(form->Heading(), "Sector: Delta (2,2)");
  OpenAlpha();
  EXPECT_EQ(form->Heading(), "Sector: Alpha (1,1), Kessar");
  EXPECT_TRUE(form->StationBox(qv::Trader::Shipyard).isChecked());
  EXPECT_TRUE(form->StationBox(qv::Trader::TradingStation).isChecked());
  EXPECT_FALSE(form->StationBox(qv::Trader::PirateBase).isChecked());
  EXPECT_TRUE(TabShown(qv::Trader::TradingStation));
  EXPECT_FALSE(TabShown(qv::Trader::EquipmentDock));
  EXPECT_EQ(GridColumn(form->Grid(TSectorDataForm::kFactoryPage), 0),
            (std::vector<std::string>{"Farm"}));
  EXPECT_EQ(GridColumn(form->Grid(TSectorDataForm::kFactoryPage), 1),
            (std::vector<std::string>{"Your"}));
  EXPECT_EQ(form->CycleEdit().text(), "80");
  EXPECT_EQ(form->CycleText(), "(1 min 20 sec)");

  const auto picks = [this](std::optional<qv::Trader> trader, const char* field) {
    return form->Grid(trader).FindColumn(field)->PickList;
  };
  using Names = std::vector<std::string>;
  EXPECT_EQ(picks(TSectorDataForm::kFactoryPage, "FactoryId"), (Names{"Farm", "Secret lab"}));
  EXPECT_EQ(picks(TSectorDataForm::kFactoryPage, "Your"), (Names{"", "Your"}));
  EXPECT_EQ(picks(qv::Trader::Shipyard, "ProductId"), (Names{"Hauler", "Farm kit"}));
  for (const qv::Trader trader :
       {qv::Trader::EquipmentDock, qv::Trader::TradingStation, qv::Trader::PirateBase})
    EXPECT_EQ(picks(trader, "ProductId"), (Names{"Wheat", "Laser"})) << qv::CodeOf(trader);
}

TEST_F(SectorDataFormTest, StationPagesListAndAddTheProductsOfTheirKind) {
  OpenAlpha();
  GoToPage(qv::Trader::TradingStation);
  EXPECT_EQ(GridColumn(form->Grid(qv::Trader::TradingStation), 0),
            (std::vector<std::string>{"Wheat", "Wheat", "Wheat"}));
  GoToPage(qv::Trader::Shipyard);
  EXPECT_EQ(store->OpenTrader(), qv::kShipyard);
  EXPECT_EQ(store->ProductsData.RecordCount(), 2);  // ships and factories only
  EXPECT_TRUE(
      PressShortcut(form->Grid(qv::Trader::Shipyard), QKeySequence(Qt::CTRL | Qt::Key_Insert)));
  qv::Table& trade = store->SectTradeData;
  ASSERT_EQ(trade.RecordCount(), 1);
  EXPECT_EQ(trade.FieldByName("SectorId").AsInteger(), alpha);
  EXPECT_EQ(trade.FieldByName("Trader").AsInteger(), qv::kShipyard);
  EXPECT_TRUE(trade.FieldByName("ProductId").IsNull());
  ASSERT_TRUE(form->Grid(qv::Trader::Shipyard).Model().WriteCellText(0, 0, "Hauler"));
  ASSERT_TRUE(form->Grid(qv::Trader::Shipyard).PostRow());
  EXPECT_EQ(GridColumn(form->Grid(qv::Trader::Shipyard), 0), (std::vector<std::string>{"Hauler"}));

  form->ToolButton4Click();
  EXPECT_EQ(dialogs.shown.at(0).text, "Shipyard: delete \"Hauler\"?");
  EXPECT_EQ(trade.RecordCount(), 1);
  GoToPage(TSectorDataForm::kFactoryPage);
  EXPECT_FALSE(store->ProductsData.Filtered());
  form->ToolButton2Click();
  EXPECT_EQ(dialogs.shown.at(1).text, "Delete \"Farm\" from \"Alpha\" ?");
  EXPECT_EQ(dialogs.shown.at(1).caption, "Delete");
}

TEST_F(SectorDataFormTest, SwitchingAStationOffClearsItsProductsOnlyWhenTheAnswerIsYes) {
  OpenAlpha();
  GoToPage(qv::Trader::Shipyard);
  form->StationBox(qv::Trader::Shipyard).setChecked(false);  // no products: no question
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(SectorFlag("Shipyard"));
  EXPECT_EQ(form->Pages().currentWidget(), &form->Page(TSectorDataForm::kFactoryPage));
  EXPECT_FALSE(TabShown(qv::Trader::Shipyard));

  GoToPage(qv::Trader::TradingStation);
  form->StationBox(qv::Trader::TradingStation).setChecked(false);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Trading Station: clear all data?");
  EXPECT_EQ(dialogs.shown[0].caption, "Clear data");
  EXPECT_TRUE(form->StationBox(qv::Trader::TradingStation).isChecked());
  EXPECT_TRUE(SectorFlag("Trstation"));
  EXPECT_EQ(store->CountTraders(alpha, qv::kTradingStation), 3);

  dialogs.yesNoAnswers = {true};
  form->StationBox(qv::Trader::TradingStation).setChecked(false);
  EXPECT_FALSE(SectorFlag("Trstation"));
  EXPECT_EQ(store->CountTraders(alpha, qv::kTradingStation), 0);
  EXPECT_FALSE(TabShown(qv::Trader::TradingStation));

  form->StationBox(qv::Trader::PirateBase).setChecked(true);
  EXPECT_TRUE(SectorFlag("Pirate"));
  EXPECT_TRUE(TabShown(qv::Trader::PirateBase));
}

TEST_F(SectorDataFormTest, SolarCycleIsStoredAsTypedAndClosingLiftsFiltersAndNames) {
  OpenAlpha();
  store->ClearDataChanged();
  form->CycleEdit().setText("125");
  EXPECT_EQ(form->CycleText(), "(2 min 5 sec)");
  store->LocateSectorById(alpha);
  EXPECT_EQ(store->SectorsData.FieldByName("SolarCycle").AsInteger(), 125);
  EXPECT_TRUE(store->DataChanged());

  GoToPage(qv::Trader::Shipyard);
  form->done(QDialog::Accepted);
  EXPECT_FALSE(store->SectFactoryData.Filtered());
  EXPECT_FALSE(store->SectTradeData.Filtered());
  EXPECT_FALSE(store->ProductsData.Filtered());
  EXPECT_FALSE(store->SectorLinked());
  EXPECT_EQ(store->SectTradeData.RecordCount(), 3);
  store->SectFactoryData.First();
  EXPECT_EQ(store->SectFactoryData.FieldByName("FactoryId").DisplayText(), std::to_string(farm));
}

TEST_F(SectorDataFormTest, ARefusedYieldIsCorrectedInPlaceAndEscapeStoresNothingTyped) {
  OpenAlpha();
  form->show();
  form->ToolButton1Click();
  qv::QtDataGrid& grid = form->Grid(TSectorDataForm::kFactoryPage);
  ASSERT_TRUE(TypeInCell(grid, "No such type"));
  PressKey(CellTextBox(grid), Qt::Key_Tab);
  grid.SetCurrentColumn(2);
  ASSERT_TRUE(TypeInCell(grid, "x"));
  PressKey(CellTextBox(grid), Qt::Key_Return);
  EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{"'x' is not a valid integer value"});
  ASSERT_NE(CellTextBox(grid), nullptr);
  EXPECT_EQ(grid.CurrentField(), "Yield");
  EXPECT_EQ(CellTextBox(grid)->selectedText(), "x");

  // With the keyboard gone to OK: Escape cancels the cell, then the row,
  // and only then closes the window; nothing typed is stored.
  QPushButton* ok = form->findChild<QPushButton*>("Button1");
  PressKey(ok, Qt::Key_Escape);
  EXPECT_EQ(CellEditor(grid), nullptr);
  PressKey(ok, Qt::Key_Escape);
  EXPECT_EQ(store->SectFactoryData.State(), qv::TableState::Browse);
  EXPECT_TRUE(form->isVisible());
  PressKey(ok, Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
  std::vector<std::string> rows;
  for (const qv::Record& row : store->SectFactoryData.AllRecords())
    rows.push_back(row.Get("FactoryId").ToString() + "/" + row.Get("Yield").ToString());
  EXPECT_EQ(rows, (std::vector<std::string>{std::to_string(farm) + "/0", "/"}));
}

TEST_F(SectorDataFormTest, TheCycleTimeSpeaksTheLanguageInForceWhenShown) {
  const auto german = qv::IniFile::Load(std::string(QV_SOURCE_DIR) + "/lang/Deutsch.LNG");
  const auto english = qv::IniFile::Load(std::string(QV_SOURCE_DIR) + "/lang/English.LNG");
  store->LocateSectorById(alpha);
  store->SectorsData.Edit();
  store->SectorsData.FieldByName("SolarCycle").SetAsInteger(125);
  store->SectorsData.Post();
  store->TranslateStoreTexts(*german);
  form->Translate(*german);
  OpenAlpha();
  EXPECT_EQ(form->CycleText(), "(2 min 5 s)");
  form->done(QDialog::Accepted);
  store->TranslateStoreTexts(*english);
  form->Translate(*english);
  EXPECT_EQ(form->CycleText(), "(2 min 5 sec)");
  store->TranslateStoreTexts(*german);
  OpenAlpha();
  EXPECT_EQ(form->CycleText(), "(2 min 5 s)");
}

TEST_F(SectorDataFormTest, ProductsAddedInTheProductTypesWindowAreOnOfferAtOnce) {
  OpenAlpha();
  GoToPage(qv::Trader::EquipmentDock);
  QTimer::singleShot(0, [this] {
    EXPECT_FALSE(store->ProductsData.Filtered());
    products.ToolButton1Click();
    store->ProductsData.Edit();
    store->ProductsData.FieldByName("Name").SetAsString("Fresh");
    products.accept();
  });
  form->Button3Click();
  EXPECT_TRUE(store->ProductsData.Filtered());
  const std::vector<std::string>& wares =
      form->Grid(qv::Trader::EquipmentDock).FindColumn("ProductId")->PickList;
  EXPECT_NE(std::find(wares.begin(), wares.end(), "Fresh"), wares.end());
  EXPECT_EQ(store->ProductNames().NumberOf("Fresh") > 0, true);
}

TEST_F(SectorDataFormTest, FiveGridsKeepTheirColumnLayouts) {
  form->Grid(qv::Trader::EquipmentDock).horizontalHeader()->resizeSection(0, 321);
  form->Grid(TSectorDataForm::kFactoryPage).horizontalHeader()->moveSection(0, 2);
  form.reset();
  for (const char* file : {"fact3.col", "shipyard.col", "eq_dock.col", "tr_stat.col", "p_base.col"})
    EXPECT_TRUE(dir.Exists(file)) << file;
  form = Make();
  EXPECT_EQ(form->Grid(qv::Trader::EquipmentDock).Columns().front().Width, 321);
  EXPECT_EQ(form->Grid(qv::Trader::Shipyard).Columns().front().Width, 260);
  EXPECT_EQ(form->Grid(TSectorDataForm::kFactoryPage).Columns().back().FieldName, "FactoryId");
}

}  // namespace
