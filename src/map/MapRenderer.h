#pragma once

#include <array>
#include <string>
#include <string_view>

#include "map/ERect.h"

namespace qv {

// The races a sector's Race text is compared with, exactly; any other text
// is no race.
inline constexpr std::array<std::string_view, 7> kRaceNames = {
    "Kessar", "Lumari", "Vossk", "Orthane", "Drakh", "Zhurr", "Pirates"};

class TCanvas;
class TDataModule1;
class TMapGeometry;
class TSectorArray;
class TSectorDrawList;
struct TMapRoute;
struct TMapSettings;
struct TRequestData;
struct TRequestSettings;

// Everything the map drawing reads. The geometry gives the grid-to-pixel
// arithmetic and the zoom; the map settings the colours, fonts and view
// switches (statistics are shown when ShowStatistics is on and the request
// has a product); the request settings the bar layout. A window keeps the
// sectors' draw list across its repaints; without one, each drawing reads the
// sectors table afresh. A route shown is drawn over everything else.
struct TMapDrawContext {
  TDataModule1& store;
  const TMapGeometry& geometry;
  const TMapSettings& map;
  const TRequestSettings& bars;
  const TRequestData& request;
  const TSectorArray& cells;
  TSectorDrawList* sectors = nullptr;
  const TMapRoute* route = nullptr;
};

// Paints the whole map into (0, 0, width, height): background, gate lines,
// the sector squares with names, station marks, statistics and suns, in the
// order of the sectors table. The table's cursor and views are not touched.
void DrawMap(const TMapDrawContext& context, TCanvas& canvas, int width, int height);

// As DrawMap, but only what may reach `clip` (a rectangle of the surface, as
// a repaint exposes it): the background inside it and the gate lines and
// sectors that can touch it, found through the draw list's grid index, so
// that the cost follows the size of the clip rather than of the map. Inside
// `clip` the pixels are those of DrawMap.
void DrawMapPart(const TMapDrawContext& context, TCanvas& canvas, int width, int height,
                 const TERect& clip);

// A sector's name beside or on its square, placed by the codes -2..2.
void DrawSectorName(const TMapDrawContext& context, TCanvas& canvas, int left, int top,
                    const std::string& name, int nameDx, int nameDy);

// The request bars or numbers of the sector at (x, y), whose square has its
// top-left corner at (left, top); nothing when its cell is absent.
void DrawSectorStatistics(const TMapDrawContext& context, TCanvas& canvas, int x, int y, int left,
                          int top);

// Whether the map shows request statistics instead of race colours.
bool StatisticsShown(const TMapDrawContext& context);

}  // namespace qv
