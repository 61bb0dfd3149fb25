#pragma once

#include <cstdint>

namespace qv {

// A colour as the settings file and the tables store it: 0x00BBGGRR; a value
// with the high bit set names a system colour (its low byte is the index).
using TColor = std::int32_t;

constexpr TColor kSystemWindowColor = static_cast<TColor>(0x80000005u);
constexpr TColor kSystemButtonFaceColor = static_cast<TColor>(0x8000000Fu);
constexpr TColor kSystemButtonTextColor = static_cast<TColor>(0x80000012u);
constexpr TColor kSystemHighlightColor = static_cast<TColor>(0x8000000Du);
constexpr TColor kSystemShadowColor = static_cast<TColor>(0x80000010u);

constexpr bool IsSystemColor(TColor c) { return c < 0; }
constexpr int SystemColorIndex(TColor c) { return static_cast<int>(c & 0xFF); }
constexpr int RedOf(TColor c) { return c & 0xFF; }
constexpr int GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(TColor c) { return (c >> 16) & 0xFF; }
constexpr TColor MakeColor(int r, int g, int b) { return (b << 16) | (g << 8) | r; }

}  // namespace qv
