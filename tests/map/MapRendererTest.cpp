#include "map/MapRenderer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "data/DataModule1.h"
#include "map/MapGeometry.h"
#include "map/RequestData.h"
#include "map/SectorArray.h"
#include "map/SectorDrawList.h"
#include "settings/MainWindowSettings.h"
#include "support/RecordingCanvas.h"
#include "support/UniverseRows.h"

namespace {

using Call = qvtest::RecordingCanvas::Call;
using qvtest::AddSector;

constexpr qv::TColor kRed = 0x0000FF;
constexpr qv::TColor kLime = 0x00FF00;
constexpr qv::TColor kBlue = 0xFF0000;

// With the default geometry the square of (0, 0) spans 40..80 in both
// directions and the next column starts at 180.
class MapRendererTest : public ::testing::Test {
 protected:
  qvtest::RecordingCanvas& Draw() {
    geometry.RefreshBounds(store->GetSectorBounds(), map.ShowInvisibleSectors, qv::TViewport{});
    canvas = qvtest::RecordingCanvas();
    qv::DrawMap(Context(), canvas, 500, 400);
    return canvas;
  }

  qv::TMapDrawContext Context() { return {*store, geometry, map, bars, request, cells}; }

  // The square outlines: rectangles drawn with a solid pen of the border colour
  // and a side of S.
  std::vector<Call> Squares() const {
    std::vector<Call> result;
    const int side = geometry.ZoomedSide();
    for (const Call& c : canvas.Of("Rectangle"))
      if (0LL + c.c - c.a == side && 0LL + c.d - c.b == side && c.penStyle == qv::PenStyle::Solid)
        result.push_back(c);
    return result;
  }

  // A request of products with values in the cell of (0, 0).
  void ShowStatistics(std::vector<double> values, double overallMax) {
    cells.SetSize(1, 1);
    double* cell = cells.Cell(0, 0, true);
    const qv::TColor colors[] = {kRed, kLime, kBlue, kRed, kLime, kBlue};
    request.Count = static_cast<int>(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
      cell[i] = values[i];
      request.Color[i] = colors[i];
    }
    request.OverallMax = overallMax;
    map.ShowStatistics = true;
  }

  std::vector<Call> BarsDrawn() const {
    std::vector<Call> result;
    for (const Call& c : canvas.Of("Rectangle"))
      if (c.penStyle == qv::PenStyle::Clear) result.push_back(c);
    return result;
  }

