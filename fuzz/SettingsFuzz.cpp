// Reads the input as the settings file with the main window's settings, the
// way the program starts, lays out a map reaching the corners of the grid
// with them, and writes them back as the program does at exit. Besides not
// crashing (nor overflowing: the build stops at undefined behaviour) it
// requires that the settings are held to their ranges and that the written
// file reads back to the same settings.

#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "data/IniFile.h"
#include "data/MapLimits.h"
#include "map/MapGeometry.h"
#include "settings/MainWindowSettings.h"
#include "settings/Settings.h"
#include "support/TempDir.h"

namespace {

using qvfuzz::Require;

qvtest::TempDir& Home() {
  static qvtest::TempDir home;
  return home;
}

void RequireIn(qv::TSettingRange range, int value, const char* what) {
  Require(value >= range.min && value <= range.max, what);
}

// Whatever the file says, the settings are held to their ranges.
void RequireHeld(const qv::TMainWindowSettings& values) {
  const qv::TMapSettings& map = values.Map;
  RequireIn(qv::kSectorSizeRange, map.SectorSize, "the sector size is held to its range");
  for (const int spacing : {map.SectorDx, map.SectorDy, map.BorderDx, map.BorderDy})
    RequireIn(qv::kSpacingRange, spacing, "spacings and borders are held to their range");
  RequireIn(qv::kZoomPercentRange, qv::ZoomPercent(map.Zoom), "the zoom is held to its range");
  RequireIn(qv::kBarWidthRange, values.Request.BarWidth, "the bar width is held to its range");
  for (const qv::TFontParams* font :
       {&map.SectorNameFont, &map.ReqDigitFont, &map.SunFont, &map.StationsFont})
    RequireIn(qv::kFontSizeRange, font->Size, "font sizes are held to their range");
}

// The pixel arithmetic of the map with these settings, from corner to corner
// of the grid.
void LayOutMap(const qv::TMapSettings& map) {
  qv::TMapGeometry geometry;
  geometry.SetSettings(qv::GeometryOf(map));
  qv::TSectorBounds bounds;
  bounds.MinX = bounds.MinY = bounds.MinVisibleX = bounds.MinVisibleY = qv::kMinGridPosition;
  bounds.MaxX = bounds.MaxY = bounds.MaxVisibleX = bounds.MaxVisibleY = qv::kMaxGridPosition;
  const qv::TViewport viewport{800, 600, 0, 0};
  geometry.RefreshBounds(bounds, true, viewport);
  for (const int corner : {qv::kMinGridPosition, 0, qv::kMaxGridPosition}) {
    geometry.SetSelection(corner, corner);
    geometry.SectorRect(corner, corner);
    geometry.SectorCenterX(corner);
    geometry.SectorCenterY(corner);
    geometry.SelectionMarkerSquares();
    geometry.ScrollToSelection(viewport);
  }
  geometry.HitTest(geometry.SurfaceWidth() - 1, geometry.SurfaceHeight() - 1);
}

// The settings as the program writes them, in a file of their own.
std::string Written(const qv::TMainWindowSettings& values, const std::string& path) {
  qv::IniFile file(path);
  qv::WriteMainWindowSwitchesOnClose(file, values.ShowProducts, values.ShowLegend);
  qv::WriteMainWindowSettings(values, file);
  Require(file.UpdateFile(), "settings can be written to a new file");
  return qvfuzz::ReadFile(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qvtest::TempDir& home = Home();
  qvfuzz::WriteFile(qv::SettingsFileName(home.Folder()), qvfuzz::Bytes(data, size));
  qv::TMainWindowSettings first;
  {
    std::string error;
    std::unique_ptr<qv::SettingsFile> settings = qv::OpenSettings(home.Folder(), &error);
    if (!settings) {
      Require(!error.empty(), "a settings file that cannot be read is named with its reason");
      return 0;
    }
    qv::ReadMainWindowSettings(*settings, first);
    RequireHeld(first);
    LayOutMap(first.Map);
    qv::WriteMainWindowSwitchesOnClose(*settings, first.ShowProducts, first.ShowLegend);
    qv::WriteMainWindowSettings(first, *settings);
    settings->MarkLastWriteOfRun();
    Require(settings->Save(&error), "the settings file is written back: " + error);
  }  // written back here, as at exit

  qv::TMainWindowSettings second;
  {
    std::unique_ptr<qv::SettingsFile> settings = qv::OpenSettings(home.Folder());
    Require(settings != nullptr, "a settings file the program wrote reads again");
    qv::ReadMainWindowSettings(*settings, second);
  }
  Require(Written(first, home.File("first.ini")) == Written(second, home.File("second.ini")),
          "settings written back read back the same");
  return 0;
}
