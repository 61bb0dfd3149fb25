#pragma once

#include <stdexcept>
#include <string>

namespace qv {

// `folder` with exactly one trailing separator.
std::string ProgramFolder(const std::string& folder);

// No program folder could be chosen or made ready; the text tells the player
// why, and nothing was left half made.
class ProgramHomeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What the choice of the program folder depends on.
struct ProgramHomeSources {
  std::string homeOption;        // --home DIR; empty when not given
  std::string executableFolder;  // the running program's folder
  // Where the installation keeps the sample universe ("Data/") and the
  // language files (share/qvmap beside the executable's bin folder).
  std::string installedData;
  std::string dataHome;    // $XDG_DATA_HOME; used only when absolute
  std::string configHome;  // $XDG_CONFIG_HOME; used only when absolute
  std::string userHome;    // $HOME
};

// The player's own folders, as the desktop's base directories name them.
struct UserFolders {
  std::string data;          // $XDG_DATA_HOME/qvmap/, empty when nothing names it
  std::string settingsFile;  // $XDG_CONFIG_HOME/qvmap/QVMap.INI, likewise
};
UserFolders UserFoldersOf(const ProgramHomeSources& sources);
// The same from this process's environment.
UserFolders UserFoldersOfEnvironment();

// This process's view: its environment, and the installation's data folder
// found from `executableFolder`.
ProgramHomeSources ProgramHomeSourcesOf(std::string homeOption, std::string executableFolder);

enum class ProgramHomeKind {
  Given,     // --home
  Portable,  // the executable's folder
  PerUser,   // the player's own data folder
};

struct ProgramHome {
  std::string folder;  // with a trailing separator
  ProgramHomeKind kind = ProgramHomeKind::Given;
  bool filled = false;  // first start: the sample universe was just copied in
};

// The program folder, chosen once at start, in this order:
//   1. `homeOption` when given (an existing folder);
//   2. the executable's folder when it holds a "Data" folder and may be
//      written: a program unpacked into a folder of its own keeps working
//      from there;
//   3. otherwise the player's own data folder. On the first start (the folder
//      does not exist yet, or is empty) it is filled with a copy of the
//      installation's sample universe and language files: completely, or not
//      at all when something fails. Its settings file lives in the player's
//      configuration folder, which is made too.
// Throws ProgramHomeError with the player's message.
ProgramHome ChooseProgramHome(const ProgramHomeSources& sources);

}  // namespace qv
