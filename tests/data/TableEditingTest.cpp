#include <gtest/gtest.h>

#include "data/Table.h"
#include "data/TableObserver.h"
#include "data/TableTestTables.h"

namespace qv {
namespace {

using qvtest::AddSector;
using qvtest::BuildSectors;
using qvtest::Column;
using Names = std::vector<std::string>;

class TableEditingTest : public ::testing::Test {
 protected:
  TableEditingTest() { BuildSectors(t_); }
  Table t_{"Sectors"};
};

TEST_F(TableEditingTest, CursorRulesOnEmptyAndFilledViews) {
  EXPECT_TRUE(t_.Eof());
  EXPECT_TRUE(t_.Bof());
  EXPECT_EQ(t_.RecNo(), 0);
  EXPECT_FALSE(t_.CurrentRecord().IsValid());
  t_.Next();
  EXPECT_TRUE(t_.Eof());
  EXPECT_THROW(t_.Edit(), TableError);
  EXPECT_THROW(t_.Delete(), TableError);

  for (const char* n : {"A", "B", "C"})
    AddSector(t_, n, 0, 0);
  t_.First();
  EXPECT_TRUE(t_.Bof());
  EXPECT_FALSE(t_.Eof());
  t_.Next();
  t_.Next();
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "C");
  EXPECT_FALSE(t_.Eof());
  t_.Next();  // beyond the last row: Eof, still on the last row
  EXPECT_TRUE(t_.Eof());
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "C");
  EXPECT_EQ(t_.RecNo(), 3);
  t_.Prior();
  EXPECT_FALSE(t_.Eof());
  EXPECT_EQ(t_.MoveBy(-5), -1);
  EXPECT_TRUE(t_.Bof());
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "A");
  EXPECT_EQ(t_.MoveBy(5), 2);
  EXPECT_TRUE(t_.Eof());
  t_.SetRecNo(2);
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "B");
  t_.SetRecNo(99);
  EXPECT_EQ(t_.RecNo(), 3);
  t_.Last();
  EXPECT_TRUE(t_.Eof());
}

TEST_F(TableEditingTest, InsertGoesBeforeTheCurrentRowAppendToTheEnd) {
  AddSector(t_, "A", 0, 0);
  AddSector(t_, "C", 0, 0);
  t_.Last();
  t_.Insert();
  t_.FieldByName("Name").SetAsString("B");
  t_.Post();
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "B");
  t_.First();
  t_.Insert();
  t_.FieldByName("Name").SetAsString("Start");
  t_.Post();
  AddSector(t_, "End", 0, 0);
  EXPECT_EQ(Column(t_, "Name"), (Names{"Start", "A", "B", "C", "End"}));
  EXPECT_EQ(Column(t_, "Id"), (Names{"4", "1", "3", "2", "5"}));
  EXPECT_EQ(t_.NextAutoInc(), 6);
}

TEST_F(TableEditingTest, ManyInsertsAtOnePlaceKeepStoredOrder) {
  AddSector(t_, "Last", 0, 0);
  // Each insert lands just before the row inserted previously; far more
  // inserts than the gaps of stored positions allow without renumbering.
  for (int i = 0; i < 40; ++i) {
    t_.Insert();
    t_.FieldByName("X").SetAsInteger(i);
    t_.Post();
  }
  ASSERT_EQ(t_.RecordCount(), 41);
  t_.First();
  for (int i = 39; i >= 0; --i) {
    EXPECT_EQ(t_.FieldByName("X").AsInteger(), i);
    t_.Next();
  }
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "Last");
}

TEST_F(TableEditingTest, PostAndCancelFinishTheEdit) {
  AddSector(t_, "A", 1, 1);
  t_.Edit();
  EXPECT_EQ(t_.State(), TableState::Edit);
  EXPECT_FALSE(t_.Modified());
  t_.FieldByName("Name").SetAsString("Changed");
  EXPECT_EQ(t_.RecordAt(1).Get("Name").ToString(), "A");  // stored row untouched until Post
  t_.Cancel();
  EXPECT_EQ(t_.State(), TableState::Browse);
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "A");

  t_.Insert();
  t_.Cancel();
  EXPECT_EQ(t_.TotalRowCount(), 1);
  t_.Insert();
  t_.Delete();  // deleting the row being inserted just drops it
  EXPECT_EQ(t_.TotalRowCount(), 1);
  EXPECT_EQ(t_.State(), TableState::Browse);
}

TEST_F(TableEditingTest, BeforePostCanRefuseAndTheEditStaysOpen) {
  AddSector(t_, "A", 1, 1);
  t_.BeforePost = [](Table& t) {
    if (t.FieldByName("X").AsInteger() < 0) throw TableError("X must not be negative");
  };
  t_.Edit();
  t_.FieldByName("X").SetAsInteger(-1);
  EXPECT_THROW(t_.Post(), TableError);
  EXPECT_EQ(t_.State(), TableState::Edit);
  EXPECT_EQ(t_.RecordAt(1).Get("X").ToInteger(), 1);
  EXPECT_EQ(t_.ChangeCount(), 1);
  t_.FieldByName("X").SetAsInteger(2);
  t_.Post();
  EXPECT_EQ(t_.RecordAt(1).Get("X").ToInteger(), 2);
}

