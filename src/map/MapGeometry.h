#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/DataModule1.h"
#include "data/MapLimits.h"
#include "map/ERect.h"

namespace qv {

class TCanvas;

// The geometry settings of the map, in unzoomed pixels.
struct TGeometrySettings {
  int SectorSize = 40;  // side of a sector square
  int SectorDx = 100;   // horizontal gap between neighbouring squares
  int SectorDy = 100;   // vertical gap between neighbouring squares
  int BorderDx = 40;    // margin left of the first and right of the last column
  int BorderDy = 40;    // margin above the first and below the last row
  double Zoom = 1.0;    // 1.0 is 100 %

  friend bool operator==(const TGeometrySettings&, const TGeometrySettings&) = default;
};

struct TMapSettings;
// The geometry part of the map settings, and back.
TGeometrySettings GeometryOf(const TMapSettings& map);
void StoreGeometry(const TGeometrySettings& geometry, TMapSettings& map);

// What the geometry needs to know of the scrolling viewport around the surface.
struct TViewport {
  int clientWidth = 0;
  int clientHeight = 0;
  int scrollX = 0;
  int scrollY = 0;
};

// The outcome of a zoom change: the zoom box text and where to scroll.
struct TZoomChange {
  std::string boxText;
  int scrollX = 0;
  int scrollY = 0;
};

// Grid positions to surface pixels and back, the extents and size of the
// drawing surface, the zoom, and the selected sector with its marker.
// Knows nothing of the store: the caller passes the bounds and answers
// "is there a drawable sector here".
class TMapGeometry {
 public:
  static constexpr int kMaxZoomPercent = kZoomPercentRange.max;
  static constexpr std::array<std::string_view, 5> kZoomList = {"200%", "150%", "100%", "75%",
                                                                "50%"};

  const TGeometrySettings& Settings() const { return settings_; }
  // Takes the settings as read from the settings file, each held to its
  // range (MapLimits.h); a zoom of 0 or less (or not a number) counts as
  // 100 %, one above 1000 % is held at 1000 %.
  void SetSettings(const TGeometrySettings& settings);
  double Zoom() const { return settings_.Zoom; }
  void SetZoomFactor(double zoom);

  // Extents, valid after RefreshBounds. MinX/MinY and MaxX/MaxY span every
  // sector on the map and position 0: the range the sector array covers and
  // the arrow keys may step through.
  int MinX() const { return minX_; }
  int MinY() const { return minY_; }
  int MaxX() const { return maxX_; }
  int MaxY() const { return maxY_; }
  int MaxShownX() const { return maxShownX_; }
  int MaxShownY() const { return maxShownY_; }
  int OriginX() const { return originX_; }
  int OriginY() const { return originY_; }
  int HiddenCount() const { return hiddenCount_; }
  int SurfaceWidth() const { return surfaceWidth_; }
  int SurfaceHeight() const { return surfaceHeight_; }

  // The selection: a grid position, which may be negative. Without one,
  // SelX and SelY are -1.
  int SelX() const { return selX_; }
  int SelY() const { return selY_; }
  bool HasSelection() const { return hasSelection_; }
  void SetSelection(int x, int y);
  void ClearSelection();

  // Unzoomed pixel positions of a grid position.
  int SectorLeft(int x) const;
  int SectorTop(int y) const;
  int SectorCenterX(int x) const { return AddPixels(SectorLeft(x), settings_.SectorSize / 2); }
  int SectorCenterY(int y) const { return AddPixels(SectorTop(y), settings_.SectorSize / 2); }
  // An unzoomed value as shown: trunc(v * Zoom).
  int Zoomed(int value) const;
  int Zoomed(double value) const;
  // The zoomed side of a square.
  int ZoomedSide() const { return Zoomed(settings_.SectorSize); }
  // The zoomed square of a grid position.
  TERect SectorRect(int x, int y) const;

  // Recomputes the extents and the surface size from the store's bounds.
  void RefreshBounds(const TSectorBounds& bounds, bool showHidden, const TViewport& viewport);

  // The grid position under a surface pixel, or nothing in a margin or gap
  // or off the grid. Whether a sector stands there is for the caller to look up.
  std::optional<std::pair<int, int>> HitTest(int px, int py) const;

  // The zoom as a whole percentage, as shown in the zoom box (a zoom made
  // from a whole percentage gives that percentage back).
  int ZoomPercent() const;
  std::string ZoomText() const;
  // Applies a zoom typed or chosen as a percentage text, keeping the selected
  // sector (or the viewport's centre) in view.
  TZoomChange SetZoom(std::string_view text, const TViewport& viewport);
  // The zoom list entry to go to, or nothing at the end of the list.
  std::optional<std::string> ZoomIn() const;
  std::optional<std::string> ZoomOut() const;
  bool CanZoomIn() const { return ZoomPercent() < 200; }
  bool CanZoomOut() const { return ZoomPercent() >= 51; }

  // The eight small squares around the selected sector's square; none without
  // a selection.
  std::vector<TERect> SelectionMarkerSquares() const;
  // Inverts the marker squares: drawing twice restores the picture.
  void ToggleSelectionMarker(TCanvas& canvas) const;

  // The scroll position that brings the selected sector into view.
  std::pair<int, int> ScrollToSelection(const TViewport& viewport) const;

  // Steps from the selection by (dx, dy) to the first position where
  // `drawableAt` holds; nothing without a selection or when the steps leave
  // MinX..MaxX x MinY..MaxY first.
  std::optional<std::pair<int, int>> NextSelectableSector(
      int dx, int dy, const std::function<bool(int x, int y)>& drawableAt) const;

 private:
  void ComputeSurfaceSize(const TViewport& viewport);

  TGeometrySettings settings_;
  int minX_ = 0;
  int minY_ = 0;
  int maxX_ = 0;
  int maxY_ = 0;
  int maxShownX_ = 0;
  int maxShownY_ = 0;
  int originX_ = 0;
  int originY_ = 0;
  int hiddenCount_ = 0;
  int surfaceWidth_ = 0;
  int surfaceHeight_ = 0;
  int selX_ = -1;
  int selY_ = -1;
  bool hasSelection_ = false;
};

}  // namespace qv
