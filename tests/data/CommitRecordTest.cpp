#include "data/CommitRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "data/AtomicFile.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using qv::CommitRecord;
using Outcome = CommitRecord::Recovery::Outcome;

const std::vector<std::string> kFiles = {"a.cds", "b.cds", "c.cds"};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A folder with the old set, and a commit of the new set written up to its
// record: the state of a writer killed right before its first rename.
class CommitRecordTest : public ::testing::Test {
 protected:
  qvtest::TempDir dir;

  std::string Path(const std::string& name) const { return dir.File(name); }
  static std::string NewContent(const std::string& name) { return "new " + name; }

  CommitRecord StageNewSet() {
    for (const std::string& name : kFiles)
      dir.Write(name, "old " + name);
    CommitRecord record(dir.Folder());
    for (const std::string& name : kFiles) {
      qv::StagedFile file(Path(name), NewContent(name));
      file.Flush();
      record.Add({Path(name), file.TemporaryPath(), qv::FileFingerprint::Of(NewContent(name))});
      file.Release();
    }
    record.Write();
    return record;
  }

  std::map<std::string, std::string> Contents() const {
    std::map<std::string, std::string> contents;
    for (const std::string& name : kFiles)
      contents[name] = dir.Read(name);
    return contents;
  }
  std::map<std::string, std::string> Set(const char* version) const {
    std::map<std::string, std::string> contents;
    for (const std::string& name : kFiles)
      contents[name] = version + (" " + name);
    return contents;
  }
};

TEST_F(CommitRecordTest, RecordReadsBackAndAnyDamageMakesItCountForNothing) {
  CommitRecord record(dir.Folder());
  // A name with the record's separators in it, and a file outside the folder.
  record.Add({Path("odd\tname%.cds"), Path("odd\tname%.cds.1-abcdef.qvtmp"), {12, 0xdeadbeef}});
  record.Add({"/elsewhere/x.cds", "/elsewhere/x.cds.22-zz99zz.qvtmp", {0, 1}});
  record.Write();
  const CommitRecord read = CommitRecord::Read(dir.Folder());
  ASSERT_EQ(read.GetState(), CommitRecord::State::Complete);
  ASSERT_EQ(read.Entries().size(), 2u);
  EXPECT_EQ(read.Entries()[0].target, Path("odd\tname%.cds"));
  EXPECT_EQ(read.Entries()[0].fingerprint, (qv::FileFingerprint{12, 0xdeadbeef}));
  EXPECT_EQ(read.Entries()[1].temporary, "/elsewhere/x.cds.22-zz99zz.qvtmp");
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{CommitRecord::kFileName});

  const std::string text = dir.Read(CommitRecord::kFileName);
  for (const std::string& damaged :
       {text.substr(0, text.size() - 1), text.substr(0, text.find("end")), text + "more\n",
        std::string(text).replace(text.find("12"), 2, "13"), std::string("junk\n")}) {
    dir.Write(CommitRecord::kFileName, damaged);
    EXPECT_EQ(CommitRecord::Read(dir.Folder()).GetState(), CommitRecord::State::Damaged) << damaged;
  }
  fs::remove(dir.Path() / CommitRecord::kFileName);
  EXPECT_EQ(CommitRecord::Read(dir.Folder()).GetState(), CommitRecord::State::None);
}

// Whatever number of renames a killed writer managed, a reader sees the new
// set without changing anything, and the next holder completes it.
TEST_F(CommitRecordTest, CommitCutShortAtAnyRenameIsReadAndCompletedAsTheNewSet) {
  for (std::size_t renamed = 0; renamed <= kFiles.size(); ++renamed) {
    const CommitRecord record = StageNewSet();
    for (std::size_t i = 0; i < renamed; ++i)
      fs::rename(record.Entries()[i].temporary, Path(kFiles[i]));

    const std::vector<std::string> before = Entries(dir.Path());
    const CommitRecord seen = CommitRecord::Read(dir.Folder());
    for (const std::string& name : kFiles)
      EXPECT_EQ(ReadFile(seen.CommittedFile(Path(name))), NewContent(name)) << renamed;
    EXPECT_EQ(seen.WaitingFiles().size(), kFiles.size() - renamed);
    EXPECT_EQ(Entries(dir.Path()), before) << "a reader changes nothing";

    EXPECT_EQ(CommitRecord::Recover(dir.Folder()).outcome, Outcome::RolledForward);
    EXPECT_EQ(Contents(), Set("new")) << renamed;
    EXPECT_EQ(Entries(dir.Path()), kFiles) << "no record and no temporary file left";
  }
  EXPECT_EQ(CommitRecord::Recover(dir.Folder()).outcome, Outcome::Nothing);
}

