#include <charconv>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliContext.h"
#include "cli/CliRequestOptions.h"
#include "cli/Commands.h"
#include "data/ProgramFolderLock.h"
#include "data/TableError.h"
#include "economy/ComplexCalculation.h"
#include "economy/ComplexPlan.h"
#include "economy/ComplexResults.h"
#include "economy/ComplexTables.h"
#include "economy/GlpkSolver.h"
#include "economy/PlanComplex.h"

namespace qv::cli {

namespace {

// PRODUCT=VALUE; a product name may hold '=' itself, the value follows the last one.
std::pair<std::string, std::string> SplitAssignment(const std::string& text,
                                                    const std::string& option) {
  const std::string::size_type equals = text.rfind('=');
  if (equals == std::string::npos || equals == 0)
    throw UsageError(option + " needs PRODUCT=VALUE, got \"" + text + "\"");
  return {text.substr(0, equals), text.substr(equals + 1)};
}

double ParseRate(const std::string& text) {
  double rate = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), rate);
  if (error != std::errc() || end != text.data() + text.size() || !(rate > 0) ||
      !std::isfinite(rate))
    throw UsageError("--target needs a rate above 0 in units per hour, got \"" + text + "\"");
  return rate;
}

struct PlanArguments {
  std::vector<std::pair<std::string, double>> targets;
  std::vector<std::pair<std::string, int>> prices;
  std::vector<std::string> buy, noBuy;
  TPlanOptions options;
  bool solarCycleGiven = false;
  bool save = false;
};

PlanArguments ParsePlanArguments(const CommandArgs& args) {
  PlanArguments parsed;
  TPlanOptions& options = parsed.options;
  for (size_t i = 0; i < args.size(); ++i) {
    std::optional<std::string> value;
    if ((value = OptionValue(args, i, "--target"))) {
      const auto [product, rate] = SplitAssignment(*value, "--target");
      parsed.targets.emplace_back(product, ParseRate(rate));
    } else if ((value = OptionValue(args, i, "--objective"))) {
      if (*value != "count" && *value != "cost")
        throw UsageError("--objective is count or cost, got \"" + *value + "\"");
      options.Objective = *value == "count" ? TPlanObjective::Count : TPlanObjective::Cost;
    } else if ((value = OptionValue(args, i, "--price"))) {
      if (*value == "min")
        options.PriceRule = TPlanPriceRule::Min;
      else if (*value == "avg")
        options.PriceRule = TPlanPriceRule::Avg;
      else if (*value == "max")
        options.PriceRule = TPlanPriceRule::Max;
      else
        throw UsageError("--price is min, avg or max, got \"" + *value + "\"");
    } else if ((value = OptionValue(args, i, "--set-price"))) {
      const auto [product, price] = SplitAssignment(*value, "--set-price");
      parsed.prices.emplace_back(product, ParseIntArgument(price, "--set-price"));
    } else if ((value = OptionValue(args, i, "--buy"))) {
      parsed.buy.push_back(*value);
    } else if ((value = OptionValue(args, i, "--no-buy"))) {
      parsed.noBuy.push_back(*value);
    } else if ((value = OptionValue(args, i, "--solar-cycle"))) {
      options.SolarCycle = ParseIntArgument(*value, "--solar-cycle");
      parsed.solarCycleGiven = true;
    } else if ((value = OptionValue(args, i, "--yield"))) {
      options.MineYield = ParseIntArgument(*value, "--yield");
    } else if ((value = OptionValue(args, i, "--limit"))) {
      options.Limit = ParseIntArgument(*value, "--limit");
      if (options.Limit < 1) throw UsageError("--limit needs a number of at least 1");
    } else if (args[i] == "--save") {
      parsed.save = true;
    } else {
      throw UsageError("plan: unexpected argument " + args[i]);
    }
  }
  if (parsed.targets.empty()) throw UsageError("plan needs at least one --target PRODUCT=RATE");
  return parsed;
}

}  // namespace

