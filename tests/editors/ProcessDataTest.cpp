#include "editors/ProcessData.h"

#include <gtest/gtest.h>

#include "data/TableError.h"
#include "support/UniverseRows.h"

namespace {

using qv::TProcessConditions;
using qvtest::AddSector;

TEST(ProcessDataTest, TypedValuesReadAsBooleansAndIntegers) {
  for (const char* yes : {"true", "True", "1", "t", "Да", "да", "Д"})
    EXPECT_TRUE(qv::ParseBool(yes)) << yes;
  for (const char* no : {"", "yes", "false", "0", " true", "Ä", "\xD0"})
    EXPECT_FALSE(qv::ParseBool(no)) << no;
  EXPECT_EQ(qv::ParseInt("12abc"), 12);
  EXPECT_EQ(qv::ParseInt("abc"), 0);
  EXPECT_EQ(qv::ParseInt(" \t\n-7 "), -7);
  EXPECT_EQ(qv::ParseInt("+15"), 15);
  EXPECT_EQ(qv::ParseInt("- 5"), 0);
}

class ProcessRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AddSector(*store, {.name = "Kessar Prime", .x = 1, .y = 1, .race = "Kessar", .suns = 12});
    AddSector(*store, {.name = "Lumari Gate", .x = 2, .y = 1, .race = "Lumari", .suns = 3});
    AddSector(*store, {.name = "Nowhere", .x = 3, .y = 1, .race = "Kessar", .visible = false});
    AddSector(*store, {.name = "Far", .x = 4, .y = 1, .race = "kessar", .suns = 0});
    // The stored order, as the direct access browser shows it.
    table().SetIndexName("");
  }
  qv::Table& table() { return store->SectorsData; }
  void Condition(int i, const char* field, const char* op, const char* value) {
    qv::SetCondition(conditions[i], true, field, op, value, &table());
  }
  qv::TProcessResult Run(bool all, const char* target, const char* value) {
    return qv::ProcessRows(*store, table(), conditions, all, target, value);
  }
  std::string Column(const char* field) {
    std::string out;
    for (int i = 1; i <= table().RecordCount(); ++i)
      out += (i > 1 ? "," : "") + table().RecordAt(i).Get(field).ToString();
    return out;
  }

  qvtest::EmptyStore store;
  TProcessConditions conditions{};
};

TEST_F(ProcessRowsTest, ConditionsOnTextIntegerAndBooleanFields) {
  Condition(0, "Race", "==", "kessar");  // case-sensitive
  EXPECT_EQ(Run(false, "Suns", "5").count, 1);
  EXPECT_EQ(Column("Suns"), "12,3,0,5");

  Condition(0, "Race", ">", "Kessar");  // "Lumari" and "kessar" sort after it by bytes
  Condition(1, "Suns", "<", "4abc");    // read as 4
  EXPECT_EQ(Run(false, "Name", "Changed").count, 1);
  EXPECT_EQ(Column("Name"), "Kessar Prime,Changed,Nowhere,Far");

  qv::SetCondition(conditions[1], false, "", "", "", &table());
  Condition(0, "Visible", "==", "0");
  EXPECT_EQ(Run(false, "Race", "Zhurr").count, 1);
  EXPECT_EQ(Column("Race"), "Kessar,Lumari,Zhurr,kessar");
  Condition(0, "Visible", ">", "1");  // booleans only compare for equality
  EXPECT_EQ(Run(false, "Race", "Drakh").count, 0);
  Condition(0, "Race", "<", "Kessar Prime");  // a proper prefix is smaller
  EXPECT_EQ(Run(false, "Visible", "yes").count, 1);
  EXPECT_EQ(Column("Visible"), "False,True,False,True");
  Condition(0, "Race", "<=", "Kessar");
  EXPECT_EQ(Run(false, "Visible", "Да").count, 1);
  EXPECT_EQ(Column("Visible"), "True,True,False,True");
}

TEST_F(ProcessRowsTest, FilterWithoutConditionsAutoIncrementAndUnknownTargets) {
  EXPECT_EQ(Run(false, "Visible", "no").count, 4);  // nothing checked: every row
  EXPECT_EQ(Column("Visible"), "False,False,False,False");
  const std::string ids = Column("Id");
  EXPECT_EQ(Run(true, "Id", "77").count, 0);
  EXPECT_EQ(Column("Id"), ids);

  const qv::TProcessResult unknown = Run(true, "Colour", "red");
  EXPECT_FALSE(unknown.fieldFound);
  EXPECT_EQ(unknown.count, 0);
}

TEST_F(ProcessRowsTest, AValueLongerThanItsTextFieldIsRefusedWhole) {
  const qv::TProcessResult refused = Run(true, "Race", "Free Traders of the Rim");
  EXPECT_EQ(refused.tooLong, 23);
  EXPECT_EQ(refused.targetLength, 20);
  EXPECT_EQ(refused.count, 0);
  EXPECT_EQ(Column("Race"), "Kessar,Lumari,Kessar,kessar");
  // The length is counted in characters, not bytes.
  const std::string twenty = "Ärger-Händler-Zünfte";
  ASSERT_EQ(twenty.size(), 23u);
  EXPECT_EQ(Run(true, "Race", twenty.c_str()).count, 4);
  EXPECT_EQ(Column("Race"), twenty + "," + twenty + "," + twenty + "," + twenty);
}

TEST_F(ProcessRowsTest, EachRowOnceEvenWhenStoringMovesIt) {
  table().SetIndexFieldNames("X");
  EXPECT_EQ(Run(true, "X", "9").count, 4);
  EXPECT_EQ(Column("X"), "9,9,9,9");
}

TEST_F(ProcessRowsTest, ARuleRefusingARowStopsTheRunThere) {
  const qv::TProcessResult beyond = Run(true, "X", "20000");  // the sectors table's own rule
  EXPECT_EQ(beyond.failedRow, 1);
  EXPECT_NE(beyond.error.find("outside the map"), std::string::npos) << beyond.error;
  EXPECT_EQ(Column("X"), "1,2,3,4");

  int posts = 0;
  table().BeforePost = [&posts](qv::Table&) {
    if (++posts == 3) throw qv::TableError("Suns beyond the limit");
  };
  table().SetRecNo(2);
  const qv::TProcessResult result = Run(true, "Suns", "99");
  EXPECT_EQ(result.count, 2);
  EXPECT_EQ(result.failedRow, 3);
  EXPECT_EQ(result.error, "Suns beyond the limit");
  EXPECT_EQ(Column("Suns"), "99,99,0,0");  // rows stored before stay changed
  EXPECT_EQ(table().State(), qv::TableState::Browse);
  EXPECT_FALSE(table().ControlsDisabled());
  EXPECT_EQ(table().RecNo(), 2);  // back where the player was
}

}  // namespace
