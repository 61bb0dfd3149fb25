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
  std::locale::global(previousGlobal);
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(small, "0.50");
  EXPECT_EQ(medium, "12.3");
}

}  // namespace
}  // namespace qv
