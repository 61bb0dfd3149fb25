#include "economy/ComplexPlan.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <tuple>

#include "data/IniFile.h"
#include "economy/ComplexModel.h"
#include "economy/MipSolver.h"
#include "map/FormatStatValue.h"
#include "settings/MainTexts.h"

namespace qv {

int PlanPrice(const TPlanProduct& product, const TPlanOptions& options) {
  if (const auto typed = options.Prices.find(product.Id); typed != options.Prices.end())
    return typed->second;
  switch (options.PriceRule) {
    case TPlanPriceRule::Min:
      return product.Min;
    case TPlanPriceRule::Max:
      return product.Max;
    case TPlanPriceRule::Avg:
      break;
  }
  return product.Avg;
}

double PlanCycle(const TPlanFactoryType& type, const TPlanOptions& options) {
  return FactoryCycle(type.Special, type.Mtime, options.MineYield, options.SolarCycle);
}

const char* PlanStatusName(TPlanStatus status) {
  switch (status) {
    case TPlanStatus::Optimal:
      return "optimal";
    case TPlanStatus::TimeLimit:
      return "time-limit";
    case TPlanStatus::Infeasible:
      return "infeasible";
    case TPlanStatus::Limit:
      return "limit";
    case TPlanStatus::Failed:
      break;
  }
  return "failed";
}

int TPlan::TotalCount() const {
  int total = 0;
  for (const TPlanCount& count : Counts)
    total += count.Count;
  return total;
}

std::string PlanProductName(const TPlanCatalogue& catalogue, int productId) {
  const TPlanProduct* product = catalogue.FindProduct(productId);
  return product && !product->Name.empty() ? product->Name : "#" + std::to_string(productId);
}

std::string PlanRateText(double rate) {
  return rate == 0 ? "-" : FormatStatValue(rate, true);
}

namespace {

using Clock = std::chrono::steady_clock;

// A type that can take part: it runs (its cycle is above 0) and makes
// something. Its rates per factory, in units per hour, by product.
struct PlanType {
  const TPlanFactoryType* type = nullptr;
  std::map<int, double> made;
  std::map<int, double> used;
};

// The program of one plan: which column and row stand for what.
class PlanModel {
 public:
  PlanModel(const TPlanCatalogue& catalogue, const TPlanOptions& options)
      : catalogue_(catalogue), options_(options) {
    for (const TPlanFactoryType& type : catalogue.Types) {
      const double cycle = PlanCycle(type, options);
      if (!(cycle > 0)) continue;
      PlanType entry{&type, {}, {}};
      for (const TPlanRecipeItem& item : type.Items) {
        // Units that the complex calculation would count the same way.
        if (item.Qty <= 0) continue;
        (item.IsOutput ? entry.made : entry.used)[item.ProductId] += item.Qty * 3600.0 / cycle;
      }
      if (!entry.made.empty()) types_.push_back(std::move(entry));
    }
    // In the player's order, so that the first target that fails is named.
    for (const TPlanTarget& target : options.Targets) {
      if (!(target.Rate > 0)) continue;
      const auto same = std::find_if(targets_.begin(), targets_.end(),
                                     [&](const auto& t) { return t.first == target.ProductId; });
      if (same == targets_.end())
        targets_.emplace_back(target.ProductId, target.Rate);
      else
        same->second += target.Rate;
    }
  }

  const std::vector<PlanType>& Types() const { return types_; }
  const std::vector<std::pair<int, double>>& Targets() const { return targets_; }

  // Columns: one whole number per type (0 up to the limit, or unbounded),
  // then the bought units of every product that may be bought and is used.
  // Rows: each product's balance and the cap on what is bought of it.
  TMipProblem Build(bool limited, bool integer) {
    TMipProblem problem;
    boughtColumn_.clear();
    for (std::size_t t = 0; t < types_.size(); ++t)
      problem.AddColumn(
          {0, limited ? static_cast<double>(options_.Limit) : TMipProblem::kInfinity, integer, 0});
    std::map<int, std::vector<std::pair<int, double>>> balance;  // product -> terms
    std::map<int, std::vector<std::pair<int, double>>> usedBy;
    for (std::size_t t = 0; t < types_.size(); ++t) {
      std::map<int, double> net;
      for (const auto& [product, rate] : types_[t].made)
        net[product] += rate;
      for (const auto& [product, rate] : types_[t].used) {
        net[product] -= rate;
        usedBy[product].emplace_back(static_cast<int>(t), -rate);
      }
      for (const auto& [product, rate] : net)
        if (rate != 0) balance[product].emplace_back(static_cast<int>(t), rate);
    }
    for (const auto& [product, rate] : targets_)
      balance[product];  // a target that nothing makes still has its row
    for (const auto& [product, terms] : usedBy) {
      if (!options_.MayBuy.count(product)) continue;
      const int column = problem.AddColumn({0, TMipProblem::kInfinity, false, 0});
      boughtColumn_[product] = column;
      TMipProblem::Row cap;
      cap.upper = 0;
      cap.terms = terms;
      cap.terms.emplace_back(column, 1.0);
      problem.AddRow(std::move(cap));
      balance[product].emplace_back(column, 1.0);
    }
    for (auto& [product, terms] : balance) {
      TMipProblem::Row row;
      row.lower = TargetOf(product);
      row.terms = std::move(terms);
      problem.AddRow(std::move(row));
    }
    return problem;
  }

