#include <ostream>
#include <string>

#include "cli/CliContext.h"
#include "cli/CliRequestOptions.h"
#include "cli/Commands.h"
#include "data/IniFile.h"
#include "economy/ComplexCalculation.h"
#include "economy/ComplexResults.h"
#include "economy/ComplexTables.h"
#include "settings/Settings.h"

namespace qv::cli {

int SavedPowerCycle(CliContext& context) {
  if (const IniFile* settings = context.Settings())
    return settings->ReadInteger("ComplexCalcWindow", "PowerCycle", 90);
  return 90;
}

// complex [--power-cycle N] [--trace]: the saved complex as the complex
// window computes it when shown.
int RunComplex(CliContext& context, const CommandArgs& args) {
  std::optional<int> powerCycle;
  bool trace = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (std::optional<std::string> value = OptionValue(args, i, "--power-cycle"))
      powerCycle = ParseIntArgument(*value, "--power-cycle");
    else if (args[i] == "--trace")
      trace = true;
    else
      throw UsageError("complex: unexpected argument " + args[i]);
  }

  TDataModule1& store = context.Store();
  Table factoryList("FactoryListData");
  BuildFactoryListSchema(factoryList, store);
  Table factProd("FactProdData");
  BuildFactProdSchema(factProd);
  TComplexCalculation calculation;
  try {
    LoadComplexFiles(context.Home(), factoryList, factProd);
  } catch (const TableError& error) {
    context.Err() << "qvmap-cli: " << error.what() << "\n";
    return 1;
  }
  {
    BuyableFactoryTypes buyable(store);
    LoadComplexFactories(store, factoryList, factProd, calculation.Factories);
  }

  TComplexTexts texts;
  TranslateComplexTexts(texts, context.LanguageFile());
  calculation.TraceOn = trace;
  const TComplexResults results =
      UpdateResults(calculation, powerCycle.value_or(SavedPowerCycle(context)), -1, texts);

  std::ostream& out = context.Out();
  const auto line = [&out](const auto& cells) {
    bool first = true;
    for (const std::string& cell : cells) {
      out << (first ? "" : "\t") << cell;
      first = false;
    }
    out << '\n';
  };
  line(texts.GridTitles);
  for (const auto& row : results.Rows)
    line(row);
  out << "profit\t" << results.ProfitText << '\n';
  out << "message\t" << results.MessageText << '\n';
  // The factories that kept changing until the pass limit.
  if (!results.Unsettled.RecIds.empty()) {
    out << "unsettled";
    for (std::size_t i = 0; i < results.Unsettled.RecIds.size(); ++i)
      out << '\t' << results.Unsettled.RecIds[i] << '\t' << results.Unsettled.Names[i];
    out << '\n';
  }
  for (const TFactory& factory : calculation.Factories.Factories()) {
    const Record type = store.FactoriesData.Lookup(store.Fields().Factories.Id->FieldName(),
                                                   Value(factory.FactoryId));
    line(std::vector<std::string>{
        "factory", std::to_string(factory.RecId),
        type.IsValid() ? store.Fields().Factories.Name.Of(type).ToString() : "",
        TruncatedText(factory.MaxProfit)});
  }
  if (!results.TraceError.empty()) {
    context.Err() << "qvmap-cli: Cannot write " << results.TraceError << "\n";
    return 1;
  }
  return context.StoreLoadFailed() ? 1 : 0;
}

}  // namespace qv::cli
