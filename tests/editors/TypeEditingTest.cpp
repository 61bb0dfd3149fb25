#include "editors/TypeEditing.h"

#include <gtest/gtest.h>

#include "data/StoreOperations.h"
#include "data/StoreTestData.h"
#include "support/UniverseRows.h"

namespace {

using namespace qvtest;

TEST(TypeEditingTest, InformationTextNamesTheCycleAndTheYieldOfMines) {
  const std::string info = "products per %d sec ";
  const std::string yield = "(yield=1) ";
  EXPECT_EQ(qv::FactoryInfoText(info, yield, 120, qv::Special::OreMine),
            "products per 120 sec (yield=1) ");
  EXPECT_EQ(qv::FactoryInfoText(info, yield, 600, qv::Special::SiliconMine),
            "products per 600 sec (yield=1) ");
  EXPECT_EQ(qv::FactoryInfoText(info, yield, 60, qv::Special::SolarPlant), "products per 60 sec ");
  EXPECT_EQ(qv::FactoryInfoText(info, yield, 0, qv::Special::OreMine), "");
}

TEST(TypeEditingTest, PanelSizeIsTheSavedShareWithinTheClient) {
  EXPECT_EQ(qv::FactoryListPanelSize(380, 330, 200, 400), 190);
  EXPECT_EQ(qv::FactoryListPanelSize(380, 330, 390, 400), 280);  // client - 50
  EXPECT_EQ(qv::FactoryListPanelSize(380, 330, 10, 400), 50);
  EXPECT_EQ(qv::FactoryListPanelSize(380, 80, 200, 400), 50);  // 50 wins in a tiny client
  // A settings file edited by hand must not divide by zero.
  EXPECT_EQ(qv::FactoryListPanelSize(380, 330, 200, 0), 165);
  EXPECT_EQ(qv::FactoryListPanelSize(2000000000, 330, 2000000000, 1), 280);
}

TEST(TypeEditingTest, NewFactoryTypeStartsWithOneProductAndOneResource) {
  EmptyStore s;
  AddFactoryType(*s, "Older", 0, 60);
  const int id = qv::InsertedId(qv::AddFactoryType(*s), s->FactoriesData);
  EXPECT_GT(id, 0);
  EXPECT_EQ(s->FactoriesData.FieldByName("Id").AsInteger(), id);
  EXPECT_TRUE(s->FactoriesData.FieldByName("Name").IsNull());
  EXPECT_TRUE(s->FactoriesData.FieldByName("Mtime").IsNull());
  qv::Table& recipes = s->FactoryProdData;
  ASSERT_EQ(recipes.RecordCount(), 2);
  EXPECT_EQ(Column(recipes, "FactoryId"), std::to_string(id) + "," + std::to_string(id));
  EXPECT_EQ(Column(recipes, "Operation"), "0,1");
  EXPECT_EQ(Column(recipes, "ProductId"), ",");
  EXPECT_EQ(Column(recipes, "Qty"), ",");
}

}  // namespace