TEST_F(CommitRecordTest, RecordThatCannotCountIsDroppedAndTheOldSetStands) {
  // Damaged: its temporary files go with it.
  CommitRecord record = StageNewSet();
  std::string text = dir.Read(CommitRecord::kFileName);
  dir.Write(CommitRecord::kFileName, text.substr(0, text.size() - 3));
  EXPECT_EQ(CommitRecord::Recover(dir.Folder()).outcome, Outcome::Dropped);
  EXPECT_EQ(Contents(), Set("old"));
  EXPECT_EQ(Entries(dir.Path()), kFiles);

  // Whole, but one new file is damaged before any target was replaced.
  record = StageNewSet();
  dir.Write(fs::path(record.Entries()[1].temporary).filename().string(), "new b.cdX");
  const CommitRecord::Recovery dropped = CommitRecord::Recover(dir.Folder());
  EXPECT_EQ(dropped.outcome, Outcome::Dropped);
  ASSERT_EQ(dropped.failures.size(), 1u);
  EXPECT_EQ(dropped.failures[0].target, Path("b.cds"));
  EXPECT_EQ(Contents(), Set("old"));
  EXPECT_EQ(Entries(dir.Path()), kFiles);

  // The same after one target was replaced: neither set is whole, nothing is touched.
  record = StageNewSet();
  fs::rename(record.Entries()[0].temporary, Path("a.cds"));
  fs::remove(record.Entries()[1].temporary);
  const std::vector<std::string> before = Entries(dir.Path());
  EXPECT_EQ(CommitRecord::Recover(dir.Folder()).outcome, Outcome::Pending);
  EXPECT_EQ(Entries(dir.Path()), before);
}

TEST_F(CommitRecordTest, RenameThatFailsIsTriedOnceMoreThenLeftToTheNextHolder) {
  std::map<std::string, int> calls;
  int failuresLeft = 1;
  const auto flaky = [&](const std::string& from, const std::string& to) {
    if (to == Path("b.cds")) {
      ++calls[to];
      if (failuresLeft-- > 0) return EIO;
    }
    return CommitRecord::SystemRename(from, to);
  };
  CommitRecord record = StageNewSet();
  EXPECT_TRUE(record.Apply(flaky).empty());
  EXPECT_EQ(calls[Path("b.cds")], 2);
  record.Remove();
  EXPECT_EQ(Contents(), Set("new"));

  failuresLeft = 2;
  record = StageNewSet();
  const std::vector<CommitRecord::Failure> failed = record.Apply(flaky);
  ASSERT_EQ(failed.size(), 1u);
  EXPECT_EQ(failed[0].target, Path("b.cds"));
  EXPECT_EQ(failed[0].reason, qv::ErrnoText(EIO));
  EXPECT_EQ(dir.Read("a.cds"), "new a.cds");
  EXPECT_EQ(dir.Read("b.cds"), "old b.cds");
  EXPECT_EQ(ReadFile(CommitRecord::Read(dir.Folder()).CommittedFile(Path("b.cds"))), "new b.cds");
  EXPECT_EQ(CommitRecord::Recover(dir.Folder()).outcome, Outcome::RolledForward);
  EXPECT_EQ(Contents(), Set("new"));
  EXPECT_EQ(Entries(dir.Path()), kFiles);
}

}  // namespace
