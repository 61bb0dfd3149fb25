#include "settings/MainWindowSettings.h"

#include <cmath>
#include <string>

#include "data/IniFile.h"
#include "data/MapLimits.h"
#include "settings/CommaText.h"
#include "settings/Settings.h"

namespace qv {

namespace {

const char kSection[] = "MainWindow";

// The race colours in the order the file lists them.
// Works on const and non-const settings alike.
template <class Map>
auto RaceColors(Map& map) {
  return std::array{&map.KessarColor, &map.LumariColor,  &map.VosskColor, &map.OrthaneColor,
                    &map.DrakhColor,  &map.PiratesColor, &map.ZhurrColor, &map.NoRaceColor};
}

constexpr std::array<const char*, 8> kRaceColorKeys = {
    "KessarColor", "LumariColor",  "VosskColor", "OrthaneColor",
    "DrakhColor",  "PiratesColor", "ZhurrColor", "NoRaceColor"};

std::string Numbered(const char* key, int index) {
  return key + std::to_string(index + 1);
}

}  // namespace

int ZoomPercent(double zoom) {
  // The tolerance is far below one percent step and only absorbs the error of
  // the decimal fraction 0.01 in binary.
  return static_cast<int>(std::trunc(zoom * 100.0 + (zoom >= 0 ? 1e-7 : -1e-7)));
}

void ReadMainWindowSettings(const IniFile& settings, TMainWindowSettings& values) {
  const IniFile& s = settings;
  TMapSettings& map = values.Map;
  TRequestSettings& req = values.Request;

  values.ShowProducts = s.ReadBool(kSection, "ShowProducts", false);
  values.ShowLegend = s.ReadBool(kSection, "ShowLegend", false);
  // Geometry is held to sane ranges: a hand-edited file must not make the
  // map's pixel arithmetic overflow. The held values are what is written back.
  map.SectorSize = kSectorSizeRange.Hold(s.ReadInteger(kSection, "SectorSize", 40));
  map.SectorDx = kSpacingRange.Hold(s.ReadInteger(kSection, "SectorDx", 100));
  map.SectorDy = kSpacingRange.Hold(s.ReadInteger(kSection, "SectorDy", 100));
  map.BorderDx = kSpacingRange.Hold(s.ReadInteger(kSection, "BorderDx", 40));
  map.BorderDy = kSpacingRange.Hold(s.ReadInteger(kSection, "BorderDy", 40));
  // A zoom of 0 or less is 100 %, as the zoom box takes it.
  const int zoom = s.ReadInteger(kSection, "Zoom", 75);
  map.Zoom = (zoom <= 0 ? 100 : kZoomPercentRange.Hold(zoom)) * 0.01;
  values.Language = s.ReadString(kSection, "Language", "English");

  req.ProdColor = s.ReadInteger(kSection, "ProdColor", 0x0000FF);
  req.DemandColor = s.ReadInteger(kSection, "DemandColor", 0x00FF00);
  const TRequestSettings defaults;
  for (int i = 0; i < 6; ++i) {
    req.ReqColor[i] = s.ReadInteger(kSection, Numbered("ReqColor", i), defaults.ReqColor[i]);
  }
  for (int i = 0; i < 6; ++i) {
    req.ReqOp[i] = s.ReadInteger(kSection, Numbered("ReqOp", i), 2);
  }
  req.SimpleRequest = s.ReadBool(kSection, "SimpleRequest", true);
  req.VerticalBars = s.ReadBool(kSection, "VerticalBars", true);
  req.BarWidth = kBarWidthRange.Hold(s.ReadInteger(kSection, "BarWidth", 10));
  req.ShowNumbers = s.ReadBool(kSection, "ShowNumbers", false);
  req.NumbersOnly = s.ReadBool(kSection, "NumbersOnly", false);
  req.Traders = s.ReadInteger(kSection, "Traders", 0);
  req.CountYourFactories = s.ReadInteger(kSection, "CountYourFactories", 0) != 0;

  map.SectorBorderColor = s.ReadInteger(kSection, "SectorBorderColor", 0x000000);
  map.GateLineColor = s.ReadInteger(kSection, "GateLineColor", 0x000000);
  map.BackgroundColor = s.ReadInteger(kSection, "BackgroundColor", kSystemWindowColor);
  const TMapSettings mapDefaults;
  const auto races = RaceColors(map);
  const auto raceDefaults = RaceColors(mapDefaults);
  for (std::size_t i = 0; i < races.size(); ++i) {
    *races[i] = s.ReadInteger(kSection, kRaceColorKeys[i], *raceDefaults[i]);
  }

  map.ShowRaces = s.ReadBool(kSection, "ShowRaces", true);
  map.ShowSuns = s.ReadBool(kSection, "ShowSuns", false);
  map.ShowDocks = s.ReadBool(kSection, "ShowDocks", true);
  map.ShowShipyards = s.ReadBool(kSection, "ShowShipyards", true);
  map.ShowPirateBases = s.ReadBool(kSection, "ShowPirateBases", true);

  ReadFont(map.SectorNameFont, s, "SectorNameFont");
  ReadFont(map.ReqDigitFont, s, "ReqDigitFont");
  ReadFont(map.SunFont, s, "SunFont");
  ReadFont(map.StationsFont, s, "StationsFont");

  map.PirateBasesAsLetter = s.ReadBool(kSection, "PirateBasesAsLetter", true);
  map.ShipyardsAsLetter = s.ReadBool(kSection, "ShipyardsAsLetter", true);
  map.DocksAsLetter = s.ReadBool(kSection, "DocksAsLetter", false);
  req.SimpleIndividualScale = s.ReadBool(kSection, "SimpleIndividualScale", false);
  req.CustomIndividualScale = s.ReadBool(kSection, "CustomIndividualScale", true);
  map.ShowInvisibleSectors = s.ReadBool(kSection, "ShowInvisibleSectors", false);
  req.ShowRates = s.ReadBool(kSection, "ShowRates", false);
  map.RouteColor = s.ReadInteger(kSection, "RouteColor", mapDefaults.RouteColor);
  values.Route.avoidRaces = SplitCommaText(s.ReadString(kSection, "RouteAvoidRaces", ""));
  std::erase(values.Route.avoidRaces, std::string());
  values.Route.avoidPirateBases = s.ReadBool(kSection, "RouteAvoidPirateBases", false);
}

void WriteMainWindowSettings(const TMainWindowSettings& values, IniFile& settings) {
  IniFile& s = settings;
  const TMapSettings& map = values.Map;
  const TRequestSettings& req = values.Request;

  s.WriteInteger(kSection, "SectorSize", map.SectorSize);
  s.WriteInteger(kSection, "SectorDx", map.SectorDx);
  s.WriteInteger(kSection, "SectorDy", map.SectorDy);
  s.WriteInteger(kSection, "BorderDx", map.BorderDx);
  s.WriteInteger(kSection, "BorderDy", map.BorderDy);
  s.WriteInteger(kSection, "Zoom", ZoomPercent(map.Zoom));
  s.WriteInteger(kSection, "ProdColor", req.ProdColor);
  s.WriteInteger(kSection, "DemandColor", req.DemandColor);
  for (int i = 0; i < 6; ++i)
    s.WriteInteger(kSection, Numbered("ReqColor", i), req.ReqColor[i]);
  for (int i = 0; i < 6; ++i)
    s.WriteInteger(kSection, Numbered("ReqOp", i), req.ReqOp[i]);
  s.WriteBool(kSection, "SimpleRequest", req.SimpleRequest);
  s.WriteBool(kSection, "VerticalBars", req.VerticalBars);
  s.WriteInteger(kSection, "BarWidth", req.BarWidth);
  s.WriteBool(kSection, "ShowNumbers", req.ShowNumbers);
  s.WriteBool(kSection, "NumbersOnly", req.NumbersOnly);
  s.WriteInteger(kSection, "Traders", req.Traders);
  s.WriteInteger(kSection, "CountYourFactories", req.CountYourFactories ? 1 : 0);
  s.WriteInteger(kSection, "SectorBorderColor", map.SectorBorderColor);
  s.WriteInteger(kSection, "GateLineColor", map.GateLineColor);
  s.WriteInteger(kSection, "BackgroundColor", map.BackgroundColor);
  const auto races = RaceColors(map);
  for (std::size_t i = 0; i < races.size(); ++i) {
    s.WriteInteger(kSection, kRaceColorKeys[i], *races[i]);
  }
  s.WriteBool(kSection, "ShowRaces", map.ShowRaces);
  s.WriteBool(kSection, "ShowSuns", map.ShowSuns);
  s.WriteBool(kSection, "ShowDocks", map.ShowDocks);
  s.WriteBool(kSection, "ShowShipyards", map.ShowShipyards);
  WriteFont(map.SectorNameFont, s, "SectorNameFont");
  WriteFont(map.ReqDigitFont, s, "ReqDigitFont");
  WriteFont(map.SunFont, s, "SunFont");
  WriteFont(map.StationsFont, s, "StationsFont");
  s.WriteBool(kSection, "PirateBasesAsLetter", map.PirateBasesAsLetter);
  s.WriteBool(kSection, "ShipyardsAsLetter", map.ShipyardsAsLetter);
  s.WriteBool(kSection, "DocksAsLetter", map.DocksAsLetter);
  s.WriteBool(kSection, "ShowPirateBases", map.ShowPirateBases);
  s.WriteBool(kSection, "SimpleIndividualScale", req.SimpleIndividualScale);
  s.WriteBool(kSection, "CustomIndividualScale", req.CustomIndividualScale);
  s.WriteBool(kSection, "ShowInvisibleSectors", map.ShowInvisibleSectors);
  s.WriteBool(kSection, "ShowRates", req.ShowRates);
  s.WriteInteger(kSection, "RouteColor", map.RouteColor);
  s.WriteString(kSection, "RouteAvoidRaces", JoinCommaText(values.Route.avoidRaces));
  s.WriteBool(kSection, "RouteAvoidPirateBases", values.Route.avoidPirateBases);
  s.WriteInteger(kSection, "Build", kBuildNumber);
  s.WriteString(kSection, "Language", values.Language);
}

void WriteMainWindowSwitchesOnClose(IniFile& settings, bool showProducts, bool showLegend) {
  settings.WriteBool(kSection, "ShowProducts", showProducts);
  settings.WriteBool(kSection, "ShowLegend", showLegend);
}

}  // namespace qv
