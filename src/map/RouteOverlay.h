#pragma once

#include <utility>
#include <vector>

#include "map/ERect.h"
#include "settings/Color.h"

namespace qv {

class TCanvas;
class TMapGeometry;

// A route as the map shows it: the grid positions of its sectors from the
// start to the end. Each step goes to a grid neighbour.
struct TMapRoute {
  std::vector<std::pair<int, int>> cells;
};

// The width of the route's line at the geometry's zoom, in surface pixels.
int RouteLineWidth(const TMapGeometry& geometry);

// Draws the route over the map: a thick line from centre to centre of its
// sectors and a ring around each of its two ends. With a clip, only what
// may reach it.
void DrawRoute(const TMapGeometry& geometry, TCanvas& canvas, const TMapRoute& route, TColor color,
               const TERect* clip = nullptr);

}  // namespace qv