  void SetCountObjective(TMipProblem& problem) const {
    for (std::size_t t = 0; t < types_.size(); ++t)
      problem.columns[t].cost = 1;
  }
  void SetCostObjective(TMipProblem& problem) const {
    for (const auto& [product, column] : boughtColumn_)
      problem.columns[column].cost = Price(product);
  }
  // The objective of a solution as a row: at most `bound`.
  static void KeepObjective(TMipProblem& problem, double bound) {
    TMipProblem::Row row;
    row.upper = bound;
    for (std::size_t j = 0; j < problem.columns.size(); ++j) {
      if (problem.columns[j].cost != 0)
        row.terms.emplace_back(static_cast<int>(j), problem.columns[j].cost);
      problem.columns[j].cost = 0;
    }
    problem.AddRow(std::move(row));
  }

  double TargetOf(int productId) const {
    for (const auto& [product, rate] : targets_)
      if (product == productId) return rate;
    return 0;
  }

  int Price(int productId) const {
    const TPlanProduct* product = catalogue_.FindProduct(productId);
    return product ? PlanPrice(*product, options_) : 0;
  }

  // The plan of whole factory counts: every product's balance from the
  // counts, with the least that must be bought.
  void Fill(const std::vector<double>& values, TPlan& plan) const {
    std::map<int, TPlanRate> rates;
    for (std::size_t t = 0; t < types_.size(); ++t) {
      const int count = static_cast<int>(std::llround(values[t]));
      if (count <= 0) continue;
      plan.Counts.push_back({types_[t].type->Id, types_[t].type->Name, count});
      for (const auto& [product, rate] : types_[t].made)
        rates[product].Made += count * rate;
      for (const auto& [product, rate] : types_[t].used)
        rates[product].Used += count * rate;
    }
    for (const auto& [product, rate] : targets_)
      rates[product].Target = rate;
    plan.Profit = 0;
    for (auto& [product, rate] : rates) {
      rate.ProductId = product;
      rate.Name = PlanProductName(catalogue_, product);
      rate.Price = Price(product);
      const double need = rate.Used + rate.Target - rate.Made;
      if (options_.MayBuy.count(product) && need > 0) rate.Bought = std::min(need, rate.Used);
      rate.Surplus = rate.Made + rate.Bought - rate.Used - rate.Target;
      // What the solver's tolerances leave of a balance that is even.
      if (std::fabs(rate.Surplus) < 1e-9 * std::max(1.0, rate.Made)) rate.Surplus = 0;
      plan.Profit += static_cast<double>(rate.Price) * (rate.Target + rate.Surplus - rate.Bought);
      plan.Rates.push_back(rate);
    }
    std::stable_sort(plan.Counts.begin(), plan.Counts.end(), [](const auto& a, const auto& b) {
      return std::tie(a.Name, a.TypeId) < std::tie(b.Name, b.TypeId);
    });
    std::stable_sort(plan.Rates.begin(), plan.Rates.end(), [](const auto& a, const auto& b) {
      return std::tie(a.Name, a.ProductId) < std::tie(b.Name, b.ProductId);
    });
  }

 private:
  const TPlanCatalogue& catalogue_;
  const TPlanOptions& options_;
  std::vector<PlanType> types_;
  std::vector<std::pair<int, double>> targets_;  // product, units per hour
  std::map<int, int> boughtColumn_;              // product -> column
};

// The types that can run for ever in a steady state: every input is made by
// another such type (or the same one) or may be bought. Each type left out
// remembers the input it lacked.
struct Supply {
  std::vector<bool> alive;
  std::vector<int> lacked;

