#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/EditTexts.h"
#include "app/JournalRestore.h"
#include "data/DataModule1.h"
#include "data/StoreJournal.h"
#include "settings/StoreStartExit.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/UniverseEdits.h"
#include "support/UniverseSnapshot.h"

namespace {

using qvtest::Snapshot;

class JournalRestoreTest : public ::testing::Test {
 protected:
  static constexpr const char* kJournal = "Data/QVMap.journal";
  qvtest::TempDir dir;
  qvtest::ScriptedDialogs dialogs;
  qv::TEditTexts texts;
  std::vector<qvtest::TableSnapshot> saved, edited;

  void SetUp() override {
    qvtest::SaveSmallUniverse(dir.Folder(), dialogs);
    saved = Snapshot(*Load());
    // A run that placed factories and was killed.
    const auto store = Load();
    qv::StoreJournal journal(*store);
    journal.Start();
    qvtest::AddSectFactory(*store, 3, 1);
    qvtest::AddSectFactory(*store, 3, 2);
    edited = Snapshot(*store);
    dialogs.shown.clear();
  }

  std::unique_ptr<qv::TDataModule1> Load() {
    auto store = std::make_unique<qv::TDataModule1>(dir.Folder());
    store->LoadAllTables(qv::RequestFromThisBuild(store->ProgramFolder()));
    return store;
  }

  // A start of the program: what the tables hold afterwards.
  std::vector<qvtest::TableSnapshot> Start(bool answer, bool* restored = nullptr) {
    const auto store = Load();
    qv::StoreJournal journal(*store);
    dialogs.yesNoAnswers.push_back(answer);
    const bool applied = qv::RestoreJournalAtStart(*store, journal, dialogs, texts);
    if (restored) *restored = applied;
    EXPECT_EQ(store->DataChanged(), applied);
    return Snapshot(*store);
  }
};

TEST_F(JournalRestoreTest, YesRestoresTheChangesAndTheJournalGoesOn) {
  bool restored = false;
  EXPECT_EQ(Start(true, &restored), edited);
  EXPECT_TRUE(restored);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text,
            "QVMap did not close normally. Restore the 2 changes made since the last save?");
  // Still there, whole: a second crash loses nothing either.
  EXPECT_TRUE(dir.Exists(kJournal));
  EXPECT_EQ(Start(true), edited);
}

TEST_F(JournalRestoreTest, NoKeepsTheTablesAsSavedAndTheJournalAsDiscarded) {
  const std::string journal = dir.Read(kJournal);
  dir.Write("Data/QVMap.journal.discarded", "an earlier one");
  EXPECT_EQ(Start(false), saved);
  EXPECT_FALSE(dir.Exists(kJournal));
  EXPECT_EQ(dir.Read("Data/QVMap.journal.discarded"), "an earlier one");
  EXPECT_EQ(dir.Read("Data/QVMap.journal.discarded.2"), journal);
  dialogs.shown.clear();
  EXPECT_EQ(Start(true), saved);  // nothing left to ask about
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(JournalRestoreTest, ADamagedEndIsLeftOutReportedAndKept) {
  const std::string journal = dir.Read(kJournal);
  dir.Write(kJournal, journal.substr(0, journal.size() - 5));
  const auto restored = Start(true);
  EXPECT_NE(restored, edited);
  EXPECT_NE(restored, saved);  // the first factory is back
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_NE(dialogs.shown[0].text.find("Restore the 1 changes"), std::string::npos);
  EXPECT_NE(dialogs.shown[1].text.find("cut short or damaged"), std::string::npos);
  EXPECT_EQ(dir.Read("Data/QVMap.journal.discarded"), journal.substr(0, journal.size() - 5));
  // The new journal holds the step restored, and nothing damaged.
  EXPECT_EQ(Start(true), restored);
}

TEST_F(JournalRestoreTest, AForeignJournalIsKeptAsideAndNeverApplied) {
  {
    const auto other = Load();
    qvtest::AddSector(*other, "Elsewhere", 9, 9);
    qv::SaveStore(*other, dialogs);
  }
  const std::string journal = dir.Read(kJournal);
  const auto before = Snapshot(*Load());
  EXPECT_EQ(Start(true), before);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, "message");
  EXPECT_NE(dialogs.shown[0].text.find("does not belong"), std::string::npos);
  EXPECT_FALSE(dir.Exists(kJournal));
  EXPECT_EQ(dir.Read("Data/QVMap.journal.foreign"), journal);
}

}  // namespace
