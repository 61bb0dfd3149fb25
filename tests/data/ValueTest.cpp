#include "data/Value.h"

#include <gtest/gtest.h>

#include "data/TextUtil.h"

namespace qv {
namespace {

TEST(ValueTest, ConversionsNeverThrowAndReadNullAsEmpty) {
  const Value null;
  EXPECT_EQ(null.ToInteger(), 0);
  EXPECT_FALSE(null.ToBoolean());
  EXPECT_EQ(null.ToString(), "");

  EXPECT_EQ(Value("abc").ToInteger(), 0);
  EXPECT_EQ(Value(" -42 ").ToInteger(), -42);
  EXPECT_EQ(Value("99999999999").ToInteger(), 0);
  EXPECT_TRUE(Value("TRUE").ToBoolean());
  EXPECT_TRUE(Value("1").ToBoolean());
  EXPECT_FALSE(Value("yes").ToBoolean());
  EXPECT_EQ(Value(true).ToInteger(), 1);
  EXPECT_TRUE(Value(7).ToBoolean());
  EXPECT_EQ(Value(-3).ToString(), "-3");
}

TEST(ValueTest, CompareOrdersNullFirstAndTextIgnoringCaseThenExactly) {
  EXPECT_LT(CompareValues(Value(), Value(-100)), 0);
  EXPECT_LT(CompareValues(Value(), Value("")), 0);
  EXPECT_EQ(CompareValues(Value(), Value()), 0);
  EXPECT_LT(CompareValues(Value(2), Value(10)), 0);
  EXPECT_EQ(CompareValues(Value(true), Value(1)), 0);

  EXPECT_LT(CompareValues(Value("alpha"), Value("Beta")), 0);
  EXPECT_LT(CompareValues(Value("Beta"), Value("gamma")), 0);
  // Same letters in another case are ordered, never equal: a key search for
  // the exact text must find exactly that text.
  EXPECT_NE(CompareValues(Value("Beta"), Value("beta")), 0);
  EXPECT_EQ(CompareValues(Value("Beta"), Value("beta")),
            -CompareValues(Value("beta"), Value("Beta")));
  EXPECT_EQ(CompareValues(Value("same"), Value("same")), 0);
}

TEST(TextUtilTest, CutCountsCharactersNotBytes) {
  EXPECT_EQ(CutToChars("Zürich", 3), "Zür");
  EXPECT_EQ(CutToChars("日本語テキスト", 2), "日本");
  EXPECT_EQ(CutToChars("short", 40), "short");
  EXPECT_EQ(CutToChars("abc", 0), "");
}

TEST(TextUtilTest, StrictIntegerParsing) {
  EXPECT_EQ(ParseInt32(" 12 "), 12);
  EXPECT_EQ(ParseInt32("+5"), 5);
  EXPECT_EQ(ParseInt32("2147483647"), 2147483647);
  EXPECT_EQ(ParseInt32("-2147483648"), -2147483647 - 1);
  EXPECT_FALSE(ParseInt32("2147483648"));
  EXPECT_FALSE(ParseInt32("-2147483649"));
  EXPECT_FALSE(ParseInt32("1 2"));
  EXPECT_FALSE(ParseInt32("12a"));
  EXPECT_FALSE(ParseInt32("-"));
  EXPECT_FALSE(ParseInt32(""));
  EXPECT_FALSE(ParseInt32("0x10"));
}

}  // namespace
}  // namespace qv
