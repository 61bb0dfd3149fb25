#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "settings/FontParams.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace {

using namespace qv;
using qvtest::ScriptedDialogs;
using qvtest::TempDir;

TEST(SettingsTest, ProgramFolderEndsWithExactlyOneSeparator) {
  EXPECT_EQ(ProgramFolder("/opt/qvmap"), "/opt/qvmap/");
  EXPECT_EQ(ProgramFolder("/opt/qvmap//"), "/opt/qvmap/");
  EXPECT_EQ(ProgramFolder("/"), "/");
  EXPECT_EQ(SettingsFileName("/opt/qvmap/"), "/opt/qvmap/QVMap.INI");
}

TEST(SettingsTest, OpenSettingsReadsAndWritesBackWhenReleased) {
  TempDir dir;
  ScriptedDialogs dialogs;
  {
    auto settings = OpenSettings(dir.Folder(), dialogs);
    ASSERT_TRUE(settings);
    EXPECT_FALSE(SettingsBuildMatches(settings.get()));
    settings->WriteInteger("MainWindow", "Build", kBuildNumber);
  }
  EXPECT_TRUE(dir.Exists("QVMap.INI"));
  auto again = OpenSettings(dir.Folder(), dialogs);
  ASSERT_TRUE(again);
  EXPECT_TRUE(SettingsBuildMatches(again.get()));
  again->WriteInteger("MainWindow", "Build", 3);
  EXPECT_FALSE(SettingsBuildMatches(again.get()));
  EXPECT_FALSE(SettingsBuildMatches(nullptr));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST(SettingsTest, BinaryFileShowsTheErrorAndGivesNothing) {
  TempDir dir;
  dir.Write("QVMap.INI", std::string("MZ\x90\0\x03\0\0\0", 8));
  ScriptedDialogs dialogs;
  EXPECT_FALSE(OpenSettings(dir.Folder(), dialogs));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "INI file read/write error");
  EXPECT_EQ(dialogs.shown[0].caption, "Error");
  EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Error);
  EXPECT_EQ(dir.Read("QVMap.INI").size(), 8u);  // left as it was
}

// One byte of the Windows code page must not cost every setting.
TEST(SettingsTest, SettingsInTheWindowsCodePageKeepTheirValues) {
  TempDir dir;
  dir.Write("QVMap.INI", "[MainWindow]\nZoom=150\nBuild=4\nPlayer=M\xFCller\n");
  ScriptedDialogs dialogs;
  {
    auto settings = OpenSettings(dir.Folder(), dialogs);
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->ReadInteger("MainWindow", "Zoom", 75), 150);
    EXPECT_TRUE(SettingsBuildMatches(settings.get()));
    settings->WriteInteger("MainWindow", "Zoom", 200);
  }
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(dir.Read("QVMap.INI"), "[MainWindow]\r\nZoom=200\r\nBuild=4\r\nPlayer=M\u00FCller\r\n");
}

TEST(SettingsTest, FailedWriteOnReleaseIsReported) {
  TempDir dir;
  ScriptedDialogs dialogs;
  {
    auto settings = OpenSettings(dir.Folder(), dialogs);
    ASSERT_TRUE(settings);
    settings->WriteInteger("MainWindow", "Zoom", 100);
    // The settings file's place is taken by a folder meanwhile.
    std::filesystem::create_directories(dir.Path() / "QVMap.INI" / "x");
  }
  EXPECT_EQ(dialogs.Messages(),
            (std::vector<std::string>{"Cannot write file " + dir.File("QVMap.INI") +
                                      "\nit is a folder"}));
}

TEST(SettingsTest, CustomColorsFillOnlyTheEntriesPresentAndWriteBackTheValues) {
  TempDir dir;
  dir.Write("QVMap.INI", "[CustomColors]\nColorC=FF00\ncolorD=\nColorZ=1\n");
  ScriptedDialogs dialogs;
  auto settings = OpenSettings(dir.Folder(), dialogs);
  ASSERT_TRUE(settings);

  CustomColorList list;
  list[5] = "ColorF=kept";
  ReadCustomColors(list, settings.get());
  EXPECT_EQ(list[2], "ColorC=FF00");
  EXPECT_EQ(list[3], "");  // an empty value keeps what the entry had
  EXPECT_EQ(list[5], "ColorF=kept");
  EXPECT_EQ(list[0], "");

  ReadCustomColors(list, nullptr);
  EXPECT_EQ(list, CustomColorList{});

  CustomColorList toWrite;
  toWrite[0] = "ColorA=123";
  toWrite[1] = "no equals sign";
  toWrite[15] = "ColorP=a=b";
  WriteCustomColors(toWrite, settings.get());
  WriteCustomColors(toWrite, nullptr);
  EXPECT_EQ(settings->ReadString("CustomColors", "ColorA", ""), "123");
  EXPECT_EQ(settings->ReadString("CustomColors", "ColorP", ""), "a=b");
  EXPECT_EQ(settings->ReadSection("CustomColors"),
            (std::vector<std::string>{"ColorC", "colorD", "ColorZ", "ColorA", "ColorP"}));
}

TEST(SettingsTest, FontSectionWithOnlyBoldKeepsTheRestAndAddsBold) {
  TempDir dir;
  dir.Write("QVMap.INI", "[SunFont]\nBold=1\n[Other]\nItalic=1\nStrikeout=0\nCharset=0x1CC\n");
  ScriptedDialogs dialogs;
  auto settings = OpenSettings(dir.Folder(), dialogs);
  ASSERT_TRUE(settings);

  TFontParams sun{.Name = "Tahoma", .Size = 11, .Color = 0x00FFFF, .Style = kFontUnderline};
  ReadFont(sun, *settings, "SunFont");
  EXPECT_EQ(sun.Name, "Tahoma");
  EXPECT_EQ(sun.Size, 11);
  EXPECT_EQ(sun.Color, 0x00FFFF);
  EXPECT_EQ(sun.Charset, 1);
  EXPECT_EQ(sun.Style, kFontBold | kFontUnderline);

  TFontParams other{.Style = kFontStrikeOut | kFontBold};
  ReadFont(other, *settings, "Other");
  EXPECT_EQ(other.Style, kFontBold | kFontItalic);
  EXPECT_EQ(other.Charset, 0xCC);  // kept in eight bits

  WriteFont(sun, *settings, "Written");
  EXPECT_EQ(settings->ReadSection("Written"),
            (std::vector<std::string>{"Color", "Size", "Bold", "Italic", "Underline", "Strikeout",
                                      "Name", "Charset"}));
  TFontParams back;
  ReadFont(back, *settings, "Written");
  EXPECT_EQ(back, sun);
}

}  // namespace
