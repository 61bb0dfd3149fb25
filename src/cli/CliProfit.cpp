#include <ostream>
#include <string>
#include <vector>

#include "cli/CliContext.h"
#include "cli/CliRequestOptions.h"
#include "cli/Commands.h"
#include "economy/FactoryProfit.h"
#include "economy/ProductFrameModel.h"

namespace qv::cli {

namespace {

struct PriceOption {
  std::string product;
  int price = 0;
};

PriceOption ParsePrice(const std::string& text) {
  // Product names may hold '=' themselves: the price follows the last one.
  const std::string::size_type equals = text.rfind('=');
  if (equals == std::string::npos || equals == 0)
    throw UsageError("--price needs PRODUCT=PRICE, got \"" + text + "\"");
  return {text.substr(0, equals), ParseIntArgument(text.substr(equals + 1), "--price")};
}

// The buyable factory type of that name, as the window's list offers it.
Record FindBuyableType(TDataModule1& store, const std::string& name) {
  const TFactoriesFields& f = store.Fields().Factories;
  for (const Record& type : store.FactoriesData.AllRecords())
    if (f.Name.Of(type).ToString() == name && f.Buyable.Of(type).ToBoolean()) return type;
  return Record(store.FactoriesData, nullptr);
}

}  // namespace

// profit FACTORY [--yield N | --cycle N] [--price PRODUCT=PRICE]...: the
// factory profit window after choosing a factory type.
int RunProfit(CliContext& context, const CommandArgs& args) {
  std::string factoryName;
  std::optional<std::string> boxText;
  std::vector<PriceOption> prices;
  for (size_t i = 0; i < args.size(); ++i) {
    std::optional<std::string> value;
    if ((value = OptionValue(args, i, "--yield")) || (value = OptionValue(args, i, "--cycle"))) {
      if (boxText) throw UsageError("profit: give --yield or --cycle once");
      ParseIntArgument(*value, "--yield / --cycle");
      boxText = *value;
    } else if ((value = OptionValue(args, i, "--price"))) {
      prices.push_back(ParsePrice(*value));
    } else if (args[i].starts_with("--")) {
      throw UsageError("profit: unknown option " + args[i]);
    } else if (factoryName.empty()) {
      factoryName = args[i];
    } else {
      throw UsageError("profit: more than one factory type given");
    }
  }
  if (factoryName.empty()) throw UsageError("profit: no factory type given");

  TDataModule1& store = context.Store();
  const Record type = FindBuyableType(store, factoryName);
  if (!type.IsValid()) {
    context.Err() << "qvmap-cli: no factory type \"" << factoryName << "\" that can be bought\n";
    return 1;
  }
  const TFactoriesFields& f = store.Fields().Factories;
  const Special special = AsCode<Special>(f.Special.Of(type).ToInteger());
  const double cycle =
      CycleSeconds(f.Mtime.Of(type).ToInteger(), special,
                   boxText.value_or(std::to_string(DefaultCycleBoxValue(special))));

  std::vector<TFrameData> frames = RecipeFrames(store, f.Id.Of(type).ToInteger());
  for (const PriceOption& option : prices) {
    bool found = false;
    for (TFrameData& frame : frames) {
      if (frame.name == option.product) {
        frame.price = option.price;
        found = true;
      }
    }
    if (!found) {
      context.Err() << "qvmap-cli: " << factoryName << " has no product \"" << option.product
                    << "\"\n";
      return 1;
    }
  }

  std::ostream& out = context.Out();
  std::vector<TProfitItem> items;
  for (const TFrameData& frame : frames) {
    out << FrameLabelText(frame.isProduct, frame.name, store.Texts()) << '\t' << frame.price << '\t'
        << FrameRateText(frame.quantity, cycle, store.Texts().FrameUnitsHour) << '\n';
    items.push_back({frame.price, frame.quantity, frame.isProduct});
  }
  out << "unit\t" << ProfitPerUnitText(items) << '\n';
  out << "hour\t" << ProfitPerHourText(items, cycle) << '\n';
  return context.StoreLoadFailed() ? 1 : 0;
}

}  // namespace qv::cli
