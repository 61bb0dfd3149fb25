// Key search and kept orders on integer keys, checked against a plain
// reference built from the rows themselves: the fast paths for integer keys
// must give exactly what comparing the stored values gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "data/Table.h"

namespace qv {
namespace {

// Id, Name, A, B (integers, may be null), F (boolean); "AB" on A;B.
void BuildKeyTable(Table& t) {
  t.AddField("Id", FieldType::AutoInc);
  t.AddField("Name", FieldType::String, 20);
  t.AddField("A", FieldType::Integer);
  t.AddField("B", FieldType::Integer);
  t.AddField("F", FieldType::Boolean);
  t.AddIndex("AB", "A;B");
}

Value MaybeNull(std::mt19937& random, int range) {
  const int v = static_cast<int>(random() % static_cast<unsigned>(range + 1));
  return v == range ? Value() : Value(static_cast<std::int32_t>(v - range / 2));
}

// The Ids of all rows in the order `fields` gives by comparing the stored
// values, ties by Id (rows are only appended, so Id order is insertion order).
std::vector<int> ReferenceOrder(const Table& t, const std::vector<std::string>& fields) {
  std::vector<Record> records = t.AllRecords();
  std::stable_sort(records.begin(), records.end(), [&](const Record& a, const Record& b) {
    for (const std::string& f : fields) {
      const int c = CompareValues(a.Get(f), b.Get(f));
      if (c != 0) return c < 0;
    }
    return a.Get("Id").ToInteger() < b.Get("Id").ToInteger();
  });
  std::vector<int> ids;
  for (const Record& r : records)
    ids.push_back(r.Get("Id").ToInteger());
  return ids;
}

std::vector<int> ViewIds(const Table& t) {
  std::vector<int> ids;
  for (int r = 1; r <= t.RecordCount(); ++r)
    ids.push_back(t.RecordAt(r).Get("Id").ToInteger());
  return ids;
}

// For each key: the Id of the first row in `order` whose leading fields
// equal it, or 0; FindKey must agree, FindNearest must stop on the first row
// not below the key.
void ExpectSearchesAgree(Table& t, const std::vector<std::vector<Value>>& keys) {
  const std::vector<std::string> fields = {"A", "B"};
  const int count = t.RecordCount();
  for (const std::vector<Value>& key : keys) {
    int expected = 0;
    int nearest = 0;
    for (int recNo = 1; recNo <= count && expected == 0; ++recNo) {
      const Record r = t.RecordAt(recNo);
      int c = 0;
      for (std::size_t i = 0; i < key.size() && c == 0; ++i)
        c = CompareValues(r.Get(fields[i]), key[i]);
      if (c >= 0 && nearest == 0) nearest = r.Get("Id").ToInteger();
      if (c == 0) expected = r.Get("Id").ToInteger();
    }
    const bool found = t.FindKey(key);
    ASSERT_EQ(found, expected != 0) << "key of " << key.size() << " values";
    if (found) {
      EXPECT_EQ(t.FieldByName("Id").AsInteger(), expected);
    }
    t.FindNearest(key);
    if (nearest != 0) {
      EXPECT_EQ(t.FieldByName("Id").AsInteger(), nearest);
      EXPECT_FALSE(t.Eof());
    } else if (count > 0) {
      EXPECT_TRUE(t.Eof());
    }
  }
}

std::vector<std::vector<Value>> RandomKeys(std::mt19937& random, int count) {
  std::vector<std::vector<Value>> keys;
  for (int i = 0; i < count; ++i) {
    if (i % 3 == 0) {
      keys.push_back({MaybeNull(random, 12)});
    } else {
      keys.push_back({MaybeNull(random, 12), MaybeNull(random, 6)});
    }
  }
  return keys;
}

TEST(TableKeySearchTest, IntegerOrdersMatchTheStoredValuesThroughEditsAndDeletes) {
  Table t("Keys");
  BuildKeyTable(t);
  t.SetIndexName("AB");
  std::mt19937 random(11);
  for (int i = 0; i < 400; ++i) {
    t.Append();
    t.FieldByName("A").SetValue(MaybeNull(random, 12));
    t.FieldByName("B").SetValue(MaybeNull(random, 6));
    t.FieldByName("F").SetAsBoolean(random() % 2 == 0);
    t.Post();
  }
  EXPECT_EQ(ViewIds(t), ReferenceOrder(t, {"A", "B"}));
  ExpectSearchesAgree(t, RandomKeys(random, 60));

  for (int i = 0; i < 300; ++i) {
    t.SetRecNo(static_cast<int>(random() % static_cast<unsigned>(t.RecordCount())) + 1);
    if (i % 4 == 0) {
      t.Delete();
    } else {
      t.Edit();
      // Sometimes only a field outside the key changes.
      if (i % 4 == 1) t.FieldByName("A").SetValue(MaybeNull(random, 12));
      if (i % 4 != 3) t.FieldByName("B").SetValue(MaybeNull(random, 6));
      t.FieldByName("Name").SetAsString("edited " + std::to_string(i));
      t.Post();
    }
  }
  EXPECT_EQ(ViewIds(t), ReferenceOrder(t, {"A", "B"}));
  ExpectSearchesAgree(t, RandomKeys(random, 60));
  // An order made after the edits, and one on a boolean, agree as well.
  t.SetIndexFieldNames("B");
  EXPECT_EQ(ViewIds(t), ReferenceOrder(t, {"B"}));
  t.SetIndexFieldNames("F;A");
  EXPECT_EQ(ViewIds(t), ReferenceOrder(t, {"F", "A"}));
  EXPECT_TRUE(t.FindKey({Value(true)}));
  EXPECT_TRUE(t.FieldByName("F").AsBoolean());
  EXPECT_TRUE(t.FindKey({Value(1)}));  // 1 is searched as true in a boolean field
  EXPECT_TRUE(t.FieldByName("F").AsBoolean());
}

TEST(TableKeySearchTest, LoadedRowsAreSortedAndSearchedLikeInsertedOnes) {
  std::mt19937 random(3);
  std::vector<Row> rows;
  for (int i = 0; i < 500; ++i) {
    rows.push_back(Row{{Value(static_cast<std::int32_t>(i + 1)), Value("r" + std::to_string(i)),
                        MaybeNull(random, 20), MaybeNull(random, 4), Value(i % 2 == 0)},
                       0});
  }
  Table t("Keys");
  BuildKeyTable(t);
  t.SetIndexName("AB");
  t.LoadRows(rows, 501);
  EXPECT_EQ(ViewIds(t), ReferenceOrder(t, {"A", "B"}));
  ExpectSearchesAgree(t, RandomKeys(random, 80));

  // Rows already in the order load as they are; ties still go by load order.
  std::vector<Row> sorted = rows;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Row& a, const Row& b) {
    const int c = CompareValues(a.values[2], b.values[2]);
    return c != 0 ? c < 0 : CompareValues(a.values[3], b.values[3]) < 0;
  });
  t.LoadRows(sorted, 501);
  EXPECT_EQ(ViewIds(t), ReferenceOrder(t, {"A", "B"}));
  ExpectSearchesAgree(t, RandomKeys(random, 40));
}

