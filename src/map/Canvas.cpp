#include "map/Canvas.h"

#include "map/PixelMath.h"

namespace qv {

void ApplyFont(const TFontParams& font, TCanvas& canvas, double scale) {
  TFontParams scaled = font;
  scaled.Size = HoldPixel(font.Size * scale);
  canvas.SetFont(scaled);
  // Text is written without a background box.
  canvas.SetBrush(BrushStyle::Clear, 0);
}

}  // namespace qv
