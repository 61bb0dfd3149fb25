#include "economy/SectorStatistics.h"

#include <gtest/gtest.h>

#include "data/DataModule1.h"
#include "economy/SectorProducts.h"
#include "economy/SectorStat.h"
#include "map/RequestData.h"
#include "map/SectorArray.h"
#include "support/UniverseRows.h"

namespace {

using qvtest::AddFactoryType;
using qvtest::AddProduct;
using qvtest::AddRecipe;
using qvtest::AddSector;
using qvtest::AddTrade;
using qvtest::PlaceFactory;

// A small universe: a factory type that makes Wheat from Water every 600 s,
// a solar power plant making Energy, an ore mine, and four sectors on one row
// (the last hidden).
class StatisticsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qv::TDataModule1& s = *store;
    wheat = AddProduct(s, "Wheat", 0, 1800, 30);  // a trader turns over 60 per hour
    water = AddProduct(s, "Water", 0, 0, 10);     // no trader rate
    energy = AddProduct(s, "Energy", 0, 600, 100);
    ore = AddProduct(s, "Ore", 0, 0, 0);
    farm = AddFactoryType(s, "Farm", 0, 600);
    solar = AddFactoryType(s, "Solar", 1, 999);
    mine = AddFactoryType(s, "Mine", 2, 600);
    AddRecipe(s, farm, 0, wheat, 10);
    AddRecipe(s, farm, 1, water, 20);
    AddRecipe(s, solar, 0, energy, 100);
    AddRecipe(s, mine, 0, ore, 5);
    west = AddSector(s, {.name = "West", .x = 0, .y = 0, .suns = 1});
    middle = AddSector(s, {.name = "Middle", .x = 1, .y = 0, .suns = 3});
    dark = AddSector(s, {.name = "Dark", .x = 2, .y = 0, .suns = 0});
    hidden = AddSector(s, {.name = "Hidden", .x = 3, .y = 0, .suns = 1, .visible = false});
    cells.SetSize(4, 1);
  }

  qv::TRequestData Request(std::initializer_list<std::pair<int, int>> products) {
    qv::TRequestData r;
    for (const auto& [id, op] : products) {
      r.ProductId[r.Count] = id;
      r.Operation[r.Count] = op;
      ++r.Count;
    }
    return r;
  }

  double Value(int x, int i) const { return cells.Cell(x, 0)[i]; }

  qvtest::EmptyStore store;
  qv::TSectorArray cells;
  int wheat = 0, water = 0, energy = 0, ore = 0;
  int farm = 0, solar = 0, mine = 0;
  int west = 0, middle = 0, dark = 0, hidden = 0;
};

// A sector north of row 0 (as the neighbour choice of the sector dialog puts
// it) has its cell and counts in the maxima like any other.
TEST_F(StatisticsTest, SectorsNorthAndWestOfZeroHaveTheirValues) {
  const int north = AddSector(*store, {.name = "North", .x = 1, .y = -1});
  const int far = AddSector(*store, {.name = "Far west", .x = -9999, .y = 0});
  PlaceFactory(*store, north, farm);
  PlaceFactory(*store, north, farm);
  PlaceFactory(*store, far, farm);
  cells.SetRange(-9999, -1, 3, 0);
  qv::TRequestData r = Request({{wheat, 0}});
  qv::CalcRequestStatistics(*store, r, cells);
  ASSERT_NE(cells.Cell(1, -1), nullptr);
  EXPECT_EQ(cells.Cell(1, -1)[0], 2);
  EXPECT_EQ(cells.Cell(-9999, 0)[0], 1);
  EXPECT_EQ(Value(1, 0), 0);
  EXPECT_EQ(r.Max[0], 2);
}

