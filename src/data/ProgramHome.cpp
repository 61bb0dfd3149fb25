#include "data/ProgramHome.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "data/AtomicFile.h"

// Where an installation keeps its data, seen from the folder of its
// executables; the build states it from its install layout.
#ifndef QV_INSTALLED_DATA_FROM_BIN
#define QV_INSTALLED_DATA_FROM_BIN "../share/qvmap"
#endif

namespace qv {

namespace {

namespace fs = std::filesystem;

bool IsSeparator(char c) {
  return c == '/' || (fs::path::preferred_separator == '\\' && c == '\\');
}

constexpr char kFolderName[] = "qvmap";
constexpr char kStagePrefix[] = ".qvmap-";
constexpr char kStageSuffix[] = ".new";

// `path` without "." and ".." parts, with one trailing separator, so that two
// spellings of one folder compare equal.
std::string NormalFolder(const std::string& path) {
  if (path.empty()) return path;
  return ProgramFolder(fs::path(path).lexically_normal().string());
}

// `folder` without its trailing separator, as a path whose parent is the
// folder it lies in.
fs::path FolderPath(const std::string& folder) {
  fs::path path = fs::path(folder).lexically_normal();
  if (!path.has_filename()) path = path.parent_path();
  return path;
}

// An XDG base directory: the variable when it names an absolute path, else
// `fallback` in the home folder, else nothing.
std::string BaseFolder(const std::string& variable, const std::string& userHome,
                       const char* fallback) {
  if (!variable.empty() && fs::path(variable).is_absolute()) return variable;
  if (userHome.empty()) return {};
  return userHome + "/" + fallback;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool IsFolder(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool MayWrite(const std::string& folder) {
  return ::access(folder.c_str(), W_OK) == 0;
}

void MakeFolder(const fs::path& folder, const char* whose) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!ec && !IsFolder(folder)) ec = std::make_error_code(std::errc::not_a_directory);
  if (ec)
    throw ProgramHomeError(std::string("Cannot make the folder for ") + whose + ", " +
                           folder.string() + ": " + ec.message() + ". Nothing was copied.");
}

// Where the first start takes the sample universe from: the installation's
// data, else an executable's folder that holds one (a copy of the program
// in a folder the player may not write).
fs::path SampleSource(const ProgramHomeSources& sources) {
  for (const std::string& folder : {sources.installedData, sources.executableFolder}) {
    if (!folder.empty() && IsFolder(fs::path(folder) / "Data")) return FolderPath(folder);
  }
  const std::string where =
      sources.installedData.empty() ? std::string("the installation") : sources.installedData;
  throw ProgramHomeError("The sample universe to start from is missing: " + where +
                         " holds no Data folder. Reinstall the program, or start it with "
                         "--home DIR on a folder of your own.");
}

bool IsLanguageFileName(const std::string& name) {
  if (name.size() < 4) return false;
  std::string extension = name.substr(name.size() - 4);
  for (char& c : extension)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return extension == ".LNG";
}

// The process id in a staging folder's name, 0 when the name is no such folder.
long StageOwner(const std::string& name) {
  const std::string prefix = kStagePrefix;
  const std::string suffix = kStageSuffix;
  if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) ||
      !name.ends_with(suffix))
    return 0;
  long pid = 0;
  const char* first = name.data() + prefix.size();
  const char* last = name.data() + name.size() - suffix.size();
  const auto [end, error] = std::from_chars(first, last, pid);
  return (error == std::errc() && end == last) ? pid : 0;
}

// Staging folders of first starts that were killed half way.
void RemoveStaleStages(const fs::path& parent) {
  std::error_code ec;
  for (fs::directory_iterator it(parent, ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    const long pid = StageOwner(it->path().filename().string());
    if (pid <= 0 || pid == ::getpid()) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    std::error_code ignored;
    fs::remove_all(it->path(), ignored);
  }
}

// Copies the files (not the folders) of `from` for which `wanted` holds.
template <class Wanted>
void CopyFiles(const fs::path& from, const fs::path& to, Wanted wanted) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
    std::error_code ec;
    if (entry.is_directory(ec) || !wanted(entry.path().filename().string())) continue;
    files.push_back(entry.path());
  }
  for (const fs::path& file : files) {
    const fs::path copy = to / file.filename();
    fs::copy_file(file, copy);
    // The copy is the player's to change, whatever the installation allows.
    fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add);
  }
}

