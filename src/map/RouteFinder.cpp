#include "map/RouteFinder.h"

#include <algorithm>
#include <cstdint>

#include "map/JumpGraph.h"

namespace qv {

namespace {

// Which nodes a route may pass through; empty when every node may.
std::vector<std::uint8_t> PassableNodes(const TJumpGraph& graph, const TRouteOptions& options) {
  std::vector<std::uint8_t> passable;
  if (!options.AvoidsAny()) return passable;
  const std::vector<std::string>& races = graph.Races();
  std::vector<std::uint8_t> raceAvoided(races.size(), 0);
  for (std::size_t i = 0; i < races.size(); ++i)
    raceAvoided[i] = std::find(options.avoidRaces.begin(), options.avoidRaces.end(), races[i]) !=
                     options.avoidRaces.end();
  passable.resize(static_cast<std::size_t>(graph.Count()));
  for (int node = 0; node < graph.Count(); ++node) {
    const TJumpSector& s = graph.Sector(node);
    passable[static_cast<std::size_t>(node)] =
        !raceAvoided[static_cast<std::size_t>(s.race)] && !(options.avoidPirateBases && s.pirate);
  }
  return passable;
}

bool Valid(const TJumpGraph& graph, int node) {
  return node >= 0 && node < graph.Count();
}

}  // namespace

std::optional<std::vector<int>> FindRoute(const TJumpGraph& graph, int from, int to,
                                          const TRouteOptions& options) {
  if (!Valid(graph, from) || !Valid(graph, to)) return std::nullopt;
  if (from == to) return std::vector<int>{from};
  const std::vector<std::uint8_t> passable = PassableNodes(graph, options);
  auto mayPass = [&](int node) {
    return passable.empty() || passable[static_cast<std::size_t>(node)] != 0;
  };

  // Jumps from each node to the end, searched backwards from the end until
  // the start is reached. Every node nearer to the end than the start is
  // known by then, which is all the walk below asks.
  std::vector<int> toEnd(static_cast<std::size_t>(graph.Count()), -1);
  std::vector<int> queue;
  queue.reserve(static_cast<std::size_t>(graph.Count()));
  toEnd[static_cast<std::size_t>(to)] = 0;
  queue.push_back(to);
  bool reached = false;
  for (std::size_t head = 0; head < queue.size() && !reached; ++head) {
    const int node = queue[head];
    const int next = toEnd[static_cast<std::size_t>(node)] + 1;
    for (const int before : graph.JumpsInto(node)) {
      if (toEnd[static_cast<std::size_t>(before)] >= 0) continue;
      if (before == from) {
        toEnd[static_cast<std::size_t>(before)] = next;
        reached = true;
        break;
      }
      if (!mayPass(before)) continue;
      toEnd[static_cast<std::size_t>(before)] = next;
      queue.push_back(before);
    }
  }
  if (!reached) return std::nullopt;

  // From the start, always on to the smallest Id among the jumps one nearer
  // to the end: each choice still leaves a shortest way on, so the Ids read
  // from the start are the smallest of all shortest routes.
  std::vector<int> route{from};
  int node = from;
  for (int left = toEnd[static_cast<std::size_t>(from)]; left > 0; --left) {
    int best = -1;
    for (const int next : graph.Jumps(node)) {
      if (toEnd[static_cast<std::size_t>(next)] != left - 1) continue;
      if (best < 0 || graph.Sector(next).id < graph.Sector(best).id) best = next;
    }
    route.push_back(best);
    node = best;
  }
  return route;
}

std::vector<int> JumpCounts(const TJumpGraph& graph, int from, const TRouteOptions& options) {
  std::vector<int> jumps(static_cast<std::size_t>(graph.Count()), -1);
  if (!Valid(graph, from)) return jumps;
  const std::vector<std::uint8_t> passable = PassableNodes(graph, options);
  std::vector<int> queue;
  queue.reserve(jumps.size());
  jumps[static_cast<std::size_t>(from)] = 0;
  queue.push_back(from);
  for (std::size_t head = 0; head < queue.size(); ++head) {
    const int node = queue[head];
    // A sector to avoid ends a route but leads nowhere further.
    if (node != from && !passable.empty() && !passable[static_cast<std::size_t>(node)]) continue;
    for (const int next : graph.Jumps(node)) {
      if (jumps[static_cast<std::size_t>(next)] >= 0) continue;
      jumps[static_cast<std::size_t>(next)] = jumps[static_cast<std::size_t>(node)] + 1;
      queue.push_back(next);
    }
  }
  return jumps;
}

}  // namespace qv
