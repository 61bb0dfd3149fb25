// Drawing the map of universes far larger than any real one: 10,000 sectors
// on a 100 x 100 grid and 100,000 on 317 x 317, all view switches on.
//
// Goals, each beside its baseline in the same run:
// - a repaint of the visible full-HD part of the map (DrawMapPart through the
//   window's draw list and text cache) within 2 times the bare QPainter
//   replay of the same visible rectangles, lines and pre-shaped texts, at
//   10k and at 100k sectors (3 ms at most at 100k);
// - the first paint of a fresh window at 10k (draw list and text cache
//   empty) within 10 ms, beside a plain drawText replay of what it shows;
// - the export of the 10k map at the default zoom (75 %) within 0.5 s of
//   CPU, and the 100k map at 25 % written at all. Their memory is measured
//   on qvmap-cli render with /usr/bin/time -v.
#include <benchmark/benchmark.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStaticText>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BenchUniverse.h"
#include "data/DataModule1.h"
#include "economy/SectorStatistics.h"
#include "map/MapGeometry.h"
#include "map/MapRenderer.h"
#include "map/QtCanvas.h"
#include "map/QtMapExport.h"
#include "map/QtMapImage.h"
#include "map/QtTextCache.h"
#include "map/RequestData.h"
#include "map/SectorArray.h"
#include "map/SectorDrawList.h"
#include "settings/MainWindowSettings.h"
#include "settings/QtColors.h"

namespace {

constexpr int kWindowWidth = 1920;
constexpr int kWindowHeight = 1080;

struct BigMap : qvbench::GeneratedUniverse {
  qv::TMapGeometry geometry;
  qv::TMapSettings map;
  qv::TRequestSettings bars;
  qv::TRequestData request;
  qv::TSectorArray cells;
  // Kept across repaints as the main window keeps them.
  qv::QtTextCache texts;
  qv::TSectorDrawList sectors;

  BigMap(int count, int side) : GeneratedUniverse(count, side) {
    map.ShowRaces = map.ShowSuns = map.ShowDocks = map.ShowShipyards = map.ShowPirateBases = true;
    SetZoom(1.0);
  }

  void SetZoom(double zoom) {
    geometry.SetZoomFactor(zoom);
    geometry.RefreshBounds(store.GetSectorBounds(), false, qv::TViewport{});
  }

  void ShowStatistics(bool on) {
    if (on && request.Count == 0) {
      for (const int product : RecipeProducts(6)) {
        request.ProductId[request.Count] = product;
        request.Color[request.Count] = 0x0000FF << (request.Count % 3 * 8);
        ++request.Count;
      }
      cells.SetRange(geometry.MinX(), geometry.MinY(), geometry.MaxX(), geometry.MaxY());
      qv::CalcRequestStatistics(store, request, cells);
    }
    map.ShowStatistics = on;
  }

  qv::TMapDrawContext Context() { return {store, geometry, map, bars, request, cells, &sectors}; }

  // A full-HD window scrolled to the middle of the map.
  qv::TERect Exposed() const {
    return qv::MakeERect((geometry.SurfaceWidth() - kWindowWidth) / 2,
                         (geometry.SurfaceHeight() - kWindowHeight) / 2, kWindowWidth,
                         kWindowHeight);
  }
};

BigMap& Universe(int count) {
  static qv::QtHeadlessGui gui;
  static std::map<int, std::unique_ptr<BigMap>> maps;
  std::unique_ptr<BigMap>& map = maps[count];
  if (!map) map = std::make_unique<BigMap>(count, count >= 100000 ? 317 : 100);
  return *map;
}

// A painter on the window's image, moved and clipped as a repaint of the
// exposed rectangle is.
void PaintExposed(BigMap& big, QImage& window, qv::QtTextCache& texts) {
  const qv::TERect exposed = big.Exposed();
  QPainter painter(&window);
  painter.translate(-exposed.left, -exposed.top);
  painter.setClipRect(exposed.left, exposed.top, exposed.width, exposed.height);
  qv::QtCanvas canvas(painter, &texts);
  qv::DrawMapPart(big.Context(), canvas, big.geometry.SurfaceWidth(), big.geometry.SurfaceHeight(),
                  exposed);
}

// What a repaint draws, recorded once with the pen, brush and font in force,
// and only what meets the exposed rectangle: the primitives a bare QPainter
// program would draw for the same picture.
class RecordedPrimitives : public qv::TCanvas {
 public:
  RecordedPrimitives(qv::QtTextCache& texts, const qv::TERect& exposed)
      : texts_(texts), exposed_(exposed) {}

