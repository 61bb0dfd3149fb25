#pragma once

#include <cstdint>
#include <string>

#include "settings/Color.h"

namespace qv {

class IniFile;

enum FontStyle : unsigned {
  kFontBold = 1,
  kFontItalic = 2,
  kFontUnderline = 4,
  kFontStrikeOut = 8,
};

// One font setting of the map (sector names, numbers, suns, stations).
struct TFontParams {
  std::string Name = "Arial";
  int Size = 9;  // points
  TColor Color = 0;
  unsigned Style = 0;         // FontStyle bits
  std::uint8_t Charset = 1;   // the default character set

  friend bool operator==(const TFontParams&, const TFontParams&) = default;
};

// Keys "Color", "Size", "Bold", "Italic", "Underline", "Strikeout", "Name",
// "Charset" of the section; a missing key keeps the record's value.
void ReadFont(TFontParams& font, const IniFile& settings, const std::string& section);
void WriteFont(const TFontParams& font, IniFile& settings, const std::string& section);

}  // namespace qv
