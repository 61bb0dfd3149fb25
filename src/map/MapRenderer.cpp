#include "map/MapRenderer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "data/DataModule1.h"
#include "economy/RequestData.h"
#include "map/Canvas.h"
#include "map/FormatStatValue.h"
#include "map/MapGeometry.h"
#include "map/MapLimits.h"
#include "map/SectorArray.h"
#include "settings/MainWindowSettings.h"

namespace qv {

namespace {

// What the two passes need of one sector, read in one walk of the table.
struct SectorToDraw {
  int x = 0;
  int y = 0;
  bool northGate = false;
  bool southGate = false;
  bool westGate = false;
  bool eastGate = false;
  std::string name;
  std::string race;
  int nameDx = 0;
  int nameDy = 0;
  int suns = 0;
  bool eqdock = false;
  bool shipyard = false;
  bool pirate = false;
};

// Resumes the views and puts the sectors' cursor back, also when the engine throws.
class SectorWalk {
 public:
  explicit SectorWalk(TDataModule1& store) : store_(store), mark_(store.SectorsData.GetBookmark()) {
    store_.SuspendViews();
  }
  ~SectorWalk() {
    Table& sectors = store_.SectorsData;
    if (mark_ != 0 && sectors.BookmarkValid(mark_)) sectors.GotoBookmark(mark_);
    store_.ResumeViews();
  }
  SectorWalk(const SectorWalk&) = delete;
  SectorWalk& operator=(const SectorWalk&) = delete;