  void SetPen(qv::PenStyle style, qv::TColor color) override {
    pen_ = style == qv::PenStyle::Solid ? QPen(qv::ToQColor(color), 1) : QPen(Qt::NoPen);
    if (style == qv::PenStyle::Solid) pen_.setCosmetic(true);
  }
  void SetBrush(qv::BrushStyle style, qv::TColor color) override {
    brush_ = style == qv::BrushStyle::Solid ? QBrush(qv::ToQColor(color)) : QBrush(Qt::NoBrush);
  }
  void SetFont(const qv::TFontParams& font) override {
    font_ = &texts_.Font(font.Name, font.Style, qv::QtCanvas::FontPixelSize(font.Size));
    fontColor_ = qv::ToQColor(font.Color);
  }
  void SetFontColor(qv::TColor color) override { fontColor_ = qv::ToQColor(color); }
  void FillRect(int left, int top, int right, int bottom) override {
    Add(Op::Fill, QRect(left, top, right - left, bottom - top));
  }
  void Rectangle(int left, int top, int right, int bottom) override {
    // One pixel inside (right, bottom), with or without an outline.
    const QRect box = QRect(QPoint(left, top), QPoint(right - 2, bottom - 2)).normalized();
    Add(pen_.style() == Qt::NoPen ? Op::Fill : Op::Rect, box);
  }
  void Ellipse(int left, int top, int right, int bottom) override {
    Add(Op::Ellipse, QRect(QPoint(left, top), QPoint(right - 2, bottom - 2)).normalized());
  }
  void MoveTo(int x, int y) override { at_ = QPoint(x, y); }
  void LineTo(int x, int y) override {
    Add(Op::Line, QRect(at_, QPoint(x, y)).normalized(), at_, QPoint(x, y));
    at_ = QPoint(x, y);
  }
  void TextOut(int x, int y, const std::string& text) override {
    const int width = font_->Width(text);
    const int height = font_->Height();
    Primitive& p =
        Add(Op::Text, QRect(x - height, y - height, width + 3 * height, 3 * height), QPoint(x, y));
    if (!p.visible) return;
    p.text = QStaticText(QString::fromStdString(text));
    p.text.setTextFormat(Qt::PlainText);
    p.text.prepare(QTransform(), font_->Font());
    p.plain = QString::fromStdString(text);
    p.font = font_->Font();
    p.ascent = font_->Ascent();
  }
  int TextWidth(const std::string& text) override { return font_->Width(text); }
  int TextHeight(const std::string&) override { return font_->Height(); }
  void InvertRect(int, int, int, int) override {}

  // Draws every visible primitive; with `shaped` texts from their prepared
  // layout, else through drawText (which shapes them each time).
  void Replay(QPainter& painter, bool shaped) const {
    for (const Primitive& p : primitives_) {
      if (!p.visible) continue;
      switch (p.op) {
        case Op::Fill:
          painter.fillRect(p.box, p.brush.color());
          break;
        case Op::Rect:
          painter.setPen(p.pen);
          painter.setBrush(p.brush);
          painter.drawRect(p.box);
          break;
        case Op::Ellipse:
          painter.setPen(p.pen);
          painter.setBrush(p.brush);
          painter.drawEllipse(p.box);
          break;
        case Op::Line:
          painter.setPen(p.pen);
          painter.drawLine(p.from, p.to);
          break;
        case Op::Text:
          painter.setPen(p.fontColor);
          painter.setFont(p.font);
          if (shaped)
            painter.drawStaticText(p.from, p.text);
          else
            painter.drawText(p.from + QPoint(0, p.ascent), p.plain);
          break;
      }
    }
  }

