#include "economy/ComplexPlanForm.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "economy/FactComplexCalcForm.h"
#include "editors/QtDataGrid.h"
#include "editors/QtTableModel.h"
#include "settings/MainTexts.h"
#include "settings/StoreStartExit.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/UniverseRows.h"

namespace {

using Cells = std::vector<std::string>;

std::vector<Cells> Rows(const QTableWidget& grid) {
  std::vector<Cells> rows;
  for (int r = 0; r < grid.rowCount(); ++r) {
    Cells& row = rows.emplace_back();
    for (int c = 0; c < grid.columnCount(); ++c)
      row.push_back(grid.item(r, c) ? grid.item(r, c)->text().toStdString() : "");
  }
  return rows;
}

// The chain of the planner's examples: an ore mine (600 ore/h at yield 10),
// a smelter (60 metal/h from 120 ore/h), a parts works (60 parts/h from 120
// metal/h); two presses that each need 99 of what the other makes 100 of.
class ComplexPlanFormTest : public ::testing::Test {
 protected:
  ComplexPlanFormTest() {
    qv::LoadStore(store, dialogs);
    const auto product = [this](const char* name, int avg) {
      return qvtest::AddRowId(store.ProductsData,
                              {{"Name", name}, {"Min", avg / 2}, {"Max", avg * 2}, {"Avg", avg}});
    };
    const int ore = product("Ore", 10), metal = product("Metal", 50), parts = product("Parts", 300);
    const int gold = product("Gold", 1), silver = product("Silver", 1);
    const int mine = qvtest::AddFactoryType(store, "Ore Mine", 2, 600);
    const int smelter = qvtest::AddFactoryType(store, "Smelter", 0, 600);
    const int works = qvtest::AddFactoryType(store, "Parts Works", 0, 300);
    const int goldPress = qvtest::AddFactoryType(store, "Gold Press", 0, 600);
    const int silverPress = qvtest::AddFactoryType(store, "Silver Press", 0, 600);
    qvtest::AddRecipe(store, mine, 0, ore, 10);
    qvtest::AddRecipe(store, smelter, 0, metal, 10);
    qvtest::AddRecipe(store, smelter, 1, ore, 20);
    qvtest::AddRecipe(store, works, 0, parts, 5);
    qvtest::AddRecipe(store, works, 1, metal, 10);
    qvtest::AddRecipe(store, goldPress, 0, gold, 100);
    qvtest::AddRecipe(store, goldPress, 1, silver, 99);
    qvtest::AddRecipe(store, silverPress, 0, silver, 100);
    qvtest::AddRecipe(store, silverPress, 1, gold, 99);
    dialogs.shown.clear();
  }

  void AddFactory(const std::string& type, const std::string& nps = "") {
    form->ToolButton1Click();
    const qv::QtTableModel& model = form->Grid().Model();
    const auto type_ = [&](const std::string& field, const std::string& text) {
      for (int column = 0; column < model.columnCount(); ++column) {
        if (model.Columns()[column].FieldName == field) {
          ASSERT_TRUE(form->Grid().Model().WriteCellText(model.CursorRow(), column, text));
        }
      }
    };
    type_("FactoryId", type);
    if (!nps.empty()) type_("AllowNPS", nps);
    ASSERT_TRUE(form->Grid().FinishEditing());
  }

  qv::TComplexPlanForm& Plan() { return form->PlanForm(); }
  template <typename T>
  T& In(const char* name) {
    T* child = Plan().findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return *child;
  }
  void SetTarget(int slot, const char* product, double rate) {
    auto& combo = In<QComboBox>(("ComboBox" + std::to_string(slot)).c_str());
    combo.setCurrentIndex(combo.findText(product));
    In<QDoubleSpinBox>(("SpinEdit" + std::to_string(slot)).c_str()).setValue(rate);
  }
  std::string Text(const char* label) { return In<QLabel>(label).text().toStdString(); }
  // The price grid's row of a product.
  int PriceRow(const char* product) {
    const QTableWidget& grid = In<QTableWidget>("StringGrid1");
    for (int row = 0; row < grid.rowCount(); ++row)
      if (grid.item(row, 0)->text() == product) return row;
    return -1;
  }

