#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <memory>
#include <string>

#include "map/Canvas.h"
#include "map/QtTextCache.h"

class QPainter;
class QPaintDevice;

namespace qv {

// The map's drawing operations on a QPainter, pixel for pixel as the raster
// rule of TCanvas says: antialiasing is off and every outline is one cosmetic
// pixel wide. Rectangle and Ellipse cover (left, top) to (right - 1,
// bottom - 1) with a pen; without a pen the filled area is one pixel narrower
// and lower (the map's bars rely on that to fill exactly the inside of a
// square). Corners given in any order are put in order first.
//
// Font sizes are points at the primary screen's resolution, turned into
// pixels here, so that a map drawn on an image (whose resolution Qt takes as
// 72 dpi) measures and looks the same as on screen.
//
// Texts are measured and shaped once per font through a QtTextCache; one
// handed in by the owner outlives the canvas and serves later repaints. The
// painter's transform and clip are read when the canvas is made: texts that
// cannot reach what they leave visible are not drawn, so they must not
// widen while the canvas draws.
//
// On an SVG drawing texts are written as text (drawText), not as glyphs.
class QtCanvas : public TCanvas {
 public:
  // Draws with a painter that the caller owns and keeps active.
  explicit QtCanvas(QPainter& painter, QtTextCache* texts = nullptr);
  // Opens and owns a painter on `device` (an image, a pixmap).
  explicit QtCanvas(QPaintDevice& device, QtTextCache* texts = nullptr);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  void SetPen(PenStyle style, TColor color) override;
  void SetBrush(BrushStyle style, TColor color) override;
  void SetFont(const TFontParams& font) override;
  void SetFontColor(TColor color) override;

  void FillRect(int left, int top, int right, int bottom) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void InvertRect(int left, int top, int right, int bottom) override;

  // Pixel size of a font of `points` points on this canvas.
  static int FontPixelSize(int points);

 private:
  std::unique_ptr<QPainter> ownPainter_;
  QPainter& painter_;
  std::unique_ptr<QtTextCache> ownTexts_;
  QtTextCache& texts_;
  QtFontTexts* font_ = nullptr;
  const QtFontTexts* painterFont_ = nullptr;  // the font last given to the painter
  QRect visible_;                             // in the canvas's coordinates
  PenStyle penStyle_ = PenStyle::Solid;
  QColor penColor_ = Qt::black;
  BrushStyle brushStyle_ = BrushStyle::Solid;
  QColor brushColor_ = Qt::white;
  QColor fontColor_ = Qt::black;
  QPoint position_;
  bool textsAsText_ = false;  // the device keeps texts as characters (SVG)

  void PreparePainter();
  void UseFont(const std::string& name, unsigned style, int points);
  void ApplyPenAndBrush();
};

}  // namespace qv
