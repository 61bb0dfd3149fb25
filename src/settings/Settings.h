#pragma once

#include <array>
#include <memory>
#include <string>

#include "settings/IniFile.h"

namespace qv {

class Dialogs;

// The number that identifies this build's data formats; written to "Build" of
// "MainWindow" and compared before the request table and column layouts are
// read.
constexpr int kBuildNumber = 4;

// `folder` with exactly one trailing separator.
std::string ProgramFolder(const std::string& folder);
// The settings file of a program folder: ProgramFolder + "QVMap.INI"; for the
// player's own data folder (UserFoldersOfEnvironment) the one in the player's
// configuration folder.
std::string SettingsFileName(const std::string& programFolder);

// The settings object of the program's folder, written back when released
// (a failed write shows "INI file read/write error"). When the file cannot be
// read, shows "INI file read/write error" (caption "Error", error icon) and
// gives nothing.
class SettingsFile;
std::unique_ptr<SettingsFile> OpenSettings(const std::string& programFolder, Dialogs& dialogs);

class SettingsFile : public IniFile {
 public:
  SettingsFile(IniFile&& file, Dialogs& dialogs);
  // UpdateFile(); failures reported through the dialogs. A read-only file is
  // the player's choice and is left as it is: every window writes its part at
  // exit, so only the run's last write (MarkLastWriteOfRun) reports it.
  ~SettingsFile();
  // The main window's write at exit, after every other window's.
  void MarkLastWriteOfRun() { lastWriteOfRun_ = true; }

 private:
  Dialogs& dialogs_;
  bool lastWriteOfRun_ = false;
};

bool SettingsBuildMatches(const IniFile* settings);

// The program-wide 16 custom colours of the colour dialog: each entry empty
// or "ColorA=value" .. "ColorP=value".
using CustomColorList = std::array<std::string, 16>;
void ReadCustomColors(CustomColorList& list, const IniFile* settings);
void WriteCustomColors(const CustomColorList& list, IniFile* settings);

}  // namespace qv
