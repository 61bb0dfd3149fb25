// Routes and the where-to search over a generated universe of 100,000
// sectors on a 317 x 317 grid, hidden sectors included.
//
// Goals, each beside its baseline in the same run:
// - the route from one corner of the universe to the other within 30 ms,
//   and within 3 times a bare breadth-first search over a prebuilt
//   adjacency array of the same grid;
// - the where-to search for one product within 50 ms;
// - the repaint of the visible full-HD part of the map with a route of 600
//   jumps shown within 10 % of the same repaint without it.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <memory>
#include <vector>

#include "BenchUniverse.h"
#include "economy/WhereTo.h"
#include "map/JumpGraph.h"
#include "map/MapGeometry.h"
#include "map/MapRenderer.h"
#include "map/QtCanvas.h"
#include "map/QtMapImage.h"
#include "map/QtTextCache.h"
#include "map/RequestData.h"
#include "map/RouteFinder.h"
#include "map/RouteOverlay.h"
#include "map/SectorArray.h"
#include "map/SectorDrawList.h"
#include "settings/MainWindowSettings.h"

namespace {

constexpr int kWindowWidth = 1920;
constexpr int kWindowHeight = 1080;

struct RouteUniverse : qvbench::GeneratedUniverse {
  qv::TJumpGraph graph;
  int northWest = -1;  // the corners of the universe, by X + Y
  int southEast = -1;