  Supply(const std::vector<PlanType>& types, const std::set<int>& mayBuy)
      : alive(types.size(), true), lacked(types.size(), -1) {
    const auto madeByAlive = [&](int product) {
      for (std::size_t t = 0; t < types.size(); ++t)
        if (alive[t] && types[t].made.count(product)) return true;
      return false;
    };
    for (bool changed = true; changed;) {
      changed = false;
      for (std::size_t t = 0; t < types.size(); ++t) {
        if (!alive[t]) continue;
        for (const auto& [product, rate] : types[t].used) {
          if (mayBuy.count(product) || madeByAlive(product)) continue;
          alive[t] = false;
          lacked[t] = product;
          changed = true;
          break;
        }
      }
    }
  }
};

// Follows a product that cannot be had back to its root: a product that no
// type makes (and that may not be bought). Each type was left out for lack
// of a product whose makers had all gone before, so the walk ends.
int RootLack(const std::vector<PlanType>& types, const Supply& supply, int product) {
  std::set<int> seen;
  while (seen.insert(product).second) {
    int next = -1;
    for (std::size_t t = 0; t < types.size() && next < 0; ++t)
      if (types[t].made.count(product)) next = supply.lacked[t];
    if (next < 0) return product;
    product = next;
  }
  return product;
}

double SecondsLeft(Clock::time_point start, double limit) {
  const double spent = std::chrono::duration<double>(Clock::now() - start).count();
  return std::max(limit - spent, 0.001);
}

// Why the program has no solution: a target that cannot be had at all and
// what it lacks, else the types that would need more than the limit.
void Explain(const TPlanCatalogue& catalogue, PlanModel& model, const TPlanOptions& options,
             TMipSolver& solver, Clock::time_point start, TPlan& plan) {
  plan.Status = TPlanStatus::Infeasible;
  const std::vector<PlanType>& types = model.Types();
  const Supply supply(types, options.MayBuy);
  for (const auto& [target, rate] : model.Targets()) {
    bool made = false;
    for (std::size_t t = 0; t < types.size() && !made; ++t)
      made = supply.alive[t] && types[t].made.count(target);
    if (made) continue;
    plan.Shortfall.TargetId = target;
    plan.Shortfall.LackingId = RootLack(types, supply, target);
    return;
  }

  // Every target can be had: with any number of factories there is a plan,
  // unless some type uses up more of a product than the complex can make.
  TMipProblem relaxed = model.Build(false, false);
  model.SetCountObjective(relaxed);
  const TMipSolution loose = solver.Solve(relaxed, SecondsLeft(start, options.TimeLimit));
  if (loose.values.empty()) {
    // Targets that can each be met add up to a plan, so one of them fails alone.
    for (const auto& [target, rate] : model.Targets()) {
      TPlanOptions alone = options;
      alone.Targets = {{target, rate}};
      PlanModel single(catalogue, alone);
      const TMipProblem problem = single.Build(false, false);
      if (solver.Solve(problem, SecondsLeft(start, options.TimeLimit)).values.empty()) {
        plan.Shortfall.TargetId = target;
        break;
      }
    }
    if (plan.Shortfall.TargetId < 0) plan.Shortfall.TargetId = model.Targets().begin()->first;
    // What the player could allow to be bought so that the target can be met.
    TPlanOptions wider = options;
    wider.Targets = {{plan.Shortfall.TargetId, model.TargetOf(plan.Shortfall.TargetId)}};
    for (const TPlanProduct* product : catalogue.RecipeProducts()) {
      if (options.MayBuy.count(product->Id) || SecondsLeft(start, options.TimeLimit) <= 0.001)
        continue;
      wider.MayBuy = options.MayBuy;
      wider.MayBuy.insert(product->Id);
      PlanModel widened(catalogue, wider);
      const TMipProblem problem = widened.Build(false, false);
      if (!solver.Solve(problem, SecondsLeft(start, options.TimeLimit)).values.empty())
        plan.Shortfall.WouldBuy.push_back(product->Id);
    }
    return;
  }
  plan.Status = TPlanStatus::Limit;
  TMipProblem unlimited = model.Build(false, true);
  model.SetCountObjective(unlimited);
  TMipSolution whole = solver.Solve(unlimited, SecondsLeft(start, options.TimeLimit));
  std::vector<double> needed = whole.values;
  if (needed.empty()) {
    needed = loose.values;
    for (double& count : needed)
      count = std::ceil(count - 1e-9);
  }
  for (std::size_t t = 0; t < types.size(); ++t) {
    const int count = static_cast<int>(std::llround(needed[t]));
    if (count > options.Limit)
      plan.Shortfall.OverLimit.push_back({types[t].type->Id, types[t].type->Name, count});
  }
}

}  // namespace

TPlan SolvePlan(const TPlanCatalogue& catalogue, const TPlanOptions& options, TMipSolver& solver) {
  const Clock::time_point start = Clock::now();
  TPlan plan;
  PlanModel model(catalogue, options);
  TMipProblem problem = model.Build(true, true);
  const bool byCount = options.Objective == TPlanObjective::Count;
  if (byCount)
    model.SetCountObjective(problem);
  else
    model.SetCostObjective(problem);
  const TMipSolution first = solver.Solve(problem, options.TimeLimit);
  switch (first.status) {
    case TMipStatus::Infeasible:
      Explain(catalogue, model, options, solver, start, plan);
      return plan;
    case TMipStatus::NoSolution:
      plan.Status = TPlanStatus::TimeLimit;
      return plan;
    case TMipStatus::Failed:
      plan.Detail = first.detail;
      return plan;
    case TMipStatus::Optimal:
    case TMipStatus::TimeLimit:
      break;
  }
  std::vector<double> values = first.values;
  plan.Status = first.status == TMipStatus::Optimal ? TPlanStatus::Optimal : TPlanStatus::TimeLimit;
  if (plan.Status == TPlanStatus::Optimal) {
    // The tie break: the other objective, the first one kept at its best.
    const double slack = byCount ? 0.5 : 1e-7 * std::max(1.0, std::fabs(first.objective));
    PlanModel::KeepObjective(problem, first.objective + slack);
    if (byCount)
      model.SetCostObjective(problem);
    else
      model.SetCountObjective(problem);
    // A tie break is worth no more time than the plan itself took (or a
    // fifth of a second): the plan stands either way.
    const double spent = std::chrono::duration<double>(Clock::now() - start).count();
    const double budget = std::min(SecondsLeft(start, options.TimeLimit), std::max(spent, 0.2));
    const TMipSolution second = solver.Solve(problem, budget);
    if (!second.values.empty()) values = second.values;
  }
  model.Fill(values, plan);
  return plan;
}

void TranslatePlanTexts(TPlanTexts& texts, const IniFile& languageFile) {
  const auto read = [&languageFile](const char* key, std::string& text) {
    text = languageFile.ReadString(kPlanTextSection, key, text);
  };
  read("OptimalMsg", texts.OptimalMsg);
  read("TimeLimitMsg", texts.TimeLimitMsg);
  read("NoPlanInTimeMsg", texts.NoPlanInTimeMsg);
  read("NoMakerMsg", texts.NoMakerMsg);
  read("LacksMsg", texts.LacksMsg);
  read("CannotMeetMsg", texts.CannotMeetMsg);
  read("BuyHintMsg", texts.BuyHintMsg);
  read("OrText", texts.OrText);
  read("OverLimitMsg", texts.OverLimitMsg);
  read("FailedMsg", texts.FailedMsg);
}

std::string PlanStatusText(const TPlan& plan, const TPlanCatalogue& catalogue,
                           const TPlanOptions& options, const TPlanTexts& texts) {
  const TPlanShortfall& shortfall = plan.Shortfall;
  switch (plan.Status) {
    case TPlanStatus::Optimal:
      return texts.OptimalMsg;
    case TPlanStatus::TimeLimit:
      return plan.HasPlan() ? texts.TimeLimitMsg : texts.NoPlanInTimeMsg;
    case TPlanStatus::Infeasible: {
      const std::string target = PlanProductName(catalogue, shortfall.TargetId);
      if (shortfall.LackingId < 0) {
        std::string text = FormatText(texts.CannotMeetMsg, {target});
        std::string products;
        for (const int id : shortfall.WouldBuy)
          products += (products.empty() ? "" : texts.OrText) + PlanProductName(catalogue, id);
        if (!products.empty()) text += FormatText(texts.BuyHintMsg, {products});
        return text;
      }
      if (shortfall.LackingId == shortfall.TargetId) return FormatText(texts.NoMakerMsg, {target});
      return FormatText(texts.LacksMsg, {target, PlanProductName(catalogue, shortfall.LackingId)});
    }
    case TPlanStatus::Limit: {
      std::string types;
      for (const TPlanCount& count : shortfall.OverLimit)
        types += (types.empty() ? "" : ", ") + std::to_string(count.Count) + " " + count.Name;
      return FormatText(texts.OverLimitMsg, {std::to_string(options.Limit), types});
    }
    case TPlanStatus::Failed:
      break;
  }
  return FormatText(texts.FailedMsg, {plan.Detail});
}

}  // namespace qv
