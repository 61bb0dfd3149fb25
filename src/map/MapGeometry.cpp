#include "map/MapGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "data/MapLimits.h"
#include "data/TextUtil.h"
#include "map/Canvas.h"
#include "map/PixelMath.h"
#include "settings/MainWindowSettings.h"

namespace qv {

namespace {

double NormalizedZoom(double zoom) {
  if (!(zoom > 0.0)) return 1.0;  // also NaN
  return std::clamp(zoom, kZoomPercentRange.min * 0.01, kZoomPercentRange.max * 0.01);
}

int ClampGrid(int value) {
  return std::clamp(value, kMinGridPosition, kMaxGridPosition);
}

TGeometrySettings HeldInRange(const TGeometrySettings& settings) {
  TGeometrySettings held = settings;
  held.SectorSize = kSectorSizeRange.Hold(settings.SectorSize);
  held.SectorDx = kSpacingRange.Hold(settings.SectorDx);
  held.SectorDy = kSpacingRange.Hold(settings.SectorDy);
  held.BorderDx = kSpacingRange.Hold(settings.BorderDx);
  held.BorderDy = kSpacingRange.Hold(settings.BorderDy);
  held.Zoom = NormalizedZoom(settings.Zoom);
  return held;
}

// One axis of scrolling the selection into view: `low`/`high` are the
// square's zoomed edges, `margin` the zoomed border. The first column (or
// row) scrolls home, margin included.
int ScrollAxis(int gridPosition, int origin, int position, int low, int high, double margin,
               int client, int surface) {
  if (gridPosition <= origin) return 0;
  if (position > low) return std::max(0, HoldPixel(low - margin));
  if (static_cast<long long>(position) + client < high) {
    const double wanted = high + margin - client;
    if (wanted <= static_cast<double>(surface) - client) return HoldPixel(wanted);
    return std::max(0, AddPixels(surface, -static_cast<long long>(client)));
  }
  return position;
}

}  // namespace

TGeometrySettings GeometryOf(const TMapSettings& map) {
  return {map.SectorSize, map.SectorDx, map.SectorDy, map.BorderDx, map.BorderDy, map.Zoom};
}

void StoreGeometry(const TGeometrySettings& geometry, TMapSettings& map) {
  map.SectorSize = geometry.SectorSize;
  map.SectorDx = geometry.SectorDx;
  map.SectorDy = geometry.SectorDy;
  map.BorderDx = geometry.BorderDx;
  map.BorderDy = geometry.BorderDy;
  map.Zoom = geometry.Zoom;
}

void TMapGeometry::SetSettings(const TGeometrySettings& settings) {
  settings_ = HeldInRange(settings);
}

void TMapGeometry::SetZoomFactor(double zoom) {
  settings_.Zoom = NormalizedZoom(zoom);
}

void TMapGeometry::SetSelection(int x, int y) {
  if (!IsMapPosition(x, y)) {
    ClearSelection();
    return;
  }
  selX_ = x;
  selY_ = y;
  hasSelection_ = true;
}

void TMapGeometry::ClearSelection() {
  selX_ = selY_ = -1;
  hasSelection_ = false;
}

int TMapGeometry::SectorLeft(int x) const {
  const long long pitch = static_cast<long long>(settings_.SectorSize) + settings_.SectorDx;
  return HoldPixel((static_cast<long long>(x) - originX_) * pitch + settings_.BorderDx);
}

int TMapGeometry::SectorTop(int y) const {
  const long long pitch = static_cast<long long>(settings_.SectorSize) + settings_.SectorDy;
  return HoldPixel((static_cast<long long>(y) - originY_) * pitch + settings_.BorderDy);
}

int TMapGeometry::Zoomed(int value) const {
  return Zoomed(static_cast<double>(value));
}

int TMapGeometry::Zoomed(double value) const {
  return HoldPixel(value * settings_.Zoom);
}

TERect TMapGeometry::SectorRect(int x, int y) const {
  const int side = ZoomedSide();
  return MakeERect(Zoomed(SectorLeft(x)), Zoomed(SectorTop(y)), side, side);
}

void TMapGeometry::RefreshBounds(const TSectorBounds& bounds, bool showHidden,
                                 const TViewport& viewport) {
  minX_ = std::min(0, ClampGrid(bounds.MinX));
  minY_ = std::min(0, ClampGrid(bounds.MinY));
  maxX_ = std::max(0, ClampGrid(bounds.MaxX));
  maxY_ = std::max(0, ClampGrid(bounds.MaxY));
  hiddenCount_ = std::max(0, bounds.HiddenCount);
  if (showHidden) {
    // Hidden sectors take their place too, left of and above the known map.
    originX_ = minX_;
    originY_ = minY_;
    maxShownX_ = maxX_;
    maxShownY_ = maxY_;
  } else if (bounds.MinVisibleX > kMaxGridPosition || bounds.MinVisibleY > kMaxGridPosition) {
    // No visible sector: the smallest visible position is still at its start
    // value. Draw from the grid's corner and size the surface as for an empty
    // map rather than placing the origin two billion columns away.
    originX_ = originY_ = 0;
    maxShownX_ = maxShownY_ = 0;
  } else {
    originX_ = ClampGrid(bounds.MinVisibleX);
    originY_ = ClampGrid(bounds.MinVisibleY);
    maxShownX_ = std::max(originX_, ClampGrid(bounds.MaxVisibleX));
    maxShownY_ = std::max(originY_, ClampGrid(bounds.MaxVisibleY));
  }
  ComputeSurfaceSize(viewport);
}

void TMapGeometry::ComputeSurfaceSize(const TViewport& viewport) {
  const double width =
      static_cast<double>(SectorLeft(maxShownX_)) + settings_.SectorSize + settings_.BorderDx;
  const double height =
      static_cast<double>(SectorTop(maxShownY_)) + settings_.SectorSize + settings_.BorderDy;
  surfaceWidth_ = HoldPixel(width * settings_.Zoom);
  surfaceHeight_ = HoldPixel(height * settings_.Zoom);
  if (viewport.clientWidth > surfaceWidth_) surfaceWidth_ = viewport.clientWidth - 5;
  if (viewport.clientHeight > surfaceHeight_) surfaceHeight_ = viewport.clientHeight - 5;
  surfaceWidth_ = std::max(0, surfaceWidth_);
  surfaceHeight_ = std::max(0, surfaceHeight_);
}

std::optional<std::pair<int, int>> TMapGeometry::HitTest(int px, int py) const {
  const int ux = HoldPixel(px / settings_.Zoom);
  const int uy = HoldPixel(py / settings_.Zoom);
  if (ux < settings_.BorderDx || uy < settings_.BorderDy) return std::nullopt;
  const long long pitchX = static_cast<long long>(settings_.SectorSize) + settings_.SectorDx;
  const long long pitchY = static_cast<long long>(settings_.SectorSize) + settings_.SectorDy;
  const long long gridX = (static_cast<long long>(ux) - settings_.BorderDx) / pitchX + originX_;
  const long long gridY = (static_cast<long long>(uy) - settings_.BorderDy) / pitchY + originY_;
  if (gridX > kMaxGridPosition || gridY > kMaxGridPosition) return std::nullopt;
  const int x = static_cast<int>(gridX);
  const int y = static_cast<int>(gridY);
  // The far edge belongs to the square: an offset equal to the side still hits.
  if (static_cast<long long>(ux) - SectorLeft(x) > settings_.SectorSize) return std::nullopt;
  if (static_cast<long long>(uy) - SectorTop(y) > settings_.SectorSize) return std::nullopt;
  return std::pair{x, y};
}

int TMapGeometry::ZoomPercent() const {
  return ::qv::ZoomPercent(settings_.Zoom);
}

std::string TMapGeometry::ZoomText() const {
  return std::to_string(ZoomPercent()) + "%";
}

TZoomChange TMapGeometry::SetZoom(std::string_view text, const TViewport& viewport) {
  const double oldZoom = settings_.Zoom;
  int percent = LeadingInteger(text);
  if (percent <= 0) percent = 100;
  percent = std::min(percent, kMaxZoomPercent);
  // As the settings file reads it, so that a typed zoom and the same zoom
  // after a restart draw the same pixels.
  settings_.Zoom = percent * 0.01;

  double anchorX = 0.0;
  double anchorY = 0.0;
  if (HasSelection()) {
    anchorX = SectorCenterX(selX_);
    anchorY = SectorCenterY(selY_);
  } else if (viewport.clientWidth > surfaceWidth_ && viewport.clientHeight > surfaceHeight_) {
    anchorX = std::trunc(surfaceWidth_ / oldZoom);
    anchorY = std::trunc(surfaceHeight_ / oldZoom);
  } else {
    anchorX =
        std::trunc((viewport.clientWidth / 2 + static_cast<double>(viewport.scrollX)) / oldZoom);
    anchorY =
        std::trunc((viewport.clientHeight / 2 + static_cast<double>(viewport.scrollY)) / oldZoom);
  }

  // The extents do not depend on the zoom; only the surface size changes.
  ComputeSurfaceSize(viewport);

  TZoomChange change;
  change.boxText = ZoomText();
  change.scrollX = std::max(0, AddPixels(Zoomed(anchorX), -viewport.clientWidth / 2));
  change.scrollY = std::max(0, AddPixels(Zoomed(anchorY), -viewport.clientHeight / 2));
  return change;
}

std::optional<std::string> TMapGeometry::ZoomIn() const {
  const int current = ZoomPercent();
  std::optional<std::string_view> best;
  int bestValue = 0;
  for (std::string_view entry : kZoomList) {
    const int value = LeadingInteger(entry);
    if (value > current && (!best || value < bestValue)) {
      best = entry;
      bestValue = value;
    }
  }
  if (!best) return std::nullopt;
  return std::string(*best);
}

std::optional<std::string> TMapGeometry::ZoomOut() const {
  const int current = ZoomPercent();
  std::optional<std::string_view> best;
  int bestValue = 0;
  for (std::string_view entry : kZoomList) {
    const int value = LeadingInteger(entry);
    if (value < current && (!best || value > bestValue)) {
      best = entry;
      bestValue = value;
    }
  }
  if (!best) return std::nullopt;
  return std::string(*best);
}

std::vector<TERect> TMapGeometry::SelectionMarkerSquares() const {
  std::vector<TERect> squares;
  if (!HasSelection()) return squares;
  const TERect rect = SectorRect(selX_, selY_);
  if (rect.IsNull()) return squares;
  constexpr int kSide = 5;
  // Held after every step: a square at the edge of the int range must not
  // put its marker on the opposite edge.
  auto middle = [](int low, int side) { return AddPixels(AddPixels(low, (side - kSide) / 2), 1); };
  const std::array<int, 3> xs = {AddPixels(rect.left, -3), middle(rect.left, rect.width),
                                 AddPixels(rect.Right(), -2)};
  const std::array<int, 3> ys = {AddPixels(rect.top, -3), middle(rect.top, rect.height),
                                 AddPixels(rect.Bottom(), -2)};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      if (row == 1 && column == 1) continue;
      squares.push_back(MakeERect(xs[column], ys[row], kSide, kSide));
    }
  }
  return squares;
}

