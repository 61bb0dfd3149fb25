#include "economy/WhereTo.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "data/DataModule1.h"
#include "economy/SectorStat.h"
#include "economy/SectorStatistics.h"
#include "generator/UniverseGenerator.h"
#include "map/JumpGraph.h"
#include "map/RequestData.h"
#include "map/SectorArray.h"
#include "support/UniverseRows.h"

namespace {

using qv::TWhereRole;
using qvtest::AddFactoryType;
using qvtest::AddProduct;
using qvtest::AddRecipe;
using qvtest::AddSector;
using qvtest::AddTrade;
using qvtest::PlaceFactory;

std::string Text(const qv::TJumpGraph& graph, const std::vector<qv::TWhereToRow>& rows) {
  std::string text;
  for (const qv::TWhereToRow& row : rows)
    text += graph.Sector(row.node).name + ":" + std::to_string(row.jumps) + ":" +
            std::to_string(row.count) + " ";
  return text;
}

// A row of sectors joined by gates, "Home" at the west end, and two more
// apart from it; farms make Wheat from Water.
class WhereToTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qv::TDataModule1& s = *store;
    wheat = AddProduct(s, "Wheat", 0, 1800, 30);
    water = AddProduct(s, "Water", 0, 0, 10);
    farm = AddFactoryType(s, "Farm", 0, 600);
    AddRecipe(s, farm, 0, wheat, 10);
    AddRecipe(s, farm, 1, water, 20);
    home = AddSector(s, {.name = "Home", .x = 0, .y = 0, .east = true});
    bravo = AddSector(s, {.name = "bravo", .x = 1, .y = 0, .west = true, .east = true});
    alpha = AddSector(s, {.name = "Alpha", .x = 2, .y = 0, .west = true, .east = true});
    charlie = AddSector(s, {.name = "Charlie", .x = 3, .y = 0, .west = true});
    island = AddSector(s, {.name = "Island", .x = 5, .y = 0});
    ghost = AddSector(s, {.name = "Ghost", .x = 6, .y = 0, .visible = false});
    for (const int sector : {home, bravo, alpha, charlie, island, ghost})
      PlaceFactory(s, sector, farm);
    PlaceFactory(s, alpha, farm);
  }

  std::vector<qv::TWhereToRow> Find(TWhereRole role, int product, bool reachable = false,
                                    bool hidden = false) {
    graph.Update(*store, hidden);
    qv::TWhereToQuery query;
    query.productId = product;
    query.role = role;
    query.fromNode = graph.NodeOfId(home);
    query.onlyReachable = reachable;
    return qv::FindWhereTo(*store, graph, query);
  }

  qvtest::EmptyStore store;
  qv::TJumpGraph graph;
  int wheat = 0, water = 0, farm = 0;
  int home = 0, bravo = 0, alpha = 0, charlie = 0, island = 0, ghost = 0;
};

TEST_F(WhereToTest, SortedByJumpsThenNameWithSectorsWithoutARouteLast) {
  EXPECT_EQ(Text(graph, Find(TWhereRole::Made, wheat)),
            "Home:0:1 bravo:1:1 Alpha:2:2 Charlie:3:1 Island:-1:1 ");
  EXPECT_EQ(Text(graph, Find(TWhereRole::Needed, water, true)),
            "Home:0:1 bravo:1:1 Alpha:2:2 Charlie:3:1 ");
  EXPECT_EQ(Text(graph, Find(TWhereRole::Made, wheat, false, true)),
            "Home:0:1 bravo:1:1 Alpha:2:2 Charlie:3:1 Ghost:-1:1 Island:-1:1 ");
  EXPECT_EQ(Text(graph, Find(TWhereRole::Made, water)), "");

  // Of two sectors as far and of one name, the smaller Id comes first; and
  // without a start every sector is listed by name.
  const int twin = AddSector(*store, {.name = "Alpha", .x = 2, .y = 1, .north = true});
  store->SectorsData.Locate("Id", {qv::Value(bravo)});
  store->SectorsData.Edit();
  store->SectorsData.FieldByName("SouthGate").SetAsBoolean(true);
  store->SectorsData.Post();
  AddSector(*store, {.name = "Link", .x = 1, .y = 1, .north = true, .east = true});
  store->SectorsData.Locate("Id", {qv::Value(twin)});
  store->SectorsData.Edit();
  store->SectorsData.FieldByName("WestGate").SetAsBoolean(true);
  store->SectorsData.Post();
  PlaceFactory(*store, twin, farm);
  const auto rows = Find(TWhereRole::Made, wheat);
  EXPECT_EQ(Text(graph, rows), "Home:0:1 bravo:1:1 Alpha:2:2 Alpha:3:1 Charlie:3:1 Island:-1:1 ");
  qv::TWhereToQuery noStart{.productId = wheat, .role = TWhereRole::Made};
  EXPECT_EQ(Text(graph, qv::FindWhereTo(*store, graph, noStart)),
            "Alpha:-1:2 Alpha:-1:1 bravo:-1:1 Charlie:-1:1 Home:-1:1 Island:-1:1 ");
  noStart.onlyReachable = true;
  EXPECT_TRUE(qv::FindWhereTo(*store, graph, noStart).empty());
}