  qvtest::EmptyStore store;
  qv::TMapGeometry geometry;
  qv::TMapSettings map;
  qv::TRequestSettings bars;
  qv::TRequestData request;
  qv::TSectorArray cells;
  qvtest::RecordingCanvas canvas;
};

TEST_F(MapRendererTest, PlainMapShowsWhiteSquaresNamesAndSkipsHiddenSectors) {
  AddSector(*store, {.name = "Home", .x = 0, .y = 0, .race = "Kessar", .suns = 2, .eqdock = true});
  AddSector(*store, {.name = "Next", .x = 1, .y = 0});
  AddSector(*store, {.name = "Secret", .x = 2, .y = 0, .visible = false});
  qvtest::AsFromOldFile(store->SectorsData,  // off the map
                        [&] { return AddSector(*store, {.name = "Lost", .x = 10000, .y = 0}); });
  Draw();

  const Call& background = canvas.calls.front();
  EXPECT_EQ(background.op, "FillRect");
  EXPECT_EQ((std::vector<int>{background.a, background.b, background.c, background.d}),
            (std::vector<int>{0, 0, 500, 400}));
  EXPECT_EQ(background.brushColor, map.BackgroundColor);

  const std::vector<Call> squares = Squares();
  ASSERT_EQ(squares.size(), 2u);
  EXPECT_EQ(squares[0].a, 40);
  EXPECT_EQ(squares[0].b, 40);
  EXPECT_EQ(squares[1].a, 180);
  for (const Call& s : squares) {
    EXPECT_EQ(s.brushColor, map.NoRaceColor);
    EXPECT_EQ(s.brushStyle, qv::BrushStyle::Solid);
    EXPECT_EQ(s.penColor, map.SectorBorderColor);
  }
  EXPECT_NE(canvas.FindText("Home"), nullptr);
  EXPECT_EQ(canvas.FindText("Home")->font.Name, map.SectorNameFont.Name);
  EXPECT_EQ(canvas.FindText("Secret"), nullptr);
  EXPECT_EQ(canvas.FindText("Lost"), nullptr);
  EXPECT_EQ(canvas.FindText("2"), nullptr);   // suns off
  EXPECT_TRUE(canvas.Of("Ellipse").empty());  // stations off

  map.ShowInvisibleSectors = true;
  Draw();
  EXPECT_NE(canvas.FindText("Secret"), nullptr);
}

// The neighbour north of row 0 stands at Y = -1: above the sector at
// (0, 0), with its bars.
TEST_F(MapRendererTest, ASectorNorthOfRowZeroIsDrawnAboveItWithItsBars) {
  AddSector(*store, {.name = "Home", .x = 0, .y = 0, .north = true});
  AddSector(*store, {.name = "North", .x = 0, .y = -1, .south = true});
  geometry.RefreshBounds(store->GetSectorBounds(), false, qv::TViewport{});
  cells.SetRange(geometry.MinX(), geometry.MinY(), geometry.MaxX(), geometry.MaxY());
  cells.Cell(0, -1, true)[0] = 10;
  request.Count = 1;
  request.Color[0] = kRed;
  request.OverallMax = 10;
  map.ShowStatistics = true;
  Draw();

  const std::vector<Call> squares = Squares();
  ASSERT_EQ(squares.size(), 2u);
  EXPECT_EQ(std::pair(squares[0].a, squares[0].b), std::pair(40, 40));   // North
  EXPECT_EQ(std::pair(squares[1].a, squares[1].b), std::pair(40, 180));  // Home
  EXPECT_EQ(canvas.FindText("North")->b, 60 - 6);
  const std::vector<Call> drawn = BarsDrawn();
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ((std::vector<int>{drawn[0].b, drawn[0].d}), (std::vector<int>{80, 41}));
  ASSERT_FALSE(canvas.Of("Line").empty());
  const Call gate = canvas.Of("Line")[0];  // North's south gate, centre to centre
  EXPECT_EQ((std::vector<int>{gate.a, gate.b, gate.c, gate.d}),
            (std::vector<int>{60, 60, 60, 200}));
}

// Settings no dialog offers, with sectors at both ends of the grid: held
// geometry, bars and fonts far beyond their ranges, and still nothing wraps.
TEST_F(MapRendererTest, AbsurdSettingsDrawWithoutWrappingAround) {
  AddSector(*store, {.name = "East",
                     .x = 9999,
                     .y = 0,
                     .nameDx = 2,
                     .shipyard = true,
                     .eqdock = true,
                     .pirate = true});
  AddSector(*store, {.name = "West", .x = -9999, .y = 9999});
  geometry.SetSettings({214764, 2147483647, 2147483647, -2147483647, 2000000000, 1000.0});
  map.ShowDocks = map.ShowShipyards = map.ShowPirateBases = map.ShowSuns = true;
  map.DocksAsLetter = map.ShipyardsAsLetter = map.PirateBasesAsLetter = false;
  map.SectorNameFont.Size = map.SunFont.Size = 2147483647;
  bars.BarWidth = 2147483647;
  bars.ShowNumbers = true;
  geometry.RefreshBounds(store->GetSectorBounds(), false, qv::TViewport{});
  cells.SetRange(geometry.MinX(), geometry.MinY(), geometry.MaxX(), geometry.MaxY());
  cells.Cell(9999, 0, true)[0] = 1e300;
  request.Count = 1;
  request.OverallMax = 1e-300;
  map.ShowStatistics = true;
  Draw();

  const std::vector<Call> squares = Squares();
  ASSERT_EQ(squares.size(), 2u);
  EXPECT_LT(squares[0].a, squares[1].a);  // West left of East
  EXPECT_GT(squares[0].b, squares[1].b);  // and below it
  for (const Call& c : canvas.Of("Rectangle"))
    EXPECT_GE(c.c, c.a) << c.a;
  for (const Call& c : canvas.Of("Ellipse"))
    EXPECT_GT(c.c, c.a);
  EXPECT_GT(canvas.FindText("East")->a, squares[1].c);
}

TEST_F(MapRendererTest, RaceColoursMatchExactlyAndGiveWayToStatistics) {
  const char* races[] = {"Kessar", "Lumari",  "Vossk",   "Orthane", "Drakh",
                         "Zhurr",  "Pirates", "pirates", "",        "Martians"};
  for (int i = 0; i < 10; ++i)
    AddSector(*store, {.name = races[i], .x = i, .y = 0, .race = races[i]});
  map.ShowRaces = true;
  map.NoRaceColor = 0x123456;
  Draw();
  std::vector<qv::TColor> fills;
  for (const Call& s : Squares())
    fills.push_back(s.brushColor);
  const std::vector<qv::TColor> expected = {
      map.KessarColor, map.LumariColor,  map.VosskColor,  map.OrthaneColor, map.DrakhColor,
      map.ZhurrColor,  map.PiratesColor, map.NoRaceColor, map.NoRaceColor,  map.NoRaceColor};
  EXPECT_EQ(fills, expected);

  // Show statistics without a product changes nothing; with one every square
  // takes the no-race colour.
  map.ShowStatistics = true;
  Draw();
  EXPECT_EQ(Squares()[0].brushColor, map.KessarColor);
  ShowStatistics({1.0}, 1.0);
  Draw();
  for (const Call& s : Squares())
    EXPECT_EQ(s.brushColor, map.NoRaceColor);
}

TEST_F(MapRendererTest, GateLinesRunCentreToCentreBeforeAnySquare) {
  AddSector(*store, {.name = "A", .x = 0, .y = 0, .north = true, .east = true});
  AddSector(*store, {.name = "B", .x = 0, .y = 1, .south = true, .west = true});
  Draw();
  const std::vector<Call> lines = canvas.Of("Line");
  ASSERT_EQ(lines.size(), 4u);
  auto coords = [](const Call& c) { return std::vector<int>{c.a, c.b, c.c, c.d}; };
  EXPECT_EQ(coords(lines[0]), (std::vector<int>{60, 60, 60, -80}));  // to a missing neighbour
  EXPECT_EQ(coords(lines[1]), (std::vector<int>{60, 60, 200, 60}));
  EXPECT_EQ(coords(lines[2]), (std::vector<int>{60, 200, 60, 340}));
  EXPECT_EQ(coords(lines[3]), (std::vector<int>{60, 200, -80, 200}));
  EXPECT_EQ(lines[0].penColor, map.GateLineColor);
  size_t lastLine = 0, firstRectangle = canvas.calls.size();
  for (size_t i = 0; i < canvas.calls.size(); ++i) {
    if (canvas.calls[i].op == "Line") lastLine = i;
    if (canvas.calls[i].op == "Rectangle") firstRectangle = std::min(firstRectangle, i);
  }
  EXPECT_LT(lastLine, firstRectangle);
}

TEST_F(MapRendererTest, StationsAsLettersOrNestedShapes) {
  AddSector(*store,
            {.name = "S", .x = 0, .y = 0, .shipyard = true, .eqdock = true, .pirate = true});
  map.ShowDocks = map.ShowShipyards = map.ShowPirateBases = true;
  map.DocksAsLetter = map.ShipyardsAsLetter = map.PirateBasesAsLetter = true;
  map.StationsFont.Color = 0x0000AA;
  Draw();
  const Call* letters = canvas.FindText("DYP");
  ASSERT_NE(letters, nullptr);
  EXPECT_EQ(letters->a, 40 + (40 - 18) / 2);
  EXPECT_EQ(letters->b, 40 + (40 - 12) / 2);
  EXPECT_EQ(letters->font.Color, 0x0000AA);
  EXPECT_EQ(letters->brushStyle, qv::BrushStyle::Clear);

  map.DocksAsLetter = map.ShipyardsAsLetter = map.PirateBasesAsLetter = false;
  Draw();
  std::vector<Call> shapes = canvas.Of("Rectangle");
  ASSERT_EQ(shapes.size(), 3u);  // square, dock, shipyard
  const Call& dock = shapes[1];
  EXPECT_EQ((std::vector<int>{dock.a, dock.b, dock.c, dock.d}), (std::vector<int>{46, 46, 74, 74}));
  EXPECT_EQ(dock.brushStyle, qv::BrushStyle::Clear);
  const Call& yard = shapes[2];
  EXPECT_EQ((std::vector<int>{yard.a, yard.b, yard.c, yard.d}), (std::vector<int>{52, 52, 68, 68}));
  EXPECT_EQ(yard.brushStyle, qv::BrushStyle::Solid);
  EXPECT_EQ(yard.brushColor, map.SectorBorderColor);
  const std::vector<Call> ellipses = canvas.Of("Ellipse");
  ASSERT_EQ(ellipses.size(), 1u);
  EXPECT_EQ((std::vector<int>{ellipses[0].a, ellipses[0].b, ellipses[0].c, ellipses[0].d}),
            (std::vector<int>{52, 52, 68, 68}));
  EXPECT_EQ(ellipses[0].brushStyle, qv::BrushStyle::Clear);

  // Only the dock as a letter: "D" and the other two as shapes.
  map.DocksAsLetter = true;
  map.ShowPirateBases = false;
  Draw();
  EXPECT_NE(canvas.FindText("D"), nullptr);
  EXPECT_TRUE(canvas.Of("Ellipse").empty());
}

TEST_F(MapRendererTest, NamesTakeAllTwentyFivePlaces) {
  geometry.RefreshBounds(store->GetSectorBounds(), false, qv::TViewport{});
  const int xs[] = {20, 40, 51, 62, 82};  // "Abc" is 18 x 12 pixels
  const int ys[] = {27, 47, 54, 61, 81};
  for (int dx = -2; dx <= 2; ++dx) {
    for (int dy = -2; dy <= 2; ++dy) {
      canvas = qvtest::RecordingCanvas();
      qv::DrawSectorName(Context(), canvas, 40, 40, "Abc", dx, dy);
      ASSERT_EQ(canvas.calls.size(), 1u);
      EXPECT_EQ(canvas.calls[0].a, xs[dx + 2]) << dx << "," << dy;
      EXPECT_EQ(canvas.calls[0].b, ys[dy + 2]) << dx << "," << dy;
      EXPECT_EQ(canvas.calls[0].brushStyle, qv::BrushStyle::Clear);
    }
  }
  // Codes outside -2..2 stand right of and below the square.
  canvas = qvtest::RecordingCanvas();
  qv::DrawSectorName(Context(), canvas, 40, 40, "Abc", 7, -9);
  EXPECT_EQ(canvas.calls[0].a, 82);
  EXPECT_EQ(canvas.calls[0].b, 81);

  // At 75 % the half side is trunc(40 x 0.75 x 0.5) = 15 and fonts shrink.
  geometry.SetZoomFactor(0.75);
  map.SectorNameFont.Size = 10;
  canvas = qvtest::RecordingCanvas();
  qv::DrawSectorName(Context(), canvas, 30, 30, "Abcd", 0, 1);
  EXPECT_EQ(canvas.calls[0].a, 30 + 15 - 12);
  EXPECT_EQ(canvas.calls[0].b, 30 + 15 + 1);
  EXPECT_EQ(canvas.calls[0].font.Size, 7);
}

TEST_F(MapRendererTest, SunsAreWrittenCentredEvenWhenNone) {
  AddSector(*store, {.name = "Sunny", .x = 0, .y = 0, .suns = 12});
  AddSector(*store, {.name = "Dark", .x = 1, .y = 0, .suns = 0});
  map.ShowSuns = true;
  Draw();
  const Call* twelve = canvas.FindText("12");
  ASSERT_NE(twelve, nullptr);
  EXPECT_EQ(twelve->a, 40 + (40 - 12) / 2);
  EXPECT_EQ(twelve->b, 40 + (40 - 12) / 2);
  EXPECT_EQ(twelve->font.Color, map.SunFont.Color);
  EXPECT_NE(canvas.FindText("0"), nullptr);
}

TEST_F(MapRendererTest, VerticalBarsGrowFromTheBottomWithNumbersBelow) {
  AddSector(*store, {.name = "S", .x = 0, .y = 0});
  ShowStatistics({5, 10}, 10);
  bars.ShowNumbers = true;
  Draw();
  const std::vector<Call> drawn = BarsDrawn();
  ASSERT_EQ(drawn.size(), 2u);
  // L = 39; lengths 19 and 39; x0 = 40 + (40 - 20) / 2 + 1.
  EXPECT_EQ((std::vector<int>{drawn[0].a, drawn[0].b, drawn[0].c, drawn[0].d}),
            (std::vector<int>{51, 80, 62, 61}));
  EXPECT_EQ((std::vector<int>{drawn[1].a, drawn[1].b, drawn[1].c, drawn[1].d}),
            (std::vector<int>{61, 80, 72, 41}));
  EXPECT_EQ(drawn[0].brushColor, kRed);
  EXPECT_EQ(drawn[1].brushColor, kLime);
  const Call* first = canvas.FindText("5 ");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->a, 60 - 12);
  EXPECT_EQ(first->b, 80);
  EXPECT_EQ(first->font.Color, kRed);
  const Call* second = canvas.FindText(" 10");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->a, 60);
  EXPECT_EQ(second->font.Color, kLime);

  // Individual scales fill the square for each product's own maximum.
  request.IndividualScale = true;
  request.Max = {5, 20, 0, 0, 0, 0};
  Draw();
  EXPECT_EQ(BarsDrawn()[0].d, 80 - 39);
  EXPECT_EQ(BarsDrawn()[1].d, 80 - 19);
}

