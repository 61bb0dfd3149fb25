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
    long long reach = TruncToInt(n * static_cast<double>(context_.bars.BarWidth) * zoom) +
                      std::abs(static_cast<long long>(TruncToInt(context_.bars.BarWidth * zoom))) +
                      4;
    size_t chars = 0;
    for (int i = 0; i < n; ++i) {
      const double scale = GetScale(request, i);
      if (scale != 0.0) {
        const double length = (context_.geometry.ZoomedSide() - 1) * values[i] / scale;
        reach = std::max(reach, std::llabs(static_cast<long long>(TruncToInt(length))) + 2);
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
