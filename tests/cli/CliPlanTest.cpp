#include <gtest/gtest.h>

#include <string>

#include "support/CliFixture.h"

// plan of the built qvmap-cli, and complex on what it saves, on a universe
// imported from tab-separated text.
namespace {

using Outcome = qvtest::CliOutcome;

class CliPlanTest : public qvtest::CliFixture {
 protected:
  // The chain: an ore mine (600 ore/h at yield 10), a smelter (60 metal/h
  // from 120 ore/h), a parts works (60 parts/h from 120 metal/h); and two
  // presses that each need 99 of what the other makes 100 of.
  void SetUp() override {
    Import("SectorsData", "Name\tX\tY\tVisible\nHome\t0\t0\t1\n");
    Import("SectFactoryData", "SectorId\tFactoryId\n");
    Import("SectTradeData", "SectorId\tTrader\tProductId\n");
    Import("ProductsData",
           "Id\tName\tType\tMin\tMax\tAvg\n1\tOre\t0\t5\t20\t10\n2\tMetal\t0\t25\t100\t50\n"
           "3\tParts\t0\t150\t600\t300\n4\tGold\t0\t1\t1\t1\n5\tSilver\t0\t1\t1\t1\n");
    Import("FactoriesData",
           "Id\tName\tSpecial\tMtime\tBuyable\n1\tOre Mine\t2\t600\t1\n2\tSmelter\t0\t600\t1\n"
           "3\tParts Works\t0\t300\t1\n4\tGold Press\t0\t600\t1\n5\tSilver Press\t0\t600\t1\n");
    Import("FactoryProdData",
           "FactoryId\tOperation\tProductId\tQty\n1\t0\t1\t10\n2\t0\t2\t10\n2\t1\t1\t20\n"
           "3\t0\t3\t5\n3\t1\t2\t10\n4\t0\t4\t100\n4\t1\t5\t99\n5\t0\t5\t100\n5\t1\t4\t99\n");
  }
};

TEST_F(CliPlanTest, PrintsThePlanAndSavesItAsTheComplexThatComplexComputes) {
  const Outcome plan = Run("plan --target Parts=120");
  ASSERT_EQ(plan.status, 0) << plan.err;
  EXPECT_EQ(plan.out,
            "factory\tOre Mine\t1\nfactory\tParts Works\t2\nfactory\tSmelter\t4\n"
            "product\tMetal\t240\t240\t-\t-\nproduct\tOre\t600\t480\t-\t120\n"
            "product\tParts\t120\t-\t-\t-\n"
            "profit\t37200\nstatus\toptimal\n");
  EXPECT_EQ(plan.err, "");
  EXPECT_FALSE(home.Exists("AuxFact.cds"));  // only --save writes

  // Buying metal saves factories; cost puts them back.
  const std::string fewest = Run("plan --target Parts=120 --buy Metal").out;
  EXPECT_NE(fewest.find("factory\tParts Works\t2\nproduct\tMetal\t-\t240\t240\t-\n"),
            std::string::npos)
      << fewest;
  EXPECT_NE(fewest.find("profit\t24000\n"), std::string::npos) << fewest;
  const std::string cheapest =
      Run("plan --target Parts=120 --buy Metal --objective cost --price max --set-price Ore=1").out;
  EXPECT_NE(cheapest.find("factory\tSmelter\t4\n"), std::string::npos) << cheapest;
  EXPECT_NE(cheapest.find("profit\t72120\n"), std::string::npos) << cheapest;
  EXPECT_NE(Run("plan --target Parts=120 --yield 5").out.find("factory\tOre Mine\t2\n"),
            std::string::npos);

  ASSERT_EQ(Run("plan --target Parts=120 --save").status, 0) << work.Read("err");
  const Outcome complex = Run("complex");
  ASSERT_EQ(complex.status, 0) << complex.err;
  EXPECT_EQ(complex.out,
            "Product name\tPrice\tProduction\tInt.demand\tStatus\tResult\n"
            "Metal\t50\t240\t240\tEqual\t\n"
            "Ore\t10\t600\t480\tExport 120\t+1200\n"
            "Parts\t300\t120\t-\tPure export\t+36000\n"
            "profit\t37200\nmessage\t\n"
            "factory\t7\tSmelter\t1800\nfactory\t6\tSmelter\t1800\nfactory\t5\tSmelter\t1800\n"
            "factory\t4\tSmelter\t1800\nfactory\t3\tParts Works\t12000\n"
            "factory\t2\tParts Works\t12000\nfactory\t1\tOre Mine\t6000\n");
  EXPECT_NE(Run("dump FactoryListData").out.find("1\t1\t10\t1\n"), std::string::npos);
}

TEST_F(CliPlanTest, NoPlanSaysWhyExitsOneAndWritesNothing) {
  // The presses feed each other: a little gold needs one of each.
  EXPECT_NE(
      Run("plan --target Gold=1").out.find("factory\tGold Press\t1\nfactory\tSilver Press\t1\n"),
      std::string::npos);
  home.Write("AuxFact.cds", "mine");
  Import("FactoriesData",
         "Id\tName\tSpecial\tMtime\tBuyable\n1\tOre Mine\t2\t600\t0\n2\tSmelter\t0\t600\t1\n"
         "3\tParts Works\t0\t300\t1\n");
  const Outcome none = Run("plan --target Parts=60 --no-buy Ore --save");
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out,
            "status\tinfeasible\tParts cannot be met: it needs Ore, which no factory that can be "
            "bought makes and which may not be bought\n");
  EXPECT_EQ(home.Read("AuxFact.cds"), "mine");
  EXPECT_EQ(Run("plan --target Parts=60").status, 0);  // ore is bought by default