 private:
  TDataModule1& store_;
  Table::Bookmark mark_;
};

std::vector<SectorToDraw> ReadDrawnSectors(TDataModule1& store, bool showHidden) {
  Table& sectors = store.SectorsData;
  Field& fX = sectors.FieldByName("X");
  Field& fY = sectors.FieldByName("Y");
  Field& fVisible = sectors.FieldByName("Visible");
  Field& fNorth = sectors.FieldByName("NorthGate");
  Field& fSouth = sectors.FieldByName("SouthGate");
  Field& fWest = sectors.FieldByName("WestGate");
  Field& fEast = sectors.FieldByName("EastGate");
  Field& fName = sectors.FieldByName("Name");
  Field& fRace = sectors.FieldByName("Race");
  Field& fNameDx = sectors.FieldByName("NameDx");
  Field& fNameDy = sectors.FieldByName("NameDy");
  Field& fSuns = sectors.FieldByName("Suns");
  Field& fEqdock = sectors.FieldByName("Eqdock");
  Field& fShipyard = sectors.FieldByName("Shipyard");
  Field& fPirate = sectors.FieldByName("Pirate");

  std::vector<SectorToDraw> drawn;
  drawn.reserve(static_cast<size_t>(sectors.RecordCount()));
  for (sectors.First(); !sectors.Eof(); sectors.Next()) {
    if (!showHidden && !fVisible.AsBoolean()) continue;
    const int x = fX.AsInteger();
    const int y = fY.AsInteger();
    if (!IsMapPosition(x, y)) continue;
    drawn.push_back(SectorToDraw{x, y, fNorth.AsBoolean(), fSouth.AsBoolean(), fWest.AsBoolean(),
                                 fEast.AsBoolean(), fName.AsString(), fRace.AsString(),
                                 fNameDx.AsInteger(), fNameDy.AsInteger(), fSuns.AsInteger(),
                                 fEqdock.AsBoolean(), fShipyard.AsBoolean(), fPirate.AsBoolean()});
  }
  return drawn;
}

TColor RaceColor(const TMapSettings& map, const std::string& race) {
  static constexpr std::array<std::string_view, 7> kRaces = {
      "Kessar", "Lumari", "Vossk", "Orthane", "Drakh", "Zhurr", "Pirates"};
  const std::array<TColor, 7> colors = {map.KessarColor,  map.LumariColor, map.VosskColor,
                                        map.OrthaneColor, map.DrakhColor,  map.ZhurrColor,
                                        map.PiratesColor};
  for (size_t i = 0; i < kRaces.size(); ++i) {
    if (race == kRaces[i]) return colors[i];
  }
  return map.NoRaceColor;
}

// A pixel length from a double, truncated toward zero and held inside int.
int TruncToInt(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int>(std::clamp(std::trunc(value), -2147483648.0, 2147483647.0));
}

// A pixel coordinate from wider arithmetic, held inside int: a bar width read
// from a damaged settings file must not wrap the bars around.
int Saturate(long long value) {
  return static_cast<int>(std::clamp<long long>(value, -2147483648LL, 2147483647LL));
}

// Writes a text centred in the square of side `side` at (left, top).
void TextCentred(TCanvas& canvas, int left, int top, int side, const std::string& text) {
  const int w = canvas.TextWidth(text);
  const int h = canvas.TextHeight(text);
  canvas.TextOut(left + (side - w) / 2, top + (side - h) / 2, text);
}

void DrawGateLines(const TMapGeometry& geometry, TCanvas& canvas, const SectorToDraw& s) {
  const int cx = geometry.Zoomed(geometry.SectorCenterX(s.x));
  const int cy = geometry.Zoomed(geometry.SectorCenterY(s.y));
  auto line = [&](int toX, int toY) {
    canvas.MoveTo(cx, cy);
    canvas.LineTo(toX, toY);
  };
  if (s.northGate) line(cx, geometry.Zoomed(geometry.SectorCenterY(s.y - 1)));
  if (s.southGate) line(cx, geometry.Zoomed(geometry.SectorCenterY(s.y + 1)));
  if (s.westGate) line(geometry.Zoomed(geometry.SectorCenterX(s.x - 1)), cy);
  if (s.eastGate) line(geometry.Zoomed(geometry.SectorCenterX(s.x + 1)), cy);
}

void DrawStations(const TMapDrawContext& context, TCanvas& canvas, const SectorToDraw& s, int left,
                  int top, int side) {
  const TMapSettings& map = context.map;
  canvas.SetPen(PenStyle::Solid, map.SectorBorderColor);
  const int d = side / 6;
  std::string letters;
  if (map.ShowDocks && s.eqdock) {
    if (map.DocksAsLetter) {
      letters += 'D';
    } else {
      canvas.SetBrush(BrushStyle::Clear, map.SectorBorderColor);
      canvas.Rectangle(left + d, top + d, left + side - d, top + side - d);
    }
  }
  if (map.ShowShipyards && s.shipyard) {
    if (map.ShipyardsAsLetter) {
      letters += 'Y';
    } else {
      canvas.SetBrush(BrushStyle::Solid, map.SectorBorderColor);
      canvas.Rectangle(left + 2 * d, top + 2 * d, left + side - 2 * d, top + side - 2 * d);
    }
  }
  if (map.ShowPirateBases && s.pirate) {
    if (map.PirateBasesAsLetter) {
      letters += 'P';
    } else {
      canvas.SetBrush(BrushStyle::Clear, map.SectorBorderColor);
      canvas.Ellipse(left + 2 * d, top + 2 * d, left + side - 2 * d, top + side - 2 * d);
    }
  }
  if (!letters.empty()) {
    ApplyFont(map.StationsFont, canvas, context.geometry.Zoom());
    TextCentred(canvas, left, top, side, letters);
  }
}

}  // namespace

bool StatisticsShown(const TMapDrawContext& context) {
  return context.map.ShowStatistics && context.request.UsedCount() > 0;
}

void DrawMap(const TMapDrawContext& context, TCanvas& canvas, int width, int height) {
  const TMapSettings& map = context.map;
  const TMapGeometry& geometry = context.geometry;
  const int side = geometry.ZoomedSide();
  const bool statistics = StatisticsShown(context);

  canvas.SetBrush(BrushStyle::Solid, map.BackgroundColor);
  canvas.FillRect(0, 0, width, height);
  canvas.SetPen(PenStyle::Solid, map.GateLineColor);

  SectorWalk walk(context.store);
  const std::vector<SectorToDraw> sectors =
      ReadDrawnSectors(context.store, map.ShowInvisibleSectors);

  // Gate lines run centre to centre whether or not the neighbour exists; the
  // squares drawn afterwards cover their inner parts.
  for (const SectorToDraw& s : sectors)
    DrawGateLines(geometry, canvas, s);

  for (const SectorToDraw& s : sectors) {
    const int left = geometry.Zoomed(geometry.SectorLeft(s.x));
    const int top = geometry.Zoomed(geometry.SectorTop(s.y));
    const TColor fill = map.ShowRaces && !statistics ? RaceColor(map, s.race) : map.NoRaceColor;
    canvas.SetBrush(BrushStyle::Solid, fill);
    canvas.SetPen(PenStyle::Solid, map.SectorBorderColor);
    canvas.Rectangle(left, top, left + side, top + side);
    DrawSectorName(context, canvas, left, top, s.name, s.nameDx, s.nameDy);
    DrawStations(context, canvas, s, left, top, side);
    if (statistics) DrawSectorStatistics(context, canvas, s.x, s.y, left, top);
    if (map.ShowSuns) {
      ApplyFont(map.SunFont, canvas, geometry.Zoom());
      TextCentred(canvas, left, top, side, std::to_string(s.suns));
    }
  }
}

void DrawSectorName(const TMapDrawContext& context, TCanvas& canvas, int left, int top,
                    const std::string& name, int nameDx, int nameDy) {
  const TMapGeometry& geometry = context.geometry;
  const int full = geometry.ZoomedSide();
  const int half = geometry.Zoomed(geometry.Settings().SectorSize * 0.5);
  ApplyFont(context.map.SectorNameFont, canvas, geometry.Zoom());
  const int w = canvas.TextWidth(name);
  const int h = canvas.TextHeight(name);

  int x = left + full + 2;
  switch (nameDx) {
    case -2:
      x = left - w - 2;
      break;
    case -1:
      x = left + half - w - 2;
      break;
    case 0:
      x = TruncToInt(left + half - w * 0.5);
      break;
    case 1:
      x = left + half + 2;
      break;
    default:
      break;
  }
  int y = top + full + 1;
  switch (nameDy) {
    case -2:
      y = top - h - 1;
      break;
    case -1:
      y = top + half - h - 1;
      break;
    case 0:
      y = TruncToInt(top + half - h * 0.5);
      break;
    case 1:
      y = top + half + 1;
      break;
    default:
      break;
  }
  canvas.TextOut(x, y, name);
}

void DrawSectorStatistics(const TMapDrawContext& context, TCanvas& canvas, int x, int y, int left,
                          int top) {
  const TRequestData& request = context.request;
  const TRequestSettings& bars = context.bars;
  const TMapGeometry& geometry = context.geometry;
  const double* values = context.cells.Cell(x, y);
  const int n = request.UsedCount();
  if (values == nullptr || n == 0) return;

  const double zoom = geometry.Zoom();
  const int side = geometry.ZoomedSide();
  const int bw = TruncToInt(bars.BarWidth * zoom);
  const int total = TruncToInt(n * static_cast<double>(bars.BarWidth) * zoom);
  const int longest = side - 1;
  auto length = [&](int i) {
    const double scale = GetScale(request, i);
    return scale == 0.0 ? 0 : TruncToInt(longest * values[i] / scale);
  };
  auto text = [&](int i) { return FormatStatValue(values[i], request.Rates); };

  if (bars.NumbersOnly) {
    ApplyFont(context.map.ReqDigitFont, canvas, zoom);
    std::array<std::string, TRequestData::kMaxProducts> texts;
    std::array<int, TRequestData::kMaxProducts> widths{};
    const int spaceWidth = canvas.TextWidth(" ");
    const int h = canvas.TextHeight("1");
    int sum = (n - 1) * spaceWidth;
    for (int i = 0; i < n; ++i) {
      texts[i] = text(i);
      widths[i] = canvas.TextWidth(texts[i]);
      sum += widths[i];
    }
    int tx = left + (side - sum) / 2;
    const int ty = top + (side - h) / 2;
    for (int i = 0; i < n; ++i) {
      if (i > 0) {
        canvas.SetFontColor(0);
        canvas.TextOut(tx, ty, " ");
        tx += spaceWidth;
      }
      canvas.SetFontColor(request.Color[i]);
      canvas.TextOut(tx, ty, texts[i]);
      tx += widths[i];
    }
    return;
  }

  const bool withNumbers = bars.ShowNumbers && n < 3;
  if (bars.VerticalBars) {
    const int bottom = top + side;
    const int x0 = left + (side - total) / 2 + 1;
    canvas.SetPen(PenStyle::Clear, 0);
    for (int i = 0; i < n; ++i) {
      canvas.SetBrush(BrushStyle::Solid, request.Color[i]);
      const long long bx = x0 + static_cast<long long>(i) * bw;
      canvas.Rectangle(Saturate(bx), bottom, Saturate(bx + bw + 1),
                       Saturate(static_cast<long long>(bottom) - length(i)));
    }
    if (!withNumbers) return;
    ApplyFont(context.map.ReqDigitFont, canvas, zoom);
    const std::string first = text(0) + " ";
    canvas.SetFontColor(request.Color[0]);
    canvas.TextOut(left + side / 2 - canvas.TextWidth(first), bottom, first);
    if (n == 2) {
      canvas.SetFontColor(request.Color[1]);
      canvas.TextOut(left + side / 2, bottom, " " + text(1));
    }
    return;
  }

  const int x0 = left + 1;
  const int y0 = top + (side - total) / 2 + 1;
  canvas.SetPen(PenStyle::Clear, 0);
  for (int i = 0; i < n; ++i) {
    canvas.SetBrush(BrushStyle::Solid, request.Color[i]);
    const long long by = y0 + static_cast<long long>(i) * bw;
    canvas.Rectangle(x0, Saturate(by), Saturate(static_cast<long long>(x0) + length(i)),
                     Saturate(by + bw + 1));
  }
  if (!withNumbers) return;
  ApplyFont(context.map.ReqDigitFont, canvas, zoom);
  const std::string first = text(0) + " ";
  canvas.SetFontColor(request.Color[0]);
  canvas.TextOut(left - canvas.TextWidth(first), top + side / 2 - canvas.TextHeight(first), first);
  if (n == 2) {
    const std::string second = text(1) + " ";
    canvas.SetFontColor(request.Color[1]);
    canvas.TextOut(left - canvas.TextWidth(second), top + side / 2, second);
  }
}

}  // namespace qv
