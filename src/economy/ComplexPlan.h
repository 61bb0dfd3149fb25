#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "economy/PlanCatalogue.h"

namespace qv {

class IniFile;
class TMipSolver;

// The planner turns "I want this much per hour" into the factories to buy:
// a mixed-integer program with one whole number of factories per type, in
// which for every product what the complex makes plus what it buys covers
// what it uses plus the target, in units per hour at full operation (as the
// complex calculation counts them). Bought units only feed the factories, so
// a target is always made inside.

enum class TPlanObjective {
  Count,  // the fewest factories; ties go to the lower cost of the bought inputs
  Cost,   // the lowest cost per hour of the bought inputs; ties go to fewer factories
};

enum class TPlanPriceRule { Min, Avg, Max };

struct TPlanTarget {
  int ProductId = -1;
  double Rate = 0;  // units per hour, above 0
};

struct TPlanOptions {
  std::vector<TPlanTarget> Targets;  // at most one per product
  TPlanObjective Objective = TPlanObjective::Count;
  TPlanPriceRule PriceRule = TPlanPriceRule::Avg;
  std::map<int, int> Prices;  // prices the player typed, by product, over the rule
  std::set<int> MayBuy;       // products that may be bought from outside
  int SolarCycle = 90;        // seconds per cycle of a solar power plant
  int MineYield = 10;         // a mine's cycle is Mtime / yield
  int Limit = 100;            // the most factories of one type
  double TimeLimit = 2.0;     // seconds the solver may take
};

inline constexpr int kMaxPlanTargets = 6;

// The price of a product in a plan: the one typed, else the rule's.
int PlanPrice(const TPlanProduct& product, const TPlanOptions& options);
// Seconds per cycle of a factory of the type: as the complex computes it,
// with the plan's solar cycle and mine yield; 0 or less when it cannot run.
double PlanCycle(const TPlanFactoryType& type, const TPlanOptions& options);

enum class TPlanStatus {
  Optimal,     // the best plan
  TimeLimit,   // the solver's time ran out: the best plan it found, or none
  Infeasible,  // a target cannot be met at all
  Limit,       // the targets need more factories of a type than the limit
  Failed,      // the solver failed
};

// "optimal", "time-limit", "infeasible", "limit", "failed".
const char* PlanStatusName(TPlanStatus status);

struct TPlanCount {
  int TypeId = -1;
  std::string Name;
  int Count = 0;
};

// One product's balance in units per hour: Made + Bought = Used + Target + Surplus.
struct TPlanRate {
  int ProductId = -1;
  std::string Name;
  int Price = 0;
  double Target = 0, Made = 0, Used = 0, Bought = 0, Surplus = 0;
};

// Why there is no plan.
struct TPlanShortfall {
  int TargetId = -1;                  // the target that cannot be met; -1 when not known
  int LackingId = -1;                 // what it lacks: a product that nothing buyable makes and
                                      // that may not be bought (the target itself when
                                      // nothing makes it); -1 when not known
  std::vector<TPlanCount> OverLimit;  // types needed beyond the limit, with the count needed
  // When every product can be had but the factories use up more than they
  // make: the products each of which, if it may be bought, lets the target be met.
  std::vector<int> WouldBuy;
};

struct TPlan {
  TPlanStatus Status = TPlanStatus::Failed;
  std::vector<TPlanCount> Counts;  // the types to buy (count above 0), in name order
  std::vector<TPlanRate> Rates;    // every product the plan moves, in name order
  double Profit = 0;               // per hour: targets and surplus sold, bought inputs paid
  TPlanShortfall Shortfall;
  std::string Detail;  // why the solver failed

  bool HasPlan() const { return !Counts.empty(); }
  int TotalCount() const;
};

// Builds the program and solves it (the objective first, then the tie
// break); explains a program without solution.
TPlan SolvePlan(const TPlanCatalogue& catalogue, const TPlanOptions& options, TMipSolver& solver);

// The planner's texts with their English defaults; a language file replaces
// them (section "ComplexPlanForm").
struct TPlanTexts {
  std::string OptimalMsg = "Optimal plan";
  std::string TimeLimitMsg = "The solver's time ran out: this is the best plan it found";
  std::string NoPlanInTimeMsg = "The solver's time ran out before it found a plan";
  std::string NoMakerMsg = "%s cannot be met: no factory that can be bought makes it";
  std::string LacksMsg =
      "%s cannot be met: it needs %s, which no factory that can be bought makes and which may not "
      "be bought";
  std::string CannotMeetMsg =
      "%s cannot be met: the factories that can be bought use up more than they make of what it "
      "needs";
  std::string BuyHintMsg = " (it can be met when %s may be bought)";
  std::string OrText = " or ";
  std::string OverLimitMsg = "More factories of one type are needed than the limit of %s: %s";
  std::string FailedMsg = "The solver failed: %s";
};

inline constexpr const char* kPlanTextSection = "ComplexPlanForm";

void TranslatePlanTexts(TPlanTexts& texts, const IniFile& languageFile);

// What the plan's status means, in words: the explanation of a plan that
// could not be found.
std::string PlanStatusText(const TPlan& plan, const TPlanCatalogue& catalogue,
                           const TPlanOptions& options, const TPlanTexts& texts);

// A product's name as the plan shows it ("#Id" for a product type that is gone).
std::string PlanProductName(const TPlanCatalogue& catalogue, int productId);

// A rate of the plan as the windows show rates; "-" for none.
std::string PlanRateText(double rate);

}  // namespace qv
