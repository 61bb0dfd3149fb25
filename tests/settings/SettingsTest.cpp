#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>

#include "data/AtomicFile.h"
#include "settings/FontParams.h"
#include "support/TempDir.h"

namespace {

using namespace qv;
using qvtest::TempDir;

TEST(SettingsTest, ProgramFolderEndsWithExactlyOneSeparator) {
  EXPECT_EQ(ProgramFolder("/opt/qvmap"), "/opt/qvmap/");
  EXPECT_EQ(ProgramFolder("/opt/qvmap//"), "/opt/qvmap/");
  EXPECT_EQ(ProgramFolder("/"), "/");
  EXPECT_EQ(SettingsFileName("/opt/qvmap/"), "/opt/qvmap/QVMap.INI");
}

TEST(SettingsTest, OpenSettingsReadsAndWritesBackWhenSaved) {
  TempDir dir;
  {
    auto settings = OpenSettings(dir.Folder());
    ASSERT_TRUE(settings);
    EXPECT_FALSE(SettingsBuildMatches(settings.get()));
    settings->WriteInteger("MainWindow", "Build", kBuildNumber);
    std::string error;
    EXPECT_TRUE(settings->Save(&error)) << error;
  }
  EXPECT_TRUE(dir.Exists("QVMap.INI"));
  {
    auto again = OpenSettings(dir.Folder());
    ASSERT_TRUE(again);
    EXPECT_TRUE(SettingsBuildMatches(again.get()));
    again->WriteInteger("MainWindow", "Build", 3);
    EXPECT_FALSE(SettingsBuildMatches(again.get()));
  }  // not saved: nothing written
  EXPECT_TRUE(SettingsBuildMatches(OpenSettings(dir.Folder()).get()));
  EXPECT_FALSE(SettingsBuildMatches(nullptr));
}

// A settings file that cannot be read gives nothing, and says which file and
// why, without waiting on a FIFO; one that merely holds junk is read.
TEST(SettingsTest, UnreadableFileGivesItsNameAndReasonJunkIsRead) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("QVMap.INI").c_str(), 0644), 0);
  std::string error;
  EXPECT_FALSE(OpenSettings(dir.Folder(), &error));
  EXPECT_EQ(error, dir.File("QVMap.INI") + ": it is not a regular file");
  std::filesystem::remove(dir.File("QVMap.INI"));

  using namespace std::string_literals;
  dir.Write("QVMap.INI", "MZ\x90\0\x03\0\0\0\n[MainWindow]\nBuild=4\n\0"s);
  auto settings = OpenSettings(dir.Folder(), &error);
  ASSERT_TRUE(settings);
  EXPECT_TRUE(SettingsBuildMatches(settings.get()));
}

TEST(SettingsTest, FailedSaveGivesTheFileAndReasonAndKeepsTheFolderInPlace) {
  TempDir dir;
  auto settings = OpenSettings(dir.Folder());
  ASSERT_TRUE(settings);
  settings->WriteInteger("MainWindow", "Zoom", 100);
  // The settings file's place is taken by a folder meanwhile.
  std::filesystem::create_directories(dir.Path() / "QVMap.INI" / "x");
  std::string error;
  EXPECT_FALSE(settings->Save(&error));
  EXPECT_EQ(error, dir.File("QVMap.INI") + ": it is a folder");
  // Told as every failed write is: the file, a line break, the reason.
  EXPECT_EQ(WriteFailureText(dir.File("QVMap.INI"), std::runtime_error(error)),
            "Cannot write file " + dir.File("QVMap.INI") + "\nit is a folder");
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "QVMap.INI" / "x"));
}

// One byte of the Windows code page must not cost every setting.
TEST(SettingsTest, SettingsInTheWindowsCodePageKeepTheirValues) {
  TempDir dir;
  dir.Write("QVMap.INI", "[MainWindow]\nZoom=150\nBuild=4\nPlayer=M\xFCller\n");
  {
    auto settings = OpenSettings(dir.Folder());
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->ReadInteger("MainWindow", "Zoom", 75), 150);
    EXPECT_TRUE(SettingsBuildMatches(settings.get()));
    settings->WriteInteger("MainWindow", "Zoom", 200);
    EXPECT_TRUE(settings->Save());
  }
  EXPECT_EQ(dir.Read("QVMap.INI"), "[MainWindow]\r\nZoom=200\r\nBuild=4\r\nPlayer=M\u00FCller\r\n");
}

TEST(SettingsTest, CustomColorsFillOnlyTheEntriesPresentAndWriteBackTheValues) {
  TempDir dir;
  dir.Write("QVMap.INI", "[CustomColors]\nColorC=FF00\ncolorD=\nColorZ=1\n");
  auto settings = OpenSettings(dir.Folder());
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
  auto settings = OpenSettings(dir.Folder());
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
