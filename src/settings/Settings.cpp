#include "settings/Settings.h"

#include <filesystem>
#include <utility>

#include "data/AtomicFile.h"
#include "data/ProgramHome.h"
#include "settings/Dialogs.h"

namespace qv {

namespace {

const char kSettingsError[] = "INI file read/write error";
const char kCustomColorsSection[] = "CustomColors";

bool IsSeparator(char c) {
  return c == '/' || (std::filesystem::path::preferred_separator == '\\' && c == '\\');
}

std::string CustomColorKey(int index) {
  return std::string("Color") + static_cast<char>('A' + index);
}

}  // namespace

std::string ProgramFolder(const std::string& folder) {
  if (folder.empty()) return folder;
  std::string result = folder;
  while (!result.empty() && IsSeparator(result.back()))
    result.pop_back();
  return result + '/';
}

std::string SettingsFileName(const std::string& programFolder) {
  const std::string folder = ProgramFolder(programFolder);
  // The player's own universe keeps its settings where the desktop keeps them.
  if (!folder.empty()) {
    const UserFolders user = UserFoldersOfEnvironment();
    const std::string normal =
        ProgramFolder(std::filesystem::path(folder).lexically_normal().string());
    if (normal == user.data && !user.settingsFile.empty()) return user.settingsFile;
  }
  return folder + "QVMap.INI";
}

std::unique_ptr<SettingsFile> OpenSettings(const std::string& programFolder, Dialogs& dialogs) {
  std::unique_ptr<IniFile> file = IniFile::Load(SettingsFileName(programFolder));
  if (!file) {
    dialogs.ShowMessage(kSettingsError, "Error", MessageIcon::Error);
    return nullptr;
  }
  return std::make_unique<SettingsFile>(std::move(*file), dialogs);
}

SettingsFile::SettingsFile(IniFile&& file, Dialogs& dialogs)
    : IniFile(std::move(file)), dialogs_(dialogs) {}

SettingsFile::~SettingsFile() {
  bool written = false;
  try {
    if (IsWriteProtected(Path()))
      written = !lastWriteOfRun_;
    else
      written = UpdateFile();
  } catch (...) {
    written = false;
  }
  if (!written) {
    try {
      dialogs_.ShowMessage(kSettingsError, "Error", MessageIcon::Error);
    } catch (...) {
      // A destructor must not throw; the message is all we could do anyway.
    }
  }
}

bool SettingsBuildMatches(const IniFile* settings) {
  return settings && settings->ReadInteger("MainWindow", "Build", 0) == kBuildNumber;
}

void ReadCustomColors(CustomColorList& list, const IniFile* settings) {
  if (!settings) {
    list.fill(std::string());
    return;
  }
  for (int i = 0; i < static_cast<int>(list.size()); ++i) {
    const std::string key = CustomColorKey(i);
    if (!settings->ValueExists(kCustomColorsSection, key)) continue;
    const std::string value = settings->ReadString(kCustomColorsSection, key, "");
    if (!value.empty()) list[i] = key + "=" + value;
  }
}

void WriteCustomColors(const CustomColorList& list, IniFile* settings) {
  if (!settings) return;
  for (const std::string& entry : list) {
    const std::size_t eq = entry.find('=');
    if (entry.empty() || eq == std::string::npos) continue;
    settings->WriteString(kCustomColorsSection, entry.substr(0, eq), entry.substr(eq + 1));
  }
}

}  // namespace qv
