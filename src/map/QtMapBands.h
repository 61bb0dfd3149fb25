#pragma once

#include <QImage>
#include <functional>
#include <string>

namespace qv {

struct TMapDrawContext;

// The order in which the bands of a map image are drawn and handed on.
enum class MapBandOrder {
  BottomUp,  // as a BMP file keeps its rows
  TopDown,   // as a PNG file keeps its rows
};

// Told of each band as it is drawn: `band` holds the map's rows from `top`
// on in its first `rows` lines. Returning false stops the drawing.
using MapBandSink = std::function<bool(const QImage& band, int top, int rows)>;

// Draws the map (as RenderMapImage would, without a selection marker) in
// horizontal bands of a few hundred rows into one band image that is reused,
// so that memory holds one band whatever the size of the map. The bands are
// cut from the bottom of the map in either order, so every image made of
// them has the same pixels. Returns the empty text when every band was
// drawn or the sink stopped, else why not; what the sink throws goes on.
std::string DrawMapBands(const TMapDrawContext& context, int width, int height, MapBandOrder order,
                         const MapBandSink& sink);

}  // namespace qv
