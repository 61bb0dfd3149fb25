#include "map/RouteFinder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "data/DataModule1.h"
#include "generator/UniverseGenerator.h"
#include "map/JumpGraph.h"
#include "support/UniverseRows.h"

namespace {

using qvtest::SectorFields;

// Hand-made grids. Gates are given as the letters of their directions ("NE"
// is a north and an east gate) and are one-sided unless both sides name them.
class RouteFinderTest : public ::testing::Test {
 protected:
  int Add(const std::string& name, int x, int y, const std::string& gates,
          SectorFields extra = {}) {
    extra.name = name;
    extra.x = x;
    extra.y = y;
    extra.north = gates.find('N') != std::string::npos;
    extra.south = gates.find('S') != std::string::npos;
    extra.west = gates.find('W') != std::string::npos;
    extra.east = gates.find('E') != std::string::npos;
    const int id = qvtest::AddSector(*store, extra);
    names[id] = name;
    return id;
  }

  // The route's sector names from the start, or "no route".
  std::string Route(const std::string& from, const std::string& to, bool showHidden = false,
                    const qv::TRouteOptions& options = {}) {
    graph.Update(*store, showHidden);
    const auto route = qv::FindRoute(graph, Node(from), Node(to), options);
    if (!route) return "no route";
    std::string text;
    for (const int node : *route)
      text += (text.empty() ? "" : " ") + graph.Sector(node).name;
    // The jump counts of the search from the same start agree with it.
    const std::vector<int> jumps = qv::JumpCounts(graph, Node(from), options);
    EXPECT_EQ(jumps[static_cast<std::size_t>(Node(to))], static_cast<int>(route->size()) - 1);
    return text;
  }

  int Node(const std::string& name) const {
    for (int node = 0; node < graph.Count(); ++node)
      if (graph.Sector(node).name == name) return node;
    return -1;
  }

