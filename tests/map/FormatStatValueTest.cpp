#include "map/FormatStatValue.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <stdexcept>
#include <string>

namespace qv {
namespace {

TEST(FormatStatValueTest, CountsShowTheIntegerPart) {
  EXPECT_EQ(FormatStatValue(75.9, false), "75");
  EXPECT_EQ(FormatStatValue(0.0, false), "0");
  EXPECT_EQ(FormatStatValue(0.99, false), "0");
  EXPECT_EQ(FormatStatValue(-0.5, false), "0");  // truncated toward zero, no "-0"
  EXPECT_EQ(FormatStatValue(-2.7, false), "-2");
  EXPECT_EQ(FormatStatValue(1e12, false), "1000000000000");
}

TEST(FormatStatValueTest, RatesChooseDecimalsByMagnitude) {
  EXPECT_EQ(FormatStatValue(0.5, true), "0.50");
  EXPECT_EQ(FormatStatValue(1.0, true), "1.00");
  EXPECT_EQ(FormatStatValue(1.04, true), "1.0");
  EXPECT_EQ(FormatStatValue(12.34, true), "12.3");
  EXPECT_EQ(FormatStatValue(50.0, true), "50.0");
  EXPECT_EQ(FormatStatValue(50.01, true), "50");
  EXPECT_EQ(FormatStatValue(75.9, true), "75");
  EXPECT_EQ(FormatStatValue(0.0, true), "0.00");
}

TEST(FormatStatValueTest, NegativeRatesFollowTheSameRules) {
  EXPECT_EQ(FormatStatValue(-0.5, true), "-0.50");
  EXPECT_EQ(FormatStatValue(-75.9, true), "-75.90");  // below 1.0: two decimals
  EXPECT_EQ(FormatStatValue(-0.001, true), "0.00");
}

// Rates such as 1 unit per 320 s (11.25/h) are exact halves; the decimal
// value the double holds decides, not the text it was written as.
TEST(FormatStatValueTest, RatesRoundTheExactValueHalfAwayFromZero) {
  EXPECT_EQ(FormatStatValue(3600.0 / 320, true), "11.3");
  EXPECT_EQ(FormatStatValue(18.75, true), "18.8");
  EXPECT_EQ(FormatStatValue(6.25, true), "6.3");
  EXPECT_EQ(FormatStatValue(0.125, true), "0.13");
  EXPECT_EQ(FormatStatValue(-0.125, true), "-0.13");
  EXPECT_EQ(FormatStatValue(0.285, true), "0.28");  // stored as 0.28499999...
  EXPECT_EQ(FormatStatValue(0.005, true), "0.01");  // stored as 0.00500000...01
  EXPECT_EQ(FormatStatValue(9.95, true), "9.9");    // stored as 9.94999...
  EXPECT_EQ(FormatStatValue(49.95, true), "50.0");  // stored as 49.95000...3, carried
  EXPECT_EQ(FormatStatValue(0.995, true), "0.99");
  EXPECT_EQ(FormatStatValue(1e-300, true), "0.00");
}

// A locale with a decimal comma must not change the texts.
TEST(FormatStatValueTest, DecimalPointUnderAGermanLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
  if (german == nullptr) GTEST_SKIP() << "locale de_DE.UTF-8 not installed";
  std::locale previousGlobal;
  try {
    previousGlobal = std::locale::global(std::locale("de_DE.UTF-8"));
  } catch (const std::runtime_error&) {
  }
  const std::string small = FormatStatValue(0.5, true);
  const std::string medium = FormatStatValue(12.34, true);
  const std::string half = FormatStatValue(11.25, true);
  std::locale::global(previousGlobal);
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(small, "0.50");
  EXPECT_EQ(medium, "12.3");
  EXPECT_EQ(half, "11.3");
}

}  // namespace
}  // namespace qv
