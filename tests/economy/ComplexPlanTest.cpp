#include "economy/ComplexPlan.h"

#include <gtest/gtest.h>

#include "economy/ComplexCalculation.h"
#include "economy/ComplexResults.h"
#include "economy/ComplexTables.h"
#include "economy/GlpkSolver.h"
#include "economy/MipSolver.h"
#include "economy/PlanComplex.h"
#include "support/UniverseRows.h"

namespace {

using qv::TPlan;
using qv::TPlanCatalogue;
using qv::TPlanOptions;
using qv::TPlanStatus;

// Product ids of the examples.
constexpr int kOre = 1, kMetal = 2, kParts = 3, kEnergy = 4, kCrystals = 5, kFuel = 6, kTar = 7,
              kCrude = 8;

struct Item {
  int product;
  int qty;
};

// Catalogues small enough to work out by hand.
class ComplexPlanTest : public ::testing::Test {
 protected:
  ComplexPlanTest() {
    for (const auto& [id, name, avg] : {std::tuple{kOre, "Ore", 10},
                                        {kMetal, "Metal", 50},
                                        {kParts, "Parts", 300},
                                        {kEnergy, "Energy", 16},
                                        {kCrystals, "Crystals", 1600},
                                        {kFuel, "Fuel", 40},
                                        {kTar, "Tar", 4},
                                        {kCrude, "Crude", 5}})
      catalogue.Products.push_back({id, name, avg / 2, avg * 2, avg});
  }

  void Type(int id, const char* name, int special, int mtime, std::initializer_list<Item> outputs,
            std::initializer_list<Item> inputs) {
    qv::TPlanFactoryType& type = catalogue.Types.emplace_back();
    type.Id = id;
    type.Name = name;
    type.Special = qv::AsCode<qv::Special>(special);
    type.Mtime = mtime;
    for (const Item& item : outputs)
      type.Items.push_back({item.product, item.qty, true});
    for (const Item& item : inputs)
      type.Items.push_back({item.product, item.qty, false});
    catalogue.Sort();
  }

  // Ore mine (yield 10: 600 ore/h) -> smelter (60 metal/h from 120 ore/h)
  // -> parts works (60 parts/h from 120 metal/h).
  void Chain() {
    Type(1, "Ore Mine", 2, 600, {{kOre, 10}}, {});
    Type(2, "Smelter", 0, 600, {{kMetal, 10}}, {{kOre, 20}});
    Type(3, "Parts Works", 0, 300, {{kParts, 5}}, {{kMetal, 10}});
  }

  TPlan Solve(std::initializer_list<qv::TPlanTarget> targets) {
    options.Targets = targets;
    return qv::SolvePlan(catalogue, options, *solver);
  }

  static std::string Counts(const TPlan& plan) {
    std::string text;
    for (const qv::TPlanCount& count : plan.Counts)
      text += (text.empty() ? "" : ", ") + std::to_string(count.Count) + " " + count.Name;
    return text;
  }
  // Made/used/bought/surplus of each product, as the windows show rates.
  static std::string Rates(const TPlan& plan) {
    std::string text;
    for (const qv::TPlanRate& r : plan.Rates)
      text += r.Name + " " + qv::PlanRateText(r.Made) + "/" + qv::PlanRateText(r.Used) + "/" +
              qv::PlanRateText(r.Bought) + "/" + qv::PlanRateText(r.Surplus) + "\n";
    return text;
  }
  std::string Status(const TPlan& plan) const {
    return std::string(qv::PlanStatusName(plan.Status)) + ": " +
           qv::PlanStatusText(plan, catalogue, options, texts);
  }