TEST_F(StatisticsTest, FactoryModeCountsRecipeRowsPerSectorAndKeepsTheMaxima) {
  PlaceFactory(*store, west, farm);
  PlaceFactory(*store, west, farm);
  PlaceFactory(*store, middle, farm);
  PlaceFactory(*store, hidden, farm);
  qv::TRequestData r = Request({{wheat, 0}, {water, 1}, {water, 0}});
  qv::CalcRequestStatistics(*store, r, cells);
  EXPECT_EQ(Value(0, 0), 2);
  EXPECT_EQ(Value(0, 1), 2);
  EXPECT_EQ(Value(0, 2), 0);  // nobody makes water
  EXPECT_EQ(Value(1, 0), 1);
  EXPECT_EQ(Value(3, 0), 1);             // hidden sectors count too
  ASSERT_NE(cells.Cell(2, 0), nullptr);  // a sector without factories gets a zero cell
  EXPECT_EQ(Value(2, 0), 0);
  EXPECT_EQ(r.Max[0], 2);
  EXPECT_EQ(r.Max[1], 2);
  EXPECT_EQ(r.Max[2], 0);
  EXPECT_EQ(r.OverallMax, 2);
}

TEST_F(StatisticsTest, RatesFollowCyclesOfSunsMinesAndUnknownTypes) {
  PlaceFactory(*store, west, farm);              // 10 wheat per 600 s
  PlaceFactory(*store, middle, solar);           // 3 suns: 54 s
  PlaceFactory(*store, dark, solar);             // no suns: no rate
  PlaceFactory(*store, west, mine, false, 4);    // 150 s
  PlaceFactory(*store, middle, mine, false, 0);  // no yield: no rate
  PlaceFactory(*store, dark, 999);               // unknown type
  AddRecipe(*store, 999, 0, wheat, 50);

  qv::TRequestData r = Request({{wheat, 0}, {energy, 0}, {ore, 0}});
  r.Rates = true;
  qv::CalcRequestStatistics(*store, r, cells);
  EXPECT_DOUBLE_EQ(Value(0, 0), 60.0);
  EXPECT_DOUBLE_EQ(Value(1, 1), 100 * 3600.0 / 54);
  EXPECT_EQ(Value(2, 1), 0.0);
  EXPECT_EQ(Value(2, 0), 0.0);
  EXPECT_DOUBLE_EQ(Value(0, 2), 5 * 3600.0 / 150);
  EXPECT_EQ(Value(1, 2), 0.0);
  EXPECT_DOUBLE_EQ(r.OverallMax, 100 * 3600.0 / 54);

  // In factory mode the same placements all count.
  r.Rates = false;
  qv::CalcRequestStatistics(*store, r, cells);
  EXPECT_EQ(Value(2, 1), 1);
  EXPECT_EQ(Value(1, 2), 1);
  EXPECT_EQ(Value(2, 0), 1);
}

TEST_F(StatisticsTest, SectorSolarCycleOverridesTheSuns) {
  store->SectorsData.FindKey({qv::Value(1), qv::Value(0)});
  store->SectorsData.Edit();
  store->SectorsData.FieldByName("SolarCycle").SetAsInteger(100);
  store->SectorsData.Post();
  PlaceFactory(*store, middle, solar);
  qv::TRequestData r = Request({{energy, 0}});
  r.Rates = true;
  qv::CalcRequestStatistics(*store, r, cells);
  EXPECT_DOUBLE_EQ(Value(1, 0), 100 * 3600.0 / 100);
}

TEST_F(StatisticsTest, TradersCountByModeAndRole) {
  AddTrade(*store, west, 0, wheat);
  AddTrade(*store, west, 2, wheat);
  AddTrade(*store, middle, 1, water);
  qv::TRequestData r = Request({{wheat, 0}, {wheat, 1}, {water, 1}});
  auto run = [&](int mode, bool rates) {
    r.Traders = qv::AsCode<qv::TradersMode>(mode);
    r.Rates = rates;
    qv::CalcRequestStatistics(*store, r, cells);
  };
  run(0, false);
  EXPECT_EQ(Value(0, 0) + Value(0, 1) + Value(1, 2), 0);
  run(1, false);
  EXPECT_EQ(Value(0, 0), 2);
  EXPECT_EQ(Value(0, 1), 0);  // demand is not admitted in mode 1
  EXPECT_EQ(Value(1, 2), 0);
  run(2, false);
  EXPECT_EQ(Value(0, 0), 0);
  EXPECT_EQ(Value(0, 1), 2);
  EXPECT_EQ(Value(1, 2), 1);
  run(3, false);
  EXPECT_EQ(Value(0, 0), 2);
  EXPECT_EQ(Value(0, 1), 2);
  EXPECT_EQ(Value(1, 2), 1);
  run(3, true);
  EXPECT_DOUBLE_EQ(Value(0, 0), 120.0);  // two traders of 30 per 1800 s
  EXPECT_EQ(Value(1, 2), 0.0);           // water has no trader rate
}

