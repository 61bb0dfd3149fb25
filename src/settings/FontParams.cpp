#include "settings/FontParams.h"

#include "data/IniFile.h"
#include "data/MapLimits.h"

namespace qv {

void ReadFont(TFontParams& font, const IniFile& settings, const std::string& section) {
  const bool bold = font.Style & kFontBold;
  const bool italic = font.Style & kFontItalic;
  const bool underline = font.Style & kFontUnderline;
  const bool strikeOut = font.Style & kFontStrikeOut;

  font.Color = settings.ReadInteger(section, "Color", font.Color);
  // Scaled by the zoom when drawn: held so that it stays a drawable size.
  font.Size = kFontSizeRange.Hold(settings.ReadInteger(section, "Size", font.Size));
  const bool newBold = settings.ReadBool(section, "Bold", bold);
  const bool newItalic = settings.ReadBool(section, "Italic", italic);
  const bool newUnderline = settings.ReadBool(section, "Underline", underline);
  const bool newStrikeOut = settings.ReadBool(section, "Strikeout", strikeOut);
  font.Name = settings.ReadString(section, "Name", font.Name);
  font.Charset = static_cast<std::uint8_t>(settings.ReadInteger(section, "Charset", font.Charset));

  font.Style = 0;
  if (newBold) font.Style |= kFontBold;
  if (newItalic) font.Style |= kFontItalic;
  if (newUnderline) font.Style |= kFontUnderline;
  if (newStrikeOut) font.Style |= kFontStrikeOut;
}

void WriteFont(const TFontParams& font, IniFile& settings, const std::string& section) {
  settings.WriteInteger(section, "Color", font.Color);
  settings.WriteInteger(section, "Size", font.Size);
  settings.WriteBool(section, "Bold", font.Style & kFontBold);
  settings.WriteBool(section, "Italic", font.Style & kFontItalic);
  settings.WriteBool(section, "Underline", font.Style & kFontUnderline);
  settings.WriteBool(section, "Strikeout", font.Style & kFontStrikeOut);
  settings.WriteString(section, "Name", font.Name);
  settings.WriteInteger(section, "Charset", font.Charset);
}

}  // namespace qv
