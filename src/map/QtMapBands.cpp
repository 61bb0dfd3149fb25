#include "map/QtMapBands.h"

#include <QPainter>
#include <algorithm>
#include <utility>
#include <vector>

#include "map/MapRenderer.h"
#include "map/QtCanvas.h"
#include "map/QtTextCache.h"
#include "map/SectorDrawList.h"

namespace qv {

std::string DrawMapBands(const TMapDrawContext& context, int width, int height, MapBandOrder order,
                         const MapBandSink& sink) {
  if (width <= 0 || height <= 0) return "The map has no size to draw";
  // One band of at most 32 MB.
  constexpr long long kBandBytes = 32LL << 20;
  constexpr long long kMostBandRows = 256;
  const int bandRows =
      static_cast<int>(std::clamp<long long>(kBandBytes / (4LL * width), 1, kMostBandRows));
  // Top row and row count of each band, from the bottom of the map up.
  std::vector<std::pair<int, int>> bands;
  for (int bottom = height; bottom > 0;) {
    const int top = std::max(0, bottom - bandRows);
    bands.emplace_back(top, bottom - top);
    bottom = top;
  }
  if (order == MapBandOrder::TopDown) std::reverse(bands.begin(), bands.end());

  // The sectors are read once for all bands, and each text shaped once.
  TSectorDrawList ownSectors;
  TMapDrawContext bandContext = context;
  if (bandContext.sectors == nullptr) bandContext.sectors = &ownSectors;
  QtTextCache texts;
  QImage band(width, bandRows, QImage::Format_RGB32);
  if (band.isNull()) return "Memory allocation error";
  for (const auto& [top, rows] : bands) {
    {
      QPainter painter(&band);
      painter.translate(0, -top);
      painter.setClipRect(0, top, width, rows);
      QtCanvas canvas(painter, &texts);
      DrawMapPart(bandContext, canvas, width, height, MakeERect(0, top, width, rows));
    }
    if (!sink(band, top, rows)) break;
  }
  return {};
}

}  // namespace qv
