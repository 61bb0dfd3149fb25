#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data/ChangeRecord.h"
#include "data/DataModule1.h"
#include "data/StoreTestData.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/UniverseSnapshot.h"

namespace {

using qv::ChangeKind;
using qv::ChangeOrigin;
using qv::ChangeRecord;
using qv::RowChangeKind;
using qvtest::Snapshot;

class ChangeRecordTest : public ::testing::Test {
 protected:
  qvtest::TempDir dir;
  qvtest::ScriptedDialogs dialogs;
  qv::TDataModule1 store{dir.Folder()};
  std::vector<ChangeRecord> heard;
  std::vector<ChangeOrigin> origins;
  int vossk = 0, mine = 0, ore = 0;

  void SetUp() override {
    vossk = qvtest::AddSector(store, "Vossk Prime", 1, 1);
    const int ardent = qvtest::AddSector(store, "Ardent", 2, 1);
    ore = qvtest::AddProduct(store, "Ore", 0);
    const int chip = qvtest::AddProduct(store, "Chip", 1);
    mine = qvtest::AddFactory(store, "Mine");
    const int fab = qvtest::AddFactory(store, "Fab");
    qvtest::AddRecipe(store, mine, 0, ore, 1);
    qvtest::AddRecipe(store, fab, 1, ore, 4);
    qvtest::AddRecipe(store, fab, 0, chip, 2);
    qvtest::AddSectFactory(store, ardent, fab);
    qvtest::AddSectFactory(store, vossk, mine);
    qvtest::AddSectFactory(store, ardent, mine);
    qvtest::AddSectFactory(store, vossk, fab, true);
    qvtest::AddTrade(store, vossk, 0, ore);
    qvtest::AddTrade(store, ardent, 1, chip);
    qvtest::AddTrade(store, vossk, 1, chip);
    store.AddChangeListener([this](const ChangeRecord& record, ChangeOrigin origin) {
      heard.push_back(record);
      origins.push_back(origin);
    });
  }

  // Runs `edit`, which must make one step; takes it back and does it again,
  // checking every row and counter of the six tables each time.
  ChangeRecord CheckStep(const std::function<void()>& edit) {
    const auto before = Snapshot(store);
    heard.clear();
    edit();
    EXPECT_EQ(heard.size(), 1u);
    if (heard.empty()) return {};
    const ChangeRecord step = heard.back();
    const auto after = Snapshot(store);
    EXPECT_NE(before, after);
    store.ApplyChange(step, ChangeOrigin::Undo);
    EXPECT_EQ(Snapshot(store), before);
    store.ApplyChange(step, ChangeOrigin::Redo);
    EXPECT_EQ(Snapshot(store), after);
    // Applying is not a new step, but the listeners hear what was applied.
    EXPECT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[1], step.Reversed());
    EXPECT_EQ(origins[1], ChangeOrigin::Undo);
    EXPECT_EQ(heard[2], step);
    return step;
  }

  static void DeleteRowWhere(qv::Table& table, const char* field, const qv::Value& value) {
    ASSERT_TRUE(table.Locate(field, {value}));
    table.Delete();
  }
};

