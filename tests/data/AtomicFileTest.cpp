#include "data/AtomicFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
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

// Only our own names of writers that are gone: a player's files, a name
// that merely looks alike and a running writer's file stay.
TEST(AtomicFileTest, StaleTemporaryFilesOfKilledWritersAreRemoved) {
  qvtest::TempDir dir;
  std::vector<std::string> kept = {
      "QVMap.INI.~draft",
      "notes.txt",
      "plan.qvtmp",
      "sectors.cds",
      "sectors.cds." + std::to_string(::getpid()) + "-abc123.qvtmp",  // still being written
      "sectors.cds.12-toolong7.qvtmp"};
  // Beyond any process id the system hands out, and the fixed names of earlier builds.
  for (const char* stale : {"a.cds.99999999-abc123.qvtmp", "b.cds.tmp", "QVMap.INI.~123456"})
    dir.Write(stale, "x");
  for (const std::string& name : kept)
    dir.Write(name, "x");
  qv::RemoveStaleTemporaryFiles(dir.Folder());
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(Entries(dir.Path()), kept);
}

// A file kept elsewhere through a link gets its temporary beside the link's
// target; a writer killed there leaves it in that folder, which is cleaned
// of that file's temporaries only.
TEST(AtomicFileTest, StaleTemporaryBesideALinksTargetIsRemoved) {
  qvtest::TempDir dir;
  fs::create_directories(dir.Path() / "Data");
  fs::create_directories(dir.Path() / "real");
  dir.Write("real/sectors.cds", "old");
  fs::create_symlink(dir.Path() / "real/sectors.cds", dir.Path() / "Data/sectors.cds");
  fs::create_symlink(dir.Path() / "real/nowhere.cds", dir.Path() / "Data/dangling.cds");
  const std::string running = "sectors.cds." + std::to_string(::getpid()) + "-abc123.qvtmp";
  for (const std::string& name : {std::string("sectors.cds.99999999-abc123.qvtmp"), running,
                                  std::string("other.cds.99999999-abc123.qvtmp"),
                                  std::string("sectors.cds.notes.99999999-abc123.qvtmp")})
    dir.Write("real/" + name, "x");
  qv::RemoveStaleTemporaryFiles(dir.Folder() + "Data");
  EXPECT_EQ(Entries(dir.Path() / "real"),
            (std::vector<std::string>{"other.cds.99999999-abc123.qvtmp", "sectors.cds", running,
                                      "sectors.cds.notes.99999999-abc123.qvtmp"}));
  EXPECT_EQ(dir.Read("real/sectors.cds"), "old");
}

}  // namespace
