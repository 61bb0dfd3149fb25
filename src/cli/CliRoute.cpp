#include <ostream>

#include "cli/CliContext.h"
#include "cli/CliRouteOptions.h"
#include "cli/Commands.h"
#include "data/DataModule1.h"
#include "map/JumpGraph.h"

namespace qv::cli {

// route FROM TO [--hidden] [--avoid RACE]... [--avoid-pirate-bases]: the
// jumps of the shortest route, then its sectors from the start.
int RunRoute(CliContext& context, const CommandArgs& args) {
  std::vector<std::string> ends;
  bool hidden = false;
  TRouteOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (TakeRouteOption(args, i, options)) continue;
    if (arg == "--hidden") {
      hidden = true;
    } else if (arg.starts_with("--")) {
      throw UsageError("unknown option " + arg);
    } else {
      ends.push_back(arg);
    }
  }
  if (ends.size() != 2) throw UsageError("route needs FROM and TO");

  TJumpGraph graph;
  graph.Update(context.Store(), hidden);
  const auto route = RouteBetween(context, graph, ends[0], ends[1], options);
  if (!route) return 1;
  std::ostream& out = context.Out();
  out << route->size() - 1 << '\n';
  for (const int node : *route) {
    const TJumpSector& s = graph.Sector(node);
    out << s.x << '\t' << s.y << '\t' << LineCell(s.name) << '\n';
  }
  return context.StoreLoadFailed() ? 1 : 0;
}

}  // namespace qv::cli