  int Visible() const {
    int count = 0;
    for (const Primitive& p : primitives_)
      count += p.visible ? 1 : 0;
    return count;
  }

 private:
  enum class Op { Fill, Rect, Ellipse, Line, Text };
  struct Primitive {
    Op op;
    QRect box;
    QPoint from, to;
    QPen pen;
    QBrush brush;
    QColor fontColor;
    bool visible = false;
    QStaticText text;
    QString plain;
    QFont font;
    int ascent = 0;
  };

  Primitive& Add(Op op, const QRect& box, QPoint from = {}, QPoint to = {}) {
    Primitive& p = primitives_.emplace_back();
    p.op = op;
    p.box = box;
    p.from = from;
    p.to = to;
    p.pen = pen_;
    p.brush = brush_;
    p.fontColor = fontColor_;
    p.visible =
        box.adjusted(0, 0, 1, 1)
            .intersects(QRect(exposed_.left, exposed_.top, exposed_.width, exposed_.height));
    return p;
  }

  qv::QtTextCache& texts_;
  const qv::TERect exposed_;
  QPen pen_;
  QBrush brush_;
  QColor fontColor_;
  qv::QtFontTexts* font_ = nullptr;
  QPoint at_;
  std::vector<Primitive> primitives_;
};

void SetUp(BigMap& big, bool statistics) {
  big.SetZoom(1.0);
  big.ShowStatistics(statistics);
}

// The repaint and its baseline run on the same cases, or their ratio means
// nothing.
void RepaintCases(benchmark::internal::Benchmark* bench) {
  bench->ArgNames({"sectors", "statistics"})
      ->Args({10000, 0})
      ->Args({100000, 0})
      ->Args({10000, 1})
      ->Args({100000, 1})
      ->Unit(benchmark::kMillisecond);
}

// The repaint of the exposed part of a full-HD window, with the window's
// draw list and text cache filled by earlier repaints.
void BM_VisibleRepaint(benchmark::State& state) {
  BigMap& big = Universe(static_cast<int>(state.range(0)));
  SetUp(big, state.range(1) != 0);
  QImage window(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
  PaintExposed(big, window, big.texts);
  for (auto _ : state)
    PaintExposed(big, window, big.texts);
  state.counters["sectors"] = static_cast<double>(big.sectors.Records().size());
}
BENCHMARK(BM_VisibleRepaint)->Apply(RepaintCases);

// Its baseline: the same visible primitives replayed on a bare QPainter,
// the texts shaped beforehand.
void BM_BareReplay(benchmark::State& state) {
  BigMap& big = Universe(static_cast<int>(state.range(0)));
  SetUp(big, state.range(1) != 0);
  const qv::TERect exposed = big.Exposed();
  RecordedPrimitives recorded(big.texts, exposed);
  qv::DrawMapPart(big.Context(), recorded, big.geometry.SurfaceWidth(),
                  big.geometry.SurfaceHeight(), exposed);
  QImage window(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&window);
    painter.translate(-exposed.left, -exposed.top);
    painter.setClipRect(exposed.left, exposed.top, exposed.width, exposed.height);
    recorded.Replay(painter, true);
  }
  state.counters["primitives"] = recorded.Visible();
}
BENCHMARK(BM_BareReplay)->Apply(RepaintCases);

// The first paint of a fresh window: the sectors read into a new draw list,
// every text of the exposed part laid out for the first time.
void BM_FirstPaint(benchmark::State& state) {
  BigMap& big = Universe(10000);
  SetUp(big, false);
  QImage window(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    state.PauseTiming();
    auto texts = std::make_unique<qv::QtTextCache>();
    big.sectors = qv::TSectorDrawList();
    state.ResumeTiming();
    PaintExposed(big, window, *texts);
    state.PauseTiming();
    texts.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstPaint)->Unit(benchmark::kMillisecond);

// Its baseline: the same primitives replayed with drawText, which shapes
// each text as it draws it.
void BM_BareReplayDrawText(benchmark::State& state) {
  BigMap& big = Universe(10000);
  SetUp(big, false);
  const qv::TERect exposed = big.Exposed();
  RecordedPrimitives recorded(big.texts, exposed);
  qv::DrawMapPart(big.Context(), recorded, big.geometry.SurfaceWidth(),
                  big.geometry.SurfaceHeight(), exposed);
  QImage window(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&window);
    painter.translate(-exposed.left, -exposed.top);
    painter.setClipRect(exposed.left, exposed.top, exposed.width, exposed.height);
    recorded.Replay(painter, false);
  }
}
BENCHMARK(BM_BareReplayDrawText)->Unit(benchmark::kMillisecond);

// Save map as BMP: the whole surface drawn in bands into a file. Argument:
// sectors and zoom in percent.
void BM_ExportBmp(benchmark::State& state) {
  BigMap& big = Universe(static_cast<int>(state.range(0)));
  big.ShowStatistics(false);
  big.SetZoom(static_cast<double>(state.range(1)) / 100.0);
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("qvmap-mapbench-" + std::to_string(std::random_device()()) + ".bmp"))
                               .string();
  std::error_code ec;
  double fileBytes = 0;
  for (auto _ : state) {
    const std::string error = qv::SaveMapBmp(big.Context(), big.geometry.SurfaceWidth(),
                                             big.geometry.SurfaceHeight(), path);
    if (!error.empty()) state.SkipWithError(error.c_str());
    // A new file each time, as a first export writes it.
    state.PauseTiming();
    fileBytes = static_cast<double>(std::filesystem::file_size(path, ec));
    std::filesystem::remove(path, ec);
    state.ResumeTiming();
  }
  state.counters["file_MB"] = fileBytes / 1e6;
  state.counters["width"] = big.geometry.SurfaceWidth();
  state.counters["height"] = big.geometry.SurfaceHeight();
  big.SetZoom(1.0);
}
BENCHMARK(BM_ExportBmp)->Args({10000, 75})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportBmp)->Args({100000, 25})->Iterations(1)->Unit(benchmark::kMillisecond);

