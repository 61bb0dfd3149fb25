#include "map/MapRenderer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/DataModule1.h"
#include "data/MapLimits.h"
#include "map/Canvas.h"
#include "map/FormatStatValue.h"
#include "map/MapGeometry.h"
#include "map/PixelMath.h"
#include "map/RequestData.h"
#include "map/RouteOverlay.h"
#include "map/SectorArray.h"
#include "map/SectorDrawList.h"
#include "settings/MainWindowSettings.h"

namespace qv {

namespace {

TColor RaceColor(const TMapSettings& map, int race) {
  const std::array<TColor, kRaceNames.size()> colors = {
      map.KessarColor, map.LumariColor, map.VosskColor,  map.OrthaneColor,
      map.DrakhColor,  map.ZhurrColor,  map.PiratesColor};
  return race >= 0 && race < static_cast<int>(colors.size()) ? colors[static_cast<size_t>(race)]
                                                             : map.NoRaceColor;
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

void DrawGateLines(const TMapGeometry& geometry, TCanvas& canvas, const TSectorDrawRecord& s) {
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

void DrawStations(const TMapDrawContext& context, TCanvas& canvas, const TSectorDrawRecord& s,
                  int left, int top, int side) {
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

// Where a name's box of `size` pixels along one axis begins beside a square
// that begins at `start`, by its placement code -2..2 on that axis; `gap` is
// the room left between the square and the name.
long long NameStart(int start, int full, int half, long long size, int code, int gap) {
  switch (code) {
    case -2:
      return start - size - gap;
    case -1:
      return static_cast<long long>(start) + half - size - gap;
    case 0:
      return HoldPixel(static_cast<double>(start) + half - size * 0.5);
    case 1:
      return static_cast<long long>(start) + half + gap;
    default:
      return static_cast<long long>(start) + full + gap;
  }
}

// Where a name of the box (w, h) stands beside the square at (left, top),
// placed by the codes -2..2. Computed wide, then held: a long name beside a
// square at the edge of the surface.
std::pair<int, int> NamePosition(const TMapGeometry& geometry, int left, int top, long long w,
                                 long long h, int nameDx, int nameDy) {
  const int full = geometry.ZoomedSide();
  const int half = geometry.Zoomed(geometry.Settings().SectorSize * 0.5);
  return {HoldPixel(NameStart(left, full, half, w, nameDx, 2)),
          HoldPixel(NameStart(top, full, half, h, nameDy, 1))};
}

// An upper bound of the length of FormatStatValue(value, rates), without
// making the text: the integer part's digits, a sign, a point and two decimals.
size_t StatTextBound(double value) {
  const double magnitude = std::fabs(value);
  if (!(magnitude < 1e15)) return 32;
  size_t digits = 1;
  for (double rest = std::trunc(magnitude); rest >= 10.0; rest = std::trunc(rest / 10.0))
    ++digits;
  return digits + 4;
}

bool Meets(long long left, long long top, long long right, long long bottom, const TERect& clip) {
  return left < clip.Right() && right > clip.left && top < clip.Bottom() && bottom > clip.top;
}

bool LineMeets(int x1, int y1, int x2, int y2, const TERect& clip) {
  return std::min(x1, x2) <= clip.Right() && std::max(x1, x2) >= clip.left &&
         std::min(y1, y2) <= clip.Bottom() && std::max(y1, y2) >= clip.top;
}

// Which sectors may put pixels into a clip rectangle. A sector's square, its
// station marks and its suns stay near the square; its name and its
// statistics numbers may reach far beside it. Texts are first judged by their
// length, a character taken as at most twice the font's height wide; a name
// that may reach the clip by that measure is then measured.
class SectorReach {
 public:
  SectorReach(const TMapDrawContext& context, const TSectorDrawList& list, TCanvas& canvas,
              const TERect& clip, bool statistics)
      : context_(context), canvas_(canvas), clip_(clip), statistics_(statistics) {
    const TMapSettings& map = context.map;
    const TMapGeometry& geometry = context.geometry;
    const double zoom = geometry.Zoom();
    auto em = [&](const TFontParams& font) {
      ApplyFont(font, canvas, zoom);
      return std::max(1, canvas.TextHeight("Wg"));
    };
    nameEm_ = em(map.SectorNameFont);
    const int centredEm = std::max(em(map.StationsFont), em(map.SunFont));
    digitEm_ = em(map.ReqDigitFont);
    side_ = geometry.ZoomedSide();

    // Letters and suns are centred on the square.
    core_ = Width(centredEm, std::max<size_t>(3, list.LongestSuns())) / 2 + 2LL * centredEm + 2;
    // A name stands beside, above or below its square.
    const long long nameReachX = Width(nameEm_, list.LongestName()) + side_ + 3LL * nameEm_ + 3;
    const long long nameReachY = side_ + 3LL * nameEm_ + 2;
    // The statistics never exceed their scale, which is their maximum.
    long long barsAndNumbers = 0;
    if (statistics_) {
      double largest = 0.0;
      for (int i = 0; i < context.request.UsedCount(); ++i)
        largest = std::max(largest, std::fabs(GetScale(context.request, i)));
      barsAndNumbers = std::max<long long>(side_, StatisticsReach(1.0, largest));
    }
    reachX_ = std::max({core_, nameReachX, barsAndNumbers});
    reachY_ = std::max({core_, nameReachY, barsAndNumbers});
  }

  // The grid columns x0..x1 and rows y0..y1 whose sectors or gate lines may
  // reach the clip.
  void Cells(int& x0, int& x1, int& y0, int& y1) const {
    const TMapGeometry& geometry = context_.geometry;
    const TGeometrySettings& settings = geometry.Settings();
    Span(clip_.left - reachX_ - side_, static_cast<long long>(clip_.Right()) + reachX_,
         settings.SectorSize + settings.SectorDx, settings.BorderDx, geometry.OriginX(), x0, x1);
    Span(clip_.top - reachY_ - side_, static_cast<long long>(clip_.Bottom()) + reachY_,
         settings.SectorSize + settings.SectorDy, settings.BorderDy, geometry.OriginY(), y0, y1);
  }

  bool Meets(const TSectorDrawRecord& s, int left, int top) {
    long long margin = core_;
    if (statistics_) margin = std::max(margin, CellReach(s));
    if (qv::Meets(left - margin, top - margin, left + side_ + margin, top + side_ + margin, clip_))
      return true;
    return NameMeets(s, left, top);
  }

 private:
  static long long Width(int em, size_t chars) {
    return (2LL * em + 2) * static_cast<long long>(chars);
  }

  // The columns (or rows) whose squares, widened by `reach` on each side
  // already in `low` and `high`, meet low..high; one more on each side for
  // the gate lines, which run to the neighbours' centres.
  void Span(long long low, long long high, int pitch, int border, int origin, int& first,
            int& last) const {
    const double zoom = context_.geometry.Zoom();
    auto cell = [&](long long pixel) {
      const double grid = (pixel / zoom - border) / std::max(1, pitch);
      return std::clamp(grid, -4.0 * kMaxGridPosition, 4.0 * kMaxGridPosition);
    };
    first = origin + static_cast<int>(std::floor(cell(low))) - 2;
    last = origin + static_cast<int>(std::ceil(cell(high))) + 2;
  }

  // Bars and numbers: the longest bar, all bars side by side, all numbers in
  // a row.
  long long StatisticsReach(double longest, double largest) const {
    const TRequestData& request = context_.request;
    const int n = request.UsedCount();
    const double zoom = context_.geometry.Zoom();
    const double barWidth = context_.bars.BarWidth;
    long long reach = HoldPixel(n * barWidth * zoom) +
                      std::abs(static_cast<long long>(HoldPixel(barWidth * zoom))) + 4;
    reach =
        std::max(reach, std::llabs(static_cast<long long>(HoldPixel((side_ - 1) * longest))) + 2);
    const size_t chars = static_cast<size_t>(n) * (StatTextBound(largest) + 1);
    return std::max(reach, Width(digitEm_, chars) + 2LL * digitEm_);
  }

  long long CellReach(const TSectorDrawRecord& s) const {
    const double* values = context_.cells.Cell(s.x, s.y);
    if (values == nullptr) return 0;
    double longest = 0.0;
    double largest = 0.0;
    for (int i = 0; i < context_.request.UsedCount(); ++i) {
      const double scale = GetScale(context_.request, i);
      if (scale != 0.0) longest = std::max(longest, std::fabs(values[i] / scale));
      largest = std::max(largest, std::fabs(values[i]));
    }
    return StatisticsReach(longest, largest);
  }

  bool NameMeets(const TSectorDrawRecord& s, int left, int top) {
    if (s.name.empty()) return false;
    const long long h = nameEm_;
    // By its length first: most names far from the clip are never measured.
    const long long guess = Width(nameEm_, TSectorDrawList::NameLength(s.name));
    if (!qv::Meets(left - guess - 3 * h - 2, top - 3 * h - 2, left + side_ + guess + 3 * h + 2,
                   top + side_ + 3 * h + 2, clip_))
      return false;
    ApplyFont(context_.map.SectorNameFont, canvas_, context_.geometry.Zoom());
    const int w = canvas_.TextWidth(s.name);
    const int height = canvas_.TextHeight(s.name);
    const auto [x, y] = NamePosition(context_.geometry, left, top, w, height, s.nameDx, s.nameDy);
    const TERect reach = TextReach(x, y, w, height);
    return qv::Meets(reach.left, reach.top, reach.Right(), reach.Bottom(), clip_);
  }

  const TMapDrawContext& context_;
  TCanvas& canvas_;
  const TERect clip_;
  const bool statistics_;
  int nameEm_ = 1;
  int digitEm_ = 1;
  int side_ = 0;
  long long core_ = 0;
  long long reachX_ = 0;
  long long reachY_ = 0;
};

void DrawMapClipped(const TMapDrawContext& context, TCanvas& canvas, int width, int height,
                    const TERect* clip) {
  const TMapSettings& map = context.map;
  const TMapGeometry& geometry = context.geometry;
  const int side = geometry.ZoomedSide();
  const bool statistics = StatisticsShown(context);

  TSectorDrawList own;
  TSectorDrawList& list = context.sectors != nullptr ? *context.sectors : own;
  list.Update(context.store, map.ShowInvisibleSectors);
  const std::vector<TSectorDrawRecord>& records = list.Records();

  std::optional<SectorReach> reach;
  std::vector<int> drawn;
  if (clip == nullptr) {
    drawn.resize(records.size());
    for (size_t i = 0; i < drawn.size(); ++i)
      drawn[i] = static_cast<int>(i);
  } else {
    reach.emplace(context, list, canvas, *clip, statistics);
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    reach->Cells(x0, x1, y0, y1);
    list.Collect(x0, x1, y0, y1, drawn);
  }

  canvas.SetBrush(BrushStyle::Solid, map.BackgroundColor);
  if (clip == nullptr) {
    canvas.FillRect(0, 0, width, height);
  } else {
    canvas.FillRect(std::max(0, clip->left), std::max(0, clip->top), std::min(width, clip->Right()),
                    std::min(height, clip->Bottom()));
  }
  canvas.SetPen(PenStyle::Solid, map.GateLineColor);

  // Gate lines run centre to centre whether or not the neighbour exists; the
  // squares drawn afterwards cover their inner parts.
  for (const int i : drawn) {
    const TSectorDrawRecord& s = records[static_cast<size_t>(i)];
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

  for (const int i : drawn) {
    const TSectorDrawRecord& s = records[static_cast<size_t>(i)];
    const int left = geometry.Zoomed(geometry.SectorLeft(s.x));
    const int top = geometry.Zoomed(geometry.SectorTop(s.y));
    if (reach && !reach->Meets(s, left, top)) continue;
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
  if (context.route != nullptr) DrawRoute(geometry, canvas, *context.route, map.RouteColor, clip);
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
  ApplyFont(context.map.SectorNameFont, canvas, context.geometry.Zoom());
  const int w = canvas.TextWidth(name);
  const int h = canvas.TextHeight(name);
  const auto [x, y] = NamePosition(context.geometry, left, top, w, h, nameDx, nameDy);
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
