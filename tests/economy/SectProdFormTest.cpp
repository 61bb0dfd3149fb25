#include "economy/SectProdForm.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QHeaderView>
#include <QTableWidget>

#include "support/UniverseRows.h"

namespace {

using namespace qvtest;

// A farm making Wheat from Water every 600 s stands 12 times in Middle, which
// also trades Water and a ship; East has nothing.
class SectProdFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qv::TDataModule1& s = *store;
    const int wheat = AddProduct(s, "Wheat", 0, 1800, 30);
    const int water = AddProduct(s, "Water", 0, 0, 10);
    const int ship = AddProduct(s, "Aardvark", 2, 0, 0);
    const int farm = AddFactoryType(s, "Farm", 0, 600);
    AddRecipe(s, farm, 0, wheat, 10);
    AddRecipe(s, farm, 1, water, 20);
    const int middle = AddSector(s, {.name = "Middle", .x = 1, .y = 0});
    AddSector(s, {.name = "East", .x = 2, .y = 0});
    for (int i = 0; i < 12; ++i)
      PlaceFactory(s, middle, farm);
    AddTrade(s, middle, 0, water);
    AddTrade(s, middle, 1, ship);
  }

  QTableWidget& grid() { return *form.Grid(); }
  std::vector<std::string> Row(int r) {
    std::vector<std::string> cells;
    for (int c = 0; c < grid().columnCount(); ++c) {
      const QTableWidgetItem* item = grid().item(r, c);
      cells.push_back(item ? item->text().toStdString() : "");
    }
    return cells;
  }

  EmptyStore store;
  qv::TSectProdForm form{*store};
};

using Cells = std::vector<std::string>;

TEST_F(SectProdFormTest, RowsFollowTheProductOrderAndRatesAddTwoColumns) {
  form.ShowSector(1, 0);
  EXPECT_EQ(form.SectorName(), "Middle");
  EXPECT_TRUE(grid().isEnabled());
  ASSERT_EQ(grid().rowCount(), 3);
  // By type, then name: the ship (type 2) comes last.
  EXPECT_EQ(Row(0), (Cells{"Water", "1", "", "12"}));
  EXPECT_EQ(Row(1), (Cells{"Wheat", "", "12", ""}));
  // Two digits are shown whole, not cut to "...", in the 20-pixel column.
  EXPECT_GT(grid().columnWidth(3), 20);
  EXPECT_EQ(form.ColumnWidths()[3], 20);
  EXPECT_EQ(Row(2), (Cells{"Aardvark", "1", "", ""}));

  form.show();
  form.RatesBox()->setChecked(true);  // refills the open window
  EXPECT_EQ(Row(0), (Cells{"Water", "1", "", "12", "", "1440"}));
  EXPECT_EQ(Row(1), (Cells{"Wheat", "", "12", "", "720", ""}));

  // A dragged rate column keeps its width while the columns are away.
  grid().horizontalHeader()->resizeSection(4, 70);
  EXPECT_EQ(form.ColumnWidths()[4], 70);
  form.RatesBox()->setChecked(false);
  EXPECT_EQ(grid().columnCount(), 4);
  form.RatesBox()->setChecked(true);
  EXPECT_EQ(grid().columnWidth(4), 70);
  EXPECT_EQ(grid().columnWidth(0), 130);

  form.ShowSector(2, 0);  // a sector with nothing in it: one empty, disabled row
  EXPECT_EQ(form.SectorName(), "");
  EXPECT_EQ(Row(0), (Cells{"", "", "", "", "", ""}));
  EXPECT_FALSE(grid().isEnabled());
  form.ShowSector(7, 7);  // no sector at all
  EXPECT_EQ(form.ShownX(), -1);
  EXPECT_EQ(grid().rowCount(), 1);
}

TEST_F(SectProdFormTest, ProductsWithoutATypeKeepTheirRowsAndTheSectorItsName) {
  const int lone = AddSector(*store, {.name = "Lone", .x = 3, .y = 0});
  AddTrade(*store, lone, 0, 99);  // a product type no longer there
  form.ShowSector(3, 0);
  EXPECT_EQ(form.SectorName(), "Lone");
  EXPECT_TRUE(grid().isEnabled());
  ASSERT_EQ(grid().rowCount(), 1);
  EXPECT_EQ(Row(0), (Cells{"", "", "", ""}));

  ASSERT_TRUE(store->LocateSectorAt(1, 0));
  AddTrade(*store, store->SectorsData.FieldByName("Id").AsInteger(), 0, 98);
  form.ShowSector(1, 0);
  ASSERT_EQ(grid().rowCount(), 4);
  EXPECT_EQ(Row(2), (Cells{"Aardvark", "1", "", ""}));
  EXPECT_EQ(Row(3), (Cells{"", "", "", ""}));
}

}  // namespace
