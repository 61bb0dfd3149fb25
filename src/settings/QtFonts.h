#pragma once

#include <QFont>

#include "settings/FontParams.h"

namespace qv {

// The Qt font of a font setting at a scale: face, point size trunc(Size *
// scale) but at least 1, bold, italic, underline and strikeout. Qt chooses the
// script by the text, so the character set has no counterpart; colour is not
// part of a QFont either.
QFont ToQFont(const TFontParams& font, double scale = 1.0);

// A font setting from a Qt font: face, size in points and style come from
// `font`; colour and character set, which a QFont does not carry, from `keep`.
TFontParams FromQFont(const QFont& font, const TFontParams& keep = {});

}  // namespace qv
