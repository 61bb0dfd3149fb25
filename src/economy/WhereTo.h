#pragma once

#include <vector>

#include "map/RouteFinder.h"

namespace qv {

class TDataModule1;
class TJumpGraph;

// What a sector does with the product looked for: a factory there makes it,
// a factory there needs it, or a station there (trading station, shipyard,
// equipment dock, pirate base) trades it.
enum class TWhereRole { Made, Needed, Traded };

struct TWhereToQuery {
  int productId = 0;
  TWhereRole role = TWhereRole::Made;
  int fromNode = -1;  // the graph node the jumps count from; -1 for none
  TRouteOptions route{};
  bool onlyReachable = false;  // leave out the sectors no route leads to
};

// One sector that has the product in its role, with the figures the
// products-in-sector list gives it there: made, the recipe rows making it
// (P) and the units made per hour; needed, the recipe rows needing it (N) and
// the units needed per hour by factories; traded, the trader rows (T) and
// the product's trading rate, counted once as that list adds it.
struct TWhereToRow {
  int node = 0;    // in the graph
  int jumps = -1;  // from the query's start, -1 where no route leads (or no start)
  int count = 0;
  double rate = 0.0;
};

// Every sector on the graph that has the product in its role, sorted by
// jumps (sectors without a route last), then name, then Id. Reads the
// tables without moving any cursor, order or filter.
std::vector<TWhereToRow> FindWhereTo(const TDataModule1& store, const TJumpGraph& graph,
                                     const TWhereToQuery& query);

}  // namespace qv