  const Outcome limited = Run("plan --target Parts=120 --limit 3");
  EXPECT_EQ(limited.status, 1);
  EXPECT_EQ(
      limited.out,
      "status\tlimit\tMore factories of one type are needed than the limit of 3: 4 Smelter\n");
  EXPECT_EQ(Run("plan --target Gold=1").out,
            "status\tinfeasible\tGold cannot be met: no factory that can be bought makes it\n");
}

TEST_F(CliPlanTest, UsageErrorsAndUnknownProducts) {
  EXPECT_EQ(Run("plan").status, 2);
  EXPECT_NE(work.Read("err").find("plan needs at least one --target"), std::string::npos);
  EXPECT_EQ(Run("plan --target Parts").status, 2);
  EXPECT_EQ(Run("plan --target Parts=-5").status, 2);
  EXPECT_EQ(Run("plan --target Parts=lots").status, 2);
  EXPECT_EQ(Run("plan --target Parts=5 --objective profit").status, 2);
  EXPECT_EQ(Run("plan --target Parts=5 --price mid").status, 2);
  EXPECT_EQ(Run("plan --target Parts=5 --limit 0").status, 2);
  EXPECT_EQ(Run("plan --target Parts=5 --target Parts=6").status, 2);
  const Outcome unknown = Run("plan --target Bolts=5");
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.err, "qvmap-cli: no product \"Bolts\"\n");
  EXPECT_NE(Run("--help").out.find("  plan --target PRODUCT=RATE"), std::string::npos);
}

TEST_F(CliPlanTest, ComplexNamesTheFactoriesThatDoNotSettle) {
  Import("FactoryListData",
         "RecId\tFactoryId\tYield\tAllowNPS\n1\t1\t10\t1\n2\t4\t0\t0\n3\t5\t0\t0\n");
  Import("FactProdData", "RecId\tProductId\tCurrent\n");
  const Outcome complex = Run("complex");
  EXPECT_EQ(complex.status, 0) << complex.err;
  EXPECT_NE(complex.out.find("message\tDoes not settle: Silver Press \u21c4 Gold Press over Gold, "
                             "Silver\nunsettled\t3\tSilver Press\t2\tGold Press\nfactory\t3"),
            std::string::npos)
      << complex.out;
}

}  // namespace
