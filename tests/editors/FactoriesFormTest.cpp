#include "editors/FactoriesForm.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <memory>

#include "data/IniFile.h"
#include "editors/ProductsForm.h"
#include "editors/QtDataGrid.h"
#include "editors/QtElidedLabel.h"
#include "editors/QtTableModel.h"
#include "editors/TypeEditing.h"
#include "settings/MainTexts.h"
#include "support/QtEditorTesting.h"
#include "support/UniverseRows.h"

namespace {

using namespace qvtest;

// A mine and a solar power plant with their recipes; the plant stands in
// three sectors.
class FactoriesFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qv::TDataModule1& s = *store;
    ore = AddProduct(s, "Ore", 0, 0, 0);
    energy = AddProduct(s, "Energy", 0, 0, 0);
    mine = AddFactoryType(s, "Mine", 2, 120);
    plant = AddFactoryType(s, "Plant", 1, 60);
    AddRecipe(s, mine, 0, ore, 5);
    AddRecipe(s, mine, 1, energy, 6);
    AddRecipe(s, plant, 0, energy, 10);
    for (int x = 0; x < 3; ++x)
      PlaceFactory(s, AddSector(s, {.name = "S" + std::to_string(x), .x = x}), plant);
  }
  void Make(const std::string& settings = "[MainWindow]\nBuild=4\n") {
    dir.Write("QVMap.INI", settings);
    form = std::make_unique<qv::TFactoriesForm>(*store, dialogs, texts, dir.Folder(), products);
    form->ReadSettings(qv::IniFile::Load(dir.File("QVMap.INI")).get());
  }
  qv::Table& types() { return store->FactoriesData; }

  TempDir dir;
  EmptyStore store;
  ScriptedDialogs dialogs;
  qv::TMainTexts texts;
  qv::TProductsForm products{*store, dialogs, texts, dir.Folder()};
  std::unique_ptr<qv::TFactoriesForm> form;
  int ore = 0, energy = 0, mine = 0, plant = 0;
};

TEST_F(FactoriesFormTest, RecipeAndInformationFollowTheCurrentType) {
  Make();
  form->FormShow();
  EXPECT_EQ(GridColumn(form->TypeGrid(), 0), (std::vector<std::string>{"Mine", "Plant"}));
  EXPECT_EQ(GridColumn(form->RecipeGrid(), 0), (std::vector<std::string>{"Produces", "Needs"}));
  EXPECT_EQ(GridColumn(form->RecipeGrid(), 1), (std::vector<std::string>{"Ore", "Energy"}));
  EXPECT_EQ(form->TypeName(), "Mine");
  EXPECT_EQ(form->InfoText(), "products per 120 sec (yield=1) ");
  types().Next();
  EXPECT_EQ(form->InfoText(), "products per 60 sec ");
  EXPECT_EQ(GridColumn(form->RecipeGrid(), 1), (std::vector<std::string>{"Energy"}));
  // An edit shows at once, before it is posted.
  types().Edit();
  types().FieldByName("Mtime").SetAsInteger(0);
  EXPECT_EQ(form->InfoText(), "");
  types().Cancel();

  // A recipe row belongs to the current type and starts as a resource.
  EXPECT_TRUE(PressShortcut(form->RecipeGrid(), QKeySequence(Qt::CTRL | Qt::Key_Insert)));
  EXPECT_EQ(GridColumn(form->RecipeGrid(), 0), (std::vector<std::string>{"Produces", "Needs"}));
  EXPECT_EQ(store->FactoryProdData.FieldByName("FactoryId").AsInteger(), plant);
  form->ToolButton4Click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Delete \"\" from \"Plant\" ?");
}

