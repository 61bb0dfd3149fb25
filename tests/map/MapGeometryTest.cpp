#include "map/MapGeometry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "data/TextUtil.h"
#include "map/Canvas.h"

namespace qv {
namespace {

using Position = std::pair<int, int>;
constexpr std::optional<Position> kNoHit;

// Sectors everywhere in 0..maxX x 0..maxY, all visible.
TSectorBounds FullBounds(int maxX, int maxY) {
  TSectorBounds bounds;
  bounds.MaxX = bounds.MaxVisibleX = maxX;
  bounds.MaxY = bounds.MaxVisibleY = maxY;
  bounds.MinVisibleX = bounds.MinVisibleY = 0;
  return bounds;
}

const TViewport kSmallViewport{100, 100, 0, 0};

TMapGeometry MakeGeometry(const TSectorBounds& bounds, double zoom = 1.0,
                          const TViewport& viewport = kSmallViewport) {
  TMapGeometry geometry;
  TGeometrySettings settings;
  settings.Zoom = zoom;
  geometry.SetSettings(settings);
  geometry.RefreshBounds(bounds, false, viewport);
  return geometry;
}

TEST(MapGeometryTest, GridPositionsBecomePixels) {
  TMapGeometry geometry = MakeGeometry(FullBounds(3, 3));
  EXPECT_EQ(geometry.SectorLeft(0), 40);
  EXPECT_EQ(geometry.SectorTop(0), 40);
  EXPECT_EQ(geometry.SectorLeft(1), 180);
  EXPECT_EQ(geometry.SectorCenterX(1), 200);
  EXPECT_EQ(geometry.SectorCenterY(2), 340);
  EXPECT_EQ(geometry.SectorRect(1, 2), MakeERect(180, 320, 40, 40));

  geometry.SetZoomFactor(0.75);
  EXPECT_EQ(geometry.ZoomedSide(), 30);
  geometry.SetZoomFactor(1.5);
  EXPECT_EQ(geometry.ZoomedSide(), 60);
  EXPECT_EQ(geometry.SectorRect(1, 0), MakeERect(270, 60, 60, 60));

  // The zoomed edge is trunc(left * zoom), not the sum of zoomed terms:
  // 182 * 0.75 = 136.5, while 141 * 0.75 and 41 * 0.75 truncate to 105 + 30.
  TGeometrySettings settings;
  settings.SectorDx = 101;
  settings.BorderDx = 41;
  settings.Zoom = 0.75;
  geometry.SetSettings(settings);
  EXPECT_EQ(geometry.SectorRect(1, 0).left, 136);
}

TEST(MapGeometryTest, BoundsGiveOriginExtentsAndSurface) {
  TSectorBounds bounds;
  bounds.MaxX = 5;
  bounds.MaxY = 6;
  bounds.MinVisibleX = 2;
  bounds.MinVisibleY = 3;
  bounds.MaxVisibleX = 4;
  bounds.MaxVisibleY = 4;
  bounds.HiddenCount = 3;

  TMapGeometry geometry;
  geometry.RefreshBounds(bounds, true, kSmallViewport);
  EXPECT_EQ(std::pair(geometry.OriginX(), geometry.OriginY()), Position(0, 0));
  EXPECT_EQ(std::pair(geometry.MaxShownX(), geometry.MaxShownY()), Position(5, 6));
  EXPECT_EQ(geometry.HiddenCount(), 3);
  EXPECT_EQ(geometry.SurfaceWidth(), 40 + 5 * 140 + 80);
  EXPECT_EQ(geometry.SurfaceHeight(), 40 + 6 * 140 + 80);

  geometry.RefreshBounds(bounds, false, kSmallViewport);
  EXPECT_EQ(std::pair(geometry.OriginX(), geometry.OriginY()), Position(2, 3));
  EXPECT_EQ(std::pair(geometry.MaxShownX(), geometry.MaxShownY()), Position(4, 4));
  EXPECT_EQ(std::pair(geometry.MaxX(), geometry.MaxY()), Position(5, 6));
  EXPECT_EQ(geometry.SectorLeft(2), 40);  // the first shown column starts at the border
  EXPECT_EQ(geometry.SurfaceWidth(), 40 + 2 * 140 + 80);
  EXPECT_EQ(geometry.SurfaceHeight(), 40 + 1 * 140 + 80);

  // Zoom applies to the whole sum; a larger viewport makes the surface fill it.
  geometry.SetZoomFactor(0.5);
  geometry.RefreshBounds(bounds, false, kSmallViewport);
  EXPECT_EQ(geometry.SurfaceWidth(), 200);
  geometry.RefreshBounds(bounds, false, TViewport{800, 600, 0, 0});
  EXPECT_EQ(geometry.SurfaceWidth(), 795);
  EXPECT_EQ(geometry.SurfaceHeight(), 595);
}

TEST(MapGeometryTest, NoVisibleSectorGivesASmallSurfaceAtTheCorner) {
  TSectorBounds bounds;  // the store's start values: nothing visible
  bounds.MaxX = 50;
  bounds.MaxY = 40;
  bounds.HiddenCount = 12;
  TMapGeometry geometry;
  geometry.RefreshBounds(bounds, false, TViewport{10, 10, 0, 0});
  EXPECT_EQ(std::pair(geometry.OriginX(), geometry.OriginY()), Position(0, 0));
  EXPECT_EQ(geometry.SurfaceWidth(), 120);
  EXPECT_EQ(geometry.SurfaceHeight(), 120);
  EXPECT_EQ(geometry.MaxX(), 50);
  EXPECT_EQ(geometry.HiddenCount(), 12);
  EXPECT_EQ(geometry.HitTest(40, 40), Position(0, 0));  // the caller finds no sector there
}

TEST(MapGeometryTest, HitTestFindsSquaresIncludingTheFarEdge) {
  TMapGeometry geometry = MakeGeometry(FullBounds(3, 3));
  EXPECT_EQ(geometry.HitTest(40, 40), Position(0, 0));
  EXPECT_EQ(geometry.HitTest(80, 80), Position(0, 0));  // offset equal to the side
  EXPECT_EQ(geometry.HitTest(81, 60), kNoHit);          // in the gap
  EXPECT_EQ(geometry.HitTest(60, 81), kNoHit);
  EXPECT_EQ(geometry.HitTest(39, 60), kNoHit);  // left of the border
  EXPECT_EQ(geometry.HitTest(60, 39), kNoHit);  // above the border
  EXPECT_EQ(geometry.HitTest(0, 0), kNoHit);
  EXPECT_EQ(geometry.HitTest(180, 320), Position(1, 2));
  EXPECT_EQ(geometry.HitTest(179, 320), kNoHit);

  TSectorBounds shifted = FullBounds(9, 9);
  shifted.MinVisibleX = 4;
  shifted.MinVisibleY = 7;
  geometry.RefreshBounds(shifted, false, kSmallViewport);
  EXPECT_EQ(geometry.HitTest(40, 40), Position(4, 7));

  TMapGeometry half = MakeGeometry(FullBounds(3, 3), 0.5);
  EXPECT_EQ(half.HitTest(20, 20), Position(0, 0));
  EXPECT_EQ(half.HitTest(40, 40), Position(0, 0));
  EXPECT_EQ(half.HitTest(41, 20), kNoHit);  // 82 unzoomed: in the gap
  EXPECT_EQ(half.HitTest(19, 20), kNoHit);
}

// Sectors north and west of position 0 take their columns and rows like any
// other: the origin is the smallest visible position, or with hidden sectors
// shown the smallest of 0 and every position.
TEST(MapGeometryTest, NegativePositionsLieLeftOfAndAboveZero) {
  TSectorBounds bounds = FullBounds(3, 2);
  bounds.MinX = -5;  // a hidden sector
  bounds.MinY = bounds.MinVisibleY = -1;
  bounds.MinVisibleX = -2;
  TMapGeometry geometry = MakeGeometry(bounds);
  EXPECT_EQ(std::pair(geometry.OriginX(), geometry.OriginY()), Position(-2, -1));
  EXPECT_EQ(std::pair(geometry.MinX(), geometry.MinY()), Position(-5, -1));
  EXPECT_EQ(geometry.SectorTop(-1), 40);
  EXPECT_EQ(geometry.SectorTop(0), 180);  // (0, -1) stands above (0, 0)
  EXPECT_EQ(geometry.SurfaceWidth(), 40 + 5 * 140 + 80);
  EXPECT_EQ(geometry.HitTest(40, 40), Position(-2, -1));
  EXPECT_EQ(geometry.HitTest(320, 180), Position(0, 0));
  EXPECT_EQ(geometry.HitTest(320, 60), Position(0, -1));

  geometry.SetSelection(-1, -1);  // a position like any other, not "none"
  EXPECT_TRUE(geometry.HasSelection());
  EXPECT_EQ(geometry.SectorRect(-1, -1), MakeERect(180, 40, 40, 40));
  EXPECT_EQ(geometry.SelectionMarkerSquares().size(), 8u);
  const auto everywhere = [](int, int) { return true; };
  EXPECT_EQ(geometry.NextSelectableSector(-1, 0, everywhere), Position(-2, -1));
  EXPECT_EQ(geometry.NextSelectableSector(0, -1, everywhere), std::nullopt);  // row -1 is the first
  geometry.ClearSelection();
  EXPECT_FALSE(geometry.HasSelection());
  EXPECT_EQ(std::pair(geometry.SelX(), geometry.SelY()), Position(-1, -1));

  geometry.RefreshBounds(bounds, true, kSmallViewport);
  EXPECT_EQ(std::pair(geometry.OriginX(), geometry.OriginY()), Position(-5, -1));
  EXPECT_EQ(geometry.HitTest(40, 40), Position(-5, -1));
  geometry.SetSelection(-5, 0);
  EXPECT_EQ(geometry.NextSelectableSector(-1, 0, everywhere), std::nullopt);

  // Beyond the grid nothing is hit or selected.
  EXPECT_EQ(geometry.HitTest(2000000000, 40), kNoHit);
  geometry.SetSelection(0, -10000);
  EXPECT_FALSE(geometry.HasSelection());
}

// Values no settings dialog offers, as a hand-edited file may give them, are
// held to their ranges; every pixel value then stays far inside int, even for
// the last grid position at 1000 %.
TEST(MapGeometryTest, AbsurdSettingsAreHeldAndPixelsStayInRange) {
  TSectorBounds bounds = FullBounds(kMaxGridPosition, kMaxGridPosition);
  bounds.MinX = bounds.MinY = kMinGridPosition;
  TMapGeometry geometry;
  geometry.SetSettings({214764, std::numeric_limits<int>::max(), -5, -7, 2000000000, 25.0});
  EXPECT_EQ(geometry.Settings(), (TGeometrySettings{1000, 1000, 0, 0, 1000, 10.0}));
  geometry.RefreshBounds(bounds, true, kSmallViewport);

  const int last = kMaxGridPosition;
  EXPECT_EQ(geometry.SectorLeft(last), 19998 * 2000);
  EXPECT_EQ(geometry.SectorCenterX(last), 19998 * 2000 + 500);
  EXPECT_EQ(geometry.SurfaceWidth(), (19998 * 2000 + 1000) * 10);
  EXPECT_EQ(geometry.SurfaceHeight(), (19998 * 1000 + 1000 + 1000 + 1000) * 10);
  EXPECT_EQ(geometry.HitTest(geometry.SurfaceWidth() - 1, 10000), Position(last, kMinGridPosition));
  EXPECT_EQ(geometry.HitTest(std::numeric_limits<int>::max(), 10000), kNoHit);

  geometry.SetSelection(last, last);
  const TERect square = geometry.SectorRect(last, last);
  for (const TERect& marker : geometry.SelectionMarkerSquares()) {
    EXPECT_GE(marker.left, square.left - 3);
    EXPECT_LE(marker.Right(), square.Right() + 3);
    EXPECT_GE(marker.top, square.top - 3);
  }
  EXPECT_EQ(geometry.ScrollToSelection({400, 300, 0, 0}).first,
            geometry.SurfaceWidth() - 400);  // scrolled to the end, not wrapped

  // Pixel sums at the very edge of int are held there, not wrapped around.
  EXPECT_EQ(MakeERect(std::numeric_limits<int>::max() - 1, 0, 40, 40).Right(),
            std::numeric_limits<int>::max());
  EXPECT_EQ(MakeERect(0, std::numeric_limits<int>::min() + 1, 40, -40).Bottom(),
            std::numeric_limits<int>::min());
}

TEST(MapGeometryTest, ZoomTextIsReadAsALeadingInteger) {
  EXPECT_EQ(LeadingInteger("150%"), 150);
  EXPECT_EQ(LeadingInteger(" +75"), 75);
  EXPECT_EQ(LeadingInteger("  -50%"), -50);
  EXPECT_EQ(LeadingInteger("12x3"), 12);
  EXPECT_EQ(LeadingInteger("abc"), 0);
  EXPECT_EQ(LeadingInteger("%50"), 0);
  EXPECT_EQ(LeadingInteger(""), 0);
  EXPECT_EQ(LeadingInteger("99999999999999999999"), std::numeric_limits<int>::max());

  TMapGeometry geometry = MakeGeometry(FullBounds(3, 3));
  struct Case {
    const char* text;
    const char* shown;
    double zoom;
  };
  for (const Case& c : {Case{"150%", "150%", 1.5}, Case{" +75", "75%", 0.75},
                        Case{"abc", "100%", 1.0}, Case{"0", "100%", 1.0}, Case{"-50%", "100%", 1.0},
                        Case{"5000%", "1000%", 10.0}, Case{"29%", "29%", 0.29}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(geometry.SetZoom(c.text, kSmallViewport).boxText, c.shown);
    EXPECT_DOUBLE_EQ(geometry.Zoom(), c.zoom);
    EXPECT_EQ(geometry.ZoomText(), c.shown);
  }
}

TEST(MapGeometryTest, ZoomFromTheSettingsFileIsKeptInRange) {
  TMapGeometry geometry;
  for (double bad : {0.0, -0.5, std::nan("")}) {
    TGeometrySettings settings;
    settings.Zoom = bad;
    geometry.SetSettings(settings);
    EXPECT_EQ(geometry.Zoom(), 1.0);
  }
  geometry.SetZoomFactor(25.0);
  EXPECT_EQ(geometry.ZoomText(), "1000%");
  geometry.SetZoomFactor(0.75);
  EXPECT_EQ(geometry.ZoomText(), "75%");
}

TEST(MapGeometryTest, ZoomListStepsAndStopsAtItsEnds) {
  TMapGeometry geometry;
  struct Case {
    double zoom;
    std::optional<std::string> in, out;
    bool canIn, canOut;
  };
  for (const Case& c :
       {Case{1.0, "150%", "75%", true, true}, Case{2.0, std::nullopt, "150%", false, true},
        Case{0.5, "75%", std::nullopt, true, false}, Case{0.51, "75%", "50%", true, true},
        Case{1.2, "150%", "100%", true, true}, Case{3.0, std::nullopt, "200%", false, true},
        Case{0.1, "50%", std::nullopt, true, false}}) {
    SCOPED_TRACE(c.zoom);
    geometry.SetZoomFactor(c.zoom);
    EXPECT_EQ(geometry.ZoomIn(), c.in);
    EXPECT_EQ(geometry.ZoomOut(), c.out);
    EXPECT_EQ(geometry.CanZoomIn(), c.canIn);
    EXPECT_EQ(geometry.CanZoomOut(), c.canOut);
  }
}

TEST(MapGeometryTest, ZoomKeepsTheAnchorInView) {
  const TViewport viewport{400, 300, 100, 50};

  // With a selection the selected square's centre is the anchor.
  TMapGeometry selected = MakeGeometry(FullBounds(9, 9), 1.0, viewport);
  selected.SetSelection(1, 1);
  TZoomChange change = selected.SetZoom("200%", viewport);
  EXPECT_EQ(std::pair(change.scrollX, change.scrollY), Position(400 - 200, 400 - 150));
  EXPECT_EQ(selected.SurfaceWidth(), 2 * (40 + 9 * 140 + 80));

  // Without one, the centre of the viewport.
  TMapGeometry centred = MakeGeometry(FullBounds(9, 9), 1.0, viewport);
  change = centred.SetZoom("200%", viewport);
  EXPECT_EQ(std::pair(change.scrollX, change.scrollY), Position(2 * 300 - 200, 2 * 200 - 150));

  // Scrolling never goes below 0.
  change = centred.SetZoom("50%", TViewport{400, 300, 0, 0});
  EXPECT_EQ(std::pair(change.scrollX, change.scrollY), Position(0, 0));
}

// Records the inverted rectangles.
class InvertRecordingCanvas : public TCanvas {
 public:
  std::vector<TERect> inverted;

  void SetPen(PenStyle, TColor) override {}
  void SetBrush(BrushStyle, TColor) override {}
  void SetFont(const TFontParams&) override {}
  void SetFontColor(TColor) override {}
  void FillRect(int, int, int, int) override {}
  void Rectangle(int, int, int, int) override {}
  void Ellipse(int, int, int, int) override {}
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void TextOut(int, int, const std::string&) override {}
  int TextWidth(const std::string&) override { return 0; }
  int TextHeight(const std::string&) override { return 0; }
  void InvertRect(int left, int top, int right, int bottom) override {
    inverted.push_back(MakeERect(left, top, right - left, bottom - top));
  }
};

TEST(MapGeometryTest, SelectionMarkerSurroundsTheSquare) {
  TMapGeometry geometry = MakeGeometry(FullBounds(3, 3));
  EXPECT_TRUE(geometry.SelectionMarkerSquares().empty());

  geometry.SetSelection(0, 1);  // square (40, 180, 40, 40)
  const std::vector<TERect> squares = geometry.SelectionMarkerSquares();
  std::set<Position> corners;
  for (const TERect& square : squares) {
    EXPECT_EQ(square.width, 5);
    EXPECT_EQ(square.height, 5);
    corners.insert({square.left, square.top});
  }
  const std::set<Position> expected = {{37, 177}, {58, 177}, {78, 177}, {37, 198},
                                       {78, 198}, {37, 218}, {58, 218}, {78, 218}};
  EXPECT_EQ(corners, expected);

  InvertRecordingCanvas canvas;
  geometry.ToggleSelectionMarker(canvas);
  EXPECT_EQ(canvas.inverted, squares);

  // A side below 1 is held at 1: the marker still surrounds the square.
  TGeometrySettings settings;
  settings.SectorSize = -10;
  geometry.SetSettings(settings);
  EXPECT_EQ(geometry.SelectionMarkerSquares().size(), 8u);

  geometry.ClearSelection();
  canvas.inverted.clear();
  geometry.ToggleSelectionMarker(canvas);
  EXPECT_TRUE(canvas.inverted.empty());
}

TEST(MapGeometryTest, SelectionScrollsIntoView) {
  const TMapGeometry base = MakeGeometry(FullBounds(19, 19), 1.0, TViewport{400, 300, 0, 0});
  ASSERT_EQ(base.SurfaceWidth(), 2780);

  TMapGeometry geometry = base;
  EXPECT_EQ(geometry.ScrollToSelection({400, 300, 7, 9}), Position(7, 9));  // no selection

  geometry.SetSelection(5, 5);  // square from 740 to 780 both ways
  EXPECT_EQ(geometry.ScrollToSelection({400, 300, 0, 0}), Position(780 + 40 - 400, 780 + 40 - 300));
  EXPECT_EQ(geometry.ScrollToSelection({400, 300, 1000, 900}), Position(700, 700));
  EXPECT_EQ(geometry.ScrollToSelection({400, 300, 500, 600}), Position(500, 600));  // visible

  geometry.SetSelection(0, 19);  // column 0 scrolls home; the last row stops at the end
  EXPECT_EQ(geometry.ScrollToSelection({400, 300, 900, 0}), Position(0, 2780 - 300));

  // With columns west of 0 the first column scrolls home, column 0 does not.
  TSectorBounds west = FullBounds(19, 19);
  west.MinX = -3;
  geometry.RefreshBounds(west, true, TViewport{400, 300, 0, 0});
  geometry.SetSelection(-3, 5);
  EXPECT_EQ(geometry.ScrollToSelection({400, 300, 900, 700}).first, 0);
  geometry.SetSelection(0, 5);  // square from 460 to 500
  EXPECT_EQ(geometry.ScrollToSelection({400, 300, 900, 700}).first, 460 - 40);
}

TEST(MapGeometryTest, ArrowsSkipToTheNextDrawableSectorAndStopAtTheEdge) {
  TMapGeometry geometry = MakeGeometry(FullBounds(5, 4));
  const std::set<Position> drawable = {{1, 2}, {3, 2}, {5, 2}, {1, 0}};
  std::vector<Position> visited;
  const auto drawableAt = [&](int x, int y) {
    visited.emplace_back(x, y);
    return drawable.count({x, y}) > 0;
  };

  EXPECT_EQ(geometry.NextSelectableSector(1, 0, drawableAt), std::nullopt);  // no selection
  EXPECT_TRUE(visited.empty());

  geometry.SetSelection(1, 2);
  EXPECT_EQ(geometry.NextSelectableSector(1, 0, drawableAt), Position(3, 2));  // over a gap
  EXPECT_EQ(geometry.NextSelectableSector(0, -1, drawableAt), Position(1, 0));
  visited.clear();
  EXPECT_EQ(geometry.NextSelectableSector(0, 1, drawableAt), std::nullopt);
  EXPECT_EQ(visited, (std::vector<Position>{{1, 3}, {1, 4}}));  // stops at MaxY
  EXPECT_EQ(geometry.NextSelectableSector(-1, 0, drawableAt), std::nullopt);

  geometry.SetSelection(5, 2);  // the easternmost sector of its row
  EXPECT_EQ(geometry.NextSelectableSector(1, 0, drawableAt), std::nullopt);
  EXPECT_EQ(geometry.SelX(), 5);
  EXPECT_EQ(geometry.NextSelectableSector(0, 0, drawableAt), std::nullopt);  // no endless loop
}

}  // namespace
}  // namespace qv
