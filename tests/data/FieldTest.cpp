#include "data/Field.h"

#include <gtest/gtest.h>

#include "data/Table.h"
#include "data/TableTestTables.h"

namespace qv {
namespace {

using qvtest::AddSector;
using qvtest::BuildSectors;

TEST(FieldTest, DisplayDefaultsFollowTheType) {
  Table t("T");
  BuildSectors(t);
  t.AddField("Note", FieldType::String, 40);
  EXPECT_EQ(t.FieldByName("Note").DisplayWidth(), 40);
  EXPECT_EQ(t.FieldByName("X").DisplayWidth(), 10);
  EXPECT_EQ(t.FieldByName("Visible").DisplayWidth(), 5);
  EXPECT_EQ(t.FieldByName("X").GetAlignment(), Alignment::Right);
  EXPECT_EQ(t.FieldByName("Id").GetAlignment(), Alignment::Right);
  EXPECT_EQ(t.FieldByName("Name").GetAlignment(), Alignment::Left);
  EXPECT_EQ(t.FieldByName("Name").DisplayLabel(), "Name");
  EXPECT_TRUE(t.FieldByName("Id").ReadOnly());
  EXPECT_EQ(t.FieldByName("Id").ValueType(), FieldType::Integer);
  EXPECT_EQ(&t.FieldByName("name"), &t.FieldByName("Name"));
  EXPECT_THROW(t.FieldByName("Nope"), TableError);
  EXPECT_THROW(t.AddField("name", FieldType::Integer), TableError);
}

TEST(FieldTest, WritingNeedsEditModeAndAWritableField) {
  Table t("Sectors");
  BuildSectors(t);
  AddSector(t, "A", 1, 1);
  try {
    t.FieldByName("X").SetAsInteger(5);
    FAIL() << "write in browse state accepted";
  } catch (const TableError& e) {
    EXPECT_STREQ(e.what(), "Table Sectors is not in edit or insert mode");
  }
  t.Edit();
  EXPECT_THROW(t.FieldByName("Id").SetAsInteger(99), TableError);
  t.Cancel();
  EXPECT_EQ(t.FieldByName("Id").AsInteger(), 1);
}

TEST(FieldTest, IntegerTextIsParsedStrictlyAndBadTextChangesNothing) {
  Table t("T");
  BuildSectors(t);
  AddSector(t, "A", 3, 4);
  t.Edit();
  Field& x = t.FieldByName("X");
  x.SetText(" -17 ");
  EXPECT_EQ(x.AsInteger(), -17);
  try {
    x.SetText("abc");
    FAIL() << "bad integer accepted";
  } catch (const TableError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
  }
  EXPECT_THROW(x.SetText("3000000000"), TableError);
  EXPECT_THROW(x.SetText("12abc"), TableError);
  EXPECT_EQ(x.AsInteger(), -17);
  x.SetText("");
  EXPECT_TRUE(x.IsNull());
  EXPECT_EQ(x.AsInteger(), 0);
  EXPECT_EQ(x.DisplayText(), "");
}

TEST(FieldTest, BooleanTextsShortAndLongForm) {
  Table t("T");
  BuildSectors(t);
  AddSector(t, "A", 1, 1, false);
  Field& v = t.FieldByName("Visible");
  EXPECT_EQ(v.DisplayText(), "False");

  v.SetDisplayValues("+");
  EXPECT_EQ(v.TrueText(), "+");
  EXPECT_EQ(v.FalseText(), "");
  EXPECT_EQ(v.DisplayText(), "");
  EXPECT_EQ(v.TextOf(Value(true)), "+");

  v.SetDisplayValues("Yes;No");
  t.Edit();
  v.SetText("yes");
  EXPECT_TRUE(v.AsBoolean());
  v.SetText("NO");
  EXPECT_FALSE(v.AsBoolean());
  EXPECT_FALSE(v.IsNull());
  v.SetText("TRUE");
  EXPECT_TRUE(v.AsBoolean());
  EXPECT_THROW(v.SetText("maybe"), TableError);
  EXPECT_TRUE(v.AsBoolean());
  v.SetText("");
  EXPECT_TRUE(v.IsNull());
  EXPECT_FALSE(v.AsBoolean());
}

TEST(FieldTest, TextIsCutToItsSizeInCharacters) {
  Table t("T");
  t.AddField("Name", FieldType::String, 5);
  t.Append();
  t.FieldByName("Name").SetAsString("Größenwahn");
  EXPECT_EQ(t.FieldByName("Name").AsString(), "Größe");
  t.FieldByName("Name").SetAsString("Åland");
  t.Post();
  EXPECT_EQ(t.FieldByName("Name").AsString(), "Åland");
}

TEST(FieldTest, CallbacksConvertTextAndReportChanges) {
  Table t("T");
  BuildSectors(t);
  AddSector(t, "A", 1, 1);
  Field& x = t.FieldByName("X");
  x.OnGetText = [](const Field&, const Value& v) {
    return "<" + std::to_string(v.ToInteger()) + ">";
  };
  x.OnSetText = [](Field& f, const std::string& text) {
    f.SetAsInteger(static_cast<int>(text.size()));
  };
  std::vector<int> seen;
  x.OnChange = [&seen](Field& f) { seen.push_back(f.AsInteger()); };

  EXPECT_EQ(x.DisplayText(), "<1>");
  t.Edit();
  x.SetText("four");
  EXPECT_EQ(x.AsInteger(), 4);
  EXPECT_EQ(seen, std::vector<int>{4});  // fired once, after the value was set
  EXPECT_TRUE(t.Modified());
  t.Post();
  EXPECT_EQ(t.CurrentRecord().Text(x.Index()), "<4>");
}

TEST(FieldTest, LookupReadsThroughAndStoresTheKeyOfAName) {
  Table products("Products");
  products.AddField("Id", FieldType::AutoInc);
  products.AddField("Name", FieldType::String, 30);
  for (const char* name : {"Ore", "Wheat", "Ore"}) {
    products.Append();
    products.FieldByName("Name").SetAsString(name);
    products.Post();
  }
  Table request("Request");
  request.AddField("Prod1", FieldType::Integer);
  Field& name = request.AddLookupField("Prod1Name", 30, "Prod1", &products, "Id", "Name");
  EXPECT_EQ(name.ValueType(), FieldType::String);
  EXPECT_FALSE(name.IsStored());

  request.Append();
  EXPECT_EQ(name.AsString(), "");
  request.FieldByName("Prod1").SetAsInteger(2);
  EXPECT_EQ(name.AsString(), "Wheat");
  name.SetText("ore");  // no row is named exactly so
  EXPECT_TRUE(request.FieldByName("Prod1").IsNull());
  name.SetText("Ore");  // two rows: the first one wins
  EXPECT_EQ(request.FieldByName("Prod1").AsInteger(), 1);
  request.Post();
  EXPECT_EQ(name.AsString(), "Ore");
  EXPECT_TRUE(request.CurrentRecord().Get(name.Index()) == Value("Ore"));

  // The lookup follows changes of the other table.
  products.Locate("Id", {Value(1)});
  products.Edit();
  products.FieldByName("Name").SetAsString("Iron ore");
  products.Post();
  EXPECT_EQ(name.AsString(), "Iron ore");
}

TEST(FieldTest, LookupStaysFastAndRightOnALargeTable) {
  Table products("Products");
  products.AddField("Id", FieldType::AutoInc);
  products.AddField("Name", FieldType::String, 30);
  for (int i = 0; i < 500; ++i) {
    products.Append();
    products.FieldByName("Name").SetAsString(std::string("P").append(std::to_string(i)));
    products.Post();
  }
  Table request("Request");
  request.AddField("Prod1", FieldType::Integer);
  Field& name = request.AddLookupField("Prod1Name", 30, "Prod1", &products, "Id", "Name");
  request.Append();
  request.FieldByName("Prod1").SetAsInteger(321);
  EXPECT_EQ(name.AsString(), "P320");
  // A row added after the first lookup is found too (the lookup order is kept).
  products.Append();
  products.FieldByName("Name").SetAsString("Late");
  products.Post();
  request.FieldByName("Prod1").SetAsInteger(501);
  EXPECT_EQ(name.AsString(), "Late");
}

TEST(FieldTest, CalculatedFieldIsComputedPerRow) {
  Table t("T");
  BuildSectors(t);
  Field& sum = t.AddCalculatedField("Sum", FieldType::Integer, 0, [](const Record& r) {
    return Value(r.Get("X").ToInteger() + r.Get("Y").ToInteger());
  });
  EXPECT_EQ(sum.GetAlignment(), Alignment::Right);
  AddSector(t, "A", 1, 2);
  AddSector(t, "B", 10, 20);
  EXPECT_EQ(t.RecordAt(1).Get(sum.Index()).ToInteger(), 3);
  EXPECT_EQ(t.RecordAt(2).Get(sum.Index()).ToInteger(), 30);
  t.Edit();
  t.FieldByName("X").SetAsInteger(100);
  EXPECT_EQ(sum.AsInteger(), 120);  // reads the edit buffer
  EXPECT_THROW(sum.SetAsInteger(1), TableError);
}

}  // namespace
}  // namespace qv
