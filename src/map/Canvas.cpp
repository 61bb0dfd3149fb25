#include "map/Canvas.h"

#include <cmath>

namespace qv {

void ApplyFont(const TFontParams& font, TCanvas& canvas, double scale) {
  TFontParams scaled = font;
  scaled.Size = static_cast<int>(std::trunc(font.Size * scale));
  canvas.SetFont(scaled);
  // Text is written without a background box.
  canvas.SetBrush(BrushStyle::Clear, 0);
}

}  // namespace qv
