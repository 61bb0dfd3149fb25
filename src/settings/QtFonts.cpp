#include "settings/QtFonts.h"

#include <algorithm>
#include <cmath>

namespace qv {

QFont ToQFont(const TFontParams& font, double scale) {
  QFont result(QString::fromStdString(font.Name));
  const int points = static_cast<int>(std::trunc(font.Size * scale));
  result.setPointSize(std::max(1, points));
  result.setBold((font.Style & kFontBold) != 0);
  result.setItalic((font.Style & kFontItalic) != 0);
  result.setUnderline((font.Style & kFontUnderline) != 0);
  result.setStrikeOut((font.Style & kFontStrikeOut) != 0);
  return result;
}

TFontParams FromQFont(const QFont& font, const TFontParams& keep) {
  TFontParams result = keep;
  result.Name = font.family().toStdString();
  if (font.pointSize() > 0) {
    result.Size = font.pointSize();
  } else if (font.pointSizeF() > 0) {
    result.Size = std::max(1, static_cast<int>(std::lround(font.pointSizeF())));
  } else if (font.pixelSize() > 0) {
    // A font given in pixels: points at the usual 96 pixels per inch.
    result.Size = std::max(1, static_cast<int>(std::lround(font.pixelSize() * 72.0 / 96.0)));
  }
  result.Style = 0;
  if (font.bold()) result.Style |= kFontBold;
  if (font.italic()) result.Style |= kFontItalic;
  if (font.underline()) result.Style |= kFontUnderline;
  if (font.strikeOut()) result.Style |= kFontStrikeOut;
  return result;
}

}  // namespace qv
