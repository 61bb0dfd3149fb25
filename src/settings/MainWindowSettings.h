#pragma once

#include <array>
#include <string>

#include "settings/Color.h"
#include "settings/FontParams.h"
#include "settings/RouteOptions.h"

namespace qv {

class IniFile;

// How the map is laid out and drawn. The values below are those the main
// window starts with before (or without) a readable settings file. Every
// stored member has one key in MainWindowKeys(), which reads, writes and
// holds it; a key missing from the file gives the value below unless the
// key names a default of its own (the zoom and the view switches do).
struct TMapSettings {
  int SectorSize = 40;
  int SectorDx = 100;
  int SectorDy = 100;
  int BorderDx = 40;
  int BorderDy = 40;
  double Zoom = 1.0;

  TColor BackgroundColor = kSystemWindowColor;
  TColor GateLineColor = 0x000000;
  TColor SectorBorderColor = 0x000000;
  TColor KessarColor = 0x00FF00;
  TColor LumariColor = 0xFF0000;
  TColor VosskColor = 0xFFFF00;
  TColor OrthaneColor = 0xFF00FF;
  TColor DrakhColor = 0x00FFFF;
  TColor PiratesColor = 0xFFFFFF;
  TColor ZhurrColor = 0x0000FF;
  TColor NoRaceColor = 0xFFFFFF;
  TColor RouteColor = 0x0080FF;  // the route shown on the map

  bool DocksAsLetter = false;
  bool ShipyardsAsLetter = true;
  bool PirateBasesAsLetter = true;

  TFontParams SectorNameFont;
  TFontParams ReqDigitFont;
  TFontParams SunFont{.Color = 0x00FFFF};
  TFontParams StationsFont{.Color = 0x000000};  // starts as SectorBorderColor

  // The view switches (check marks of the View menu); all off until read,
  // while a file without their keys shows races and stations.
  bool ShowRaces = false;
  bool ShowSuns = false;
  bool ShowDocks = false;
  bool ShowShipyards = false;
  bool ShowPirateBases = false;
  bool ShowInvisibleSectors = false;
  bool ShowStatistics = false;  // never stored

  friend bool operator==(const TMapSettings&, const TMapSettings&) = default;
};

// The request settings of the main window (not the chosen products, which
// live in the request table).
struct TRequestSettings {
  bool SimpleRequest = true;
  TColor ProdColor = 0x0000FF;
  TColor DemandColor = 0x00FF00;
  std::array<TColor, 6> ReqColor{0x0000FF, 0x00FF00, 0xFFFF00, 0x00FFFF, 0xFF0000, 0xFF00FF};
  std::array<int, 6> ReqOp{2, 2, 2, 2, 2, 2};  // 0 production, 1 demand, 2 slot unused
  int Traders = 0;
  bool CountYourFactories = false;
  bool SimpleIndividualScale = false;
  bool CustomIndividualScale = true;
  bool ShowRates = false;
  bool VerticalBars = true;
  int BarWidth = 10;
  bool ShowNumbers = false;
  bool NumbersOnly = false;

  friend bool operator==(const TRequestSettings&, const TRequestSettings&) = default;
};

struct TMainWindowSettings {
  TMapSettings Map;
  TRequestSettings Request;
  TRouteOptions Route;  // what the routes on the map avoid
  std::string Language = "English";
  bool ShowProducts = false;  // products-in-sector window open at the last close
  bool ShowLegend = false;    // legend window open at the last close

  friend bool operator==(const TMainWindowSettings&, const TMainWindowSettings&) = default;
};

// The zoom as a whole percentage, trunc(zoom x 100). A zoom read as n x 0.01
// gives n back even where the product lands a hair below n (29 x 0.01 x 100).
int ZoomPercent(double zoom);

// Every key of MainWindowKeys(): the keys of "MainWindow" except the window
// placement, and the four font sections. Missing keys give the defaults of
// the file format (zoom 75 %, races, docks, shipyards and pirate bases
// shown), which differ from the initial values above.
void ReadMainWindowSettings(const IniFile& settings, TMainWindowSettings& values);
// What the main window writes when it is destroyed, after its placement:
// the keys written at exit, in the table's order.
void WriteMainWindowSettings(const TMainWindowSettings& values, IniFile& settings);
// What the main window writes when it is closed: which windows were open.
void WriteMainWindowSwitchesOnClose(IniFile& settings, bool showProducts, bool showLegend);

}  // namespace qv