// Save map as image in the other formats, as BM_ExportBmp. Arguments:
// sectors, zoom in percent, and the format (1 PNG, 2 SVG).
void BM_ExportImage(benchmark::State& state) {
  BigMap& big = Universe(static_cast<int>(state.range(0)));
  big.ShowStatistics(false);
  big.SetZoom(static_cast<double>(state.range(1)) / 100.0);
  const auto format = static_cast<qv::MapImageFormat>(state.range(2));
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("qvmap-mapbench-" + std::to_string(std::random_device()()) + ".image"))
                               .string();
  std::error_code ec;
  double fileBytes = 0;
  for (auto _ : state) {
    const std::string error = qv::SaveMapImage(big.Context(), big.geometry.SurfaceWidth(),
                                               big.geometry.SurfaceHeight(), path, format);
    if (!error.empty()) state.SkipWithError(error.c_str());
    state.PauseTiming();
    fileBytes = static_cast<double>(std::filesystem::file_size(path, ec));
    std::filesystem::remove(path, ec);
    state.ResumeTiming();
  }
  state.counters["file_MB"] = fileBytes / 1e6;
  big.SetZoom(1.0);
}
BENCHMARK(BM_ExportImage)
    ->Args({10000, 75, static_cast<int>(qv::MapImageFormat::Png)})
    ->Args({10000, 75, static_cast<int>(qv::MapImageFormat::Svg)})
    ->Unit(benchmark::kMillisecond);

}  // namespace