  RouteUniverse() : GeneratedUniverse(100000, 317) {
    graph.Update(store, true);
    for (int node = 0; node < graph.Count(); ++node) {
      const qv::TJumpSector& s = graph.Sector(node);
      const auto sum = [&](int n) { return graph.Sector(n).x + graph.Sector(n).y; };
      if (northWest < 0 || s.x + s.y < sum(northWest)) northWest = node;
      if (southEast < 0 || s.x + s.y > sum(southEast)) southEast = node;
    }
  }
};

RouteUniverse& Universe() {
  static RouteUniverse universe;
  return universe;
}

void BM_RouteCornerToCorner(benchmark::State& state) {
  RouteUniverse& u = Universe();
  std::size_t jumps = 0;
  for (auto _ : state) {
    const auto route = qv::FindRoute(u.graph, u.northWest, u.southEast, {});
    if (!route) state.SkipWithError("no route");
    jumps = route ? route->size() - 1 : 0;
  }
  state.counters["sectors"] = u.graph.Count();
  state.counters["jumps"] = static_cast<double>(jumps);
}
BENCHMARK(BM_RouteCornerToCorner)->Unit(benchmark::kMillisecond);

// The same with sectors to avoid, which the search has to look at first.
void BM_RouteAvoiding(benchmark::State& state) {
  RouteUniverse& u = Universe();
  const qv::TRouteOptions avoid{.avoidRaces = {"Pirates"}, .avoidPirateBases = true};
  for (auto _ : state)
    benchmark::DoNotOptimize(qv::FindRoute(u.graph, u.northWest, u.southEast, avoid));
}
BENCHMARK(BM_RouteAvoiding)->Unit(benchmark::kMillisecond);

// The graph read afresh from the table, as after every edit of the sectors.
void BM_JumpGraphBuild(benchmark::State& state) {
  RouteUniverse& u = Universe();
  for (auto _ : state) {
    qv::TJumpGraph graph;
    graph.Update(u.store, true);
    benchmark::DoNotOptimize(graph.Count());
  }
}
BENCHMARK(BM_JumpGraphBuild)->Unit(benchmark::kMillisecond);

// The baseline: a breadth-first search from the one corner until it reaches
// the other, over the same jumps laid out beforehand in one adjacency array.
void BM_BareBreadthFirst(benchmark::State& state) {
  RouteUniverse& u = Universe();
  const int n = u.graph.Count();
  std::vector<int> start(static_cast<std::size_t>(n) + 1, 0);
  std::vector<int> targets;
  for (int node = 0; node < n; ++node) {
    for (const int to : u.graph.Jumps(node))
      targets.push_back(to);
    start[static_cast<std::size_t>(node) + 1] = static_cast<int>(targets.size());
  }
  int jumps = 0;
  for (auto _ : state) {
    std::vector<int> distance(static_cast<std::size_t>(n), -1);
    std::vector<int> queue;
    queue.reserve(static_cast<std::size_t>(n));
    distance[static_cast<std::size_t>(u.northWest)] = 0;
    queue.push_back(u.northWest);
    for (std::size_t head = 0; head < queue.size(); ++head) {
      const int node = queue[head];
      if (node == u.southEast) break;
      for (int k = start[static_cast<std::size_t>(node)];
           k < start[static_cast<std::size_t>(node) + 1]; ++k) {
        const int to = targets[static_cast<std::size_t>(k)];
        if (distance[static_cast<std::size_t>(to)] >= 0) continue;
        distance[static_cast<std::size_t>(to)] = distance[static_cast<std::size_t>(node)] + 1;
        queue.push_back(to);
      }
    }
    jumps = distance[static_cast<std::size_t>(u.southEast)];
    benchmark::DoNotOptimize(jumps);
  }
  state.counters["jumps"] = jumps;
}
BENCHMARK(BM_BareBreadthFirst)->Unit(benchmark::kMillisecond);

// "Where to" for one product in each role, from the north-west corner.
void BM_WhereTo(benchmark::State& state) {
  RouteUniverse& u = Universe();
  const int product = u.RecipeProducts(1).front();
  const auto role = static_cast<qv::TWhereRole>(state.range(0));
  std::size_t found = 0;
  for (auto _ : state) {
    const auto rows = qv::FindWhereTo(
        u.store, u.graph, {.productId = product, .role = role, .fromNode = u.northWest});
    found = rows.size();
  }
  state.counters["sectors_found"] = static_cast<double>(found);
}
BENCHMARK(BM_WhereTo)->ArgName("role")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The first search after the sectors changed: the graph is read again
// (not timed here, see BM_JumpGraphBuild) and the sectors' order by name,
// which the sorting needs, is worked out afresh.
void BM_WhereToAfterEdit(benchmark::State& state) {
  RouteUniverse& u = Universe();
  const int product = u.RecipeProducts(1).front();
  for (auto _ : state) {
    state.PauseTiming();
    auto graph = std::make_unique<qv::TJumpGraph>();
    graph->Update(u.store, true);
    state.ResumeTiming();
    benchmark::DoNotOptimize(qv::FindWhereTo(
        u.store, *graph,
        {.productId = product, .role = qv::TWhereRole::Made, .fromNode = u.northWest}));
    state.PauseTiming();
    graph.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_WhereToAfterEdit)->Unit(benchmark::kMillisecond);

// The repaint of the visible part of a full-HD window in the middle of the
// map, with the window's draw list and text cache kept, as in MapBench;
// argument 1 shows a route of 600 jumps that runs through it.
void BM_RepaintWithRoute(benchmark::State& state) {
  static qv::QtHeadlessGui gui;
  RouteUniverse& u = Universe();
  static qv::TMapGeometry geometry;
  static qv::TMapSettings map;
  static qv::TRequestSettings bars;
  static qv::TRequestData request;
  static qv::TSectorArray cells;
  static qv::QtTextCache texts;
  static qv::TSectorDrawList sectors;
  static qv::TMapRoute route;
  map.ShowRaces = map.ShowSuns = map.ShowDocks = map.ShowShipyards = map.ShowPirateBases = true;
  geometry.SetZoomFactor(1.0);
  geometry.RefreshBounds(u.store.GetSectorBounds(), false, qv::TViewport{});
  const qv::TERect exposed =
      qv::MakeERect((geometry.SurfaceWidth() - kWindowWidth) / 2,
                    (geometry.SurfaceHeight() - kWindowHeight) / 2, kWindowWidth, kWindowHeight);
  if (route.cells.empty()) {
    // From the sector nearest the middle of the window towards a corner,
    // cut to 600 jumps, and laid back so that its middle is in view.
    const auto [middleX, middleY] = [&] {
      const auto hit =
          geometry.HitTest(exposed.left + exposed.width / 2, exposed.top + exposed.height / 2);
      return hit ? *hit : std::pair<int, int>{158, 158};
    }();
    int middle = 0;
    for (int node = 0; node < u.graph.Count(); ++node) {
      const qv::TJumpSector& s = u.graph.Sector(node);
      const qv::TJumpSector& best = u.graph.Sector(middle);
      if (std::abs(s.x - middleX) + std::abs(s.y - middleY) <
          std::abs(best.x - middleX) + std::abs(best.y - middleY))
        middle = node;
    }
    auto half = [&](int corner) {
      auto path = qv::FindRoute(u.graph, middle, corner, {}).value_or(std::vector<int>{});
      path.resize(std::min<std::size_t>(path.size(), 301));
      return path;
    };
    std::vector<int> toNorthWest = half(u.northWest);
    const std::vector<int> toSouthEast = half(u.southEast);
    std::reverse(toNorthWest.begin(), toNorthWest.end());
    for (const int node : toNorthWest)
      route.cells.emplace_back(u.graph.Sector(node).x, u.graph.Sector(node).y);
    for (std::size_t i = 1; i < toSouthEast.size(); ++i)
      route.cells.emplace_back(u.graph.Sector(toSouthEast[i]).x, u.graph.Sector(toSouthEast[i]).y);
  }
  const qv::TMapDrawContext context{u.store, geometry, map,      bars,
                                    request, cells,    &sectors, state.range(0) ? &route : nullptr};
  QImage window(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
  auto paint = [&] {
    QPainter painter(&window);
    painter.translate(-exposed.left, -exposed.top);
    painter.setClipRect(exposed.left, exposed.top, exposed.width, exposed.height);
    qv::QtCanvas canvas(painter, &texts);
    qv::DrawMapPart(context, canvas, geometry.SurfaceWidth(), geometry.SurfaceHeight(), exposed);
  };
  paint();
  for (auto _ : state)
    paint();
  state.counters["route_jumps"] = state.range(0) ? static_cast<double>(route.cells.size() - 1) : 0;
}
BENCHMARK(BM_RepaintWithRoute)->ArgName("route")->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace
