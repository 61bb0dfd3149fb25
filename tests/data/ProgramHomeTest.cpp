#include "data/ProgramHome.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "settings/Settings.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using qv::ProgramHomeKind;

// An installation (bin/ and share/qvmap/ with a small sample universe) and a
// player's home folder, all in one temporary folder.
class ProgramHomeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root.Path() / "usr/bin");
    fs::create_directories(root.Path() / "usr/share/qvmap/Data");
    fs::create_directories(root.Path() / "home");
    root.Write("usr/share/qvmap/Data/sectors.cds", "sample sectors");
    root.Write("usr/share/qvmap/Data/factlist.cds", "sample factories");
    root.Write("usr/share/qvmap/English.LNG", "[MainForm]\n");
    root.Write("usr/share/qvmap/Deutsch.LNG", "[MainForm]\n");
    root.Write("usr/share/qvmap/README", "not for the player's folder");
    sources.executableFolder = root.File("usr/bin");
    sources.installedData = root.File("usr/share/qvmap");
    sources.userHome = root.File("home");
  }

  std::string UserFolder() const { return root.File("home/.local/share/qvmap") + "/"; }
  // The names in the folder the player's universe lies in, besides "qvmap".
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(root.Path() / "home/.local/share"))
      if (entry.path().filename() != "qvmap") names.push_back(entry.path().filename().string());
    return names;
  }
  std::string ErrorOf(const qv::ProgramHomeSources& from) {
    try {
      qv::ChooseProgramHome(from);
    } catch (const qv::ProgramHomeError& error) {
      return error.what();
    }
    return "";
  }

  qvtest::TempDir root;
  qv::ProgramHomeSources sources;
};

TEST_F(ProgramHomeTest, AGivenFolderComesFirstAndMustExist) {
  fs::create_directories(root.Path() / "usr/bin/Data");  // even beside a portable program
  sources.homeOption = root.File("mine") + "/./";
  EXPECT_EQ(ErrorOf(sources), sources.homeOption + ": no such folder");
  fs::create_directory(root.Path() / "mine");
  const qv::ProgramHome home = qv::ChooseProgramHome(sources);
  EXPECT_EQ(home.folder, root.File("mine") + "/");
  EXPECT_EQ(home.kind, ProgramHomeKind::Given);
  EXPECT_FALSE(fs::exists(root.Path() / "home/.local"));
}

TEST_F(ProgramHomeTest, AProgramFolderWithItsOwnUniverseIsUsedInPlace) {
  fs::create_directories(root.Path() / "usr/bin/Data");
  const qv::ProgramHome home = qv::ChooseProgramHome(sources);
  EXPECT_EQ(home.folder, root.File("usr/bin") + "/");
  EXPECT_EQ(home.kind, ProgramHomeKind::Portable);
  EXPECT_FALSE(home.filled);
  EXPECT_FALSE(fs::exists(root.Path() / "home/.local"));
}

TEST_F(ProgramHomeTest, TheFirstStartCopiesTheSampleIntoThePlayersFolderAndNeverAgain) {
  // The installation's files may be read-only; the player's copy is not.
  fs::permissions(root.Path() / "usr/share/qvmap/Data/sectors.cds", fs::perms::owner_read);
  const qv::ProgramHome home = qv::ChooseProgramHome(sources);
  EXPECT_EQ(home.kind, ProgramHomeKind::PerUser);
  EXPECT_EQ(home.folder, UserFolder());
  EXPECT_TRUE(home.filled);
  const qvtest::TempDir& r = root;
  EXPECT_EQ(r.Read("home/.local/share/qvmap/Data/sectors.cds"), "sample sectors");
  EXPECT_EQ(r.Read("home/.local/share/qvmap/Data/factlist.cds"), "sample factories");
  EXPECT_TRUE(r.Exists("home/.local/share/qvmap/English.LNG"));
  EXPECT_TRUE(r.Exists("home/.local/share/qvmap/Deutsch.LNG"));
  EXPECT_FALSE(r.Exists("home/.local/share/qvmap/README"));
  EXPECT_NE(fs::status(root.Path() / "home/.local/share/qvmap/Data/sectors.cds").permissions() &
                fs::perms::owner_write,
            fs::perms::none);
  EXPECT_TRUE(fs::is_directory(root.Path() / "home/.config/qvmap"));
  EXPECT_TRUE(Leftovers().empty());

  // The player's universe is his own from now on.
  r.Write("home/.local/share/qvmap/Data/sectors.cds", "my sectors");
  fs::remove(root.Path() / "home/.local/share/qvmap/Deutsch.LNG");
  const qv::ProgramHome again = qv::ChooseProgramHome(sources);
  EXPECT_EQ(again.folder, UserFolder());
  EXPECT_FALSE(again.filled);
  EXPECT_EQ(r.Read("home/.local/share/qvmap/Data/sectors.cds"), "my sectors");
  EXPECT_FALSE(r.Exists("home/.local/share/qvmap/Deutsch.LNG"));
}

TEST_F(ProgramHomeTest, BaseDirectoriesOfTheDesktopAndTheirFallbacks) {
  sources.dataHome = root.File("xdg-data");
  sources.configHome = root.File("xdg-config");
  const qv::UserFolders folders = qv::UserFoldersOf(sources);
  EXPECT_EQ(folders.data, root.File("xdg-data/qvmap") + "/");
  EXPECT_EQ(folders.settingsFile, root.File("xdg-config/qvmap/QVMap.INI"));
  const qv::ProgramHome home = qv::ChooseProgramHome(sources);
  EXPECT_EQ(home.folder, folders.data);
  EXPECT_TRUE(root.Exists("xdg-data/qvmap/Data/sectors.cds"));
  EXPECT_TRUE(fs::is_directory(root.Path() / "xdg-config/qvmap"));

  // Relative values are no base directories: the home folder's defaults hold.
  sources.dataHome = "relative/data";
  sources.configHome = "relative/config";
  EXPECT_EQ(qv::UserFoldersOf(sources).data, UserFolder());
  EXPECT_EQ(qv::UserFoldersOf(sources).settingsFile, root.File("home/.config/qvmap/QVMap.INI"));
  sources.userHome.clear();
  EXPECT_EQ(qv::UserFoldersOf(sources).data, "");
  EXPECT_NE(ErrorOf(sources).find("neither XDG_DATA_HOME nor HOME is set"), std::string::npos);
}

// A folder that exists but is empty (made by hand, or left by a tool) is
// filled as at a first start; an existing universe folder that is no folder
// at all is refused.
TEST_F(ProgramHomeTest, AnEmptyFolderIsFilledAndAFileInItsPlaceIsRefused) {
  fs::create_directories(root.Path() / "home/.local/share/qvmap");
  EXPECT_TRUE(qv::ChooseProgramHome(sources).filled);
  EXPECT_TRUE(root.Exists("home/.local/share/qvmap/Data/sectors.cds"));

  fs::remove_all(root.Path() / "home/.local/share/qvmap");
  root.Write("home/.local/share/qvmap", "a file");
  EXPECT_NE(ErrorOf(sources).find("it is no folder"), std::string::npos);
  EXPECT_EQ(root.Read("home/.local/share/qvmap"), "a file");
}

TEST_F(ProgramHomeTest, AFolderThatCannotBeMadeIsToldAndNothingIsCopied) {
  // A file where the folders would go: no one may make them, not even root.
  root.Write("home/.local", "");
  const std::string error = ErrorOf(sources);
  EXPECT_EQ(error.rfind("Cannot make the folder for your universe, " + root.File("home/.local"), 0),
            0u)
      << error;
  EXPECT_EQ(root.Read("home/.local"), "");

  // The settings folder is made first: when it cannot be, nothing is copied.
  fs::remove(root.Path() / "home/.local");
  fs::remove_all(root.Path() / "home/.config");
  root.Write("home/.config", "");
  EXPECT_EQ(ErrorOf(sources).rfind("Cannot make the folder for your settings", 0), 0u);
  EXPECT_FALSE(fs::exists(root.Path() / "home/.local/share/qvmap"));
}