void TMapGeometry::ToggleSelectionMarker(TCanvas& canvas) const {
  for (const TERect& square : SelectionMarkerSquares())
    canvas.InvertRect(square.left, square.top, square.Right(), square.Bottom());
}

std::pair<int, int> TMapGeometry::ScrollToSelection(const TViewport& viewport) const {
  if (!HasSelection()) return {viewport.scrollX, viewport.scrollY};
  const TERect rect = SectorRect(selX_, selY_);
  const double marginX = settings_.BorderDx * settings_.Zoom;
  const double marginY = settings_.BorderDy * settings_.Zoom;
  return {ScrollAxis(selX_, originX_, viewport.scrollX, rect.left, rect.Right(), marginX,
                     viewport.clientWidth, surfaceWidth_),
          ScrollAxis(selY_, originY_, viewport.scrollY, rect.top, rect.Bottom(), marginY,
                     viewport.clientHeight, surfaceHeight_)};
}

std::optional<std::pair<int, int>> TMapGeometry::NextSelectableSector(
    int dx, int dy, const std::function<bool(int x, int y)>& drawableAt) const {
  if (!HasSelection() || (dx == 0 && dy == 0)) return std::nullopt;
  int x = selX_;
  int y = selY_;
  while (true) {
    x += dx;
    y += dy;
    if (x < minX_ || x > maxX_ || y < minY_ || y > maxY_) return std::nullopt;
    if (drawableAt(x, y)) return std::pair{x, y};
  }
}

}  // namespace qv