TEST_F(WhereToTest, JumpsFollowTheRouteOptions) {
  qv::Table& sectors = store->SectorsData;
  ASSERT_TRUE(sectors.Locate("Id", {qv::Value(bravo)}));
  sectors.Edit();
  sectors.FieldByName("Race").SetAsString("Pirates");
  sectors.Post();
  graph.Update(*store, false);
  qv::TWhereToQuery query{.productId = wheat,
                          .role = TWhereRole::Made,
                          .fromNode = graph.NodeOfId(home),
                          .route = {.avoidRaces = {"Pirates"}}};
  // The pirate sector itself may be gone to, but not through.
  EXPECT_EQ(Text(graph, qv::FindWhereTo(*store, graph, query)),
            "Home:0:1 bravo:1:1 Alpha:-1:2 Charlie:-1:1 Island:-1:1 ");
}

// The search reads the tables without moving what a window shows: the
// objects window filters the placed factories to its sector and a grid may
// stand on any row in any order.
TEST_F(WhereToTest, LeavesEveryCursorOrderAndFilterAsItWas) {
  qv::TDataModule1& s = *store;
  AddTrade(s, alpha, 0, wheat);
  const qv::TOpenSector open = s.OpenSector(alpha, 0);
  s.SectFactoryData.SetFiltered(true);
  s.SectFactoryData.Last();
  s.SectorsData.SetIndexName("SectorsDataNameIndex");
  s.SectorsData.SetRecNo(3);
  s.SectTradeData.First();
  s.ProductsData.Last();
  s.FactoryProdData.SetRecNo(2);
  const auto snapshot = [&] {
    std::vector<std::string> state;
    for (qv::Table* t : s.AllTables())
      state.push_back(t->Name() + " " + std::to_string(t->RecNo()) + " " + t->IndexName() + " " +
                      t->IndexFieldNames() + " " + std::to_string(t->Filtered()) + " " +
                      std::to_string(t->RecordCount()));
    return state;
  };
  const auto before = snapshot();
  for (const TWhereRole role : {TWhereRole::Made, TWhereRole::Needed, TWhereRole::Traded})
    EXPECT_FALSE(Find(role, role == TWhereRole::Needed ? water : wheat).empty());
  EXPECT_EQ(snapshot(), before);
  // The filter hides the other sectors' factories from the window, not from
  // the search.
  EXPECT_EQ(Find(TWhereRole::Made, wheat).size(), 5u);
}

// On a generated universe, for every product and role: the sectors listed
// and their counts and rates are those of the one-sector statistics (the
// products-in-sector list) of each sector, and for factories those of the
// whole-map statistics with own factories counted, to the last bit.
TEST(WhereToUniverseTest, CountsAndRatesAgreeWithTheStatistics) {
  qvtest::EmptyStore store;
  qv::GeneratorOptions options;
  options.sectors = 250;
  options.width = 20;
  options.height = 16;
  qv::GenerateUniverse(*store, options);
  qv::TDataModule1& s = *store;
  qv::TJumpGraph graph;
  graph.Update(s, true);

  struct Expected {
    int count = 0;
    double rate = 0.0;
  };
  // Per product and role, per node: what the one-sector statistics give.
  std::map<std::pair<int, TWhereRole>, std::map<int, Expected>> expected;
  for (int node = 0; node < graph.Count(); ++node) {
    const qv::TJumpSector& sector = graph.Sector(node);
    qv::TSectorStat stat;
    ASSERT_TRUE(qv::CalcSectorStatistics(s, &stat, sector.x, sector.y, true));
    for (const qv::TProductStat& p : stat) {
      if (p.ProducerCount > 0)
        expected[{p.ProductId, TWhereRole::Made}][node] = {p.ProducerCount, p.ProdRate};
      if (p.ConsumerCount > 0)
        expected[{p.ProductId, TWhereRole::Needed}][node] = {p.ConsumerCount, p.ConsRate};
      if (p.TraderCount > 0) {
        const qv::Record product = s.ProductsData.Lookup("Id", qv::Value(p.ProductId));
        const int mtime = product.Get("Mtime").ToInteger();
        expected[{p.ProductId, TWhereRole::Traded}][node] = {
            p.TraderCount, mtime > 0 ? qv::HourlyRate(product.Get("Qty").ToInteger(), mtime) : 0.0};
      }
    }
  }
  ASSERT_GT(expected.size(), 20u);

  qv::TSectorArray cells;
  cells.SetRange(0, 0, options.width - 1, options.height - 1);
  int compared = 0;
  for (const auto& [key, sectors] : expected) {
    const auto [product, role] = key;
    const auto rows =
        qv::FindWhereTo(s, graph, {.productId = product, .role = role, .fromNode = 0});
    ASSERT_EQ(rows.size(), sectors.size()) << product;
    for (const qv::TWhereToRow& row : rows) {
      const Expected& e = sectors.at(row.node);
      EXPECT_EQ(row.count, e.count);
      EXPECT_EQ(row.rate, e.rate);
      ++compared;
    }
    if (role == TWhereRole::Traded) continue;
    for (const bool rates : {false, true}) {
      qv::TRequestData request;
      request.Count = 1;
      request.ProductId[0] = product;
      request.Operation[0] = role == TWhereRole::Made ? 0 : 1;
      request.CountYour = true;
      request.Rates = rates;
      qv::CalcRequestStatistics(s, request, cells);
      for (const qv::TWhereToRow& row : rows) {
        const qv::TJumpSector& sector = graph.Sector(row.node);
        EXPECT_EQ(cells.Cell(sector.x, sector.y)[0], rates ? row.rate : row.count);
      }
    }
  }
  EXPECT_GT(compared, 500);
}

}  // namespace
