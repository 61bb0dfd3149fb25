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
  // Nor these: a map image too large for a BMP file, a large one, and the
  // progress of saving it.
  std::string BmpTooLargeMsg =
      "The map image of %d x %d pixels would make a BMP file of %s, more than the 4 GB a BMP "
      "file can hold. Save it as PNG or SVG, or choose a smaller zoom and save again.";
  std::string BmpLargeMsg =
      "The map image of %d x %d pixels makes a BMP file of %s. Save it all the same?";
  std::string BmpSaveCap = "Save map as image";
  std::string BmpProgressMsg = "Saving the map image...";
  std::string BmpCancelBtn = "Cancel";
  // Nor these: the settings file could not be read at start ("<path>:
  // <reason>"), or the settings could not be written at exit.
  std::string SettingsReadErrorMsg =
      "Cannot read the settings file %s. QVMap starts with its default settings and leaves the "
      "file as it is.";
  std::string SettingsWriteErrorMsg = "The settings could not be saved: %s";
  // The one message at exit over every file that could not be written.
  std::string ExitSaveErrorMsg = "Not everything could be saved when the program ended:";
  // The program folder cannot be held for this run (after the reason why).
  std::string FolderReadOnlyMsg =
      "Nothing in this folder will be saved in this run: not the universe, the settings, the "
      "column layouts or the complex calculator.";
  // The formats of the map image: the save dialog's filter (pairs of
  // description and pattern) and what is said of a name of another kind.
  std::string MapImageFilter =
      "Bitmap files (*.bmp)|*.bmp|PNG images (*.png)|*.png|SVG drawings (*.svg)|*.svg|"
      "All files|*.*";
  std::string MapFormatMsg =
      "The map can be saved as BMP, PNG or SVG: give the file name the extension .bmp, .png or "
      ".svg.";
  // The About box.
  std::string AboutCap = "About QVMap";
  std::string AboutVersion = "Version %s";
  std::string AboutDescription =
      "A map and economy calculator for players of the space trading game Quorvane.";
  std::string AboutLicence =
      "QVMap is free software under the GNU General Public License, version 3 or (at your "
      "option) any later version. It comes without any warranty.";
  std::string AboutFolder = "Your universe is kept in:";
  std::string AboutSettings = "Your settings are kept in:";
  // Nor these: the route shown on the map, in the status line.
  std::string RouteJumpsMsg = "Route: %d jumps";
  std::string RouteOneJumpMsg = "Route: 1 jump";
  std::string NoRouteMsg = "No route from %s to %s";
  std::string RouteStartMsg = "Route from %s: choose its end with \"Route to here\"";
  std::string RouteEndMsg = "Route to %s: choose its start with \"Route from here\"";
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
