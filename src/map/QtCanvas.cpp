#include "map/QtCanvas.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QScreen>
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "map/PixelMath.h"
#include "settings/QtColors.h"
#include "settings/QtFonts.h"

namespace qv {

namespace {

// Puts the corners of a rectangle in order.
void Normalize(int& left, int& top, int& right, int& bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
}

int Sign(int value) {
  return (value > 0) - (value < 0);
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, QtTextCache* texts)
    : painter_(painter),
      ownTexts_(texts ? nullptr : std::make_unique<QtTextCache>()),
      texts_(texts ? *texts : *ownTexts_) {
  PreparePainter();
}

QtCanvas::QtCanvas(QPaintDevice& device, QtTextCache* texts)
    : ownPainter_(std::make_unique<QPainter>(&device)),
      painter_(*ownPainter_),
      ownTexts_(texts ? nullptr : std::make_unique<QtTextCache>()),
      texts_(texts ? *texts : *ownTexts_) {
  PreparePainter();
}

QtCanvas::~QtCanvas() = default;

void QtCanvas::PreparePainter() {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  // Shaped glyphs reach a vector drawing as outlines without their characters.
  const QPaintEngine* engine = painter_.paintEngine();
  textsAsText_ = engine != nullptr && engine->type() == QPaintEngine::SVG;
  const TFontParams initial;
  UseFont(initial.Name, initial.Style, initial.Size);
  // What the painter can still change, in the canvas's coordinates.
  if (const QPaintDevice* device = painter_.device()) {
    QRect area(0, 0, device->width(), device->height());
    bool invertible = true;
    const QTransform toCanvas = painter_.worldTransform().inverted(&invertible);
    area = invertible ? toCanvas.mapRect(area) : QRect();
    if (invertible && painter_.hasClipping()) area &= painter_.clipBoundingRect().toAlignedRect();
    visible_ = area;
  }
}

void QtCanvas::UseFont(const std::string& name, unsigned style, int points) {
  font_ = &texts_.Font(name, style, FontPixelSize(std::max(1, points)));
}

int QtCanvas::FontPixelSize(int points) {
  double dpi = 96.0;
  if (qGuiApp) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      dpi = screen->logicalDotsPerInchY();
  }
  if (dpi <= 0) dpi = 96.0;
  // Rounded as the platform's font mapping does.
  return std::max(1, HoldPixel(points * dpi / 72.0 + 0.5));
}

void QtCanvas::SetPen(PenStyle style, TColor color) {
  penStyle_ = style;
  penColor_ = ToQColor(color);
}

void QtCanvas::SetBrush(BrushStyle style, TColor color) {
  brushStyle_ = style;
  brushColor_ = ToQColor(color);
}

void QtCanvas::SetFont(const TFontParams& font) {
  UseFont(font.Name, font.Style, font.Size);
  fontColor_ = ToQColor(font.Color);
}

void QtCanvas::SetFontColor(TColor color) {
  fontColor_ = ToQColor(color);
}

void QtCanvas::ApplyPenAndBrush() {
  if (penStyle_ == PenStyle::Solid) {
    QPen pen(penColor_);
    pen.setWidth(1);
    pen.setCosmetic(true);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
  } else {
    painter_.setPen(Qt::NoPen);
  }
  if (brushStyle_ == BrushStyle::Solid)
    painter_.setBrush(brushColor_);
  else
    painter_.setBrush(Qt::NoBrush);
}

void QtCanvas::FillRect(int left, int top, int right, int bottom) {
  if (brushStyle_ != BrushStyle::Solid || right <= left || bottom <= top) return;
  painter_.fillRect(QRect(left, top, right - left, bottom - top), brushColor_);
}

void QtCanvas::Rectangle(int left, int top, int right, int bottom) {
  Normalize(left, top, right, bottom);
  if (penStyle_ == PenStyle::Clear) {
    if (brushStyle_ == BrushStyle::Solid && right - left > 1 && bottom - top > 1)
      painter_.fillRect(QRect(left, top, right - left - 1, bottom - top - 1), brushColor_);
    return;
  }
  if (right - left < 1 || bottom - top < 1) return;
  ApplyPenAndBrush();
  painter_.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void QtCanvas::Ellipse(int left, int top, int right, int bottom) {
  Normalize(left, top, right, bottom);
  if (penStyle_ == PenStyle::Clear && brushStyle_ == BrushStyle::Clear) return;
  if (right - left < 2 || bottom - top < 2) return;
  ApplyPenAndBrush();
  // The outline of a cosmetic pen is centred on the rectangle's edge and so
  // ends one pixel inside (right, bottom); without a pen the fill alone is
  // one pixel smaller as with Rectangle.
  painter_.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void QtCanvas::MoveTo(int x, int y) {
  position_ = QPoint(x, y);
}

void QtCanvas::LineTo(int x, int y) {
  const QPoint from = position_;
  const QPoint to(x, y);
  position_ = to;
  if (penStyle_ == PenStyle::Clear || from == to) return;
  ApplyPenAndBrush();
  const int dx = to.x() - from.x();
  const int dy = to.y() - from.y();
  if (dx == 0 || dy == 0) {
    // The end point itself stays undrawn, so lines that meet do not draw the
    // shared pixel twice.
    const QPoint last = to - QPoint(Sign(dx), Sign(dy));
    painter_.drawLine(from, last);
    return;
  }
  // Slanted lines: Bresenham's points without the end point.
  QPolygon points;
  const int adx = std::abs(dx);
  const int ady = std::abs(dy);
  const int sx = Sign(dx);
  const int sy = Sign(dy);
  int px = from.x();
  int py = from.y();
  int error = adx - ady;
  while (px != to.x() || py != to.y()) {
    points.append(QPoint(px, py));
    const int twice = 2 * error;
    if (twice > -ady) {
      error -= ady;
      px += sx;
    }
    if (twice < adx) {
      error += adx;
      py += sy;
    }
  }
  painter_.drawPoints(points);
}

void QtCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty()) return;
  const int width = font_->Width(text);
  const int height = font_->Height();
  if (brushStyle_ == BrushStyle::Solid) painter_.fillRect(QRect(x, y, width, height), brushColor_);
  const TERect reach = TextReach(x, y, width, height);
  if (!visible_.intersects(QRect(reach.left, reach.top, reach.width, reach.height))) return;
  if (painterFont_ != font_) {
    painter_.setFont(font_->Font());
    painterFont_ = font_;
  }
  painter_.setPen(fontColor_);
  const QFont& font = font_->Font();
  if (textsAsText_) {
    // A drawing keeps the characters, so that its texts can be searched.
    const QString string = QString::fromStdString(text);
    if (string.contains('\n'))
      painter_.drawText(QRect(x, y, width, height), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                        string);
    else
      painter_.drawText(QPoint(x, y + font_->Ascent()), string);
    return;
  }
  if (font.underline() || font.strikeOut()) {
    // Shaped texts draw their lines a pixel off where drawText puts them.
    painter_.drawText(QPoint(x, y + font_->Ascent()), QString::fromStdString(text));
    return;
  }
  font_->Draw(painter_, QPointF(x, y), text);
}

int QtCanvas::TextWidth(const std::string& text) {
  return font_->Width(text);
}

int QtCanvas::TextHeight(const std::string& text) {
  (void)text;  // every line of a font has the same height
  return font_->Height();
}

void QtCanvas::InvertRect(int left, int top, int right, int bottom) {
  Normalize(left, top, right, bottom);
  if (right <= left || bottom <= top) return;
  painter_.save();
  // Difference with white is 255 - value on every colour channel and keeps an
  // opaque image opaque; applying it twice gives the pixels back.
  painter_.setCompositionMode(QPainter::CompositionMode_Difference);
  painter_.fillRect(QRect(left, top, right - left, bottom - top), Qt::white);
  painter_.restore();
}

}  // namespace qv
