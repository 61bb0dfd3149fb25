#pragma once

#include <optional>
#include <vector>

#include "settings/RouteOptions.h"

namespace qv {

class TJumpGraph;

// The shortest route between two nodes of the graph, as the nodes from the
// start to the end (both included; one node when they are the same): the
// fewest jumps, and of routes with as few, the one whose sector Ids read
// from the start are the smallest, so that the answer never changes from run
// to run. Nothing when no route leads there.
std::optional<std::vector<int>> FindRoute(const TJumpGraph& graph, int from, int to,
                                          const TRouteOptions& options);

// The jumps the shortest route from `from` takes to every node, -1 where no
// route leads (FindRoute's length, for all ends at once).
std::vector<int> JumpCounts(const TJumpGraph& graph, int from, const TRouteOptions& options);

}  // namespace qv
