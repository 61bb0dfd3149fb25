#include "map/MapRenderer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/DataModule1.h"
#include "economy/RequestData.h"
#include "map/Canvas.h"
#include "map/FormatStatValue.h"
#include "map/MapGeometry.h"
#include "map/MapLimits.h"
#include "map/PixelMath.h"
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
  const std::array<TColor, 7> colors = {map.KessarColor,  map.LumariColor, map.VosskColor,
                                        map.OrthaneColor, map.DrakhColor,  map.ZhurrColor,
                                        map.PiratesColor};
  for (size_t i = 0; i < kRaceNames.size(); ++i) {
    if (race == kRaceNames[i]) return colors[i];
  }
  return map.NoRaceColor;
}

// Where a text of `extent` pixels starts when centred on a side of `side`
// pixels starting at `low`.
int Centred(int low, int side, int extent) {
  return AddPixels(low, (static_cast<long long>(side) - extent) / 2);
}

// Writes a text centred in the square of side `side` at (left, top).
void TextCentred(TCanvas& canvas, int left, int top, int side, const std::string& text) {
  const int w = canvas.TextWidth(text);
  const int h = canvas.TextHeight(text);
  canvas.TextOut(Centred(left, side, w), Centred(top, side, h), text);
}

// The square (left, top, side) shrunk by `inset` on every side, as the
// corners a canvas rectangle or ellipse takes.
void Inset(int left, int top, int side, int inset, int (&corners)[4]) {
  corners[0] = AddPixels(left, inset);
  corners[1] = AddPixels(top, inset);
  corners[2] = AddPixels(AddPixels(left, side), -static_cast<long long>(inset));
  corners[3] = AddPixels(AddPixels(top, side), -static_cast<long long>(inset));
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
  int outer[4];
  int inner[4];
  Inset(left, top, side, d, outer);
  Inset(left, top, side, 2 * d, inner);
  std::string letters;
  if (map.ShowDocks && s.eqdock) {
    if (map.DocksAsLetter) {
      letters += 'D';
    } else {
      canvas.SetBrush(BrushStyle::Clear, map.SectorBorderColor);
      canvas.Rectangle(outer[0], outer[1], outer[2], outer[3]);
    }
  }
  if (map.ShowShipyards && s.shipyard) {
    if (map.ShipyardsAsLetter) {
      letters += 'Y';
    } else {
      canvas.SetBrush(BrushStyle::Solid, map.SectorBorderColor);
      canvas.Rectangle(inner[0], inner[1], inner[2], inner[3]);
    }
  }
  if (map.ShowPirateBases && s.pirate) {
    if (map.PirateBasesAsLetter) {
      letters += 'P';
    } else {
      canvas.SetBrush(BrushStyle::Clear, map.SectorBorderColor);
      canvas.Ellipse(inner[0], inner[1], inner[2], inner[3]);
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

namespace {

// Generous bounds of what a sector draws, for drawing only the sectors that
// reach a clip rectangle. Texts are not measured one by one: a character is
// taken as at most twice the font's height wide.
class SectorReach {
 public:
  SectorReach(const TMapDrawContext& context, TCanvas& canvas) : context_(context) {
    const TMapSettings& map = context.map;
    const double zoom = context.geometry.Zoom();
    auto em = [&](const TFontParams& font) {
      ApplyFont(font, canvas, zoom);
      return std::max(1, canvas.TextHeight("Wg"));
    };
    nameEm_ = em(map.SectorNameFont);
    centredEm_ = std::max(em(map.StationsFont), em(map.SunFont));
    digitEm_ = em(map.ReqDigitFont);
  }

  bool Meets(const SectorToDraw& s, int left, int top, bool statistics, const TERect& clip) const {
    const long long side = context_.geometry.ZoomedSide();
    long long margin = 2;
    margin = std::max(margin, Width(nameEm_, s.name.size()) + 3 + nameEm_);
    const size_t centredChars = std::max<size_t>(3, std::to_string(s.suns).size());
    margin = std::max(margin, Width(centredEm_, centredChars) + centredEm_);
    if (statistics) margin = std::max(margin, StatisticsReach(s));
    return static_cast<long long>(left) - margin < clip.Right() &&
           static_cast<long long>(left) + side + margin > clip.left &&
           static_cast<long long>(top) - margin < clip.Bottom() &&
           static_cast<long long>(top) + side + margin > clip.top;
  }

 private:
  static long long Width(int em, size_t chars) {
    return (2LL * em + 2) * static_cast<long long>(chars);
  }

  // Bars and numbers: the longest bar, all bars side by side, all numbers in a row.
  long long StatisticsReach(const SectorToDraw& s) const {
    const double* values = context_.cells.Cell(s.x, s.y);
    if (values == nullptr) return 0;
    const TRequestData& request = context_.request;
    const int n = request.UsedCount();
    const double zoom = context_.geometry.Zoom();
    long long reach = HoldPixel(n * static_cast<double>(context_.bars.BarWidth) * zoom) +
                      std::abs(static_cast<long long>(HoldPixel(context_.bars.BarWidth * zoom))) +
                      4;
    size_t chars = 0;
    for (int i = 0; i < n; ++i) {
      const double scale = GetScale(request, i);
      if (scale != 0.0) {
        const double length = (context_.geometry.ZoomedSide() - 1) * values[i] / scale;
        reach = std::max(reach, std::llabs(static_cast<long long>(HoldPixel(length))) + 2);
      }
      chars += FormatStatValue(values[i], request.Rates).size() + 1;
    }
    return std::max(reach, Width(digitEm_, chars) + digitEm_);
  }

  const TMapDrawContext& context_;
  int nameEm_ = 1;
  int centredEm_ = 1;
  int digitEm_ = 1;
};

bool LineMeets(int x1, int y1, int x2, int y2, const TERect& clip) {
  return std::min(x1, x2) <= clip.Right() && std::max(x1, x2) >= clip.left &&
         std::min(y1, y2) <= clip.Bottom() && std::max(y1, y2) >= clip.top;
}

void DrawMapClipped(const TMapDrawContext& context, TCanvas& canvas, int width, int height,
                    const TERect* clip) {
  const TMapSettings& map = context.map;
  const TMapGeometry& geometry = context.geometry;
  const int side = geometry.ZoomedSide();
  const bool statistics = StatisticsShown(context);
  std::optional<SectorReach> reach;
  if (clip != nullptr) reach.emplace(context, canvas);

  canvas.SetBrush(BrushStyle::Solid, map.BackgroundColor);
  if (clip == nullptr) {
    canvas.FillRect(0, 0, width, height);
  } else {
    canvas.FillRect(std::max(0, clip->left), std::max(0, clip->top), std::min(width, clip->Right()),
                    std::min(height, clip->Bottom()));
  }
  canvas.SetPen(PenStyle::Solid, map.GateLineColor);

  SectorWalk walk(context.store);
  const std::vector<SectorToDraw> sectors =
      ReadDrawnSectors(context.store, map.ShowInvisibleSectors);

  // Gate lines run centre to centre whether or not the neighbour exists; the
  // squares drawn afterwards cover their inner parts.
  for (const SectorToDraw& s : sectors) {
    if (clip != nullptr) {
      const int cx = geometry.Zoomed(geometry.SectorCenterX(s.x));
      const int cy = geometry.Zoomed(geometry.SectorCenterY(s.y));
      const int westX = geometry.Zoomed(geometry.SectorCenterX(s.x - 1));
      const int eastX = geometry.Zoomed(geometry.SectorCenterX(s.x + 1));
      const int northY = geometry.Zoomed(geometry.SectorCenterY(s.y - 1));
      const int southY = geometry.Zoomed(geometry.SectorCenterY(s.y + 1));
      if (!LineMeets(cx, northY, cx, southY, *clip) && !LineMeets(westX, cy, eastX, cy, *clip))
        continue;
    }
    DrawGateLines(geometry, canvas, s);
  }

  for (const SectorToDraw& s : sectors) {
    const int left = geometry.Zoomed(geometry.SectorLeft(s.x));
    const int top = geometry.Zoomed(geometry.SectorTop(s.y));
    if (reach && !reach->Meets(s, left, top, statistics, *clip)) continue;
    const TColor fill = map.ShowRaces && !statistics ? RaceColor(map, s.race) : map.NoRaceColor;
    canvas.SetBrush(BrushStyle::Solid, fill);
    canvas.SetPen(PenStyle::Solid, map.SectorBorderColor);
    canvas.Rectangle(left, top, AddPixels(left, side), AddPixels(top, side));
    DrawSectorName(context, canvas, left, top, s.name, s.nameDx, s.nameDy);
    DrawStations(context, canvas, s, left, top, side);
    if (statistics) DrawSectorStatistics(context, canvas, s.x, s.y, left, top);
    if (map.ShowSuns) {
      ApplyFont(map.SunFont, canvas, geometry.Zoom());
      TextCentred(canvas, left, top, side, std::to_string(s.suns));
    }
  }
}

}  // namespace

void DrawMap(const TMapDrawContext& context, TCanvas& canvas, int width, int height) {
  DrawMapClipped(context, canvas, width, height, nullptr);
}

void DrawMapPart(const TMapDrawContext& context, TCanvas& canvas, int width, int height,
                 const TERect& clip) {
  DrawMapClipped(context, canvas, width, height, &clip);
}

void DrawSectorName(const TMapDrawContext& context, TCanvas& canvas, int left, int top,
                    const std::string& name, int nameDx, int nameDy) {
  const TMapGeometry& geometry = context.geometry;
  const int full = geometry.ZoomedSide();
  const int half = geometry.Zoomed(geometry.Settings().SectorSize * 0.5);
  ApplyFont(context.map.SectorNameFont, canvas, geometry.Zoom());
  // Wide, then held: a long name beside a square at the edge of the surface.
  const long long w = canvas.TextWidth(name);
  const long long h = canvas.TextHeight(name);

  long long x = static_cast<long long>(left) + full + 2;
  switch (nameDx) {
    case -2:
      x = left - w - 2;
      break;
    case -1:
      x = static_cast<long long>(left) + half - w - 2;
      break;
    case 0:
      x = HoldPixel(static_cast<double>(left) + half - w * 0.5);
      break;
    case 1:
      x = static_cast<long long>(left) + half + 2;
      break;
    default:
      break;
  }
  long long y = static_cast<long long>(top) + full + 1;
  switch (nameDy) {
    case -2:
      y = top - h - 1;
      break;
    case -1:
      y = static_cast<long long>(top) + half - h - 1;
      break;
    case 0:
      y = HoldPixel(static_cast<double>(top) + half - h * 0.5);
      break;
    case 1:
      y = static_cast<long long>(top) + half + 1;
      break;
    default:
      break;
  }
  canvas.TextOut(HoldPixel(x), HoldPixel(y), name);
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
  const int bw = HoldPixel(bars.BarWidth * zoom);
  const int total = HoldPixel(n * static_cast<double>(bars.BarWidth) * zoom);
  const int longest = side - 1;
  auto length = [&](int i) {
    const double scale = GetScale(request, i);
    return scale == 0.0 ? 0 : HoldPixel(longest * values[i] / scale);
  };
  auto text = [&](int i) { return FormatStatValue(values[i], request.Rates); };
  const int middleX = AddPixels(left, side / 2);
  const int middleY = AddPixels(top, side / 2);

  if (bars.NumbersOnly) {
    ApplyFont(context.map.ReqDigitFont, canvas, zoom);
    std::array<std::string, TRequestData::kMaxProducts> texts;
    std::array<int, TRequestData::kMaxProducts> widths{};
    const int spaceWidth = canvas.TextWidth(" ");
    const int h = canvas.TextHeight("1");
    long long sum = static_cast<long long>(n - 1) * spaceWidth;
    for (int i = 0; i < n; ++i) {
      texts[i] = text(i);
      widths[i] = canvas.TextWidth(texts[i]);
      sum += widths[i];
    }
    int tx = Centred(left, side, HoldPixel(sum));
    const int ty = Centred(top, side, h);
    for (int i = 0; i < n; ++i) {
      if (i > 0) {
        canvas.SetFontColor(0);
        canvas.TextOut(tx, ty, " ");
        tx = AddPixels(tx, spaceWidth);
      }
      canvas.SetFontColor(request.Color[i]);
      canvas.TextOut(tx, ty, texts[i]);
      tx = AddPixels(tx, widths[i]);
    }
    return;
  }

  const bool withNumbers = bars.ShowNumbers && n < 3;
  if (bars.VerticalBars) {
    const int bottom = AddPixels(top, side);
    const int x0 = AddPixels(Centred(left, side, total), 1);
    canvas.SetPen(PenStyle::Clear, 0);
    for (int i = 0; i < n; ++i) {
      canvas.SetBrush(BrushStyle::Solid, request.Color[i]);
      const int bx = AddPixels(x0, static_cast<long long>(i) * bw);
      canvas.Rectangle(bx, bottom, AddPixels(AddPixels(bx, bw), 1),
                       AddPixels(bottom, -static_cast<long long>(length(i))));
    }
    if (!withNumbers) return;
    ApplyFont(context.map.ReqDigitFont, canvas, zoom);
    const std::string first = text(0) + " ";
    canvas.SetFontColor(request.Color[0]);
    canvas.TextOut(AddPixels(middleX, -static_cast<long long>(canvas.TextWidth(first))), bottom,
                   first);
    if (n == 2) {
      canvas.SetFontColor(request.Color[1]);
      canvas.TextOut(middleX, bottom, " " + text(1));
    }
    return;
  }

  const int x0 = AddPixels(left, 1);
  const int y0 = AddPixels(Centred(top, side, total), 1);
  canvas.SetPen(PenStyle::Clear, 0);
  for (int i = 0; i < n; ++i) {
    canvas.SetBrush(BrushStyle::Solid, request.Color[i]);
    const int by = AddPixels(y0, static_cast<long long>(i) * bw);
    canvas.Rectangle(x0, by, AddPixels(x0, length(i)), AddPixels(AddPixels(by, bw), 1));
  }
  if (!withNumbers) return;
  ApplyFont(context.map.ReqDigitFont, canvas, zoom);
  const std::string first = text(0) + " ";
  canvas.SetFontColor(request.Color[0]);
  canvas.TextOut(AddPixels(left, -static_cast<long long>(canvas.TextWidth(first))),
                 AddPixels(middleY, -static_cast<long long>(canvas.TextHeight(first))), first);
  if (n == 2) {
    const std::string second = text(1) + " ";
    canvas.SetFontColor(request.Color[1]);
    canvas.TextOut(AddPixels(left, -static_cast<long long>(canvas.TextWidth(second))), middleY,
                   second);
  }
}

}  // namespace qv