  qvtest::TempDir dir;
  qvtest::ScriptedDialogs dialogs;
  qv::TDataModule1 store{dir.Folder()};
  qv::TMainTexts mainTexts;
  std::unique_ptr<qv::TFactComplexCalcForm> form =
      std::make_unique<qv::TFactComplexCalcForm>(store, dialogs, nullptr, dir.Folder(), mainTexts);
};

TEST_F(ComplexPlanFormTest, APlanUsedInTheComplexWindowMeetsEveryTarget) {
  form->FormShow();
  AddFactory("Gold Press");
  Plan().FormShow(form->PowerCycle(), form->FactoryListData().IsEmpty());
  // The targets offer what can be made; keyboard users reach them by label.
  EXPECT_EQ(In<QComboBox>("ComboBox1").count(), 6);  // none, then five products
  EXPECT_EQ(In<QLabel>("Label1").buddy(), &In<QComboBox>("ComboBox1"));
  SetTarget(1, "Parts", 120);
  Plan().SolveClick();
  EXPECT_EQ(Rows(In<QTableWidget>("StringGrid2")),
            (std::vector<Cells>{{"Ore Mine", "1"}, {"Parts Works", "2"}, {"Smelter", "4"}}));
  EXPECT_EQ(Rows(In<QTableWidget>("StringGrid3")),
            (std::vector<Cells>{{"Metal", "240", "240", "-", "-"},
                                {"Ore", "600", "480", "-", "120"},
                                {"Parts", "120", "-", "-", "-"}}));
  EXPECT_EQ(Text("Label12"), "37200");
  EXPECT_EQ(Text("Label14"), "Optimal plan");
  ASSERT_TRUE(In<QPushButton>("Button2").isEnabled());

  // The complex holds a factory: the player is asked first.
  dialogs.yesNoAnswers = {false};
  Plan().UseClick();
  EXPECT_EQ(dialogs.shown.back().text, "Replace the factories of the complex by the plan?");
  EXPECT_NE(Plan().result(), QDialog::Accepted);
  dialogs.yesNoAnswers = {true};
  Plan().UseClick();
  EXPECT_EQ(Plan().result(), QDialog::Accepted);
  form->UsePlan();

  EXPECT_EQ(form->FactoryListData().RecordCount(), 7);
  EXPECT_EQ(Rows(form->ResultGrid()),
            (std::vector<Cells>{{"Metal", "50", "240", "240", "Equal", ""},
                                {"Ore", "10", "600", "480", "Export 120", "+1200"},
                                {"Parts", "300", "120", "-", "Pure export", "+36000"}}));
  EXPECT_EQ(form->findChild<QLabel*>("Label3")->text(), "37200");
  EXPECT_EQ(form->findChild<QLabel*>("Label11")->text(), "");
  // Closed and shown again, the window computes the same from its files.
  form->FormClose();
  form->FormShow();
  EXPECT_EQ(form->FactoryListData().RecordCount(), 7);
  EXPECT_EQ(form->findChild<QLabel*>("Label3")->text(), "37200");
}

TEST_F(ComplexPlanFormTest, PricesPurchasesAndNoPlanAtAll) {
  form->FormShow();
  Plan().FormShow(90, true);
  dialogs.shown.clear();
  Plan().SolveClick();  // no target
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].icon, qv::MessageIcon::Error);
  EXPECT_EQ(dialogs.shown[0].text, Plan().FormTexts().NoTargetMsg);

  SetTarget(2, "Parts", 120);
  auto& prices = In<QTableWidget>("StringGrid1");
  const int metal = PriceRow("Metal");
  ASSERT_GE(metal, 0);
  EXPECT_EQ(prices.item(metal, 1)->text(), "50");  // the average
  prices.item(metal, 1)->setText("40x");           // typed: its leading number
  EXPECT_EQ(prices.item(metal, 1)->text(), "40");
  prices.item(metal, 2)->setCheckState(Qt::Checked);
  Plan().SolveClick();
  EXPECT_EQ(Rows(In<QTableWidget>("StringGrid2")), (std::vector<Cells>{{"Parts Works", "2"}}));
  EXPECT_EQ(Text("Label12"), "26400");  // 120 x 300 - 240 x 40

  // The maximum prices, and metal may no longer be bought: the ore mine
  // cannot be bought either, and ore may not be bought.
  In<QComboBox>("ComboBox8").setCurrentIndex(2);
  Plan().PriceRuleChange();
  EXPECT_EQ(prices.item(metal, 1)->text(), "100");
  prices.item(metal, 2)->setCheckState(Qt::Unchecked);
  store.FactoriesData.Locate("Name", {qv::Value("Ore Mine")});
  store.FactoriesData.Edit();
  store.FactoriesData.FieldByName("Buyable").SetAsBoolean(false);
  store.FactoriesData.Post();
  Plan().FormShow(90, true);  // the catalogue anew; the player's choices stay
  EXPECT_EQ(prices.item(PriceRow("Metal"), 2)->checkState(), Qt::Unchecked);
  EXPECT_EQ(prices.item(PriceRow("Ore"), 2)->checkState(), Qt::Checked);  // nothing makes it now
  prices.item(PriceRow("Ore"), 2)->setCheckState(Qt::Unchecked);
  Plan().SolveClick();
  EXPECT_TRUE(Rows(In<QTableWidget>("StringGrid2")).empty());
  EXPECT_EQ(Text("Label14"),
            "Parts cannot be met: it needs Ore, which no factory that can be bought makes and "
            "which may not be bought");
  EXPECT_EQ(Text("Label12"), "");
  EXPECT_FALSE(In<QPushButton>("Button2").isEnabled());
}