TEST_F(ProgramHomeTest, ACopyThatFailsHalfWayLeavesNothingBehind) {
  // sectors.cds is copied, the file after it cannot be read.
  fs::create_symlink(root.File("usr/share/qvmap/Data/gone.cds"),
                     root.Path() / "usr/share/qvmap/Data/secttrad.cds");
  const std::string error = ErrorOf(sources);
  EXPECT_EQ(error.rfind("Cannot copy the sample universe from " + root.File("usr/share/qvmap"), 0),
            0u)
      << error;
  EXPECT_NE(error.find("Nothing was copied"), std::string::npos);
  EXPECT_FALSE(fs::exists(root.Path() / "home/.local/share/qvmap"));
  EXPECT_TRUE(Leftovers().empty());

  // The next start, with the installation mended, makes the whole copy.
  fs::remove(root.Path() / "usr/share/qvmap/Data/secttrad.cds");
  EXPECT_TRUE(qv::ChooseProgramHome(sources).filled);
}

TEST_F(ProgramHomeTest, TheSampleIsTakenFromAnUnwritableProgramFolderOrReportedMissing) {
  fs::remove_all(root.Path() / "usr/share/qvmap");
  EXPECT_NE(ErrorOf(sources).find("The sample universe to start from is missing"),
            std::string::npos);
  EXPECT_FALSE(fs::exists(root.Path() / "home/.local/share/qvmap"));

  // A copy of the program in a folder the player may not write: it is not
  // used in place, but its universe is the sample.
  fs::create_directories(root.Path() / "opt/Data");
  root.Write("opt/Data/sectors.cds", "unpacked sectors");
  root.Write("opt/Deutsch.LNG", "");
  root.Write("opt/qvmap-cli", "");
  sources.executableFolder = root.File("opt");
  sources.installedData = root.File("share/qvmap");
  fs::permissions(root.Path() / "opt", fs::perms::owner_write, fs::perm_options::remove);
  if (::access(root.File("opt").c_str(), W_OK) == 0) {
    // root may write anywhere: then the folder is used in place after all.
    EXPECT_EQ(qv::ChooseProgramHome(sources).kind, ProgramHomeKind::Portable);
  } else {
    EXPECT_TRUE(qv::ChooseProgramHome(sources).filled);
    EXPECT_EQ(root.Read("home/.local/share/qvmap/Data/sectors.cds"), "unpacked sectors");
    EXPECT_TRUE(root.Exists("home/.local/share/qvmap/Deutsch.LNG"));
    EXPECT_FALSE(root.Exists("home/.local/share/qvmap/qvmap-cli"));
  }
  fs::permissions(root.Path() / "opt", fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(ProgramHomeTest, StagingFoldersOfKilledFirstStartsAreCleared) {
  // No process has this id (the kernel's largest is far smaller).
  fs::create_directories(root.Path() / "home/.local/share/.qvmap-2147483600.new/Data");
  fs::create_directories(root.Path() / "home/.local/share/other-program");
  EXPECT_TRUE(qv::ChooseProgramHome(sources).filled);
  EXPECT_EQ(Leftovers(), std::vector<std::string>{"other-program"});
}

// The settings of the player's own folder live in the configuration folder,
// whichever way the folder is named; every other folder keeps its own.
TEST(ProgramHomeSettingsTest, ThePlayersFolderKeepsItsSettingsInTheConfigurationFolder) {
  qvtest::TempDir dir;
  const auto saved = [](const char* name) -> std::optional<std::string> {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
  };
  const std::optional<std::string> data = saved("XDG_DATA_HOME");
  const std::optional<std::string> config = saved("XDG_CONFIG_HOME");
  setenv("XDG_DATA_HOME", dir.File("data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);

  EXPECT_EQ(qv::SettingsFileName(dir.File("data/qvmap")), dir.File("config/qvmap/QVMap.INI"));
  EXPECT_EQ(qv::SettingsFileName(dir.File("data/./qvmap/")), dir.File("config/qvmap/QVMap.INI"));
  EXPECT_EQ(qv::SettingsFileName(dir.File("data/other")), dir.File("data/other/QVMap.INI"));
  EXPECT_EQ(qv::SettingsFileName(dir.Folder()), dir.Folder() + "QVMap.INI");

  const auto restore = [](const char* name, const std::optional<std::string>& value) {
    if (value)
      setenv(name, value->c_str(), 1);
    else
      unsetenv(name);
  };
  restore("XDG_DATA_HOME", data);
  restore("XDG_CONFIG_HOME", config);
}

}  // namespace
