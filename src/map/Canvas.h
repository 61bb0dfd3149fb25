#pragma once

#include <string>

#include "map/ERect.h"
#include "settings/Color.h"
#include "settings/FontParams.h"

namespace qv {

enum class PenStyle { Solid, Clear };
enum class BrushStyle { Solid, Clear };

// The drawing operations the map needs. Rectangles follow the usual raster
// rule: (left, top) inclusive, (right, bottom) exclusive; the pen outlines,
// the brush fills the inside. Colours may name system colours.
class TCanvas {
 public:
  virtual ~TCanvas() = default;

  virtual void SetPen(PenStyle style, TColor color) = 0;
  virtual void SetBrush(BrushStyle style, TColor color) = 0;
  // Face, size in points (already scaled by the caller), colour, style, charset.
  virtual void SetFont(const TFontParams& font) = 0;
  virtual void SetFontColor(TColor color) = 0;

  // Fills with the brush, no outline.
  virtual void FillRect(int left, int top, int right, int bottom) = 0;
  // Outline with the pen (unless clear), inside with the brush (unless clear).
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;  // the end point itself is not drawn
  // Text with its top-left corner at (x, y); background box only when the
  // brush is solid.
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;
  // Inverts (exclusive-or) the pixels of a rectangle.
  virtual void InvertRect(int left, int top, int right, int bottom) = 0;
};

// Where the glyphs of a text written at (x, y) with the measured box (width,
// height) may put pixels: they may overhang the box (italics, accents,
// bearings), but not by a whole line height.
constexpr TERect TextReach(int x, int y, int width, int height) {
  return MakeERect(AddPixels(x, -height), AddPixels(y, -height), AddPixels(width, 3LL * height),
                   AddPixels(height, 2LL * height));
}

// Applies a font setting at a zoom: brush clear, size trunc(Size * scale).
void ApplyFont(const TFontParams& font, TCanvas& canvas, double scale);

}  // namespace qv