// plan --target PRODUCT=RATE...: the factories to buy for the targets, as the
// complex window's planner finds them; --save makes the plan the saved complex.
int RunPlan(CliContext& context, const CommandArgs& args) {
  PlanArguments parsed = ParsePlanArguments(args);
  TPlanOptions& options = parsed.options;
  if (!parsed.solarCycleGiven) options.SolarCycle = SavedPowerCycle(context);

  TDataModule1& store = context.Store();
  const TPlanCatalogue catalogue = LoadPlanCatalogue(store);
  const auto product = [&](const std::string& name) -> const TPlanProduct* {
    const TPlanProduct* found = catalogue.FindProductByName(name);
    if (!found) context.Err() << "qvmap-cli: no product \"" << name << "\"\n";
    return found;
  };
  options.MayBuy = catalogue.DefaultMayBuy();
  for (const auto& [name, rate] : parsed.targets) {
    const TPlanProduct* target = product(name);
    if (!target) return 1;
    for (const TPlanTarget& earlier : options.Targets)
      if (earlier.ProductId == target->Id)
        throw UsageError("plan: --target " + name + " given twice");
    options.Targets.push_back({target->Id, rate});
  }
  for (const auto& [name, price] : parsed.prices) {
    const TPlanProduct* priced = product(name);
    if (!priced) return 1;
    options.Prices[priced->Id] = price;
  }
  for (const std::string& name : parsed.buy) {
    const TPlanProduct* bought = product(name);
    if (!bought) return 1;
    options.MayBuy.insert(bought->Id);
  }
  for (const std::string& name : parsed.noBuy) {
    const TPlanProduct* kept = product(name);
    if (!kept) return 1;
    options.MayBuy.erase(kept->Id);
  }

  const std::unique_ptr<TMipSolver> solver = MakeGlpkSolver();
  const TPlan plan = SolvePlan(catalogue, options, *solver);
  TPlanTexts texts;
  TranslatePlanTexts(texts, context.LanguageFile());

  std::ostream& out = context.Out();
  for (const TPlanCount& count : plan.Counts)
    out << "factory\t" << count.Name << '\t' << count.Count << '\n';
  for (const TPlanRate& rate : plan.Rates)
    out << "product\t" << rate.Name << '\t' << PlanRateText(rate.Made) << '\t'
        << PlanRateText(rate.Used) << '\t' << PlanRateText(rate.Bought) << '\t'
        << PlanRateText(rate.Surplus) << '\n';
  if (plan.HasPlan()) out << "profit\t" << TruncatedText(plan.Profit) << '\n';
  out << "status\t" << PlanStatusName(plan.Status);
  if (plan.Status != TPlanStatus::Optimal)
    out << '\t' << PlanStatusText(plan, catalogue, options, texts);
  out << '\n';
  if (!plan.HasPlan()) return 1;

  if (parsed.save) {
    if (context.StoreLoadFailed()) {
      context.Err() << "qvmap-cli: the universe could not be read whole; nothing written\n";
      return 1;
    }
    const ProgramFolderLock lock(context.Home());
    if (!lock.Held()) {
      context.Err() << "qvmap-cli: " << lock.Problem() << "; nothing written\n";
      return 1;
    }
    Table factoryList("FactoryListData");
    BuildFactoryListSchema(factoryList, store);
    Table factProd("FactProdData");
    BuildFactProdSchema(factProd);
    TFactorySet set;
    try {
      const BuyableFactoryTypes buyable(store);
      UsePlanAsComplex(store, catalogue, plan, options, factoryList, set);
      SaveComplexFiles(context.Home(), factoryList, set, factProd);
    } catch (const TableError& error) {
      context.Err() << "qvmap-cli: " << error.what() << "\n";  // it names the file
      return 1;
    }
  }
  return context.StoreLoadFailed() ? 1 : 0;
}

}  // namespace qv::cli
