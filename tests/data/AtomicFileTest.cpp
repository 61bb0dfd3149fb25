#include "data/AtomicFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "data/TableError.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Two writers of one file each get a temporary file of their own: neither
// truncates the other's, and whichever renames last wins whole.
TEST(AtomicFileTest, EachWriterStagesItsOwnTemporaryFile) {
  qvtest::TempDir dir;
  dir.Write("t.cds", "old");
  {
    qv::StagedFile first(dir.File("t.cds"), "first");
    qv::StagedFile second(dir.File("t.cds"), "second");
    ASSERT_EQ(Entries(dir.Path()).size(), 3u);
    for (const std::string& name : Entries(dir.Path())) {
      if (name == "t.cds") continue;
      EXPECT_TRUE(name.starts_with("t.cds." + std::to_string(::getpid()) + "-")) << name;
      EXPECT_TRUE(name.ends_with(".qvtmp")) << name;
    }
    EXPECT_EQ(dir.Read("t.cds"), "old");
    second.Commit();
    first.Commit();
  }
  EXPECT_EQ(dir.Read("t.cds"), "first");
  {  // Written in parts, as a large image is.
    qv::StagedFile parts(dir.File("t.cds"));
    parts.Append("in ");
    parts.Append("parts");
    parts.Commit();
  }
  EXPECT_EQ(dir.Read("t.cds"), "in parts");
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"t.cds"});

  {  // Dropped, or never committed: the old file stays and nothing is left.
    qv::StagedFile dropped(dir.File("t.cds"), "dropped");
    qv::StagedFile forgotten(dir.File("t.cds"), "forgotten");
    dropped.Abort();
  }
  EXPECT_EQ(dir.Read("t.cds"), "in parts");
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"t.cds"});
}

TEST(AtomicFileTest, SymbolicLinkIsWrittenThrough) {
  qvtest::TempDir dir;
  dir.Write("real/sectors.cds", "old");
  fs::permissions(dir.Path() / "real/sectors.cds", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_directory(dir.Path() / "Data");
  fs::create_symlink("../real/sectors.cds", dir.Path() / "Data/sectors.cds");
  qv::ReplaceFileAtomically(dir.File("Data/sectors.cds"), "new");
  EXPECT_TRUE(fs::is_symlink(dir.Path() / "Data/sectors.cds"));
  EXPECT_EQ(dir.Read("real/sectors.cds"), "new");
  EXPECT_EQ(fs::status(dir.Path() / "real/sectors.cds").permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(Entries(dir.Path() / "real"), std::vector<std::string>{"sectors.cds"});

  // A link to a read-only file is refused like the file itself.
  fs::permissions(dir.Path() / "real/sectors.cds", fs::perms::owner_read);
  EXPECT_THROW(qv::ReplaceFileAtomically(dir.File("Data/sectors.cds"), "newer"), qv::TableError);
  EXPECT_EQ(dir.Read("real/sectors.cds"), "new");
}

// Sets or clears the file's immutable flag ("chattr +i"); false where the
// system or the user may not.
bool SetImmutable(const std::string& path, bool on) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  int flags = 0;
  bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
  done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  if (fd >= 0) ::close(fd);
  return done;
}

// A file the player made immutable is refused when its replacement is
// staged, before anything is written: a set of files is never half replaced.
TEST(AtomicFileTest, ImmutableFileIsRefusedBeforeAnythingIsWritten) {
  qvtest::TempDir dir;
  dir.Write("t.cds", "old");
  if (!SetImmutable(dir.File("t.cds"), true)) GTEST_SKIP() << "no immutable files here";
  struct Mutable {
    std::string path;
    ~Mutable() { SetImmutable(path, false); }
  } keep{dir.File("t.cds")};
  try {
    qv::StagedFile file(dir.File("t.cds"), "new");
    ADD_FAILURE() << "staged";
  } catch (const qv::TableError& error) {
    EXPECT_NE(std::string(error.what()).find("immutable"), std::string::npos) << error.what();
  }
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"t.cds"});
  EXPECT_EQ(dir.Read("t.cds"), "old");
}

// Only our own names, of writers that are gone: a player's files, names that
// merely look alike and a running writer's file stay. A process that started
// long after the file was last written cannot be its writer, whatever its
// number: the first process of the system, or a number handed out again.
TEST(AtomicFileTest, StaleTemporaryFilesOfKilledWritersAreRemoved) {
  qvtest::TempDir dir;
  const std::string self = std::to_string(::getpid());
  std::vector<std::string> kept = {
      "QVMap.INI.~2",
      "QVMap.INI.~draft",
      "my notes.cds.tmp",
      "notes.txt",
      "plan.qvtmp",
      "sectors.cds",
      "sectors.cds." + self + "-abc123.qvtmp",  // still being written
      "sectors.cds.12-toolong7.qvtmp",
      "sectors.cds.12-ABC123.qvtmp",
      "waiting.cds.99999999-abc123.qvtmp"};  // a save cut short still needs it
  const std::vector<std::string> stale = {"a.cds.99999999-abc123.qvtmp", "b.cds.1-abc123.qvtmp",
                                          "c.cds." + self + "-abc123.qvtmp"};
  for (const std::string& name : kept)
    dir.Write(name, "x");
  for (const std::string& name : stale) {
    dir.Write(name, "x");
    fs::last_write_time(dir.Path() / name,
                        fs::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 20));
  }
  qv::RemoveStaleTemporaryFiles(dir.Folder(), {dir.File("waiting.cds.99999999-abc123.qvtmp")});
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(Entries(dir.Path()), kept);
}

// A file kept elsewhere through a link gets its temporary beside the link's
// target; a writer killed there leaves it in that folder, which is cleaned
// of that file's temporaries only, by the same rules as the folder itself:
// a running writer's file and one a save cut short still needs stay, one
// whose process number now belongs to a process started long after it goes.
TEST(AtomicFileTest, StaleTemporaryBesideALinksTargetIsRemoved) {
  qvtest::TempDir dir;
  fs::create_directories(dir.Path() / "Data");
  fs::create_directories(dir.Path() / "real");
  dir.Write("real/sectors.cds", "old");
  fs::create_symlink(dir.Path() / "real/sectors.cds", dir.Path() / "Data/sectors.cds");
  fs::create_symlink(dir.Path() / "real/nowhere.cds", dir.Path() / "Data/dangling.cds");
  const std::string running = "sectors.cds." + std::to_string(::getpid()) + "-abc123.qvtmp";
  const std::string waiting = "sectors.cds.99999998-abc123.qvtmp";
  for (const std::string& name :
       {std::string("sectors.cds.99999999-abc123.qvtmp"), running, waiting,
        std::string("other.cds.99999999-abc123.qvtmp"),
        std::string("sectors.cds.notes.99999999-abc123.qvtmp"), std::string("sectors.cds.tmp")})
    dir.Write("real/" + name, "x");
  const std::string reused = "sectors.cds.1-abc123.qvtmp";
  dir.Write("real/" + reused, "x");
  fs::last_write_time(dir.Path() / "real" / reused,
                      fs::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 20));
  qv::RemoveStaleTemporaryFiles(dir.Folder() + "Data", {dir.File("real/" + waiting)});
  std::vector<std::string> kept = {
      "other.cds.99999999-abc123.qvtmp",         "sectors.cds",    running, waiting,
      "sectors.cds.notes.99999999-abc123.qvtmp", "sectors.cds.tmp"};
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(Entries(dir.Path() / "real"), kept);
  EXPECT_EQ(dir.Read("real/sectors.cds"), "old");
}

}  // namespace