TEST_F(MapRendererTest, HorizontalBarsGrowRightWithNumbersLeftOfTheSquare) {
  AddSector(*store, {.name = "S", .x = 0, .y = 0});
  ShowStatistics({5, 10}, 10);
  bars.VerticalBars = false;
  bars.ShowNumbers = true;
  Draw();
  const std::vector<Call> drawn = BarsDrawn();
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ((std::vector<int>{drawn[0].a, drawn[0].b, drawn[0].c, drawn[0].d}),
            (std::vector<int>{41, 51, 60, 62}));
  EXPECT_EQ((std::vector<int>{drawn[1].a, drawn[1].b, drawn[1].c, drawn[1].d}),
            (std::vector<int>{41, 61, 80, 72}));
  const Call* first = canvas.FindText("5 ");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->a, 40 - 12);
  EXPECT_EQ(first->b, 60 - 12);
  const Call* second = canvas.FindText("10 ");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->a, 40 - 18);
  EXPECT_EQ(second->b, 60);
}

TEST_F(MapRendererTest, ThreeProductsZeroScaleAndMissingCells) {
  AddSector(*store, {.name = "S", .x = 0, .y = 0});
  AddSector(*store, {.name = "T", .x = 1, .y = 0});  // outside the array: no cell
  ShowStatistics({1, 2, 3}, 0);
  bars.ShowNumbers = true;
  Draw();
  const std::vector<Call> drawn = BarsDrawn();
  ASSERT_EQ(drawn.size(), 3u);  // only the sector with a cell
  for (const Call& bar : drawn)
    EXPECT_EQ(bar.b, bar.d);                       // zero scale: zero length
  EXPECT_EQ(canvas.FindText("1 "), nullptr);       // no numbers beside three bars
  EXPECT_TRUE(canvas.Of("TextOut").size() == 2u);  // the two names only
}

