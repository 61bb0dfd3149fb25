#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/DataModule1.h"
#include "data/UndoStack.h"
#include "settings/StoreStartExit.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/UniverseEdits.h"
#include "support/UniverseSnapshot.h"

namespace {

using qvtest::Snapshot;

class UndoStackTest : public ::testing::Test {
 protected:
  qvtest::TempDir dir;
  qvtest::ScriptedDialogs dialogs;

  void SetUp() override { qvtest::SaveSmallUniverse(dir.Folder(), dialogs); }
};

TEST_F(UndoStackTest, EveryKindOfEditIsUndoneAndRedoneExactly) {
  for (const qvtest::UniverseEdit& edit : qvtest::EveryKindOfEdit()) {
    SCOPED_TRACE(edit.name);
    qv::TDataModule1 store(dir.Folder());
    store.LoadAllTables(qv::RequestFromThisBuild(store.ProgramFolder()));
    qv::UndoStack undo(store);
    EXPECT_FALSE(undo.CanUndo());
    const auto before = Snapshot(store);
    edit.run(store);
    const auto after = Snapshot(store);
    ASSERT_NE(before, after);
    ASSERT_EQ(undo.UndoCount(), 1u);
    store.ClearDataChanged();
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(Snapshot(store), before);
    EXPECT_TRUE(store.DataChanged());
    EXPECT_FALSE(undo.CanUndo());
    ASSERT_TRUE(undo.CanRedo());
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(Snapshot(store), after);
    EXPECT_FALSE(undo.Redo());
    // And back once more: a step taken back twice is still exact.
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(Snapshot(store), before);
  }
}

TEST_F(UndoStackTest, ManyStepsGoBackInOrderAndANewEditClearsWhatCouldBeRedone) {
  qv::TDataModule1 store(dir.Folder());
  store.LoadAllTables(qv::RequestFromThisBuild(store.ProgramFolder()));
  qv::UndoStack undo(store);
  std::vector<std::vector<qvtest::TableSnapshot>> states{Snapshot(store)};
  for (const qvtest::UniverseEdit& edit : qvtest::EveryKindOfEdit()) {
    edit.run(store);
    states.push_back(Snapshot(store));
    ASSERT_EQ(undo.UndoCount(), states.size() - 1) << edit.name << " made no step of its own";
  }
  ASSERT_EQ(undo.UndoCount(), states.size() - 1);
  for (std::size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(Snapshot(store), states[i - 1]) << "after undoing step " << i;
  }
  EXPECT_FALSE(undo.Undo());
  ASSERT_TRUE(undo.Redo());
  ASSERT_TRUE(undo.Redo());
  EXPECT_EQ(Snapshot(store), states[2]);
  EXPECT_EQ(qv::ChangeText(*undo.NextUndo()), "change sector \"Ardent\"");
  qvtest::AddProduct(store, "Salt", 0);
  EXPECT_FALSE(undo.CanRedo());
  EXPECT_EQ(qv::ChangeText(*undo.NextUndo()), "add product \"Salt\"");
  ASSERT_TRUE(undo.Undo());
  EXPECT_EQ(Snapshot(store), states[2]);
}

TEST_F(UndoStackTest, ARowStillBeingEditedIsWhatTheUndoTakesBack) {
  qv::TDataModule1 store(dir.Folder());
  store.LoadAllTables(qv::RequestFromThisBuild(store.ProgramFolder()));
  qv::UndoStack undo(store);
  qvtest::AddProduct(store, "Salt", 0);
  const auto before = Snapshot(store);
  store.ProductsData.Edit();
  store.ProductsData.FieldByName("Avg").SetAsInteger(77);
  ASSERT_TRUE(undo.Undo());  // posted, then taken back
  EXPECT_EQ(store.ProductsData.State(), qv::TableState::Browse);
  EXPECT_EQ(Snapshot(store), before);
  ASSERT_TRUE(undo.Redo());
  EXPECT_EQ(store.ProductsData.Lookup("Avg", qv::Value(77)).IsValid(), true);

  // A new row that cannot be posted (off the map) is dropped, and that is the undo.
  store.SectorsData.Append();
  store.SectorsData.FieldByName("X").SetAsInteger(1 << 30);
  const auto withPending = Snapshot(store);
  ASSERT_TRUE(undo.Undo());
  EXPECT_EQ(store.SectorsData.State(), qv::TableState::Browse);
  EXPECT_EQ(Snapshot(store), withPending);
  EXPECT_TRUE(undo.CanUndo());
}

TEST_F(UndoStackTest, NothingIsUndoneInAUniverseThatCannotBeSaved) {
  qv::TDataModule1 store(dir.Folder());
  store.SetFolderReadOnly();
  store.LoadAllTables(qv::RequestFromThisBuild(store.ProgramFolder()));
  qv::UndoStack undo(store);
  qvtest::AddProduct(store, "Salt", 0);
  EXPECT_FALSE(undo.CanUndo());
  EXPECT_EQ(undo.NextUndo(), nullptr);
  EXPECT_FALSE(undo.Undo());
  EXPECT_TRUE(store.ProductsData.Lookup("Name", qv::Value("Salt")).IsValid());
}

}  // namespace