TEST_F(ComplexPlanFormTest, ChoicesAndPlacementOutliveTheProgram) {
  qv::IniFile settings(dir.File("QVMap.INI"));
  form->FormShow();
  Plan().FormShow(90, true);
  SetTarget(3, "Metal", 7.5);
  In<QComboBox>("ComboBox7").setCurrentIndex(1);
  In<QSpinBox>("SpinEdit8").setValue(7);
  In<QSpinBox>("SpinEdit9").setValue(12);
  form->FormClose();
  form->WriteSettings(&settings);

  form =
      std::make_unique<qv::TFactComplexCalcForm>(store, dialogs, nullptr, dir.Folder(), mainTexts);
  form->ReadSettings(&settings);
  form->FormShow();
  Plan().FormShow(60, true);
  EXPECT_EQ(In<QComboBox>("ComboBox3").currentText(), "Metal");
  EXPECT_EQ(In<QDoubleSpinBox>("SpinEdit3").value(), 7.5);
  EXPECT_EQ(In<QComboBox>("ComboBox7").currentIndex(), 1);
  EXPECT_EQ(In<QSpinBox>("SpinEdit7").value(), 60);  // always the complex's cycle
  EXPECT_EQ(In<QSpinBox>("SpinEdit8").value(), 7);
  EXPECT_EQ(In<QSpinBox>("SpinEdit9").value(), 12);
  qv::TPlanOptions options;
  ASSERT_TRUE(Plan().ReadOptions(options));
  EXPECT_EQ(options.Objective, qv::TPlanObjective::Cost);
  EXPECT_EQ(options.Targets.size(), 1u);
  EXPECT_TRUE(settings.ReadInteger("ComplexPlanWindow", "Width", 0) > 0);
}

TEST_F(ComplexPlanFormTest, AComplexThatDoesNotSettleSaysWhoKeepsChanging) {
  form->FormShow();
  AddFactory("Ore Mine");
  AddFactory("Gold Press", "No");
  AddFactory("Silver Press", "No");
  EXPECT_EQ(form->findChild<QLabel*>("Label11")->text().toStdString(),
            "Does not settle: Silver Press \u21c4 Gold Press over Gold, Silver");
  EXPECT_EQ(form->findChild<QLabel*>("Label3")->text().right(2), " ?");
}

}  // namespace