  qvtest::EmptyStore store;
  qv::TJumpGraph graph;
  std::map<int, std::string> names;
};

TEST_F(RouteFinderTest, StraightRouteAndDetourAroundAMissingGate) {
  // A - B   C      A and B are joined, B and C are not: the way to C
  // |   |   |      runs below.
  // D - E - F
  Add("A", 0, 0, "ES");
  Add("B", 1, 0, "WS");
  Add("C", 2, 0, "S");
  Add("D", 0, 1, "NE");
  Add("E", 1, 1, "NWE");
  Add("F", 2, 1, "NW");
  EXPECT_EQ(Route("D", "F"), "D E F");
  EXPECT_EQ(Route("A", "C"), "A B E F C");
  EXPECT_EQ(Route("C", "A"), "C F E B A");
  EXPECT_EQ(Route("B", "B"), "B");
}

TEST_F(RouteFinderTest, AOneSidedGateIsFollowedOneWayOnly) {
  // A and B have gates to the east only, C one to the west only: the row is
  // crossed eastwards, and from C back to B, but never westwards past B.
  Add("A", 0, 0, "E");
  Add("B", 1, 0, "E");
  Add("C", 2, 0, "W");
  EXPECT_EQ(Route("A", "C"), "A B C");
  EXPECT_EQ(Route("C", "B"), "C B");
  EXPECT_EQ(Route("B", "A"), "no route");
  EXPECT_EQ(Route("C", "A"), "no route");
}

TEST_F(RouteFinderTest, AHiddenSectorIsPassedOnlyWhileHiddenSectorsAreShown) {
  // A - H - C with H hidden, and the long way round below.
  Add("A", 0, 0, "ES");
  Add("H", 1, 0, "WE", {.visible = false});
  Add("C", 2, 0, "WS");
  Add("D", 0, 1, "NE");
  Add("E", 1, 1, "WE");
  Add("F", 2, 1, "NW");
  EXPECT_EQ(Route("A", "C"), "A D E F C");
  EXPECT_EQ(Node("H"), -1);
  EXPECT_EQ(Route("A", "C", true), "A H C");
}

TEST_F(RouteFinderTest, OfEqualRoutesTheOneWithTheSmallestIdsFromTheStartIsTaken) {
  // A - B      Two routes of two jumps each from A to D and back; C was
  // |   |      added before B, so its Id is smaller.
  // C - D
  Add("A", 0, 0, "ES");
  Add("C", 0, 1, "NE");
  Add("D", 1, 1, "NW");
  Add("B", 1, 0, "WS");
  for (int run = 0; run < 3; ++run) {
    EXPECT_EQ(Route("A", "D"), "A C D");
    EXPECT_EQ(Route("D", "A"), "D C A");
  }
  // The rule is the Ids, not where the sectors stand: the later B is taken
  // once it is the one with the smaller Id.
  qvtest::EmptyStore other;
  for (const auto& [name, x, y, gates] :
       std::vector<std::tuple<std::string, int, int, std::string>>{
           {"A", 0, 0, "ES"}, {"B", 1, 0, "WS"}, {"C", 0, 1, "NE"}, {"D", 1, 1, "NW"}})
    qvtest::AddSector(*other, {.name = name,
                               .x = x,
                               .y = y,
                               .north = gates.find('N') != std::string::npos,
                               .south = gates.find('S') != std::string::npos,
                               .west = gates.find('W') != std::string::npos,
                               .east = gates.find('E') != std::string::npos});
  qv::TJumpGraph otherGraph;
  otherGraph.Update(*other, false);
  const auto route =
      qv::FindRoute(otherGraph, otherGraph.NodeAt(0, 0), otherGraph.NodeAt(1, 1), {});
  ASSERT_TRUE(route);
  EXPECT_EQ(otherGraph.Sector((*route)[1]).name, "B");
}

TEST_F(RouteFinderTest, AvoidedSectorsForceALongerRouteButMayBeItsEnds) {
  // A - P - C with P a pirate sector, and the long way round below through
  // a Kessar sector with a pirate base.
  Add("A", 0, 0, "ES");
  Add("P", 1, 0, "WE", {.race = "Pirates"});
  Add("C", 2, 0, "WS");
  Add("D", 0, 1, "NE");
  Add("K", 1, 1, "WE", {.race = "Kessar", .pirate = true});
  Add("F", 2, 1, "NW");
  const qv::TRouteOptions pirates{.avoidRaces = {"Pirates"}};
  EXPECT_EQ(Route("A", "C"), "A P C");
  EXPECT_EQ(Route("A", "C", false, pirates), "A D K F C");
  EXPECT_EQ(Route("A", "C", false, {.avoidRaces = {"pirates"}}), "A P C");  // exact race text
  EXPECT_EQ(Route("A", "C", false, {.avoidPirateBases = true}), "A P C");
  EXPECT_EQ(Route("A", "C", false, {.avoidRaces = {"Pirates"}, .avoidPirateBases = true}),
            "no route");
  // From or to an avoided sector a route still leads, through none other.
  EXPECT_EQ(Route("P", "D", false, pirates), "P A D");
  EXPECT_EQ(Route("D", "P", false, pirates), "D A P");
  EXPECT_EQ(Route("P", "P", false, pirates), "P");
}

TEST_F(RouteFinderTest, NoRouteBetweenUnjoinedSectorsOrToOnesOffTheGraph) {
  Add("A", 0, 0, "E");
  Add("B", 2, 0, "W");  // nothing at (1, 0)
  EXPECT_EQ(Route("A", "B"), "no route");
  graph.Update(*store, false);
  EXPECT_FALSE(qv::FindRoute(graph, -1, 0, {}));
  EXPECT_FALSE(qv::FindRoute(graph, 0, graph.Count(), {}));
  EXPECT_EQ(qv::JumpCounts(graph, -1, {}), std::vector<int>(2, -1));
  // A sector beyond the map's range, as an old file may hold one, is on no route.
  qvtest::AsFromOldFile(store->SectorsData, [&] { return Add("Far", 10000, 0, "W"); });
  Add("Edge", 9999, 0, "E");
  graph.Update(*store, true);
  EXPECT_EQ(graph.Count(), 3);
  EXPECT_EQ(Node("Far"), -1);
  EXPECT_TRUE(graph.Jumps(Node("Edge")).empty());
}

// Where sectors share a position, a gate leads to the one the store's key
// search finds there; a hidden one found there blocks the jump.
TEST_F(RouteFinderTest, AGateLeadsToTheSectorTheKeySearchFinds) {
  Add("A", 0, 0, "E");
  Add("Twin 1", 1, 0, "W");
  Add("Twin 2", 1, 0, "W");
  store->SectorsData.SetIndexName("SectorsDataCoordIndex");
  ASSERT_TRUE(store->LocateSectorAt(1, 0));
  const std::string found = store->SectorsData.FieldByName("Name").AsString();
  graph.Update(*store, false);
  EXPECT_EQ(graph.Sector(graph.NodeAt(1, 0)).name, found);
  EXPECT_EQ(Route("A", found), "A " + found);
  const std::string other = found == "Twin 1" ? "Twin 2" : "Twin 1";
  EXPECT_EQ(Route("A", other), "no route");
  EXPECT_EQ(Route(other, "A"), other + " A");

  store->SectorsData.Edit();
  store->SectorsData.FieldByName("Visible").SetAsBoolean(false);
  store->SectorsData.Post();
  EXPECT_EQ(Route("A", other), "no route");
  graph.Update(*store, false);
  EXPECT_EQ(graph.NodeAt(1, 0), -1);
}

TEST_F(RouteFinderTest, TheGraphFollowsTheTableAndLeavesItsCursorAlone) {
  Add("A", 0, 0, "S");
  Add("B", 1, 0, "S");
  Add("D", 0, 1, "NE");
  Add("E", 1, 1, "WN");
  EXPECT_EQ(Route("A", "B"), "A D E B");
  qv::Table& sectors = store->SectorsData;
  sectors.SetIndexName("SectorsDataNameIndex");
  sectors.First();
  sectors.Next();
  const int recNo = sectors.RecNo();
  const std::string name = sectors.FieldByName("Name").AsString();

  // A gate pair added from A to B is a jump at once.
  ASSERT_TRUE(sectors.Locate("Name", {qv::Value("A")}));
  sectors.Edit();
  sectors.FieldByName("EastGate").SetAsBoolean(true);
  sectors.Post();
  ASSERT_TRUE(sectors.Locate("Name", {qv::Value(name)}));
  EXPECT_EQ(Route("A", "B"), "A B");
  EXPECT_EQ(sectors.RecNo(), recNo);
  EXPECT_EQ(sectors.FieldByName("Name").AsString(), name);
  EXPECT_EQ(sectors.IndexName(), "SectorsDataNameIndex");
}

// On a generated universe: every route found is a way through gates, as
// short as the search from its start says, and its jumps meet no sector to
// avoid; where the search finds no way, neither does the route.
TEST(RouteFinderUniverseTest, RoutesAreShortestWaysThroughGates) {
  qvtest::EmptyStore store;
  qv::GeneratorOptions options;
  options.sectors = 600;
  options.width = 40;
  options.height = 30;
  qv::GenerateUniverse(*store, options);
  qv::TJumpGraph graph;
  for (const bool hidden : {false, true}) {
    graph.Update(*store, hidden);
    ASSERT_GT(graph.Count(), 300);
    for (const qv::TRouteOptions& avoid :
         {qv::TRouteOptions{}, qv::TRouteOptions{.avoidRaces = {"Pirates", "Zhurr"}},
          qv::TRouteOptions{.avoidPirateBases = true}}) {
      for (int from = 0; from < graph.Count(); from += 37) {
        const std::vector<int> jumps = qv::JumpCounts(graph, from, avoid);
        for (int to = 0; to < graph.Count(); to += 11) {
          const auto route = qv::FindRoute(graph, from, to, avoid);
          ASSERT_EQ(route.has_value(), jumps[static_cast<std::size_t>(to)] >= 0);
          if (!route) continue;
          ASSERT_EQ(static_cast<int>(route->size()) - 1, jumps[static_cast<std::size_t>(to)]);
          for (std::size_t i = 1; i < route->size(); ++i) {
            const qv::TJumpSector& a = graph.Sector((*route)[i - 1]);
            const qv::TJumpSector& b = graph.Sector((*route)[i]);
            EXPECT_EQ(std::abs(a.x - b.x) + std::abs(a.y - b.y), 1);
            const auto next = graph.Jumps((*route)[i - 1]);
            EXPECT_NE(std::find(next.begin(), next.end(), (*route)[i]), next.end());
            if (i + 1 < route->size()) {
              EXPECT_FALSE(avoid.avoidPirateBases && b.pirate);
              EXPECT_EQ(std::count(avoid.avoidRaces.begin(), avoid.avoidRaces.end(),
                                   graph.Races()[static_cast<std::size_t>(b.race)]),
                        0);
            }
          }
        }
      }
    }
  }
}

}  // namespace