TEST_F(MapRendererTest, NumbersOnlyWritesTheValuesSideBySide) {
  AddSector(*store, {.name = "S", .x = 0, .y = 0});
  ShowStatistics({5, 10.75}, 10.75);
  request.Rates = true;
  bars.NumbersOnly = true;
  Draw();
  EXPECT_TRUE(BarsDrawn().empty());
  const Call* five = canvas.FindText("5.0");
  const Call* eleven = canvas.FindText("10.8");
  ASSERT_NE(five, nullptr);
  ASSERT_NE(eleven, nullptr);
  // total = 18 + 6 + 24 = 48 wider than the square: starts left of it.
  EXPECT_EQ(five->a, 40 + (40 - 48) / 2);
  EXPECT_EQ(five->b, 40 + (40 - 12) / 2);
  EXPECT_EQ(five->font.Color, kRed);
  const Call* space = canvas.FindText(" ");
  ASSERT_NE(space, nullptr);
  EXPECT_EQ(space->a, five->a + 18);
  EXPECT_EQ(space->font.Color, 0);
  EXPECT_EQ(eleven->a, five->a + 24);
  EXPECT_EQ(eleven->font.Color, kLime);
}

TEST_F(MapRendererTest, PartialRepaintDrawsEverythingThatReachesTheClip) {
  AddSector(*store, {.name = "West", .x = 0, .y = 0, .east = true});
  AddSector(*store, {.name = "Middle", .x = 1, .y = 0, .suns = 3, .west = true});
  AddSector(*store, {.name = "A very long name that reaches far", .x = 3, .y = 0, .nameDx = -2});
  AddSector(*store, {.name = "Away", .x = 5, .y = 0});
  map.ShowSuns = true;
  Draw();
  const std::vector<Call> whole = canvas.calls;
  // A clip in the gap between Middle and the long name's square.
  const qv::TERect clip = qv::MakeERect(250, 30, 60, 60);
  canvas = qvtest::RecordingCanvas();
  qv::DrawMapPart(Context(), canvas, 500, 400, clip);
  auto meets = [&](const Call& c) {
    return std::min(c.a, c.c) < clip.Right() && std::max(c.a, c.c) >= clip.left &&
           std::min(c.b, c.d) < clip.Bottom() && std::max(c.b, c.d) >= clip.top;
  };
  auto drawn = [&](const Call& wanted) {
    return std::any_of(canvas.calls.begin(), canvas.calls.end(), [&](const Call& c) {
      return c.op == wanted.op && c.a == wanted.a && c.b == wanted.b && c.c == wanted.c &&
             c.d == wanted.d && c.text == wanted.text;
    });
  };
  for (const Call& c : whole) {
    if (c.op != "FillRect" && meets(c)) {
      EXPECT_TRUE(drawn(c)) << c.op << " " << c.text;
    }
  }
  EXPECT_EQ(canvas.calls.front().op, "FillRect");
  EXPECT_EQ(canvas.calls.front().a, 250);
  EXPECT_EQ(canvas.FindText("Away"), nullptr);  // far from the clip
  EXPECT_EQ(canvas.FindText("West"), nullptr);
  EXPECT_NE(canvas.FindText("A very long name that reaches far"), nullptr);
}

