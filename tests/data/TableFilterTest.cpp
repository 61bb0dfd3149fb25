#include <gtest/gtest.h>

#include "data/Table.h"
#include "data/TableTestTables.h"

namespace qv {
namespace {

using qvtest::AddSector;
using qvtest::BuildSectors;
using qvtest::Column;
using Names = std::vector<std::string>;

class TableFilterTest : public ::testing::Test {
 protected:
  TableFilterTest() {
    BuildSectors(t_);
    AddSector(t_, "A", 0, 0, true);
    AddSector(t_, "B", 1, 0, false);
    AddSector(t_, "O'Hara", 2, 1, true);
    AddSector(t_, "D", 3, 1, false);
    t_.Append();  // a row with nothing but its Id
    t_.Post();
  }
  std::vector<std::string> Shown(const std::string& filter) {
    t_.SetFilter(filter);
    t_.SetFiltered(true);
    return Column(t_, "Id");
  }
  Table t_{"Sectors"};
};

TEST_F(TableFilterTest, ExpressionsSelectRows) {
  EXPECT_EQ(Shown("Visible"), (Names{"1", "3"}));
  EXPECT_EQ(Shown("not Visible"), (Names{"2", "4", "5"}));
  EXPECT_EQ(Shown("X = 0 or X = 3"), (Names{"1", "4"}));
  EXPECT_EQ(Shown("x >= 1 AND (y <> 1 Or name = 'D')"), (Names{"2", "4"}));
  EXPECT_EQ(Shown("Name = 'O''Hara'"), (Names{"3"}));
  EXPECT_EQ(Shown("Name = null"), (Names{"5"}));
  EXPECT_EQ(Shown("X <> NULL and X < 2"), (Names{"1", "2"}));
  EXPECT_EQ(Shown("Visible = false and Y > -1"), (Names{"2", "4"}));
  EXPECT_EQ(Shown("  "), (Names{"1", "2", "3", "4", "5"}));
  t_.SetFiltered(false);
  EXPECT_EQ(t_.Filter(), "  ");
}

TEST_F(TableFilterTest, BadExpressionsAreRefusedAndTheOldFilterStays) {
  EXPECT_EQ(Shown("X = 0"), (Names{"1"}));
  for (const char* bad : {"X =", "(X = 1", "X = 1)", "Nope = 1", "X = 'unclosed", "X ! 1", "and X",
                          "X = 1 Visible"}) {
    EXPECT_THROW(t_.SetFilter(bad), TableError) << bad;
  }
  EXPECT_EQ(t_.Filter(), "X = 0");
  EXPECT_EQ(Column(t_, "Id"), (Names{"1"}));
}

TEST_F(TableFilterTest, CallbackAndExpressionBothApplyOnlyWhileFiltered) {
  int wanted = 0;
  t_.OnFilterRecord = [&wanted](const Record& r) { return r.Get("Y").ToInteger() == wanted; };
  EXPECT_EQ(t_.RecordCount(), 5);
  t_.SetFiltered(true);
  EXPECT_EQ(Column(t_, "Id"), (Names{"1", "2", "5"}));
  t_.SetFilter("Visible");
  EXPECT_EQ(Column(t_, "Id"), (Names{"1"}));
  wanted = 1;
  t_.Refresh();
  EXPECT_EQ(Column(t_, "Id"), (Names{"3"}));
  t_.SetFiltered(false);
  EXPECT_EQ(t_.RecordCount(), 5);
}

TEST_F(TableFilterTest, APostedRowThatNoLongerPassesLeavesTheView) {
  Shown("Visible");
  t_.First();
  t_.Edit();
  t_.FieldByName("Visible").SetAsBoolean(false);
  t_.Post();
  EXPECT_EQ(Column(t_, "Id"), (Names{"3"}));
  EXPECT_EQ(t_.FieldByName("Id").AsInteger(), 3);
  t_.Append();
  t_.FieldByName("Visible").SetAsBoolean(true);
  t_.Post();
  EXPECT_EQ(Column(t_, "Id"), (Names{"3", "6"}));
  EXPECT_EQ(t_.FieldByName("Id").AsInteger(), 6);
}

TEST_F(TableFilterTest, FilterWorksWithAnOrderAndKeySearch) {
  t_.SetIndexName("CoordIndex");
  Shown("not Visible");
  EXPECT_TRUE(t_.FindKey({Value(3)}));
  EXPECT_EQ(t_.FieldByName("Name").AsString(), "D");
  EXPECT_FALSE(t_.FindKey({Value(2)}));  // O'Hara is hidden by the filter
  t_.First();
  t_.Delete();  // the row with no X comes first
  EXPECT_EQ(Column(t_, "Id"), (Names{"2", "4"}));
}

}  // namespace
}  // namespace qv
