#include "economy/FactoryProfit.h"

#include <gtest/gtest.h>

#include "data/DataModule1.h"
#include "economy/ComplexModel.h"
#include "economy/ComplexTables.h"
#include "economy/ProductFrameModel.h"
#include "support/UniverseRows.h"

namespace {

using qv::TProfitItem;

TEST(FactoryProfitTest, WorkedExampleAsFactoryAndAsOreMine) {
  // 10 units sold at 100, 20 bought at 30 every 600 s.
  const std::vector<TProfitItem> items = {{100, 10, true}, {30, 20, false}};
  EXPECT_EQ(qv::ProfitPerUnitText(items), "40");
  EXPECT_EQ(qv::ProfitPerHourText(items, qv::CycleSeconds(600, qv::Special::None, "999")), "2400");
  EXPECT_EQ(qv::ProfitPerHourText(items, qv::CycleSeconds(600, qv::Special::OreMine, "10")),
            "24000");
  EXPECT_DOUBLE_EQ(qv::CycleSeconds(600, qv::Special::SiliconMine, " 10x"), 60);
  EXPECT_DOUBLE_EQ(qv::CycleSeconds(600, qv::Special::SolarPlant, "125"), 125);
  for (const char* unusable : {"0", "-5", "abc"}) {
    EXPECT_LT(qv::CycleSeconds(600, qv::Special::OreMine, unusable), 0) << unusable;
    EXPECT_EQ(qv::ProfitPerHourText(items, qv::CycleSeconds(600, qv::Special::OreMine, unusable)),
              "?");
  }
  EXPECT_EQ(qv::ProfitPerHourText(items, qv::CycleSeconds(600, qv::Special::SolarPlant, "0")), "?");
}

TEST(FactoryProfitTest, ProfitTextsRoundPerUnitAndTruncatePerHour) {
  EXPECT_EQ(qv::ProfitPerUnitText({{25, 2, true}, {25, 1, false}}), "12.5");
  EXPECT_EQ(qv::ProfitPerUnitText({{10, 3, true}, {13, 3, false}}), "-3");
  EXPECT_EQ(qv::ProfitPerUnitText({{1, 100, true}, {1, 104, false}}), "0");  // -0.04
  EXPECT_EQ(qv::ProfitPerUnitText({{30, 20, false}}), "?");                  // no product
  EXPECT_EQ(qv::ProfitPerUnitText({{1, 1, true}, {1, 1, true}}), "?");       // two products
  // A loss of 2400.9 per hour shows its whole credits.
  EXPECT_EQ(qv::ProfitPerHourText({{24009, 1, false}}, 36000), "-2400");
  // Ship prices times quantities pass 32 bits without wrapping.
  EXPECT_EQ(qv::ProfitPerHourText({{2000000000, 10, true}}, 3600), "20000000000");
}

TEST(ProductFrameModelTest, PriceRangesFollowTheFrameRule) {
  struct Case {
    int min, max, avg;
    int highest, average, tick;
  };
  for (const Case& c : {Case{20, 0, 50, 100, 50, 8}, Case{0, 0, 0, 1000, 500, 100},
                        Case{100, 80, 0, 1100, 600, 100}, Case{10, 50, 200, 400, 200, 39},
                        Case{0, 0, 1500000000, 2147483647, 1500000000, 214748364}}) {
    const qv::TPriceRange r = qv::FramePriceRange(c.min, c.max, c.avg);
    EXPECT_EQ(r.highest, c.highest) << c.min << "/" << c.max << "/" << c.avg;
    EXPECT_EQ(r.average, c.average);
    EXPECT_EQ(r.TickInterval(), c.tick);
  }
  const qv::TPriceRange ships = qv::FramePriceRange(100000, 900000, 500000);
  EXPECT_EQ(ships.Position(500000), 400000);
  EXPECT_EQ(ships.Position(99999), 0);
  EXPECT_EQ(ships.Position(2000000), 800000);
  EXPECT_EQ(qv::FrameRateText(10, 600, "units/h"), "60 units/h");
  EXPECT_EQ(qv::FrameRateText(0, 600, "units/h"), "0.00 units/h");
  EXPECT_EQ(qv::FrameRateText(10, -1, "units/h"), "? units/h");
}

// Factory types, their recipes and the saved complex read from the store.
TEST(ComplexLoadTest, FactoriesTakeTheRecipeAndOnlyBuyableTypesAreFound) {
  qvtest::EmptyStore store;
  qv::TDataModule1& s = *store;
  const int ore = qvtest::AddRowId(s.ProductsData, {{"Name", "Ore"}, {"Min", 10}, {"Avg", 40}});
  const int food = qvtest::AddRowId(s.ProductsData, {{"Name", "Food"}, {"Avg", 20}});
  const int water = qvtest::AddRowId(s.ProductsData, {{"Name", "Water"}, {"Avg", 5}});
  const int mine = qvtest::AddFactoryType(s, "Mine", 2, 600);
  const int secret = qvtest::AddFactoryType(s, "Secret", 0, 60, false);
  qvtest::AddRecipe(s, mine, 1, food, 2);
  qvtest::AddRecipe(s, mine, 0, ore, 10);
  qvtest::AddRecipe(s, mine, 1, water, 3);
  qvtest::AddRecipe(s, mine, 1, 999, 1);  // a product type since deleted
  qvtest::AddRecipe(s, secret, 0, ore, 1);

  std::vector<std::string> labels;
  for (const qv::TFrameData& f : qv::RecipeFrames(s, mine))
    labels.push_back(qv::FrameLabelText(f.isProduct, f.name, s.Texts()) + "=" +
                     std::to_string(f.price));
  EXPECT_EQ(labels, (std::vector<std::string>{"Product: Ore=40", "Resource: Food=20",
                                              "Resource: Water=5"}));

  qv::Table list("FactoryListData");
  qv::BuildFactoryListSchema(list, s);
  qvtest::AddRow(list, {{"FactoryId", mine}, {"Yield", 5}, {"AllowNPS", true}});
  qvtest::AddRow(list, {{"FactoryId", secret}});
  qv::Table prices("FactProdData");
  qv::BuildFactProdSchema(prices);
  // The code reaches the fields by their places.
  const std::pair<int, const char*> places[] = {{qv::kListRecId, "RecId"},
                                                {qv::kListFactoryId, "FactoryId"},
                                                {qv::kListYield, "Yield"},
                                                {qv::kListAllowNps, "AllowNPS"}};
  for (const auto& [place, name] : places)
    EXPECT_EQ(list.Fields(place).FieldName(), name);
  EXPECT_EQ(prices.Fields(qv::kPriceRecId).FieldName(), "RecId");
  EXPECT_EQ(prices.Fields(qv::kPriceProductId).FieldName(), "ProductId");
  EXPECT_EQ(prices.Fields(qv::kPriceCurrent).FieldName(), "Current");
  qvtest::AddRow(prices, {{"RecId", 1}, {"ProductId", water}, {"Current", 7}});

  qv::TFactorySet set;
  {
    qv::BuyableFactoryTypes buyable(s);
    qv::LoadComplexFactories(s, list, prices, set);
  }
  ASSERT_EQ(set.Factories().size(), 2u);
  EXPECT_EQ(set.Factories().front().RecId, 2);  // newest first
  EXPECT_TRUE(set.FindFactory(2)->Outputs.empty());
  EXPECT_TRUE(set.FindFactory(2)->AllowNPS);  // an empty switch counts as on
  qv::TFactory& m = *set.FindFactory(1);
  m.ComputeCycle(90);
  EXPECT_DOUBLE_EQ(m.Cycle, 120);
  std::vector<std::string> inputs;
  for (const qv::TProduct& p : m.Inputs)
    inputs.push_back(p.Name + "/" + std::to_string(p.Price));
  EXPECT_EQ(inputs, (std::vector<std::string>{"/0", "Water/7", "Food/20"}));  // reverse order
  EXPECT_EQ(s.FactoriesData.IndexName(), "FactoriesDataIdIndex");
  EXPECT_FALSE(s.FactoriesData.Filtered());

  qv::StoreComplexPrices(set, prices);
  std::vector<int> saved;
  for (const qv::Record& r : prices.AllRecords())
    saved.push_back(r.Get("Current").ToInteger());
  EXPECT_EQ(saved, (std::vector<int>{40, 0, 7, 20}));
}

}  // namespace
