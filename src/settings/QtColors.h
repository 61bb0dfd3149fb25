#pragma once

#include <QColor>

#include "settings/Color.h"

namespace qv {

// The colour a stored value stands for. A system colour (high bit set) takes
// the application palette's role of the same meaning, so that the map and the
// swatches follow the desktop's colour scheme as they did where the values
// come from; an unknown index gives the window colour.
QColor ToQColor(TColor color);

// The stored form (0x00BBGGRR) of a plain colour; alpha is dropped.
TColor FromQColor(const QColor& color);

}  // namespace qv