TEST_F(TableEditingTest, DeleteMovesToTheFollowingRowOrTheNewLast) {
  for (const char* n : {"A", "B", "C"})
    AddSector(t_, n, 0, 0);
  t_.SetRecNo(2);
  t_.Delete();
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "C");
  EXPECT_FALSE(t_.Eof());
  t_.Delete();
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "A");
  EXPECT_TRUE(t_.Eof());
  t_.Delete();
  EXPECT_TRUE(t_.Eof());
  EXPECT_TRUE(t_.Bof());
  EXPECT_EQ(t_.TotalRowCount(), 0);
}

TEST_F(TableEditingTest, DeleteWalkOverAFilteredTableWithTheFilterSwitchedOff) {
  for (int i = 0; i < 10; ++i)
    AddSector(t_, "S" + std::to_string(i), i % 3, i);
  t_.SetFilter("X = 1");
  t_.SetFiltered(true);
  ASSERT_EQ(t_.RecordCount(), 3);

  // The cascade pattern: every row with X = 0 goes, wherever the filter stood.
  t_.SetFiltered(false);
  t_.First();
  while (!t_.Eof()) {
    if (t_.FieldByName("X").AsInteger() == 0) {
      t_.Delete();
    } else {
      t_.Next();
    }
  }
  t_.SetFiltered(true);
  EXPECT_EQ(t_.TotalRowCount(), 6);
  EXPECT_EQ(t_.RecordCount(), 3);
  for (const Record& r : t_.AllRecords())
    EXPECT_NE(r.Get("X").ToInteger(), 0);
}

// Hears what Delete() and DeleteStoredRows() tell a table's observer.
class CountingObserver : public TableObserver {
 public:
  void WriteBegins(Table&) override { ++writes; }
  void RowChanged(Table&, RowChangeKind kind, int place, const RowValues*,
                  const RowValues* after) override {
    if (kind == RowChangeKind::Delete && after == nullptr) places.push_back(place);
  }
  void WriteEnds(Table&) override {}
  int writes = 0;
  std::vector<int> places;
};

TEST_F(TableEditingTest, DeletingStoredRowsLeavesFilterAndCursorAndTellsEveryRow) {
  for (int i = 0; i < 6; ++i)
    AddSector(t_, "S" + std::to_string(i), i % 2, i);
  std::vector<Table::Bookmark> rows;
  for (const Record& r : t_.AllRecords())
    rows.push_back(r.GetRow()->id);
  t_.SetFilter("X = 1");
  t_.SetFiltered(true);
  t_.SetIndexName("CoordIndex");
  t_.First();  // S1
  CountingObserver observer;
  t_.SetObserver(&observer);
  int afterDelete = 0;
  t_.AfterDelete = [&afterDelete](Table&) { ++afterDelete; };
  const int changes = t_.ChangeCount();

  // S0 and S2 are not in the view; S2 is named twice, a gone row is passed over.
  const std::vector<Table::Bookmark> hidden = {rows[0], rows[2], rows[2]};
  EXPECT_EQ(t_.DeleteStoredRows(hidden), 2);
  EXPECT_EQ(t_.DeleteStoredRows(std::vector<Table::Bookmark>{rows[0]}), 0);
  EXPECT_EQ(observer.writes, 1);
  EXPECT_EQ(observer.places, (std::vector<int>{0, 1}));  // places at the time of each removal
  EXPECT_EQ(afterDelete, 1);
  EXPECT_EQ(t_.ChangeCount(), changes + 2);
  EXPECT_TRUE(t_.Filtered());
  EXPECT_EQ(t_.IndexName(), "CoordIndex");
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "S1");
  EXPECT_EQ(Column(t_, "Name"), (Names{"S1", "S3", "S5"}));

  // The cursor's row goes: it moves to the next row left, or to the new last with Eof.
  EXPECT_EQ(t_.DeleteStoredRows(std::vector<Table::Bookmark>{rows[1], rows[4]}), 2);
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "S3");
  EXPECT_FALSE(t_.Eof());
  t_.Last();
  EXPECT_EQ(t_.DeleteStoredRows(std::vector<Table::Bookmark>{rows[5]}), 1);
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "S3");
  EXPECT_TRUE(t_.Eof());
  EXPECT_EQ(t_.TotalRowCount(), 1);
  t_.SetObserver(nullptr);
}

TEST_F(TableEditingTest, DeleteWalkDeletingTheLastRowEndsTheWalk) {
  for (int i = 0; i < 4; ++i)
    AddSector(t_, "S", 0, i);
  t_.First();
  int steps = 0;
  while (!t_.Eof() && steps++ < 100)
    t_.Delete();
  EXPECT_EQ(t_.TotalRowCount(), 0);
  EXPECT_LT(steps, 100);
}

