#include "settings/MainWindowSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "data/IniFile.h"
#include "map/MapGeometry.h"
#include "settings/Settings.h"
#include "support/TempDir.h"

namespace {

using namespace qv;
using qvtest::TempDir;

std::unique_ptr<IniFile> Ini(const TempDir& dir, const std::string& text) {
  dir.Write("QVMap.INI", text);
  return IniFile::Load(dir.File("QVMap.INI"));
}

// The file as written: every line ends in CR LF.
std::string WithCrLf(std::string_view lines) {
  std::string text;
  for (const char c : lines) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return text;
}

TEST(MainWindowSettingsTest, WithoutKeysTheFileDefaultsApplyNotTheInitialValues) {
  TMainWindowSettings initial;
  EXPECT_EQ(initial.Map.Zoom, 1.0);
  EXPECT_FALSE(initial.Map.ShowRaces);
  EXPECT_EQ(initial.Map.SunFont.Color, 0x00FFFF);

  TempDir dir;
  auto ini = Ini(dir, "");
  TMainWindowSettings read;
  ReadMainWindowSettings(*ini, read);
  EXPECT_DOUBLE_EQ(read.Map.Zoom, 0.75);
  EXPECT_TRUE(read.Map.ShowRaces);
  EXPECT_TRUE(read.Map.ShowDocks);
  EXPECT_TRUE(read.Map.ShowShipyards);
  EXPECT_TRUE(read.Map.ShowPirateBases);
  EXPECT_FALSE(read.Map.ShowSuns);
  EXPECT_FALSE(read.Map.ShowInvisibleSectors);
  EXPECT_EQ(read.Language, "English");
  EXPECT_EQ(read.Map.BackgroundColor, kSystemWindowColor);
  EXPECT_EQ(read.Map.SunFont, initial.Map.SunFont);
  EXPECT_EQ(read.Request.ReqColor, initial.Request.ReqColor);
  EXPECT_EQ(read.Request.ReqOp, initial.Request.ReqOp);
  EXPECT_TRUE(read.Request.CustomIndividualScale);
  EXPECT_EQ(read.Map.SectorSize, 40);
  EXPECT_EQ(read.Map.SectorDx, 100);
  EXPECT_EQ(read.Map.RouteColor, 0x0080FF);
  EXPECT_EQ(read.Route, qv::TRouteOptions{});
}

// Races to avoid are kept as a comma text: a race text with a comma or
// blanks around it reads back as it was.
TEST(MainWindowSettingsTest, RouteSettingsReadBackAsWritten) {
  TempDir dir;
  IniFile ini(dir.File("QVMap.INI"));
  TMainWindowSettings s;
  s.Map.RouteColor = 0x00FF00;
  s.Route.avoidRaces = {"Pirates", "Old, forgotten", " Zhurr"};
  s.Route.avoidPirateBases = true;
  WriteMainWindowSettings(s, ini);
  TMainWindowSettings back;
  ReadMainWindowSettings(ini, back);
  EXPECT_EQ(back.Map.RouteColor, 0x00FF00);
  EXPECT_EQ(back.Route, s.Route);

  auto empty = Ini(dir, "[MainWindow]\nRouteAvoidRaces=\n");
  ReadMainWindowSettings(*empty, back);
  EXPECT_TRUE(back.Route.avoidRaces.empty());
}

TEST(MainWindowSettingsTest, ValuesAreDecodedAsStored) {
  TempDir dir;
  auto ini = Ini(dir,
                 "[MainWindow]\nZoom=150\nBackgroundColor=0xFF\nGateLineColor=255\n"
                 "SectorBorderColor=red\nCountYourFactories=7\nLanguage=de\nReqOp3=1\n"
                 "ReqColor6=$00FF00\nShowSuns=1\nShowRaces=0\nShowProducts=1\n"
                 "[StationsFont]\nBold=1\n");
  TMainWindowSettings s;
  ReadMainWindowSettings(*ini, s);
  EXPECT_DOUBLE_EQ(s.Map.Zoom, 1.5);
  EXPECT_EQ(s.Map.BackgroundColor, MakeColor(255, 0, 0));
  EXPECT_EQ(s.Map.GateLineColor, MakeColor(255, 0, 0));
  EXPECT_EQ(s.Map.SectorBorderColor, 0);  // not a number: the default
  EXPECT_TRUE(s.Request.CountYourFactories);
  EXPECT_EQ(s.Language, "de");
  EXPECT_EQ(s.Request.ReqOp[2], 1);
  EXPECT_EQ(s.Request.ReqColor[5], 0x00FF00);
  EXPECT_TRUE(s.Map.ShowSuns);
  EXPECT_FALSE(s.Map.ShowRaces);
  EXPECT_TRUE(s.ShowProducts);
  EXPECT_FALSE(s.ShowLegend);
  EXPECT_EQ(s.Map.StationsFont.Style, kFontBold);

  auto background = Ini(dir, "[MainWindow]\nBackgroundColor=red\n");
  ReadMainWindowSettings(*background, s);
  EXPECT_EQ(s.Map.BackgroundColor, static_cast<TColor>(0x80000005u));
}

TEST(MainWindowSettingsTest, WritesTheWholeListInOrderAndReadsBackTheSame) {
  TempDir dir;
  IniFile ini(dir.File("QVMap.INI"));
  TMainWindowSettings s;
  s.Map.Zoom = 1.5;
  s.Map.BackgroundColor = kSystemWindowColor;
  s.Map.ShowSuns = true;
  s.Map.SunFont.Style = kFontItalic;
  s.Request.CountYourFactories = true;
  s.Request.ReqOp[4] = 0;
  s.Language = "de";
  WriteMainWindowSettings(s, ini);

  const std::vector<std::string> expected = {"SectorSize",
                                             "SectorDx",
                                             "SectorDy",
                                             "BorderDx",
                                             "BorderDy",
                                             "Zoom",
                                             "ProdColor",
                                             "DemandColor",
                                             "ReqColor1",
                                             "ReqColor2",
                                             "ReqColor3",
                                             "ReqColor4",
                                             "ReqColor5",
                                             "ReqColor6",
                                             "ReqOp1",
                                             "ReqOp2",
                                             "ReqOp3",
                                             "ReqOp4",
                                             "ReqOp5",
                                             "ReqOp6",
                                             "SimpleRequest",
                                             "VerticalBars",
                                             "BarWidth",
                                             "ShowNumbers",
                                             "NumbersOnly",
                                             "Traders",
                                             "CountYourFactories",
                                             "SectorBorderColor",
                                             "GateLineColor",
                                             "BackgroundColor",
                                             "KessarColor",
                                             "LumariColor",
                                             "VosskColor",
                                             "OrthaneColor",
                                             "DrakhColor",
                                             "PiratesColor",
                                             "ZhurrColor",
                                             "NoRaceColor",
                                             "ShowRaces",
                                             "ShowSuns",
                                             "ShowDocks",
                                             "ShowShipyards",
                                             "PirateBasesAsLetter",
                                             "ShipyardsAsLetter",
                                             "DocksAsLetter",
                                             "ShowPirateBases",
                                             "SimpleIndividualScale",
                                             "CustomIndividualScale",
                                             "ShowInvisibleSectors",
                                             "ShowRates",
                                             "RouteColor",
                                             "RouteAvoidRaces",
                                             "RouteAvoidPirateBases",
                                             "Build",
                                             "Language"};
  EXPECT_EQ(ini.ReadSection("MainWindow"), expected);
  for (const char* font : {"SectorNameFont", "ReqDigitFont", "SunFont", "StationsFont"}) {
    EXPECT_EQ(ini.ReadSection(font).size(), 8u) << font;
  }
  EXPECT_EQ(ini.ReadString("MainWindow", "Zoom", ""), "150");
  EXPECT_EQ(ini.ReadString("MainWindow", "BackgroundColor", ""), "-2147483643");
  EXPECT_EQ(ini.ReadString("MainWindow", "CountYourFactories", ""), "1");
  EXPECT_EQ(ini.ReadInteger("MainWindow", "Build", 0), kBuildNumber);
  EXPECT_TRUE(SettingsBuildMatches(&ini));

  TMainWindowSettings back;
  ReadMainWindowSettings(ini, back);
  EXPECT_DOUBLE_EQ(back.Map.Zoom, 1.5);
  EXPECT_EQ(back.Map.SunFont, s.Map.SunFont);
  EXPECT_EQ(back.Request.ReqOp, s.Request.ReqOp);
  EXPECT_TRUE(back.Map.ShowSuns);
  EXPECT_FALSE(back.Map.ShowRaces);  // written as the switch was, not as the default
  EXPECT_EQ(back.Language, "de");

  WriteMainWindowSwitchesOnClose(ini, true, false);
  EXPECT_TRUE(ini.ReadBool("MainWindow", "ShowProducts", false));
  EXPECT_FALSE(ini.ReadBool("MainWindow", "ShowLegend", true));
}

// A hand-edited file may hold any number; geometry beyond its range would
// overflow the map's pixel arithmetic. What is written back is what was used.
TEST(MainWindowSettingsTest, AbsurdGeometryIsHeldWhenReadAndWrittenBackHeld) {
  TempDir dir;
  auto ini = Ini(dir,
                 "[MainWindow]\nSectorSize=214764\nSectorDx=-5\nSectorDy=2147483647\n"
                 "BorderDx=-2147483648\nBorderDy=1001\nBarWidth=5000\nZoom=-3\n"
                 "[SunFont]\nSize=99999\n[StationsFont]\nSize=-4\n");
  TMainWindowSettings s;
  ReadMainWindowSettings(*ini, s);
  EXPECT_EQ((std::vector<int>{s.Map.SectorSize, s.Map.SectorDx, s.Map.SectorDy, s.Map.BorderDx,
                              s.Map.BorderDy, s.Request.BarWidth, s.Map.SunFont.Size,
                              s.Map.StationsFont.Size}),
            (std::vector<int>{1000, 0, 1000, 0, 1000, 100, 500, 1}));
  EXPECT_EQ(s.Map.Zoom, 1.0);  // none or less is 100 %, as the zoom box takes it
  WriteMainWindowSettings(s, *ini);
  EXPECT_EQ(ini->ReadString("MainWindow", "SectorSize", ""), "1000");
  EXPECT_EQ(ini->ReadString("MainWindow", "BorderDx", ""), "0");
  EXPECT_EQ(ini->ReadString("MainWindow", "Zoom", ""), "100");
  EXPECT_EQ(ini->ReadString("SunFont", "Size", ""), "500");

  auto large = Ini(dir, "[MainWindow]\nZoom=5000\nSectorSize=0\n");
  ReadMainWindowSettings(*large, s);
  EXPECT_EQ(ZoomPercent(s.Map.Zoom), 1000);
  EXPECT_EQ(s.Map.SectorSize, 1);
}

TEST(MainWindowSettingsTest, EveryWholePercentZoomSurvivesTheRoundTrip) {
  TempDir dir;
  IniFile ini(dir.File("QVMap.INI"));
  TMapGeometry typed;
  for (int percent = 1; percent <= 1000; ++percent) {
    ini.WriteInteger("MainWindow", "Zoom", percent);
    TMainWindowSettings s;
    ReadMainWindowSettings(ini, s);
    ASSERT_EQ(ZoomPercent(s.Map.Zoom), percent);
    // The zoom box gives the very same factor: the same pixels after a restart.
    typed.SetZoom(std::to_string(percent) + "%", TViewport{});
    ASSERT_EQ(typed.Zoom(), s.Map.Zoom) << percent;
  }
  EXPECT_EQ(ZoomPercent(0.755), 75);  // still truncated, not rounded
  EXPECT_EQ(ZoomPercent(-0.5), -50);
}

// The program's write at close and at exit over a file a player kept: keys
// missing take their file defaults, values beyond their ranges are written
// back held, and everything else in the file stays as it was.
TEST(MainWindowSettingsTest, APartialFileIsWrittenBackWhole) {
  TempDir dir;
  dir.Write("QVMap.INI",
            "; kept by hand\n[MainWindow]\nLeft=10\nsectordy=7\nSectorSize=0\nSectorDx=2000\n"
            "Zoom=5000\nBarWidth=-1\nShowRaces=0\nLanguage=Deutsch\nReqOp2=0\n"
            "RouteAvoidRaces=Pirates,,Zhurr\nBuild=3\n\n[SunFont]\nSize=900\nName=Courier\n"
            "[Other]\nKeep=this\n");
  auto ini = IniFile::Load(dir.File("QVMap.INI"));
  TMainWindowSettings s;
  ReadMainWindowSettings(*ini, s);
  // The fonts the file lacks follow at its end, at their initial values.
  const auto newFont = [](const char* section) {
    return std::string("[") + section + "]\nColor=0\nSize=9\nBold=0\nItalic=0\n" +
           "Underline=0\nStrikeout=0\nName=Arial\nCharset=1\n";
  };
  WriteMainWindowSwitchesOnClose(*ini, s.ShowProducts, s.ShowLegend);
  WriteMainWindowSettings(s, *ini);
  ASSERT_TRUE(ini->UpdateFile());
  EXPECT_EQ(dir.Read("QVMap.INI"), WithCrLf(R"(; kept by hand
[MainWindow]
Left=10
sectordy=7
SectorSize=1
SectorDx=1000
Zoom=1000
BarWidth=0
ShowRaces=0
Language=Deutsch
ReqOp2=0
RouteAvoidRaces=Pirates,Zhurr
Build=4
ShowProducts=0
ShowLegend=0
BorderDx=40
BorderDy=40
ProdColor=255
DemandColor=65280
ReqColor1=255
ReqColor2=65280
ReqColor3=16776960
ReqColor4=65535
ReqColor5=16711680
ReqColor6=16711935
ReqOp1=2
ReqOp3=2
ReqOp4=2
ReqOp5=2
ReqOp6=2
SimpleRequest=1
VerticalBars=1
ShowNumbers=0
NumbersOnly=0
Traders=0
CountYourFactories=0
SectorBorderColor=0
GateLineColor=0
BackgroundColor=-2147483643
KessarColor=65280
LumariColor=16711680
VosskColor=16776960
OrthaneColor=16711935
DrakhColor=65535
PiratesColor=16777215
ZhurrColor=255
NoRaceColor=16777215
ShowSuns=0
ShowDocks=1
ShowShipyards=1
PirateBasesAsLetter=1
ShipyardsAsLetter=1
DocksAsLetter=0
ShowPirateBases=1
SimpleIndividualScale=0
CustomIndividualScale=1
ShowInvisibleSectors=0
ShowRates=0
RouteColor=33023
RouteAvoidPirateBases=0

[SunFont]
Size=500
Name=Courier
Color=65535
Bold=0
Italic=0
Underline=0
Strikeout=0
Charset=1
[Other]
Keep=this
)" + newFont("SectorNameFont") + newFont("ReqDigitFont") +
                                            newFont("StationsFont")));
}

