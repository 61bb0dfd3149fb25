#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qv {

class IniFile;

// The texts of the main window that a language file may replace by key
// (section "MainForm"), besides the captions and hints of its controls.
struct TMainTexts {
  std::string StatusSuns = "suns";
  std::string StatusShipyard = "SHIPYARD";
  std::string StatusDock = "EQ.DOCK";
  std::string StatusPirate = "PIRATE BASE";
  std::string DeleteSectorMsg = "Delete sector \"%s\"?";
  std::string DeleteCap = "Delete";
  std::string RevealAllMsg = "Reveal all invisible sectors?";
  std::string RevealAllCap = "Reveal all";
  std::string DeleteMsg = "Delete \"%s\" ?";
  std::string BmpErrorMsg = "Not enough resources to create %d x %d BMP";
  // Not one of the ten classic keys: the map image could not be written.
  std::string BmpWriteErrorMsg = "Cannot write the map image to %s";
  // Nor this: the status line's hint while statistics of no product are shown.
  std::string NoProductMsg = "no product chosen";
};

// Reads every key of `texts` from the section; a missing key keeps the text.
void TranslateMainTexts(const IniFile& languageFile, TMainTexts& texts);

using FormatArg = std::variant<std::string, std::int64_t>;

// Fills "%s" and "%d" placeholders in order ("%%" is a percent sign). The
// pattern may come from a language file, so it is never trusted: a
// placeholder without an argument stays as written, an argument of the other
// kind is inserted as text, and any other "%" sequence is kept literally.
std::string FormatText(std::string_view pattern, const std::vector<FormatArg>& args);

}  // namespace qv