TEST_F(TableEditingTest, BookmarksReturnToTheRowAndRefuseDeletedRows) {
  for (const char* n : {"A", "B", "C"})
    AddSector(t_, n, 0, 0);
  t_.SetRecNo(2);
  const Table::Bookmark b = t_.GetBookmark();
  t_.First();
  t_.GotoBookmark(b);
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "B");
  t_.Delete();
  EXPECT_FALSE(t_.BookmarkValid(b));
  EXPECT_THROW(t_.GotoBookmark(b), TableError);
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "C");
}

TEST_F(TableEditingTest, ChangeLogCountsPostsAndDeletesAndMergeFinishesEdits) {
  AddSector(t_, "A", 0, 0);
  AddSector(t_, "B", 0, 0);
  t_.Delete();
  EXPECT_EQ(t_.ChangeCount(), 3);
  t_.MergeChangeLog();
  EXPECT_EQ(t_.ChangeCount(), 0);

  t_.Edit();  // unchanged: merge cancels
  t_.MergeChangeLog();
  EXPECT_EQ(t_.State(), TableState::Browse);
  EXPECT_EQ(t_.ChangeCount(), 0);

  t_.Edit();  // changed: merge posts
  t_.FieldByName("Name").SetAsString("Kept");
  t_.MergeChangeLog();
  EXPECT_EQ(t_.State(), TableState::Browse);
  EXPECT_EQ(t_.RecordAt(1).Get("Name").ToString(), "Kept");
  EXPECT_EQ(t_.ChangeCount(), 0);

  t_.Append();  // an untouched new row is dropped
  t_.MergeChangeLog();
  EXPECT_EQ(t_.TotalRowCount(), 1);
}

TEST_F(TableEditingTest, MovingTheCursorFinishesAnOpenEdit) {
  AddSector(t_, "A", 0, 0);
  AddSector(t_, "B", 0, 0);
  t_.First();
  t_.Edit();
  t_.FieldByName("Name").SetAsString("A2");
  t_.Next();
  EXPECT_EQ(t_.State(), TableState::Browse);
  EXPECT_EQ(t_.RecordAt(1).Get("Name").ToString(), "A2");
}

TEST_F(TableEditingTest, LoadRowsKeepsIdsAndRefusesDuplicatesWithoutChanges) {
  AddSector(t_, "Old", 0, 0);
  auto row = [](int id, const char* name) {
    return Row{{Value(id), Value(name), Value(1), Value(2), Value(true)}, 0};
  };
  EXPECT_THROW(t_.LoadRows({row(3, "A"), row(3, "B")}, 10), TableError);
  EXPECT_THROW(t_.LoadRows({Row{{Value(1)}, 0}}, 10), TableError);
  EXPECT_EQ(Column(t_, "Name"), (Names{"Old"}));

  t_.Edit();
  t_.FieldByName("Name").SetAsString("Pending");
  // A counter below the loaded Ids would hand out an Id that exists.
  t_.LoadRows({row(7, "A"), row(3, "B")}, 4);
  EXPECT_EQ(t_.State(), TableState::Browse);
  EXPECT_EQ(t_.ChangeCount(), 0);
  EXPECT_EQ(Column(t_, "Id"), (Names{"7", "3"}));
  EXPECT_EQ(t_.RecNo(), 1);
  EXPECT_EQ(t_.NextAutoInc(), 8);
  t_.Append();
  EXPECT_EQ(t_.FieldByName("Id").AsInteger(), 8);
  t_.Cancel();

  t_.LoadRows({row(1, "A")}, 50);
  EXPECT_EQ(t_.NextAutoInc(), 50);
  t_.EmptyDataSet();
  EXPECT_EQ(t_.TotalRowCount(), 0);
  EXPECT_TRUE(t_.Eof());
}

// The counter is wide: the last identifier is handed out once, and then a
// new row is refused with nothing stored, rather than wrapping around.
TEST_F(TableEditingTest, LastIdentifierIsHandedOutOnceThenNewRowsAreRefused) {
  t_.LoadRows({Row{{Value(2147483646), Value("Near"), Value(0), Value(0), Value(true)}, 0}}, 1);
  EXPECT_EQ(t_.NextAutoInc(), 2147483647);
  AddSector(t_, "Last", 1, 1);
  EXPECT_EQ(t_.FieldByName("Id").AsInteger(), 2147483647);
  try {
    t_.Append();
    ADD_FAILURE() << "a row without an identifier";
  } catch (const TableError& e) {
    EXPECT_NE(std::string(e.what()).find("no identifier left"), std::string::npos) << e.what();
  }
  EXPECT_EQ(t_.State(), TableState::Browse);
  EXPECT_EQ(t_.TotalRowCount(), 2);
  t_.LoadRows({}, t_.NextAutoInc());  // a table file keeps the exhausted counter
  EXPECT_THROW(t_.Insert(), TableError);
}

}  // namespace
}  // namespace qv