// Every stored setting at a value of its own comes back as it was written.
TEST(MainWindowSettingsTest, EveryKeySurvivesTheRoundTrip) {
  TMainWindowSettings s;
  TMapSettings& m = s.Map;
  m = {.SectorSize = 41,
       .SectorDx = 101,
       .SectorDy = 102,
       .BorderDx = 43,
       .BorderDy = 44,
       .Zoom = 123 * 0.01,  // as a percent reads back
       .BackgroundColor = 0x010101,
       .GateLineColor = 0x020202,
       .SectorBorderColor = 0x030303,
       .KessarColor = 0x040404,
       .LumariColor = 0x050505,
       .VosskColor = 0x060606,
       .OrthaneColor = 0x070707,
       .DrakhColor = 0x080808,
       .PiratesColor = 0x090909,
       .ZhurrColor = 0x0A0A0A,
       .NoRaceColor = 0x0B0B0B,
       .RouteColor = 0x0C0C0C,
       .DocksAsLetter = true,
       .ShipyardsAsLetter = false,
       .PirateBasesAsLetter = false,
       .SectorNameFont = {"Courier", 11, 0x0D0D0D, kFontBold, 0},
       .ReqDigitFont = {"Verdana", 12, 0x0E0E0E, kFontItalic, 2},
       .SunFont = {"Tahoma", 13, 0x0F0F0F, kFontUnderline, 3},
       .StationsFont = {"Georgia", 14, 0x101010, kFontStrikeOut | kFontBold, 4},
       .ShowRaces = true,
       .ShowSuns = true,
       .ShowDocks = true,
       .ShowShipyards = true,
       .ShowPirateBases = true,
       .ShowInvisibleSectors = true,
       .ShowStatistics = false};  // never stored
  s.Request = {.SimpleRequest = false,
               .ProdColor = 0x111111,
               .DemandColor = 0x121212,
               .ReqColor = {0x131313, 0x141414, 0x151515, 0x161616, 0x171717, 0x181818},
               .ReqOp = {0, 1, 0, 1, 2, 0},
               .Traders = 3,
               .CountYourFactories = true,
               .SimpleIndividualScale = true,
               .CustomIndividualScale = false,
               .ShowRates = true,
               .VerticalBars = false,
               .BarWidth = 17,
               .ShowNumbers = true,
               .NumbersOnly = true};
  s.Route = {.avoidRaces = {"Lumari", "Drakh"}, .avoidPirateBases = true};
  s.Language = "Deutsch";
  s.ShowProducts = true;
  s.ShowLegend = true;

  TempDir dir;
  IniFile ini(dir.File("QVMap.INI"));
  WriteMainWindowSwitchesOnClose(ini, s.ShowProducts, s.ShowLegend);
  WriteMainWindowSettings(s, ini);
  TMainWindowSettings back;
  ReadMainWindowSettings(ini, back);
  EXPECT_TRUE(back == s);
  EXPECT_EQ(back.Map.SunFont, s.Map.SunFont);
  EXPECT_EQ(back.Request.ReqOp, s.Request.ReqOp);
}

}  // namespace
