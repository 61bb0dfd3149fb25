#include "map/RouteOverlay.h"

#include <gtest/gtest.h>

#include "data/DataModule1.h"
#include "map/MapGeometry.h"
#include "map/MapRenderer.h"
#include "map/RequestData.h"
#include "map/SectorArray.h"
#include "settings/MainWindowSettings.h"
#include "support/RecordingCanvas.h"
#include "support/UniverseRows.h"

namespace {

using Call = qvtest::RecordingCanvas::Call;

// With the default geometry at 100 % the centre of (0, 0) is (60, 60) and
// the next column's centre 140 pixels further; a square's side of 40 gives
// a line 6 pixels wide.
class RouteOverlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int x = 0; x < 3; ++x)
      for (int y = 0; y < 2; ++y)
        qvtest::AddSector(*store, {.name = "S", .x = x, .y = y});
    geometry.RefreshBounds(store->GetSectorBounds(), false, qv::TViewport{});
    map.RouteColor = kRoute;
  }

  // What the map draws in the route's colour, last of all.
  std::vector<Call> RouteCalls(const qv::TMapRoute* shown, const qv::TERect* clip = nullptr) {
    canvas = qvtest::RecordingCanvas();
    const qv::TMapDrawContext context{*store, geometry, map, bars, request, cells, nullptr, shown};
    if (clip)
      qv::DrawMapPart(context, canvas, 600, 400, *clip);
    else
      qv::DrawMap(context, canvas, 600, 400);
    std::vector<Call> result;
    bool after = false;
    for (const Call& c : canvas.calls) {
      const bool routeFill = c.op == "FillRect" && c.brushColor == kRoute;
      if (routeFill) after = true;
      // Nothing of the map is drawn over the route.
      if (after) {
        EXPECT_TRUE(routeFill) << c.op;
      }
      if (routeFill) result.push_back(c);
    }
    return result;
  }

  static constexpr qv::TColor kRoute = 0x123456;
  qvtest::EmptyStore store;
  qv::TMapGeometry geometry;
  qv::TMapSettings map;
  qv::TRequestSettings bars;
  qv::TRequestData request;
  qv::TSectorArray cells;
  qvtest::RecordingCanvas canvas;
};

TEST_F(RouteOverlayTest, AThickLineFromCentreToCentreAndARingAtEachEnd) {
  EXPECT_TRUE(RouteCalls(nullptr).empty());
  const qv::TMapRoute route{{{0, 0}, {1, 0}, {1, 1}}};
  const std::vector<Call> calls = RouteCalls(&route);
  ASSERT_GT(calls.size(), 2u);
  EXPECT_EQ(qv::RouteLineWidth(geometry), 6);
  // East from (60, 60) to (200, 60), then south to (200, 200), each band
  // reaching half the width beyond its centres.
  EXPECT_EQ((std::vector<int>{calls[0].a, calls[0].b, calls[0].c, calls[0].d}),
            (std::vector<int>{57, 57, 203, 63}));
  EXPECT_EQ((std::vector<int>{calls[1].a, calls[1].b, calls[1].c, calls[1].d}),
            (std::vector<int>{197, 57, 203, 203}));
  // The rings: rows of pixels around each end, clear of its square (a
  // radius of 32 around the square of side 40).
  int aroundStart = 0, aroundEnd = 0;
  for (std::size_t i = 2; i < calls.size(); ++i) {
    const Call& c = calls[i];
    EXPECT_EQ(c.d - c.b, 1);
    const bool start = c.c <= 100;
    (start ? aroundStart : aroundEnd)++;
    const int cx = start ? 60 : 200, cy = start ? 60 : 200;
    EXPECT_GE(c.b, cy - 32);
    EXPECT_LE(c.b, cy + 32);
    // A row inside the square's band lies wholly beside the square.
    if (c.b >= cy - 20 && c.b < cy + 20) {
      EXPECT_TRUE(c.c <= cx - 20 || c.a >= cx + 20) << c.a;
    }
  }
  EXPECT_GT(aroundStart, 60);
  EXPECT_EQ(aroundStart, aroundEnd);

  // A repaint of a part the route does not reach draws none of it; one of
  // the part it crosses draws that band alone.
  const qv::TERect far = qv::MakeERect(400, 300, 50, 50);
  EXPECT_TRUE(RouteCalls(&route, &far).empty());
  const qv::TERect middle = qv::MakeERect(120, 50, 20, 20);
  const std::vector<Call> part = RouteCalls(&route, &middle);
  ASSERT_EQ(part.size(), 1u);
  EXPECT_EQ(part[0].a, 57);

  // A route of one sector is its ring alone.
  const qv::TMapRoute here{{{2, 1}}};
  const std::vector<Call> ring = RouteCalls(&here);
  EXPECT_EQ(static_cast<int>(ring.size()), aroundStart);
}

}  // namespace