TEST_F(ChangeRecordTest, EachKindOfRowChangeIsTakenBackAndDoneAgainExactly) {
  store.SectorsData.SetIndexName("SectorsDataCoordIndex");
  // An insert before another row lands in the middle of the stored order.
  const ChangeRecord inserted = CheckStep([&] {
    store.SectTradeData.SetIndexFieldNames("");
    store.SectTradeData.First();
    store.SectTradeData.Next();
    store.SectTradeData.Insert();
    store.SectTradeData.FieldByName("SectorId").SetAsInteger(vossk);
    store.SectTradeData.FieldByName("ProductId").SetAsInteger(ore);
    store.SectTradeData.Post();
  });
  ASSERT_EQ(inserted.rows.size(), 1u);
  EXPECT_EQ(inserted.rows[0].kind, RowChangeKind::Insert);
  EXPECT_EQ(inserted.rows[0].place, 1);
  EXPECT_EQ(inserted.kind, ChangeKind::PlaceTrader);

  const ChangeRecord added = CheckStep([&] { qvtest::AddSector(store, "Cinder", 5, 5); });
  EXPECT_EQ(qv::ChangeText(added), "add sector \"Cinder\"");
  ASSERT_EQ(added.counters.size(), 1u);
  EXPECT_EQ(added.counters[0].before + 1, added.counters[0].after);

  const ChangeRecord edited = CheckStep([&] {
    ASSERT_TRUE(store.LocateSectorByName("Vossk Prime"));
    store.SectorsData.Edit();
    store.SectorsData.FieldByName("X").SetAsInteger(7);  // moves it in the kept order
    store.SectorsData.Post();
  });
  ASSERT_EQ(edited.rows.size(), 1u);
  EXPECT_EQ(edited.rows[0].kind, RowChangeKind::Update);
  EXPECT_EQ(edited.rows[0].place, 0);
  EXPECT_EQ(edited.kind, ChangeKind::EditSector);

  const ChangeRecord removed =
      CheckStep([&] { DeleteRowWhere(store.SectFactoryData, "Your", qv::Value(true)); });
  EXPECT_EQ(removed.rows.size(), 1u);
  EXPECT_EQ(qv::ChangeText(removed), "remove factory");
}

TEST_F(ChangeRecordTest, ACascadeIsOneStepAndComesBackWithItsIds) {
  const ChangeRecord sector =
      CheckStep([&] { DeleteRowWhere(store.SectorsData, "Id", qv::Value(vossk)); });
  EXPECT_EQ(qv::ChangeText(sector), "delete sector \"Vossk Prime\"");
  // Two placed factories and two traders go first, then the sector.
  ASSERT_EQ(sector.rows.size(), 5u);
  EXPECT_EQ(sector.rows.back().table, "SectorsData");
  for (const qv::RowChange& row : sector.rows)
    EXPECT_EQ(row.kind, RowChangeKind::Delete);

  const ChangeRecord type =
      CheckStep([&] { DeleteRowWhere(store.FactoriesData, "Id", qv::Value(mine)); });
  EXPECT_EQ(type.kind, ChangeKind::DeleteFactoryType);
  // Its recipe row, the placed factory the sector's delete left, itself.
  EXPECT_EQ(type.rows.size(), 3u);
  EXPECT_EQ(type.name, "Mine");
  CheckStep([&] { DeleteRowWhere(store.ProductsData, "Id", qv::Value(ore)); });
}

TEST_F(ChangeRecordTest, AScopeMakesOneNamedStepOfEverythingInIt) {
  const ChangeRecord step = CheckStep([&] {
    auto outer = store.BeginChange(ChangeKind::Reveal, "Ardent");
    {
      auto inner = store.BeginChange(ChangeKind::Other, "inner");
      ASSERT_TRUE(store.LocateSectorByName("Ardent"));
      store.SectorsData.Edit();
      store.SectorsData.FieldByName("Visible").SetAsBoolean(false);
      store.SectorsData.Post();
    }
    EXPECT_TRUE(heard.empty());  // the outer scope is still open
    qvtest::AddProduct(store, "Wheat", 0);
    // A post that changes nothing adds nothing.
    store.ProductsData.Edit();
    store.ProductsData.Post();
  });
  EXPECT_EQ(step.kind, ChangeKind::Reveal);
  EXPECT_EQ(step.name, "Ardent");
  EXPECT_EQ(step.rows.size(), 2u);

  heard.clear();
  { auto nothing = store.BeginChange(ChangeKind::Other); }
  EXPECT_TRUE(heard.empty());
}