// Text in an integer field cannot come from the editors, but rows handed to
// LoadRows can carry it. Such values sort after all numbers, as everywhere.
TEST(TableKeySearchTest, TextInAnIntegerKeySortsAfterNumbersAndStaysSearchable) {
  Table t("Keys");
  BuildKeyTable(t);
  t.SetIndexName("AB");
  auto row = [](int id, Value a, Value b) {
    return Row{{Value(id), Value("n"), std::move(a), std::move(b), Value(false)}, 0};
  };
  t.LoadRows({row(1, Value("zz"), Value(1)), row(2, Value(5), Value(2)), row(3, Value(), Value(0)),
              row(4, Value(-3), Value(9)), row(5, Value(5), Value(1))},
             6);
  EXPECT_EQ(ViewIds(t), (std::vector<int>{3, 4, 5, 2, 1}));
  EXPECT_TRUE(t.FindKey({Value(5)}));
  EXPECT_EQ(t.FieldByName("Id").AsInteger(), 5);
  EXPECT_TRUE(t.FindKey({Value(5), Value(2)}));
  EXPECT_EQ(t.FieldByName("Id").AsInteger(), 2);
  EXPECT_FALSE(t.FindKey({Value(6)}));
  EXPECT_TRUE(t.FindKey({Value()}));
  EXPECT_EQ(t.FieldByName("Id").AsInteger(), 3);

  // Edits keep the order right while the text row is there and after it left.
  t.Append();
  t.FieldByName("A").SetAsInteger(0);
  t.Post();
  EXPECT_EQ(ViewIds(t), ReferenceOrder(t, {"A", "B"}));
  ASSERT_TRUE(t.Locate("Id", {Value(1)}));
  t.Delete();
  t.Append();
  t.FieldByName("A").SetAsInteger(4);
  t.Post();
  EXPECT_EQ(ViewIds(t), ReferenceOrder(t, {"A", "B"}));
  EXPECT_TRUE(t.FindKey({Value(4)}));
  EXPECT_EQ(t.FieldByName("Id").AsInteger(), 7);
}

// Lookups keep an order on the looked-up field for tables beyond a few rows;
// the lookup must follow edits of that field.
TEST(TableKeySearchTest, LookupOnALargeTableFollowsEditsOfTheKey) {
  Table t("Keys");
  BuildKeyTable(t);
  for (int i = 0; i < 100; ++i) {
    t.Append();
    t.FieldByName("A").SetAsInteger(i * 2);
    t.FieldByName("Name").SetAsString("row " + std::to_string(i));
    t.Post();
  }
  ASSERT_TRUE(t.Lookup("A", Value(40)).IsValid());
  EXPECT_EQ(t.Lookup("A", Value(40)).Get("Name").ToString(), "row 20");
  EXPECT_FALSE(t.Lookup("A", Value(41)).IsValid());
  EXPECT_EQ(t.Lookup("A", Value("40")).Get("Name").ToString(), "row 20");

  ASSERT_TRUE(t.Locate("Name", {Value("row 20")}));
  t.Edit();
  t.FieldByName("A").SetAsInteger(41);
  t.Post();
  EXPECT_FALSE(t.Lookup("A", Value(40)).IsValid());
  EXPECT_EQ(t.Lookup("A", Value(41)).Get("Name").ToString(), "row 20");
  t.Delete();
  EXPECT_FALSE(t.Lookup("A", Value(41)).IsValid());
  EXPECT_EQ(t.Lookup("A", Value(42)).Get("Name").ToString(), "row 21");
}

}  // namespace
}  // namespace qv