  TPlanCatalogue catalogue;
  TPlanOptions options;
  qv::TPlanTexts texts;
  std::unique_ptr<qv::TMipSolver> solver = qv::MakeGlpkSolver();
};

TEST_F(ComplexPlanTest, AChainGetsExactCountsAndTheProfitOfWhatItSells) {
  Chain();
  options.MayBuy = catalogue.DefaultMayBuy();
  EXPECT_TRUE(options.MayBuy.empty());  // everything is made by some type
  const TPlan plan = Solve({{kParts, 120}});
  EXPECT_EQ(Status(plan), "optimal: Optimal plan");
  // 120 parts/h: 2 works need 240 metal/h: 4 smelters need 480 ore/h: 1 mine.
  EXPECT_EQ(Counts(plan), "1 Ore Mine, 2 Parts Works, 4 Smelter");
  EXPECT_EQ(Rates(plan), "Metal 240/240/-/-\nOre 600/480/-/120\nParts 120/-/-/-\n");
  EXPECT_DOUBLE_EQ(plan.Profit, 120 * 300 + 120 * 10);  // the parts and the spare ore
  EXPECT_EQ(plan.TotalCount(), 7);

  // A dearer rule and a typed price change the profit, not the plan.
  options.PriceRule = qv::TPlanPriceRule::Max;
  options.Prices[kOre] = 1;
  const TPlan dearer = Solve({{kParts, 120}});
  EXPECT_EQ(Counts(dearer), Counts(plan));
  EXPECT_DOUBLE_EQ(dearer.Profit, 120 * 600 + 120 * 1);

  // A mine's cycle follows the yield: at 5 it makes 300 ore/h, so two.
  options.MineYield = 5;
  EXPECT_EQ(Counts(Solve({{kParts, 120}})), "2 Ore Mine, 2 Parts Works, 4 Smelter");
}

// The solar plant needs crystals, the crystal fab needs energy: each needs
// part of its own product through the other.
TEST_F(ComplexPlanTest, ALoopFeedsItselfAndSellsWhatIsLeft) {
  Type(1, "Solar Plant", 1, 60, {{kEnergy, 120}}, {{kCrystals, 1}});   // 4800 energy/h at 90 s
  Type(2, "Crystal Fab", 0, 300, {{kCrystals, 2}}, {{kEnergy, 160}});  // 24 crystals/h
  // 4800 s - 1920 c >= 1000 and 24 c >= 40 s: one plant cannot feed the two
  // fabs it needs, two plants feed four.
  const TPlan plan = Solve({{kEnergy, 1000}});
  EXPECT_EQ(Counts(plan), "4 Crystal Fab, 2 Solar Plant");
  EXPECT_EQ(Rates(plan), "Crystals 96/80/-/16.0\nEnergy 9600/7680/-/920\n");
  EXPECT_DOUBLE_EQ(plan.Profit, 1920 * 16 + 16 * 1600);

  options.SolarCycle = 0;  // no sun: nothing makes energy
  EXPECT_EQ(Status(Solve({{kEnergy, 1000}})),
            "infeasible: Energy cannot be met: no factory that can be bought makes it");
}

TEST_F(ComplexPlanTest, ABy_productIsSoldAndRawInputsAreBought) {
  Type(1, "Refinery", 0, 600, {{kFuel, 10}, {kTar, 5}}, {{kCrude, 30}});
  options.MayBuy = catalogue.DefaultMayBuy();
  EXPECT_EQ(options.MayBuy, std::set<int>{kCrude});
  const TPlan plan = Solve({{kFuel, 100}});
  EXPECT_EQ(Counts(plan), "2 Refinery");
  EXPECT_EQ(Rates(plan), "Crude -/360/360/-\nFuel 120/-/-/20.0\nTar 60/-/-/60\n");
  EXPECT_DOUBLE_EQ(plan.Profit, 120 * 40 + 60 * 4 - 360 * 5);
}

TEST_F(ComplexPlanTest, AnInfeasibleTargetNamesWhatItLacks) {
  Type(2, "Smelter", 0, 600, {{kMetal, 10}}, {{kOre, 20}});
  Type(3, "Parts Works", 0, 300, {{kParts, 5}}, {{kMetal, 10}});
  // Ore is made by nothing: bought by default, and then there is a plan.
  options.MayBuy = catalogue.DefaultMayBuy();
  EXPECT_EQ(Counts(Solve({{kParts, 60}})), "1 Parts Works, 2 Smelter");
  options.MayBuy.clear();
  const TPlan plan = Solve({{kFuel, 5}, {kParts, 60}});
  EXPECT_FALSE(plan.HasPlan());
  EXPECT_EQ(Status(plan), "infeasible: Fuel cannot be met: no factory that can be bought makes it");
  EXPECT_EQ(Status(Solve({{kParts, 60}})),
            "infeasible: Parts cannot be met: it needs Ore, which no factory that can be bought "
            "makes and which may not be bought");
  EXPECT_EQ(plan.Shortfall.LackingId, kFuel);

  // Enough ore for everything, but only three smelters may be bought.
  Type(1, "Ore Mine", 2, 600, {{kOre, 10}}, {});
  options.Limit = 3;
  const TPlan limited = Solve({{kParts, 120}});
  EXPECT_EQ(Status(limited),
            "limit: More factories of one type are needed than the limit of 3: 4 Smelter");
  options.Limit = 4;
  EXPECT_EQ(Solve({{kParts, 120}}).Status, TPlanStatus::Optimal);
}

TEST_F(ComplexPlanTest, TheFewestFactoriesBuyWhatTheCheapestPlanMakes) {
  Chain();
  options.MayBuy = {kMetal};
  options.Objective = qv::TPlanObjective::Count;
  const TPlan fewest = Solve({{kParts, 120}});
  EXPECT_EQ(Counts(fewest), "2 Parts Works");
  EXPECT_EQ(Rates(fewest), "Metal -/240/240/-\nParts 120/-/-/-\n");
  EXPECT_DOUBLE_EQ(fewest.Profit, 120 * 300 - 240 * 50);

  options.Objective = qv::TPlanObjective::Cost;
  const TPlan cheapest = Solve({{kParts, 120}});
  EXPECT_EQ(Counts(cheapest), "1 Ore Mine, 2 Parts Works, 4 Smelter");
  // With metal free to buy, nothing is dearer than building, and of the
  // plans that buy nothing the fewest factories win.
  options.Prices[kMetal] = 0;
  EXPECT_EQ(Counts(Solve({{kParts, 120}})), "2 Parts Works");
}

// A solver that answers what it is told to: the planner's side of the seam.
class ScriptedSolver : public qv::TMipSolver {
 public:
  qv::TMipSolution answer;
  int calls = 0;
  qv::TMipSolution Solve(const qv::TMipProblem& problem, double seconds) override {
    ++calls;
    EXPECT_GT(seconds, 0);
    qv::TMipSolution solution = answer;
    if (!solution.values.empty()) solution.values.resize(problem.columns.size(), 0);
    return solution;
  }
};

TEST_F(ComplexPlanTest, ASolverOutOfTimeGivesItsBestPlanOrNone) {
  Chain();
  ScriptedSolver scripted;
  scripted.answer.status = qv::TMipStatus::TimeLimit;
  scripted.answer.values = {1, 3, 6};  // by name: mine, works, smelters
  options.Targets = {{kParts, 120}};
  const TPlan best = qv::SolvePlan(catalogue, options, scripted);
  EXPECT_EQ(scripted.calls, 1);  // no tie break on an unproven plan
  EXPECT_EQ(Status(best), "time-limit: The solver's time ran out: this is the best plan it found");
  EXPECT_EQ(Counts(best), "1 Ore Mine, 3 Parts Works, 6 Smelter");

  scripted.answer = {qv::TMipStatus::NoSolution, {}, 0, ""};
  const TPlan none = qv::SolvePlan(catalogue, options, scripted);
  EXPECT_FALSE(none.HasPlan());
  EXPECT_EQ(Status(none), "time-limit: The solver's time ran out before it found a plan");

  scripted.answer = {qv::TMipStatus::Failed, {}, 0, "out of memory"};
  EXPECT_EQ(Status(qv::SolvePlan(catalogue, options, scripted)),
            "failed: The solver failed: out of memory");
}

// A plan made the complex: the complex's own calculation shows every
// product as the plan has it, and every target sold.
TEST(PlanComplexTest, TheComplexCalculationAgreesWithThePlan) {
  qvtest::EmptyStore store;
  const auto product = [&store](const char* name, int avg) {
    return qvtest::AddRowId(store->ProductsData,
                            {{"Name", name}, {"Min", avg / 2}, {"Max", avg * 2}, {"Avg", avg}});
  };
  const int energy = product("Energy", 16), crystals = product("Crystals", 1600);
  const int wafers = product("Wafers", 500), gold = product("Gold", 900);
  const int solar = qvtest::AddFactoryType(*store, "Solar Plant", 1, 60);
  const int fab = qvtest::AddFactoryType(*store, "Crystal Fab", 0, 300);
  const int mine = qvtest::AddFactoryType(*store, "Silicon Mine", 3, 600);
  const int secret = qvtest::AddFactoryType(*store, "Gold Press", 0, 60, false);
  qvtest::AddRecipe(*store, solar, 0, energy, 120);
  qvtest::AddRecipe(*store, solar, 1, crystals, 1);
  qvtest::AddRecipe(*store, fab, 0, crystals, 2);
  qvtest::AddRecipe(*store, fab, 1, energy, 160);
  qvtest::AddRecipe(*store, fab, 1, wafers, 2);
  qvtest::AddRecipe(*store, mine, 0, wafers, 4);
  qvtest::AddRecipe(*store, mine, 1, energy, 120);
  qvtest::AddRecipe(*store, secret, 0, gold, 1);

  const TPlanCatalogue catalogue = qv::LoadPlanCatalogue(*store);
  ASSERT_EQ(catalogue.Types.size(), 3u);  // the gold press cannot be bought
  EXPECT_EQ(catalogue.Types[0].Name, "Crystal Fab");
  TPlanOptions options;
  options.MayBuy = catalogue.DefaultMayBuy();
  options.Targets = {{energy, 1000}, {crystals, 10}};
  options.MineYield = 12;
  options.SolarCycle = 72;
  const TPlan plan = qv::SolvePlan(catalogue, options, *qv::MakeGlpkSolver());
  ASSERT_EQ(plan.Status, TPlanStatus::Optimal);

  qv::Table factoryList("FactoryListData");
  qv::BuildFactoryListSchema(factoryList, *store);
  qv::TComplexCalculation calc;
  {
    qv::BuyableFactoryTypes buyable(*store);
    qv::UsePlanAsComplex(*store, catalogue, plan, options, factoryList, calc.Factories);
  }
  EXPECT_EQ(factoryList.RecordCount(), plan.TotalCount());
  const qv::TComplexResults results = qv::UpdateResults(calc, options.SolarCycle, -1, {});
  EXPECT_EQ(results.MessageText, "");
  // Each row: product, price, production, demand, status, result.
  ASSERT_EQ(results.Rows.size(), plan.Rates.size());
  for (std::size_t i = 0; i < plan.Rates.size(); ++i) {
    const qv::TPlanRate& rate = plan.Rates[i];
    const std::array<std::string, 6>& row = results.Rows[i];
    EXPECT_EQ(row[0], rate.Name);
    EXPECT_EQ(row[1], std::to_string(rate.Price));
    EXPECT_EQ(row[2], qv::PlanRateText(rate.Made)) << rate.Name;
    EXPECT_EQ(row[3], qv::PlanRateText(rate.Used)) << rate.Name;
    if (rate.Target > 0) {
      EXPECT_EQ(row[4].rfind("Export ", 0), 0u) << rate.Name << ": " << row[4];
    }
  }
  // The same money, summed in another order and truncated: at most a credit apart.
  EXPECT_NEAR(std::stod(results.ProfitText), plan.Profit, 1.0);
}

}  // namespace
