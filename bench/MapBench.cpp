// Drawing the map of a universe far larger than any real one: 10,000 sectors
// on a 100 x 100 grid. A repaint draws the whole map through a painter
// clipped to what the window shows; the goal is 40 ms at 100 %.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "BenchUniverse.h"
#include "data/DataModule1.h"
#include "economy/RequestData.h"
#include "economy/SectorStatistics.h"
#include "map/MapGeometry.h"
#include "map/MapRenderer.h"
#include "map/QtCanvas.h"
#include "map/QtMapImage.h"
#include "map/QtTextCache.h"
#include "map/SectorArray.h"
#include "settings/MainWindowSettings.h"

namespace {

struct BigMap : qvbench::GeneratedUniverse {
  qv::QtHeadlessGui gui;
  qv::TMapGeometry geometry;
  qv::TMapSettings map;
  qv::TRequestSettings bars;
  qv::TRequestData request;
  qv::TSectorArray cells;
  // Kept across repaints as the main window keeps it.
  qv::QtTextCache texts;

  BigMap(int sectors, int side) : GeneratedUniverse(sectors, side) {
    map.ShowRaces = map.ShowSuns = map.ShowDocks = map.ShowShipyards = map.ShowPirateBases = true;
    geometry.RefreshBounds(store.GetSectorBounds(), false, qv::TViewport{});
  }

  void ShowSixProducts() {
    for (const int product : RecipeProducts(6)) {
      request.ProductId[request.Count] = product;
      request.Color[request.Count] = 0x0000FF << (request.Count % 3 * 8);
      ++request.Count;
    }
    cells.SetRange(geometry.MinX(), geometry.MinY(), geometry.MaxX(), geometry.MaxY());
    qv::CalcRequestStatistics(store, request, cells);
    map.ShowStatistics = true;
  }

  qv::TMapDrawContext Context() { return {store, geometry, map, bars, request, cells}; }
};

BigMap& Universe() {
  static BigMap big(10000, 100);
  return big;
}

// The repaint of a full-HD window: DrawMap over the whole surface, the image
// (and so the painter) holding only what the window shows. The window's text
// cache is filled by the first repaint and serves the others.
void Repaint(benchmark::State& state, bool statistics) {
  BigMap& big = Universe();
  if (statistics && big.request.Count == 0) big.ShowSixProducts();
  big.map.ShowStatistics = statistics;
  QImage image(1920, 1080, QImage::Format_RGB32);
  for (auto _ : state) {
    qv::QtCanvas canvas(image, &big.texts);
    qv::DrawMap(big.Context(), canvas, big.geometry.SurfaceWidth(), big.geometry.SurfaceHeight());
  }
  state.counters["surface_w"] = big.geometry.SurfaceWidth();
  state.counters["surface_h"] = big.geometry.SurfaceHeight();
}

void BM_DrawMapRepaint100(benchmark::State& state) {
  Repaint(state, false);
}
BENCHMARK(BM_DrawMapRepaint100)->Unit(benchmark::kMillisecond);

void BM_DrawMapRepaint100Statistics(benchmark::State& state) {
  Repaint(state, true);
}
BENCHMARK(BM_DrawMapRepaint100Statistics)->Unit(benchmark::kMillisecond);

// The same repaint drawing only what reaches the exposed rectangle, a
// full-HD window scrolled into the middle of the map.
void BM_DrawMapPartRepaint100(benchmark::State& state) {
  BigMap& big = Universe();
  big.map.ShowStatistics = state.range(0) != 0;
  if (big.map.ShowStatistics && big.request.Count == 0) big.ShowSixProducts();
  QImage image(1920, 1080, QImage::Format_RGB32);
  const qv::TERect exposed = qv::MakeERect(5000, 5000, 1920, 1080);
  for (auto _ : state) {
    QPainter painter(&image);
    painter.translate(-exposed.left, -exposed.top);
    painter.setClipRect(exposed.left, exposed.top, exposed.width, exposed.height);
    qv::QtCanvas canvas(painter, &big.texts);
    qv::DrawMapPart(big.Context(), canvas, big.geometry.SurfaceWidth(),
                    big.geometry.SurfaceHeight(), exposed);
  }
}
BENCHMARK(BM_DrawMapPartRepaint100)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The whole surface of a 2,500-sector map (7,040 x 7,040 pixels) drawn into one
// image, as the BMP export does.
void BM_DrawMapWholeImage2500(benchmark::State& state) {
  Universe();  // the application object
  static BigMap medium(2500, 50);
  for (auto _ : state) {
    QImage image = qv::RenderMapImage(medium.Context(), medium.geometry.SurfaceWidth(),
                                      medium.geometry.SurfaceHeight());
    benchmark::DoNotOptimize(image.bits());
  }
}
BENCHMARK(BM_DrawMapWholeImage2500)->Unit(benchmark::kMillisecond);

}  // namespace
