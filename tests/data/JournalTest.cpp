#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "data/ChangeRecordCodec.h"
#include "data/DataModule1.h"
#include "data/StoreJournal.h"
#include "data/UndoStack.h"
#include "settings/StoreStartExit.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/UniverseEdits.h"
#include "support/UniverseSnapshot.h"

namespace {

namespace fs = std::filesystem;
using qv::JournalFile;
using qvtest::Snapshot;
using State = JournalFile::Contents::State;

class JournalTest : public ::testing::Test {
 protected:
  qvtest::TempDir dir;
  qvtest::ScriptedDialogs dialogs;

  void SetUp() override { qvtest::SaveSmallUniverse(dir.Folder(), dialogs); }

  std::unique_ptr<qv::TDataModule1> Load() {
    auto store = std::make_unique<qv::TDataModule1>(dir.Folder());
    store->LoadAllTables(qv::RequestFromThisBuild(store->ProgramFolder()));
    return store;
  }
  static constexpr const char* kJournal = "Data/QVMap.journal";
  std::string JournalPath() const { return dir.File(kJournal); }

  // The universe as saved, with the journal replayed onto it.
  std::vector<qvtest::TableSnapshot> Replayed(JournalFile::Contents* read = nullptr) {
    const auto store = Load();
    qv::StoreJournal journal(*store);
    const JournalFile::Contents contents = journal.Read();
    EXPECT_EQ(contents.state, State::Found);
    const qv::StoreJournal::Replayed replayed = journal.Replay(contents.steps);
    EXPECT_EQ(replayed.stopped, "");
    EXPECT_EQ(replayed.steps, contents.steps.size());
    EXPECT_TRUE(store->DataChanged());
    if (read) *read = contents;
    return Snapshot(*store);
  }
};

TEST_F(JournalTest, EveryStepEditsUndosAndRedosIncludedIsReplayedExactly) {
  const auto store = Load();
  qv::UndoStack undo(*store);
  qv::StoreJournal journal(*store);
  journal.Start();
  EXPECT_FALSE(fs::exists(JournalPath()));  // no step yet, no journal
  std::size_t steps = 0;
  for (const qvtest::UniverseEdit& edit : qvtest::EveryKindOfEdit()) {
    SCOPED_TRACE(edit.name);
    edit.run(*store);
    EXPECT_EQ(Replayed(), Snapshot(*store));
    ++steps;
  }
  // A crash after an undo must not bring the step back, nor one after a redo lose it.
  ASSERT_TRUE(undo.Undo());
  ASSERT_TRUE(undo.Undo());
  EXPECT_EQ(Replayed(), Snapshot(*store));
  ASSERT_TRUE(undo.Redo());
  JournalFile::Contents contents;
  EXPECT_EQ(Replayed(&contents), Snapshot(*store));
  EXPECT_EQ(contents.steps.size(), steps + 3);
  EXPECT_EQ(contents.droppedBytes, 0u);

  // The journal goes only after a whole save, which then holds every step.
  const auto finalState = Snapshot(*store);
  qv::SaveStore(*store, dialogs);
  ASSERT_TRUE(store->UniverseSaved());
  journal.Finish();
  EXPECT_FALSE(fs::exists(JournalPath()));
  EXPECT_EQ(Snapshot(*Load()), finalState);
}

TEST_F(JournalTest, AJournalCutAnywhereInItsLastStepReplaysTheStepsBeforeIt) {
  std::vector<qvtest::TableSnapshot> beforeLast;
  {
    const auto store = Load();
    qv::StoreJournal journal(*store);
    journal.Start();
    qvtest::AddSector(*store, "Drift", 3, 3);
    qvtest::DeleteWhere(store->SectorsData, "Name", qv::Value("Vossk Prime"));
    beforeLast = Snapshot(*store);
    qvtest::AddProduct(*store, "Wheat", 0);
  }  // a crash: no save, the journal stays
  const std::string whole = dir.Read(kJournal);
  std::size_t lastStart = 0;
  {
    const auto store = Load();
    const JournalFile::Contents contents = qv::StoreJournal(*store).Read();
    ASSERT_EQ(contents.steps.size(), 3u);
    lastStart =
        contents.soundLength - JournalFile::Frame(EncodeChangeRecord(contents.steps.back())).size();
  }
  for (std::size_t cut = lastStart; cut < whole.size(); ++cut) {
    SCOPED_TRACE("cut at byte " + std::to_string(cut));
    dir.Write(kJournal, whole.substr(0, cut));
    JournalFile::Contents contents;
    EXPECT_EQ(Replayed(&contents), beforeLast);
    EXPECT_EQ(contents.steps.size(), 2u);
    EXPECT_EQ(contents.soundLength, lastStart);
    EXPECT_EQ(contents.droppedBytes, cut - lastStart);
  }
  // A flipped byte inside the last step is damage of the same kind.
  std::string damaged = whole;
  damaged[damaged.size() - 3] ^= 0x20;
  dir.Write(kJournal, damaged);
  JournalFile::Contents contents;
  EXPECT_EQ(Replayed(&contents), beforeLast);
  EXPECT_EQ(contents.droppedBytes, whole.size() - lastStart);
}

// A replay sorts the kept orders once at its end: every order a window may
// use is whole and sorted then, and the cursor stands on a row that is there.
TEST_F(JournalTest, AReplayLeavesEveryOrderSortedAndTheCursorOnARow) {
  std::vector<qvtest::TableSnapshot> edited;
  {
    const auto store = Load();
    qv::StoreJournal journal(*store);
    journal.Start();
    qvtest::AddSector(*store, "Drift", 3, 3);
    qvtest::AddSector(*store, "Beacon", 4, 3);
    qvtest::DeleteWhere(store->SectorsData, "Name", qv::Value("Vossk Prime"));
    edited = Snapshot(*store);
  }
  const auto store = Load();
  qv::Table& sectors = store->SectorsData;
  sectors.SetIndexFieldNames("Name");
  ASSERT_TRUE(sectors.Locate("Name", {qv::Value("Vossk Prime")}));  // the row that goes
  qv::StoreJournal journal(*store);
  const qv::StoreJournal::Replayed replayed = journal.Replay(journal.Read().steps);
  ASSERT_EQ(replayed.stopped, "");
  EXPECT_EQ(Snapshot(*store), edited);
  ASSERT_FALSE(sectors.Eof());
  EXPECT_NE(sectors.FieldByName("Name").AsString(), "Vossk Prime");
  std::vector<std::string> names;
  for (sectors.First(); !sectors.Eof(); sectors.Next())
    names.push_back(sectors.FieldByName("Name").AsString());
  EXPECT_EQ(names, (std::vector<std::string>{"Ardent", "Beacon", "Cinder", "Drift"}));
  EXPECT_TRUE(
      sectors.Lookup("Id", sectors.Lookup("Name", qv::Value("Beacon")).Get("Id")).IsValid());
  EXPECT_FALSE(sectors.Lookup("Name", qv::Value("Vossk Prime")).IsValid());
}

// A kill after the save's commit record and before its renames: the next
// start completes the save, and no journal is left to be taken for foreign.
TEST_F(JournalTest, ASaveCutShortAfterItsCommitRecordLeavesNoJournal) {
  std::vector<qvtest::TableSnapshot> edited;
  {
    const auto store = Load();
    qv::StoreJournal journal(*store);
    journal.Start();
    qvtest::AddSector(*store, "Drift", 3, 3);
    ASSERT_TRUE(fs::exists(JournalPath()));
    edited = Snapshot(*store);
    store->SetRenameFunction([](const std::string&, const std::string&) { return EIO; });
    store->DataModuleDestroy();
    EXPECT_FALSE(store->UniverseSaved());
    EXPECT_TRUE(fs::exists(dir.File("Data/universe.commit")));
  }
  EXPECT_FALSE(fs::exists(JournalPath()));
  const auto store = Load();
  EXPECT_FALSE(fs::exists(dir.File("Data/universe.commit")));
  EXPECT_EQ(Snapshot(*store), edited);
  EXPECT_EQ(qv::StoreJournal(*store).Read().state, State::None);
}

TEST_F(JournalTest, AJournalOfOtherFilesIsRefused) {
  {
    const auto store = Load();
    qv::StoreJournal journal(*store);
    journal.Start();
    qvtest::AddSector(*store, "Drift", 3, 3);
  }
  // The universe saved again by other means: the journal no longer fits it.
  {
    const auto other = Load();
    qvtest::AddSector(*other, "Elsewhere", 9, 9);
    qv::SaveStore(*other, dialogs);
  }
  const auto store = Load();
  qv::StoreJournal journal(*store);
  JournalFile::Contents contents = journal.Read();
  EXPECT_EQ(contents.state, State::Foreign);
  EXPECT_TRUE(contents.steps.empty());
  EXPECT_NE(contents.problem.find("other universe files"), std::string::npos);
  // Not a journal at all.
  dir.Write(kJournal, std::string("\x05\0\0\0\0\0\0\0hello", 13));
  EXPECT_EQ(journal.Read().state, State::Foreign);
  // Moved aside, never over an earlier one.
  EXPECT_EQ(journal.File().MoveAside(".foreign"), JournalPath() + ".foreign");
  dir.Write(kJournal, "x");
  EXPECT_EQ(journal.File().MoveAside(".foreign"), JournalPath() + ".foreign.2");
  EXPECT_TRUE(fs::exists(JournalPath() + ".foreign"));
}

TEST_F(JournalTest, NoJournalIsWrittenForAUniverseThatCannotBeSaved) {
  qv::TDataModule1 store(dir.Folder());
  store.SetFolderReadOnly();
  store.LoadAllTables(qv::RequestFromThisBuild(store.ProgramFolder()));
  qv::StoreJournal journal(store);
  journal.Start();
  EXPECT_FALSE(journal.Started());
  qvtest::AddSector(store, "Drift", 3, 3);
  EXPECT_FALSE(fs::exists(JournalPath()));
}

TEST(ChangeRecordCodecTest, DecodesWhatItEncodesAndNothingElse) {
  qv::ChangeRecord record;
  record.kind = qv::ChangeKind::DeleteSector;
  record.name = "Vossk Prime";
  record.rows.push_back({"SectorsData",
                         qv::RowChangeKind::Delete,
                         7,
                         qv::RowValues{qv::Value(-5), qv::Value(true), qv::Value(), qv::Value("ä")},
                         {}});
  record.counters.push_back({"SectorsData", 9, 2147483648LL});
  const std::string bytes = EncodeChangeRecord(record);
  EXPECT_EQ(qv::DecodeChangeRecord(bytes), record);
  for (std::size_t cut = 0; cut < bytes.size(); ++cut)
    EXPECT_EQ(qv::DecodeChangeRecord(bytes.substr(0, cut)), std::nullopt) << cut;
  EXPECT_EQ(qv::DecodeChangeRecord(bytes + "x"), std::nullopt);
}

}  // namespace
