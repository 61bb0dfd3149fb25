#include <gtest/gtest.h>

#include "data/Table.h"
#include "data/TableTestTables.h"

namespace qv {
namespace {

using qvtest::AddSector;
using qvtest::BuildSectors;
using qvtest::Column;
using Names = std::vector<std::string>;

class TableOrderTest : public ::testing::Test {
 protected:
  TableOrderTest() {
    BuildSectors(t_);
    AddSector(t_, "Delta", 2, 1);
    AddSector(t_, "alpha", 1, 5);
    AddSector(t_, "Charlie", 1, 2);
    AddSector(t_, "Bravo", 2, 1);  // same position as Delta
    AddSector(t_, "bravo", 0, 9);
  }
  Table t_{"Sectors"};
};

TEST_F(TableOrderTest, NamedAndAdHocOrdersSortAndTieByInsertion) {
  t_.SetIndexName("CoordIndex");
  EXPECT_EQ(t_.ActiveOrderFields(), "X;Y");
  EXPECT_EQ(Column(t_, "Name"), (Names{"bravo", "Charlie", "alpha", "Delta", "Bravo"}));
  t_.SetIndexFieldNames("Name");
  EXPECT_EQ(t_.IndexName(), "");
  EXPECT_EQ(Column(t_, "Name"), (Names{"alpha", "Bravo", "bravo", "Charlie", "Delta"}));
  t_.SetIndexFieldNames("");
  EXPECT_EQ(Column(t_, "Name"), (Names{"Delta", "alpha", "Charlie", "Bravo", "bravo"}));
  EXPECT_THROW(t_.SetIndexName("Missing"), TableError);
  EXPECT_THROW(t_.SetIndexFieldNames("X;Nope"), TableError);
}

TEST_F(TableOrderTest, SwitchingOrdersKeepsTheCursorOnItsRow) {
  t_.SetIndexName("CoordIndex");
  ASSERT_TRUE(t_.Locate("Name", {Value("Charlie")}));
  t_.SetIndexFieldNames("Name");
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "Charlie");
  EXPECT_EQ(t_.RecNo(), 4);
  t_.SetIndexFieldNames("");
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "Charlie");
  EXPECT_EQ(t_.RecNo(), 3);
}

TEST_F(TableOrderTest, KeptOrdersFollowEditsInsertsAndDeletes) {
  t_.SetIndexName("CoordIndex");
  t_.SetIndexFieldNames("Name");  // both orders are now kept
  ASSERT_TRUE(t_.FindKey({Value("alpha")}));
  t_.Edit();
  t_.FieldByName("X").SetAsInteger(9);
  t_.FieldByName("Name").SetAsString("Zulu");
  t_.Post();
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "Zulu");
  EXPECT_EQ(t_.RecNo(), 5);
  AddSector(t_, "Echo", 3, 0);
  t_.First();
  t_.Delete();  // Bravo
  EXPECT_EQ(Column(t_, "Name"), (Names{"bravo", "Charlie", "Delta", "Echo", "Zulu"}));
  t_.SetIndexName("CoordIndex");
  EXPECT_EQ(Column(t_, "Name"), (Names{"bravo", "Charlie", "Delta", "Echo", "Zulu"}));
  EXPECT_EQ(Column(t_, "X"), (Names{"0", "1", "2", "3", "9"}));
}

TEST_F(TableOrderTest, FindKeyLandsOnTheFirstOfEqualKeys) {
  t_.SetIndexName("CoordIndex");
  ASSERT_TRUE(t_.FindKey({Value(2), Value(1)}));
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "Delta");
  ASSERT_TRUE(t_.FindKey({Value(1)}));  // a shorter key matches on the leading field
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "Charlie");
  EXPECT_FALSE(t_.FindKey({Value(7), Value(7)}));
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "Charlie");  // a miss leaves the cursor
  EXPECT_TRUE(t_.FindKey({Value("2"), Value("1")}));        // key text in the field's kind
  EXPECT_THROW(t_.FindKey({Value(1), Value(1), Value(1)}), TableError);

  t_.SetIndexFieldNames("Name");
  EXPECT_TRUE(t_.FindKey({Value("bravo")}));
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "bravo");  // exactly that text
  EXPECT_FALSE(t_.FindKey({Value("BRAVO")}));

  t_.SetIndexFieldNames("");
  EXPECT_THROW(t_.FindKey({Value(1)}), TableError);
}

TEST_F(TableOrderTest, FindNearestStopsOnTheNextKeyOrTheLastRow) {
  t_.SetIndexName("CoordIndex");
  t_.FindNearest({Value(1), Value(3)});
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "alpha");
  EXPECT_FALSE(t_.Eof());
  t_.FindNearest({Value(50)});
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "Bravo");
  EXPECT_TRUE(t_.Eof());
}

TEST_F(TableOrderTest, LocateAndLookup) {
  t_.SetIndexName("CoordIndex");
  EXPECT_TRUE(t_.Locate("X;Y", {Value(2), Value(1)}));
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "Delta");
  EXPECT_TRUE(t_.Locate("Name", {Value("Bravo")}));
  EXPECT_EQ(t_.FieldByName("Id").AsInteger(), 4);
  EXPECT_FALSE(t_.Locate("Name", {Value("Nobody")}));
  EXPECT_EQ(t_.FieldByName("Id").AsInteger(), 4);
  EXPECT_THROW(t_.Locate("X;Y", {Value(1)}), TableError);

  t_.First();
  const Record r = t_.Lookup("Name", Value("Charlie"));
  ASSERT_TRUE(r.IsValid());
  EXPECT_EQ(r.Get("Y").ToInteger(), 2);
  EXPECT_EQ(t_.RecNo(), 1);  // the cursor did not move
  EXPECT_FALSE(t_.Lookup("Id", Value(99)).IsValid());
  // Lookup ignores the filter.
  t_.SetFilter("X = 0");
  t_.SetFiltered(true);
  EXPECT_TRUE(t_.Lookup("Id", Value(1)).IsValid());
}

TEST_F(TableOrderTest, LargeTableStaysSortedUnderRandomEdits) {
  Table big("Big");
  big.AddField("Id", FieldType::AutoInc);
  big.AddField("K", FieldType::Integer);
  big.SetIndexFieldNames("K");
  unsigned seed = 12345;
  auto next = [&seed]() {
    return static_cast<int>((seed = seed * 1103515245u + 12345u) >> 16) % 1000;
  };
  for (int i = 0; i < 3000; ++i) {
    big.Append();
    big.FieldByName("K").SetAsInteger(next());
    big.Post();
  }
  for (int i = 0; i < 500; ++i) {
    big.SetRecNo(next() * 3 + 1);
    if (i % 3 == 0) {
      big.Delete();
    } else {
      big.Edit();
      big.FieldByName("K").SetAsInteger(next());
      big.Post();
    }
  }
  int previous = -1;
  int count = 0;
  for (big.First(); !big.Eof(); big.Next()) {
    EXPECT_LE(previous, big.FieldByName("K").AsInteger());
    previous = big.FieldByName("K").AsInteger();
    ++count;
  }
  EXPECT_EQ(count, big.TotalRowCount());
  EXPECT_EQ(count, big.RecordCount());
}

}  // namespace
}  // namespace qv
