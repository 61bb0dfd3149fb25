#include <gtest/gtest.h>

#include <string>

#include "support/CliFixture.h"

// route, where and render --route of the built qvmap-cli on a universe
// imported from tab-separated text.
namespace {

using Outcome = qvtest::CliOutcome;

class CliRouteTest : public qvtest::CliFixture {
 protected:
  // Home - Mid - Far on the top row, Mid a pirate sector; below them Low 1,
  // the hidden Low 2 and Low 3, joined likewise. Two sectors share a name.
  // Ore is mined in Far and Low 3 and traded in Mid.
  void SetUp() override {
    Import("SectorsData",
           "Name\tX\tY\tRace\tNorthGate\tSouthGate\tWestGate\tEastGate\tVisible\n"
           "Home\t0\t0\t\t0\t1\t0\t1\t1\n"
           "Mid\t1\t0\tPirates\t0\t0\t1\t1\t1\n"
           "Far\t2\t0\t\t0\t1\t1\t0\t1\n"
           "Low 1\t0\t1\t\t1\t0\t0\t1\t1\n"
           "Low 2\t1\t1\t\t0\t0\t1\t1\t0\n"
           "Low 3\t2\t1\t\t1\t0\t1\t0\t1\n"
           "Twin\t5\t5\t\t0\t0\t0\t0\t1\n"
           "Twin\t6\t5\t\t0\t0\t0\t0\t1\n");
    Import("ProductsData", "Id\tName\tType\tMtime\tQty\n5\tOre\t0\t600\t10\n");
    Import("FactoriesData", "Name\tSpecial\tMtime\nMine\t0\t300\n");
    Import("FactoryProdData", "FactoryId\tOperation\tProductId\tQty\n1\t0\t5\t5\n");
    Import("SectFactoryData", "SectorId\tFactoryId\n3\t1\n6\t1\n");
    Import("SectTradeData", "SectorId\tTrader\tProductId\n2\t0\t5\n");
  }

