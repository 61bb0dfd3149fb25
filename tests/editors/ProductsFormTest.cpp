#include "editors/ProductsForm.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QToolButton>
#include <memory>

#include "data/IniFile.h"
#include "data/StoreTestData.h"
#include "editors/QtDataGrid.h"
#include "editors/QtEditorParts.h"
#include "editors/QtTableModel.h"
#include "settings/MainTexts.h"
#include "support/QtEditorTesting.h"
#include "support/UniverseRows.h"

namespace {

using namespace qvtest;

class ProductsFormTest : public ::testing::Test {
 protected:
  std::unique_ptr<qv::TProductsForm> Make(const char* settings = "[MainWindow]\nBuild=4\n") {
    dir.Write("QVMap.INI", settings);
    auto form = std::make_unique<qv::TProductsForm>(*store, dialogs, texts, dir.Folder());
    form->ReadSettings(qv::IniFile::Load(dir.File("QVMap.INI")).get());
    return form;
  }

  TempDir dir;
  EmptyStore store;
  ScriptedDialogs dialogs;
  qv::TMainTexts texts;
};

TEST_F(ProductsFormTest, ListsByTypeThenNameAndAddsUntouchedProducts) {
  AddProduct(*store, "B", 2, 0);
  AddProduct(*store, "Z", 0, 0);
  AddProduct(*store, "A", 0, 0);
  auto form = Make();
  form->FormShow();
  EXPECT_EQ(GridColumn(form->Grid(), 0), (std::vector<std::string>{"A", "Z", "B"}));
  EXPECT_EQ(GridColumn(form->Grid(), 1), (std::vector<std::string>{"Product", "Product", "Ship"}));
  EXPECT_EQ(form->Grid().FindColumn("Type")->PickList,
            (std::vector<std::string>{"Product", "Upgrade", "Ship", "Factory"}));

  // Ctrl+Insert anywhere in the window adds, as the tool button does.
  EXPECT_TRUE(PressShortcut(*form, QKeySequence(Qt::CTRL | Qt::Key_Insert)));
  qv::Table& products = store->ProductsData;
  ASSERT_EQ(products.RecordCount(), 4);
  EXPECT_EQ(products.State(), qv::TableState::Browse);
  EXPECT_TRUE(products.FieldByName("Name").IsNull());
  EXPECT_EQ(products.FieldByName("Type").DisplayText(), "Product");
  EXPECT_EQ(form->Grid().CurrentColumn(), 0);
  form->done(QDialog::Accepted);
  EXPECT_EQ(form->Grid().GetTable(), nullptr);
}

TEST_F(ProductsFormTest, ANewProductStaysCurrentWhereItsTypeAndNameSortIt) {
  AddProduct(*store, "Alloy", 0, 0);
  AddProduct(*store, "Crystal", 0, 0);
  auto form = Make();
  form->FormShow();
  form->ToolButton1Click();
  ASSERT_TRUE(TypeInCell(form->Grid(), "Beryl"));
  PressKey(CellEditor(form->Grid()), Qt::Key_Tab);
  ASSERT_TRUE(TypeInCell(form->Grid(), "Ship"));
  PressKey(CellEditor(form->Grid()), Qt::Key_Return);
  EXPECT_EQ(GridColumn(form->Grid(), 0), (std::vector<std::string>{"Alloy", "Crystal", "Beryl"}));
  EXPECT_EQ(form->Grid().currentIndex().row(), 2);
  form->ToolButton2Click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Delete \"Beryl\" ?");
}

TEST_F(ProductsFormTest, AFirstStartShowsEveryColumn) {
  auto form = Make("");
  form->FormShow();
  form->show();
  QApplication::processEvents();
  EXPECT_GE(form->width(), 430 - 8);
  EXPECT_EQ(form->Grid().horizontalScrollBar()->maximum(), 0);
}

TEST_F(ProductsFormTest, DeletingAsksAndTakesRecipesAndStationsAlong) {
  const int used = AddProduct(*store, "Used", 0, 0);
  const int kept = AddProduct(*store, "Kept", 0, 0);
  const int farm = AddFactoryType(*store, "Farm", 0, 60);
  AddRecipe(*store, farm, 0, used, 1);
  AddRecipe(*store, farm, 1, used, 1);
  AddRecipe(*store, farm, 1, kept, 1);
  AddTrade(*store, AddSector(*store, {.name = "S"}), 0, used);
  auto form = Make();
  form->FormShow();
  store->ProductsData.Locate("Name", {qv::Value("Used")});

  form->ToolButton2Click();  // no
  EXPECT_EQ(store->ProductsData.RecordCount(), 2);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Delete \"Used\" ?");
  EXPECT_EQ(dialogs.shown[0].caption, "Delete");

  dialogs.yesNoAnswers = {true};
  form->ToolButton2Click();
  EXPECT_EQ(Column(store->ProductsData, "Name"), "Kept");
  EXPECT_EQ(Column(store->FactoryProdData, "ProductId"), std::to_string(kept));
  EXPECT_EQ(store->SectTradeData.RecordCount(), 0);
  EXPECT_TRUE(qv::ButtonEnabled(form->DeleteButton()));

  dialogs.yesNoAnswers = {true};
  form->ToolButton2Click();
  EXPECT_FALSE(qv::ButtonEnabled(form->DeleteButton()));
  form->ToolButton2Click();  // an empty list asks nothing
  EXPECT_EQ(dialogs.shown.size(), 3u);
}

TEST_F(ProductsFormTest, ColumnLayoutComesBackOnlyFromThisBuild) {
  {
    auto form = Make();
    QHeaderView* header = form->Grid().horizontalHeader();
    header->resizeSection(0, 210);
    header->moveSection(0, 6);  // "Name" to the end
  }
  ASSERT_TRUE(dir.Exists("products.col"));
  {
    auto form = Make();
    EXPECT_EQ(form->Grid().Columns().back().FieldName, "Name");
    EXPECT_EQ(form->Grid().Columns().back().Width, 210);
  }
  // Another build's settings: the designed columns, written back at the end.
  auto form = Make("[MainWindow]\nBuild=3\n");
  EXPECT_EQ(form->Grid().Columns().front().FieldName, "Name");
  form.reset();
  EXPECT_EQ(Make()->Grid().Columns().front().Width, 130);
}

}  // namespace