TEST_F(ChangeRecordTest, AnIdUsedUpByACancelledInsertIsPartOfTheNextStep) {
  const std::int64_t counter = store.SectorsData.NextAutoInc();
  // Undo goes back to where the step before left the tables, so the Id comes back too.
  const ChangeRecord step = CheckStep([&] {
    store.SectorsData.Append();
    store.SectorsData.Cancel();
    qvtest::AddSector(store, "Later", 9, 9);
  });
  ASSERT_EQ(step.counters.size(), 1u);
  EXPECT_EQ(step.counters[0].before, counter);
  EXPECT_EQ(step.counters[0].after, counter + 2);
  // Rows replaced at once (a load) are where the next step starts.
  store.SectorsData.LoadRows({}, 50);
  qvtest::AddSector(store, "Fresh", 3, 3);
  EXPECT_EQ(heard.back().counters[0].before, 50);
}

TEST_F(ChangeRecordTest, AStepThatDoesNotFitTheTablesIsRefusedWholeAndChangesNothing) {
  heard.clear();
  ASSERT_TRUE(store.LocateSectorByName("Ardent"));
  store.SectorsData.Edit();
  store.SectorsData.FieldByName("Suns").SetAsInteger(3);
  store.SectorsData.Post();
  qvtest::AddSector(store, "Cinder", 5, 5);
  ASSERT_EQ(heard.size(), 2u);
  store.ApplyChange(heard[1], ChangeOrigin::Undo);
  store.ApplyChange(heard[0], ChangeOrigin::Undo);
  const auto before = Snapshot(store);
  store.ClearDataChanged();
  // The first step twice: the second time its row is no longer as it expects,
  // and the first time is taken back.
  ChangeRecord twice = heard[0];
  twice.rows.push_back(twice.rows.front());
  EXPECT_THROW(store.ApplyChange(twice, ChangeOrigin::Redo), qv::TableError);
  EXPECT_EQ(Snapshot(store), before);
  EXPECT_FALSE(store.DataChanged());
  ChangeRecord foreign = heard[0];
  foreign.rows[0].table = "AuxRequestData";
  EXPECT_THROW(store.ApplyChange(foreign, ChangeOrigin::Redo), qv::TableError);
}

TEST_F(ChangeRecordTest, ApplyingMovesTheCursorOffARemovedRowAndCancelsAPendingEdit) {
  qvtest::AddSector(store, "Cinder", 5, 5);
  const ChangeRecord step = heard.back();
  ASSERT_TRUE(store.LocateSectorByName("Cinder"));
  store.SectorsData.Edit();
  store.SectorsData.FieldByName("Suns").SetAsInteger(3);
  store.ApplyChange(step, ChangeOrigin::Undo);
  EXPECT_EQ(store.SectorsData.State(), qv::TableState::Browse);
  EXPECT_TRUE(store.SectorsData.CurrentRecord().IsValid());
  EXPECT_EQ(store.SectorsData.RecordCount(), 2);
  EXPECT_FALSE(store.FindSectorByName("Cinder"));
}

TEST(ChangeTextTest, NamesTheRowOrLeavesThePlaceholderOut) {
  ChangeRecord record;
  record.kind = ChangeKind::DeleteSector;
  record.name = "Vossk Prime";
  EXPECT_EQ(qv::ChangeText(record), "delete sector \"Vossk Prime\"");
  EXPECT_EQ(qv::ChangeText(record, "Sektor „%s“ löschen"), "Sektor „Vossk Prime“ löschen");
  record.name.clear();
  EXPECT_EQ(qv::ChangeText(record), "delete sector");
  EXPECT_EQ(qv::ChangeText(record, "'%s' entfernen"), "entfernen");
  EXPECT_EQ(qv::ChangeText(record, "Sektor „%s“ löschen"), "Sektor löschen");
  EXPECT_EQ(qv::ChangeKindKey(ChangeKind::BulkChange), "BulkChange");
  EXPECT_EQ(qv::KindOfRowChange("Nowhere", RowChangeKind::Insert), ChangeKind::AddRow);
}

}  // namespace