TEST_F(FactoriesFormTest, NewTypeComesWithTwoRecipeRowsAndDeletingATypeClearsItsUses) {
  Make();
  form->FormShow();
  form->ToolButton1Click();
  EXPECT_EQ(GridColumn(form->TypeGrid(), 0), (std::vector<std::string>{"", "Mine", "Plant"}));
  EXPECT_EQ(form->TypeGrid().currentIndex().row(), 0);
  EXPECT_EQ(GridColumn(form->RecipeGrid(), 0), (std::vector<std::string>{"Produces", "Needs"}));
  EXPECT_EQ(GridColumn(form->RecipeGrid(), 1), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(form->InfoText(), "");

  types().Locate("Name", {qv::Value("Plant")});
  dialogs.yesNoAnswers = {true};
  form->ToolButton2Click();
  EXPECT_EQ(dialogs.shown.at(0).text, "Delete \"Plant\" ?");
  EXPECT_EQ(store->SectFactoryData.RecordCount(), 0);
  EXPECT_EQ(store->FactoryProdData.TotalRowCount(), 4);  // the mine's and the new type's
  // The recipe grid follows its type again after the delete.
  types().Locate("Name", {qv::Value("Mine")});
  EXPECT_EQ(GridColumn(form->RecipeGrid(), 1), (std::vector<std::string>{"Ore", "Energy"}));

  form->done(QDialog::Accepted);
  EXPECT_EQ(store->FactoryProdData.MasterSource(), nullptr);
  EXPECT_EQ(types().IndexName(), "FactoriesDataIdIndex");
  EXPECT_FALSE(store->RecipesLinked());
  EXPECT_EQ(store->ProductNames().Size(), 0);
}

TEST_F(FactoriesFormTest, ANewOrRenamedTypeStaysCurrentWhereItSortsAndTakesTheRecipeRowsAdded) {
  AddFactoryType(*store, "Alloy Foundry", 0, 240);
  Make();
  form->FormShow();
  form->ToolButton1Click();
  qv::QtDataGrid& grid = form->TypeGrid();
  ASSERT_TRUE(TypeInCell(grid, "Beta Works"));
  PressKey(CellEditor(grid), Qt::Key_Return);
  EXPECT_EQ(GridColumn(grid, 0),
            (std::vector<std::string>{"Alloy Foundry", "Beta Works", "Mine", "Plant"}));
  EXPECT_EQ(grid.currentIndex().row(), 1);
  EXPECT_EQ(form->TypeName(), "Beta Works");
  form->ToolButton3Click();
  const int beta = types().FieldByName("Id").AsInteger();
  EXPECT_EQ(GridColumn(form->RecipeGrid(), 0),
            (std::vector<std::string>{"Produces", "Needs", "Needs"}));
  EXPECT_EQ(store->FactoryProdData.FieldByName("FactoryId").AsInteger(), beta);

  grid.setCurrentIndex(grid.Model().index(2, 0));  // Mine, renamed
  ASSERT_TRUE(TypeInCell(grid, "Zeta Mine"));
  PressKey(CellEditor(grid), Qt::Key_Return);
  EXPECT_EQ(grid.currentIndex().row(), 3);
  EXPECT_EQ(form->TypeName(), "Zeta Mine");
  EXPECT_EQ(GridColumn(form->RecipeGrid(), 1), (std::vector<std::string>{"Ore", "Energy"}));
}

TEST_F(FactoriesFormTest, ARefusedQuantityIsCorrectedInPlaceAndEscapeNeverStoresIt) {
  Make();
  form->FormShow();
  form->show();
  qv::QtDataGrid& recipes = form->RecipeGrid();
  recipes.setCurrentIndex(recipes.Model().index(0, 2));
  ASSERT_TRUE(TypeInCell(recipes, "x1"));
  PressKey(CellTextBox(recipes), Qt::Key_Return);
  EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{"'x1' is not a valid integer value"});
  ASSERT_NE(CellTextBox(recipes), nullptr);
  EXPECT_EQ(CellTextBox(recipes)->selectedText(), "x1");

  // The player has gone to the OK button: Escape cancels the cell, then
  // the row, and only then closes the window.
  QPushButton* ok = form->findChild<QPushButton*>("Button1");
  PressKey(ok, Qt::Key_Escape);
  EXPECT_EQ(CellEditor(recipes), nullptr);
  EXPECT_EQ(store->FactoryProdData.State(), qv::TableState::Edit);
  PressKey(ok, Qt::Key_Escape);
  EXPECT_EQ(store->FactoryProdData.State(), qv::TableState::Browse);
  EXPECT_TRUE(form->isVisible());
  PressKey(ok, Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
  store->FactoryProdData.First();
  EXPECT_EQ(store->FactoryProdData.FieldByName("Qty").AsInteger(), 5);
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

// Every column of the grid at least as wide as its title.
void ExpectTitlesFit(const qv::QtDataGrid& grid) {
  const QHeaderView& header = *grid.horizontalHeader();
  for (int i = 0; i < header.count(); ++i) {
    const QString title = grid.Model().headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_GT(header.sectionSize(i), header.fontMetrics().horizontalAdvance(title))
        << title.toStdString();
  }
}

TEST_F(FactoriesFormTest, AFirstStartShowsEveryColumnAndNarrowPanelsElideTheirTexts) {
  Make("");
  form->FormShow();
  form->show();
  QApplication::processEvents();
  EXPECT_GE(form->width(), 430 - 8);                                // the frame is part of the 430
  EXPECT_EQ(form->TypeGrid().horizontalScrollBar()->maximum(), 0);  // no column out of view

  // Side by side in a narrow window: the type's name and its text stay
  // inside their panel, which holds them whole as its tooltip.
  types().Locate("Name", {qv::Value("Mine")});
  form->resize(430, 380);
  form->ToolButton7Click();
  QApplication::processEvents();
  const QWidget* panel = form->findChild<QWidget*>("Panel4");
  const auto* info = form->findChild<qv::QtElidedLabel*>("Label1");
  ASSERT_NE(info, nullptr);
  EXPECT_LE(info->geometry().right(), panel->contentsRect().right());
  EXPECT_TRUE(info->ShownText().endsWith(QChar(0x2026))) << info->ShownText().toStdString();
  EXPECT_NE(form->findChild<qv::QtElidedLabel*>("DBText1"), nullptr);
  EXPECT_EQ(panel->toolTip(), "Mine products per 120 sec (yield=1) ");
  EXPECT_EQ(form->InfoText(), "products per 120 sec (yield=1) ");

  const auto german = qv::IniFile::Load(std::string(QV_SOURCE_DIR) + "/lang/Deutsch.LNG");
  form->Translate(*german);
  products.Translate(*german);
  ExpectTitlesFit(form->TypeGrid());
  ExpectTitlesFit(form->RecipeGrid());
  ExpectTitlesFit(products.Grid());
}

TEST_F(FactoriesFormTest, CodedColumnsOfferTheirTexts) {
  Make();
  form->FormShow();
  EXPECT_EQ(form->TypeGrid().FindColumn("Special")->PickList,
            (std::vector<std::string>{"- None -", "Suns", "Ore", "Silicon"}));
  EXPECT_EQ(form->TypeGrid().FindColumn("Buyable")->PickList,
            (std::vector<std::string>{"", "Yes"}));
  EXPECT_EQ(form->RecipeGrid().FindColumn("Operation")->PickList,
            (std::vector<std::string>{"Needs", "Produces"}));
  EXPECT_EQ(form->RecipeGrid().FindColumn("ProductId")->PickList,
            (std::vector<std::string>{"Energy", "Ore"}));
  ASSERT_TRUE(form->TypeGrid().Model().WriteCellText(0, 4, "- None -"));
  ASSERT_TRUE(form->TypeGrid().PostRow());
  EXPECT_EQ(types().FieldByName("Special").GetValue(), qv::Value(0));
  EXPECT_EQ(form->InfoText(), "products per 120 sec ");
}

TEST_F(FactoriesFormTest, PanelsTakeTheirSavedShareAndKeepTheirArrangement) {
  Make("[MainWindow]\nBuild=4\n[FactoriesWindow]\nFactListPart=200\nFactListTotal=400\n");
  form->show();
  EXPECT_TRUE(form->Stacked());
  EXPECT_EQ(form->PanelSize(), form->height() / 2);
  form->ToolButton7Click();
  EXPECT_FALSE(form->Stacked());
  const int width = form->PanelSize();
  EXPECT_NEAR(width, form->width() / 2, 12);
  qv::IniFile settings(dir.File("out.ini"));
  form->WriteSettings(&settings);
  EXPECT_FALSE(settings.ReadBool("FactoriesWindow", "Vertical", true));
  EXPECT_EQ(settings.ReadInteger("FactoriesWindow", "FactListPart", 0), width);
  EXPECT_EQ(settings.ReadInteger("FactoriesWindow", "FactListTotal", 0), form->width());

  // A share that cannot be one leaves the panel within the window.
  Make("[FactoriesWindow]\nVertical=0\nFactListPart=900\nFactListTotal=0\n");
  form->show();
  EXPECT_FALSE(form->Stacked());
  EXPECT_GE(form->PanelSize(), 50);
  EXPECT_LE(form->PanelSize(), form->width() - 50);
}

}  // namespace