TEST_F(StatisticsTest, OwnFactoriesCountOnlyWhenAsked) {
  PlaceFactory(*store, west, farm, true);
  PlaceFactory(*store, west, farm, false);
  qv::TRequestData r = Request({{wheat, 0}});
  qv::CalcRequestStatistics(*store, r, cells);
  EXPECT_EQ(Value(0, 0), 1);
  r.CountYour = true;
  qv::CalcRequestStatistics(*store, r, cells);
  EXPECT_EQ(Value(0, 0), 2);

  qv::TSectorStat stat;
  ASSERT_TRUE(qv::CalcSectorStatistics(*store, &stat, 0, 0, false));
  EXPECT_EQ(stat.Find(wheat)->ProducerCount, 2);  // the sector list counts them all
}

TEST_F(StatisticsTest, LeavesTheTablesInTheirWorkingOrders) {
  AddTrade(*store, middle, 1, wheat);
  AddTrade(*store, middle, 2, water);
  AddTrade(*store, middle, 1, energy);
  store->SectorsData.FindKey({qv::Value(2), qv::Value(0)});
  store->MarkDataChanged();
  qv::TRequestData r = Request({{wheat, 0}});
  r.Traders = qv::TradersMode::AddToBoth;
  qv::CalcRequestStatistics(*store, r, cells);

  EXPECT_FALSE(store->DataChanged());
  EXPECT_EQ(store->ProductsData.IndexFieldNames(), "Type;Name");
  EXPECT_EQ(store->SectTradeData.IndexFieldNames(), "SectorId;Trader");
  EXPECT_EQ(store->FactoriesData.IndexName(), "FactoriesDataIdIndex");
  EXPECT_EQ(store->FactoryProdData.IndexName(), "FactoryProdDataIndex");
  EXPECT_EQ(store->SectorsData.FieldByName("Name").AsString(), "Dark");  // cursor kept
  EXPECT_FALSE(store->SectorsData.ControlsDisabled());
  EXPECT_EQ(store->CountTraders(middle, 1), 2);
  EXPECT_EQ(store->CountTraders(middle, 2), 1);
}

TEST_F(StatisticsTest, SeesEveryRowWhileTheSectorEditorFiltersTheTables) {
  PlaceFactory(*store, west, farm);
  PlaceFactory(*store, middle, farm);
  AddTrade(*store, middle, 0, wheat);
  const qv::TOpenSector open = store->OpenSector(west, 0);
  store->SectFactoryData.SetFiltered(true);
  store->SectTradeData.SetFiltered(true);
  ASSERT_EQ(store->SectFactoryData.RecordCount(), 1);

  qv::TRequestData r = Request({{wheat, 0}});
  r.Traders = qv::TradersMode::AddToProducers;
  qv::CalcRequestStatistics(*store, r, cells);
  EXPECT_EQ(Value(1, 0), 2);
  EXPECT_TRUE(store->SectFactoryData.Filtered());
  EXPECT_TRUE(store->SectTradeData.Filtered());

  qv::TSectorStat stat;
  ASSERT_TRUE(qv::CalcSectorStatistics(*store, &stat, 1, 0, false));
  EXPECT_EQ(stat.Find(wheat)->ProducerCount, 1);
  EXPECT_EQ(stat.Find(wheat)->TraderCount, 1);
}

TEST_F(StatisticsTest, SectorsOffTheMapOrOutsideTheArrayGetNoCell) {
  const int far = qvtest::AsFromOldFile(
      store->SectorsData, [&] { return AddSector(*store, {.name = "Far", .x = 10000, .y = 0}); });
  const int below = AddSector(*store, {.name = "Below", .x = 0, .y = 5});
  PlaceFactory(*store, far, farm);
  PlaceFactory(*store, below, farm);
  qv::TRequestData r = Request({{wheat, 0}});
  qv::CalcRequestStatistics(*store, r, cells);
  EXPECT_EQ(cells.Cell(0, 5, false), nullptr);
  EXPECT_EQ(r.OverallMax, 0.0);
}

