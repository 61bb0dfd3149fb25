#include <ostream>

#include "cli/CliContext.h"
#include "cli/CliRequestOptions.h"
#include "cli/CliRouteOptions.h"
#include "cli/Commands.h"
#include "data/DataModule1.h"
#include "economy/WhereTo.h"
#include "map/FormatStatValue.h"
#include "map/JumpGraph.h"

namespace qv::cli {

namespace {

TWhereRole ParseRole(const std::string& text) {
  if (text == "made") return TWhereRole::Made;
  if (text == "needed") return TWhereRole::Needed;
  if (text == "traded") return TWhereRole::Traded;
  throw UsageError("--role is made, needed or traded, got \"" + text + "\"");
}

// The Id of the first product type of exactly that name, or nothing.
std::optional<int> ProductNamed(const TDataModule1& store, const std::string& name) {
  const TProductsFields& f = store.Fields().Products;
  for (const Record& row : store.ProductsData.AllRecords())
    if (f.Name.Of(row).ToString() == name) return f.Id.Of(row).ToInteger();
  return std::nullopt;
}

}  // namespace

// where PRODUCT --role made|needed|traded --from X,Y [--hidden] [--reachable]
// [--avoid RACE]... [--avoid-pirate-bases]: the sectors that make, need or
// trade the product, nearest first, as the "Where to" window lists them.
int RunWhere(CliContext& context, const CommandArgs& args) {
  std::vector<std::string> positional;
  std::optional<TWhereRole> role;
  std::optional<std::string> from;
  bool hidden = false;
  TWhereToQuery query;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (TakeRouteOption(args, i, query.route)) continue;
    if (auto value = OptionValue(args, i, "--role")) {
      role = ParseRole(*value);
    } else if (auto start = OptionValue(args, i, "--from")) {
      from = *start;
    } else if (arg == "--hidden") {
      hidden = true;
    } else if (arg == "--reachable") {
      query.onlyReachable = true;
    } else if (arg.starts_with("--")) {
      throw UsageError("unknown option " + arg);
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 1) throw UsageError("where needs one PRODUCT");
  if (!role) throw UsageError("where needs --role made, needed or traded");
  if (!from) throw UsageError("where needs --from X,Y");
  query.role = *role;

  TDataModule1& store = context.Store();
  const std::optional<int> product = ProductNamed(store, positional[0]);
  if (!product) {
    context.Err() << "qvmap-cli: Unknown product \"" << positional[0] << "\"\n";
    return 1;
  }
  query.productId = *product;
  std::string error;
  const std::optional<NamedSector> start = ResolveSector(store, *from, error);
  TJumpGraph graph;
  graph.Update(store, hidden);
  if (start) query.fromNode = NodeOnMap(graph, *start, error);
  if (query.fromNode < 0) {
    context.Err() << "qvmap-cli: " << error << "\n";
    return 1;
  }

  std::ostream& out = context.Out();
  for (const TWhereToRow& row : FindWhereTo(store, graph, query)) {
    const TJumpSector& s = graph.Sector(row.node);
    out << s.x << '\t' << s.y << '\t' << LineCell(s.name) << '\t'
        << (row.jumps >= 0 ? std::to_string(row.jumps) : "-") << '\t' << row.count << '\t'
        << (row.rate > 0.0 ? FormatStatValue(row.rate, true) : "") << '\n';
  }
  return context.StoreLoadFailed() ? 1 : 0;
}

}  // namespace qv::cli