  // The BMP's pixel at (x, y) as 0xRRGGBB.
  static unsigned Pixel(const std::string& bmp, int width, int height, int x, int y) {
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    const std::size_t at = 54 + (static_cast<std::size_t>(height - 1 - y)) * stride + x * 3u;
    return static_cast<unsigned char>(bmp[at + 2]) << 16 |
           static_cast<unsigned char>(bmp[at + 1]) << 8 | static_cast<unsigned char>(bmp[at]);
  }
};

TEST_F(CliRouteTest, RoutePrintsTheJumpsThenTheSectorsOfTheRoute) {
  Outcome plain = Run("route Home 2,0");
  ASSERT_EQ(plain.status, 0) << Err();
  EXPECT_EQ(plain.out, "2\n0\t0\tHome\n1\t0\tMid\n2\t0\tFar\n");

  // Round the pirates only through the hidden sector, shown on request.
  Outcome avoiding = Run("route 0,0 Far --avoid Pirates");
  EXPECT_EQ(avoiding.status, 1);
  EXPECT_EQ(avoiding.out, "");
  EXPECT_EQ(Err(), "qvmap-cli: no route from Home (0,0) to Far (2,0)\n");
  Outcome hidden = Run("route 0,0 Far --avoid=Pirates --hidden");
  ASSERT_EQ(hidden.status, 0) << Err();
  EXPECT_EQ(hidden.out, "4\n0\t0\tHome\n0\t1\tLow 1\n1\t1\tLow 2\n2\t1\tLow 3\n2\t0\tFar\n");
  EXPECT_EQ(Run("route Mid Mid --avoid Pirates").out, "0\n1\t0\tMid\n");
}

TEST_F(CliRouteTest, RouteRefusesSectorsItCannotNameOrReach) {
  EXPECT_EQ(Run("route Twin Home").status, 1);
  EXPECT_EQ(Err(),
            "qvmap-cli: 2 sectors are named \"Twin\", at 5,5 and 6,5; name one by its position "
            "X,Y\n");
  EXPECT_EQ(Run("route 5,5 Home").status, 1);
  EXPECT_EQ(Err(), "qvmap-cli: no route from Twin (5,5) to Home (0,0)\n");
  EXPECT_EQ(Run("route Home 9,9").status, 1);
  EXPECT_EQ(Err(), "qvmap-cli: no sector at 9,9\n");
  EXPECT_EQ(Run("route Home home").status, 1);  // names are exact
  EXPECT_EQ(Run("route Home 'Low 2'").status, 1);
  EXPECT_EQ(Err(), "qvmap-cli: no route: Low 2 (1,1) is hidden (--hidden shows hidden sectors)\n");
  EXPECT_EQ(Run("route Home").status, 2);
  EXPECT_EQ(Run("route Home Far --avoid").status, 2);
  EXPECT_EQ(Run("route Home Far --fast").status, 2);
}

TEST_F(CliRouteTest, WhereListsTheSectorsNearestFirst) {
  Outcome made = Run("where Ore --role made --from 0,0");
  ASSERT_EQ(made.status, 0) << Err();
  EXPECT_EQ(made.out, "2\t0\tFar\t2\t1\t60\n2\t1\tLow 3\t3\t1\t60\n");
  EXPECT_EQ(Run("where Ore --role=traded --from Far").out, "1\t0\tMid\t1\t1\t60\n");
  EXPECT_EQ(Run("where Ore --role needed --from Far").out, "");
  // Past the pirates no route leads, without hidden sectors.
  EXPECT_EQ(Run("where Ore --role made --from Home --avoid Pirates").out,
            "2\t0\tFar\t-\t1\t60\n2\t1\tLow 3\t-\t1\t60\n");
  EXPECT_EQ(Run("where Ore --role made --from Home --avoid Pirates --reachable").out, "");
  EXPECT_EQ(Run("where Ore --role made --from Home --avoid Pirates --hidden").out,
            "2\t1\tLow 3\t3\t1\t60\n2\t0\tFar\t4\t1\t60\n");

  EXPECT_EQ(Run("where Gold --role made --from Home").status, 1);
  EXPECT_EQ(Err(), "qvmap-cli: Unknown product \"Gold\"\n");
  EXPECT_EQ(Run("where Ore --role made --from 'Low 2'").status, 1);
  EXPECT_EQ(Run("where Ore --role sold --from Home").status, 2);
  EXPECT_EQ(Run("where Ore --from Home").status, 2);
  EXPECT_EQ(Run("where Ore --role made").status, 2);
}

TEST_F(CliRouteTest, RenderDrawsTheRouteAsked) {
  // At the default 75 %, halfway between the centres of Home and Mid.
  const int x = (60 + 200) / 2 * 3 / 4, y = 60 * 3 / 4;
  Outcome plain = Run("render '" + work.File("plain.bmp") + "'");
  ASSERT_EQ(plain.status, 0) << Err();
  int width = 0, height = 0;
  ASSERT_EQ(std::sscanf(plain.out.c_str(), "%d\t%d", &width, &height), 2);
  EXPECT_EQ(Pixel(work.Read("plain.bmp"), width, height, x, y), 0x000000u);  // the gate line

  Outcome routed = Run("render '" + work.File("route.bmp") + "' --route Home Far");
  ASSERT_EQ(routed.status, 0) << Err();
  EXPECT_EQ(routed.out, plain.out);
  EXPECT_EQ(Pixel(work.Read("route.bmp"), width, height, x, y), 0xFF8000u);

  home.Write("QVMap.INI", "[MainWindow]\nRouteColor=255\n");
  Outcome red = Run("render '" + work.File("red.bmp") + "' --route Home Far");
  ASSERT_EQ(red.status, 0) << Err();
  EXPECT_EQ(Pixel(work.Read("red.bmp"), width, height, x, y), 0xFF0000u);

  EXPECT_EQ(Run("render '" + work.File("none.bmp") + "' --route Home Far --avoid Pirates").status,
            1);
  EXPECT_FALSE(work.Exists("none.bmp"));
  EXPECT_EQ(Run("render '" + work.File("none.bmp") + "' --route Home").status, 2);
}

}  // namespace
