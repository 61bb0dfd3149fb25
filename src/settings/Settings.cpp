#include "settings/Settings.h"

#include <filesystem>
#include <utility>

#include "data/AtomicFile.h"
#include "data/ProgramHome.h"

namespace qv {

namespace {

const char kCustomColorsSection[] = "CustomColors";

std::string CustomColorKey(int index) {
  return std::string("Color") + static_cast<char>('A' + index);
}

}  // namespace

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

std::unique_ptr<SettingsFile> OpenSettings(const std::string& programFolder, std::string* error) {
  const std::string path = SettingsFileName(programFolder);
  std::string reason;
  std::unique_ptr<IniFile> file = IniFile::Load(path, &reason);
  if (!file) {
    if (error) *error = path + ": " + reason;
    return nullptr;
  }
  return std::make_unique<SettingsFile>(std::move(*file));
}

SettingsFile::SettingsFile(IniFile&& file) : IniFile(std::move(file)) {}

bool SettingsFile::Save(std::string* error) {
  if (IsWriteProtected(Path())) {
    if (!lastWriteOfRun_) return true;
    if (error) *error = Path() + ": the file is read-only";
    return false;
  }
  std::string reason;
  if (UpdateFile(&reason)) return true;
  // The writer's "Cannot write file <path>: <reason>" without its lead.
  const std::string lead = "Cannot write file " + Path() + ": ";
  if (reason.starts_with(lead)) reason.erase(0, lead.size());
  if (error) *error = Path() + ": " + reason;
  return false;
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