TEST_F(StatisticsTest, SectorStatisticsListsMadeNeededAndTradedProducts) {
  PlaceFactory(*store, middle, farm);
  PlaceFactory(*store, middle, farm);
  PlaceFactory(*store, middle, 999);
  AddRecipe(*store, 999, 0, ore, 7);
  AddTrade(*store, middle, 0, water);
  store->SectorsData.First();

  qv::TSectorStat stat;
  EXPECT_FALSE(qv::CalcSectorStatistics(*store, nullptr, 1, 0, true));
  ASSERT_TRUE(qv::CalcSectorStatistics(*store, &stat, 1, 0, true));
  EXPECT_EQ(store->SectorsData.FieldByName("Name").AsString(), "West");  // the cursor stays
  ASSERT_EQ(stat.Count(), 3);
  const qv::TProductStat* w = stat.Find(wheat);
  EXPECT_EQ(w->ProducerCount, 2);
  EXPECT_DOUBLE_EQ(w->ProdRate, 120.0);
  const qv::TProductStat* h2o = stat.Find(water);
  EXPECT_EQ(h2o->ConsumerCount, 2);
  EXPECT_EQ(h2o->TraderCount, 1);
  EXPECT_DOUBLE_EQ(h2o->ConsRate, 240.0);
  EXPECT_EQ(stat.Find(ore)->ProducerCount, 1);  // unknown type: counted, no rate
  EXPECT_EQ(stat.Find(ore)->ProdRate, 0.0);
  EXPECT_EQ(store->SectTradeData.IndexFieldNames(), "SectorId;Trader");

  EXPECT_FALSE(qv::CalcSectorStatistics(*store, &stat, 7, 7, false));
  EXPECT_EQ(stat.Count(), 0);
}

TEST_F(StatisticsTest, SectorProductsFollowTheProductOrderWithTradeRates) {
  PlaceFactory(*store, middle, farm);
  PlaceFactory(*store, middle, farm);
  AddTrade(*store, middle, 0, water);  // Mtime 0: no trade rate
  AddTrade(*store, middle, 0, wheat);  // 60 per hour, counted as consumption
  const int ship = AddProduct(*store, "Aardvark", 2, 0, 0);
  AddTrade(*store, middle, 1, ship);

  qv::TSectorProducts list = qv::BuildSectorProducts(*store, 1, 0, true);
  ASSERT_TRUE(list.found);
  EXPECT_EQ(list.sectorName, "Middle");
  using Row = std::vector<std::string>;
  ASSERT_EQ(list.rows.size(), 3u);
  EXPECT_EQ(list.rows[0], (Row{"Water", "1", "", "2", "", "240"}));
  EXPECT_EQ(list.rows[1], (Row{"Wheat", "1", "2", "", "120", "60"}));
  EXPECT_EQ(list.rows[2], (Row{"Aardvark", "1", "", "", "", ""}));

  list = qv::BuildSectorProducts(*store, 1, 0, false);
  EXPECT_EQ(list.rows[1], (Row{"Wheat", "1", "2", ""}));

  // Products without a product type keep their rows, empty, at the end.
  AddTrade(*store, middle, 0, 99);
  list = qv::BuildSectorProducts(*store, 1, 0, false);
  EXPECT_EQ(list.rows, (std::vector<Row>{{"Water", "1", "", "2"},
                                         {"Wheat", "1", "2", ""},
                                         {"Aardvark", "1", "", ""},
                                         {"", "", "", ""}}));

  list = qv::BuildSectorProducts(*store, 0, 0, false);  // nothing there
  EXPECT_TRUE(list.found);
  EXPECT_EQ(list.sectorName, "");
  EXPECT_TRUE(list.rows.empty());
  EXPECT_FALSE(qv::BuildSectorProducts(*store, 9, 9, false).found);
}

}  // namespace
