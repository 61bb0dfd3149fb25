#pragma once

#include <QWidget>

#include "settings/Color.h"

namespace qv {

// A coloured swatch: a rectangle filling the widget, the largest square
// centred in it, or the ellipse inside it, filled with the brush colour (or
// left open) and outlined in the pen colour. The legend's race and product
// colours and its station marks are such shapes.
class QtShape : public QWidget {
  Q_OBJECT

 public:
  enum class Kind { Rectangle, Square, Ellipse };

  explicit QtShape(Kind kind = Kind::Rectangle, QWidget* parent = nullptr);

  Kind ShapeKind() const { return kind_; }
  void SetShapeKind(Kind kind);
  TColor BrushColor() const { return brushColor_; }
  void SetBrushColor(TColor color);
  // An open shape shows what lies behind it inside the outline.
  bool BrushClear() const { return brushClear_; }
  void SetBrushClear(bool clear);
  TColor PenColor() const { return penColor_; }
  void SetPenColor(TColor color);

  QSize sizeHint() const override { return {24, 16}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Kind kind_;
  TColor brushColor_ = 0xFFFFFF;
  TColor penColor_ = 0x000000;
  bool brushClear_ = false;
};

}  // namespace qv
