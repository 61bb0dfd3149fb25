#include "map/QtShape.h"

#include <QPainter>
#include <algorithm>

#include "settings/QtColors.h"

namespace qv {

QtShape::QtShape(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind) {}

void QtShape::SetShapeKind(Kind kind) {
  if (kind_ == kind) return;
  kind_ = kind;
  update();
}

void QtShape::SetBrushColor(TColor color) {
  if (brushColor_ == color) return;
  brushColor_ = color;
  update();
}

void QtShape::SetBrushClear(bool clear) {
  if (brushClear_ == clear) return;
  brushClear_ = clear;
  update();
}

void QtShape::SetPenColor(TColor color) {
  if (penColor_ == color) return;
  penColor_ = color;
  update();
}

void QtShape::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, kind_ == Kind::Ellipse);
  painter.setPen(QPen(ToQColor(penColor_), 1));
  if (brushClear_)
    painter.setBrush(Qt::NoBrush);
  else
    painter.setBrush(ToQColor(brushColor_));

  // The outline is drawn inside the widget: a one-pixel pen centred on the
  // border would lose its right and bottom lines.
  QRect area = rect().adjusted(0, 0, -1, -1);
  if (kind_ == Kind::Square) {
    const int side = std::min(area.width(), area.height());
    area = QRect(area.x() + (area.width() - side) / 2, area.y() + (area.height() - side) / 2, side,
                 side);
  }
  if (kind_ == Kind::Ellipse)
    painter.drawEllipse(area);
  else
    painter.drawRect(area);
}

}  // namespace qv