// A window keeps the sectors as drawn across its repaints: every change of
// the table and of the hidden switch must show in the next one.
TEST_F(MapRendererTest, KeptDrawListFollowsTheTableAndTheHiddenSwitch) {
  AddSector(*store, {.name = "One", .x = 0, .y = 0});
  qv::TSectorDrawList sectors;
  auto drawn = [&](const std::string& name) {
    geometry.RefreshBounds(store->GetSectorBounds(), map.ShowInvisibleSectors, qv::TViewport{});
    canvas = qvtest::RecordingCanvas();
    qv::TMapDrawContext context = Context();
    context.sectors = &sectors;
    qv::DrawMapPart(context, canvas, 500, 400, qv::MakeERect(0, 0, 500, 400));
    return canvas.FindText(name) != nullptr;
  };
  EXPECT_TRUE(drawn("One"));
  AddSector(*store, {.name = "Two", .x = 1, .y = 0, .visible = false});
  EXPECT_FALSE(drawn("Two"));
  map.ShowInvisibleSectors = true;
  EXPECT_TRUE(drawn("Two"));
  qv::Table& table = store->SectorsData;
  ASSERT_TRUE(store->LocateSectorAt(0, 0));
  table.Edit();
  table.FieldByName("Name").SetAsString("Uno");
  table.Post();
  EXPECT_TRUE(drawn("Uno"));
  EXPECT_FALSE(drawn("One"));
  ASSERT_TRUE(store->LocateSectorAt(1, 0));
  table.Delete();
  EXPECT_FALSE(drawn("Two"));
  EXPECT_EQ(sectors.Records().size(), 1u);
}

TEST_F(MapRendererTest, LeavesTheSectorCursorAndViewsAsTheyWere) {
  AddSector(*store, {.name = "A", .x = 0, .y = 0});
  AddSector(*store, {.name = "B", .x = 1, .y = 0});
  AddSector(*store, {.name = "C", .x = 2, .y = 0});
  ASSERT_TRUE(store->LocateSectorAt(1, 0));
  Draw();
  EXPECT_EQ(store->SectorsData.FieldByName("Name").AsString(), "B");
  EXPECT_FALSE(store->SectorsData.ControlsDisabled());
}

}  // namespace