// Fills the empty or missing folder `target` with the sample universe: the
// copy is made in a staging folder beside it and renamed into place, so the
// folder appears whole or not at all. False when the folder already holds
// something (the player's universe, or another program was quicker).
bool FillOnFirstStart(const fs::path& target, const ProgramHomeSources& sources) {
  std::error_code ec;
  if (fs::exists(fs::symlink_status(target, ec))) {
    if (!IsFolder(target))
      throw ProgramHomeError("Cannot use the folder for your universe, " + target.string() +
                             ": it is no folder.");
    if (!fs::is_empty(target, ec) || ec) return false;
  }
  const fs::path source = SampleSource(sources);
  const fs::path parent = target.parent_path();
  MakeFolder(parent, "your universe");
  RemoveStaleStages(parent);
  const fs::path stage =
      parent / (kStagePrefix + std::to_string(::getpid()) + std::string(kStageSuffix));
  try {
    fs::remove_all(stage);
    fs::create_directory(stage);
    fs::create_directory(stage / "Data");
    CopyFiles(source / "Data", stage / "Data", [](const std::string&) { return true; });
    CopyFiles(source, stage, IsLanguageFileName);
    fs::rename(stage, target);  // replaces an empty folder
  } catch (const fs::filesystem_error& error) {
    std::error_code ignored;
    fs::remove_all(stage, ignored);
    const std::error_code code = error.code();
    if ((code == std::errc::directory_not_empty || code == std::errc::file_exists) &&
        IsFolder(target) && !fs::is_empty(target, ignored))
      return false;
    std::string reason = code.message();
    if (!error.path1().empty()) reason += " (" + error.path1().string() + ")";
    throw ProgramHomeError("Cannot copy the sample universe from " + source.string() + " to " +
                           target.string() + ": " + reason +
                           ". Nothing was copied; the next start tries again.");
  }
  return true;
}

}  // namespace

std::string ProgramFolder(const std::string& folder) {
  if (folder.empty()) return folder;
  std::string result = folder;
  while (!result.empty() && IsSeparator(result.back()))
    result.pop_back();
  return result + '/';
}

UserFolders UserFoldersOf(const ProgramHomeSources& sources) {
  UserFolders folders;
  const std::string data = BaseFolder(sources.dataHome, sources.userHome, ".local/share");
  if (!data.empty()) folders.data = NormalFolder(data + "/" + kFolderName);
  const std::string config = BaseFolder(sources.configHome, sources.userHome, ".config");
  if (!config.empty())
    folders.settingsFile = NormalFolder(config + "/" + kFolderName) + "QVMap.INI";
  return folders;
}

UserFolders UserFoldersOfEnvironment() {
  ProgramHomeSources sources;
  sources.dataHome = Environment("XDG_DATA_HOME");
  sources.configHome = Environment("XDG_CONFIG_HOME");
  sources.userHome = Environment("HOME");
  return UserFoldersOf(sources);
}

ProgramHomeSources ProgramHomeSourcesOf(std::string homeOption, std::string executableFolder) {
  ProgramHomeSources sources;
  sources.homeOption = std::move(homeOption);
  sources.executableFolder = std::move(executableFolder);
  if (!sources.executableFolder.empty())
    sources.installedData =
        NormalFolder(sources.executableFolder + "/" + QV_INSTALLED_DATA_FROM_BIN);
  sources.dataHome = Environment("XDG_DATA_HOME");
  sources.configHome = Environment("XDG_CONFIG_HOME");
  sources.userHome = Environment("HOME");
  return sources;
}

ProgramHome ChooseProgramHome(const ProgramHomeSources& sources) {
  ProgramHome home;
  if (!sources.homeOption.empty()) {
    if (!IsFolder(sources.homeOption))
      throw ProgramHomeError(sources.homeOption + ": no such folder");
    home.folder = NormalFolder(sources.homeOption);
    home.kind = ProgramHomeKind::Given;
    return home;
  }
  const std::string executable = NormalFolder(sources.executableFolder);
  if (!executable.empty() && IsFolder(executable + "Data") && MayWrite(executable)) {
    home.folder = executable;
    home.kind = ProgramHomeKind::Portable;
    return home;
  }
  const UserFolders user = UserFoldersOf(sources);
  if (user.data.empty() || user.settingsFile.empty())
    throw ProgramHomeError(
        "There is no folder for your universe: neither XDG_DATA_HOME nor HOME is set. Start the "
        "program with --home DIR on a folder of your own.");
  // The settings folder first: when it cannot be made, nothing is copied.
  const fs::path settingsFolder = fs::path(user.settingsFile).parent_path();
  MakeFolder(settingsFolder, "your settings");
  RemoveStaleTemporaryFiles(settingsFolder.string());
  home.folder = user.data;
  home.kind = ProgramHomeKind::PerUser;
  home.filled = FillOnFirstStart(FolderPath(user.data), sources);
  return home;
}

}  // namespace qv
