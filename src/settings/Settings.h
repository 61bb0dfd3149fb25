#pragma once

#include <array>
#include <memory>
#include <string>

#include "data/IniFile.h"
#include "data/ProgramHome.h"

namespace qv {

// The number that identifies this build's data formats; written to "Build" of
// "MainWindow" and compared before the request table and column layouts are
// read.
constexpr int kBuildNumber = 4;

// The settings file of a program folder: ProgramFolder + "QVMap.INI"; for the
// player's own data folder (UserFoldersOfEnvironment) the one in the player's
// configuration folder.
std::string SettingsFileName(const std::string& programFolder);

// The settings object of the program's folder. A missing file reads as
// empty. When the file cannot be read (no permission, not a regular file,
// too large), gives nothing and sets `error` to "<path>: <reason>"; the
// caller tells the player once. Nothing is written unless Save() is called.
class SettingsFile;
std::unique_ptr<SettingsFile> OpenSettings(const std::string& programFolder,
                                           std::string* error = nullptr);

class SettingsFile : public IniFile {
 public:
  explicit SettingsFile(IniFile&& file);
  // Writes what changed (UpdateFile). A read-only file is the player's
  // choice and is left as it is: every window writes its part at exit, so
  // only the run's last write (MarkLastWriteOfRun) calls that a failure.
  // Returns false and sets `error` to "<path>: <reason>" on failure; the old
  // file is then as it was.
  bool Save(std::string* error = nullptr);
  // The main window's write at exit, after every other window's.
  void MarkLastWriteOfRun() { lastWriteOfRun_ = true; }

 private:
  bool lastWriteOfRun_ = false;
};

bool SettingsBuildMatches(const IniFile* settings);

// The program-wide 16 custom colours of the colour dialog: each entry empty
// or "ColorA=value" .. "ColorP=value".
using CustomColorList = std::array<std::string, 16>;
void ReadCustomColors(CustomColorList& list, const IniFile* settings);
void WriteCustomColors(const CustomColorList& list, IniFile* settings);

}  // namespace qv
