#include "map/RouteOverlay.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "map/Canvas.h"
#include "map/MapGeometry.h"
#include "map/PixelMath.h"

namespace qv {

namespace {

struct Box {
  int left, top, right, bottom;
};

bool Meets(const Box& box, const TERect* clip) {
  return clip == nullptr || (box.left < clip->Right() && box.right > clip->left &&
                             box.top < clip->Bottom() && box.bottom > clip->top);
}

// The centre of a sector's square on the surface.
std::pair<int, int> Centre(const TMapGeometry& geometry, const std::pair<int, int>& cell) {
  return {geometry.Zoomed(geometry.SectorCenterX(cell.first)),
          geometry.Zoomed(geometry.SectorCenterY(cell.second))};
}

// The outer radius of the ring around an end: it clears the square's corners.
int RingRadius(const TMapGeometry& geometry) {
  return geometry.ZoomedSide() * 3 / 4 + 2;
}

int RingWidth(const TMapGeometry& geometry) {
  return std::max(2, (RouteLineWidth(geometry) + 1) / 2);
}

// The band of a segment between two centres, `width` pixels across, reaching
// half its width beyond each centre so that the bends close.
Box SegmentBox(std::pair<int, int> a, std::pair<int, int> b, int width) {
  const int before = width / 2;
  const int after = width - before;
  return {AddPixels(std::min(a.first, b.first), -before),
          AddPixels(std::min(a.second, b.second), -before),
          AddPixels(std::max(a.first, b.first), after),
          AddPixels(std::max(a.second, b.second), after)};
}

Box RingBox(std::pair<int, int> centre, int radius) {
  return {AddPixels(centre.first, -radius), AddPixels(centre.second, -radius),
          AddPixels(centre.first, radius + 1), AddPixels(centre.second, radius + 1)};
}

// The ring as rows of pixels between two circles: exact and without gaps on
// any canvas.
void DrawRing(TCanvas& canvas, std::pair<int, int> centre, int radius, int width) {
  const long long outer = radius;
  const long long inner = std::max(0, radius - width);
  // Measured to the middle of the pixels, so that the circle has no spikes.
  const auto halfWidth = [](long long r, long long dy) {
    const double edge = static_cast<double>(r) + 0.5;
    return static_cast<long long>(std::sqrt(edge * edge - static_cast<double>(dy * dy)));
  };
  for (long long dy = -outer; dy <= outer; ++dy) {
    const long long out = halfWidth(outer, dy);
    const int top = AddPixels(centre.second, dy);
    const int bottom = AddPixels(top, 1);
    if (std::llabs(dy) > inner) {
      canvas.FillRect(AddPixels(centre.first, -out), top, AddPixels(centre.first, out + 1), bottom);
      continue;
    }
    const long long in = halfWidth(inner, dy);
    canvas.FillRect(AddPixels(centre.first, -out), top, AddPixels(centre.first, -in), bottom);
    canvas.FillRect(AddPixels(centre.first, in + 1), top, AddPixels(centre.first, out + 1), bottom);
  }
}

}  // namespace

int RouteLineWidth(const TMapGeometry& geometry) {
  return std::max(3, geometry.ZoomedSide() / 6);
}

void DrawRoute(const TMapGeometry& geometry, TCanvas& canvas, const TMapRoute& route, TColor color,
               const TERect* clip) {
  if (route.cells.empty()) return;
  const int width = RouteLineWidth(geometry);
  canvas.SetBrush(BrushStyle::Solid, color);
  for (std::size_t i = 1; i < route.cells.size(); ++i) {
    const Box band =
        SegmentBox(Centre(geometry, route.cells[i - 1]), Centre(geometry, route.cells[i]), width);
    if (Meets(band, clip)) canvas.FillRect(band.left, band.top, band.right, band.bottom);
  }

  const int radius = RingRadius(geometry);
  const int ringWidth = RingWidth(geometry);
  for (const auto& end : {route.cells.front(), route.cells.back()}) {
    const std::pair<int, int> centre = Centre(geometry, end);
    if (Meets(RingBox(centre, radius + 1), clip)) DrawRing(canvas, centre, radius, ringWidth);
    if (route.cells.size() == 1) break;
  }
}

}  // namespace qv
