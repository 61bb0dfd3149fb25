#include "settings/LanguageLocale.h"

#include <gtest/gtest.h>

namespace {

TEST(LanguageLocaleTest, LanguagesMapToTheirLocaleAndEverythingElseToEnglish) {
  EXPECT_EQ(qv::LocaleOfLanguage("Deutsch"), "de");
  EXPECT_EQ(qv::LocaleOfLanguage("DEUTSCH"), "de");
  EXPECT_EQ(qv::LocaleOfLanguage("English"), "en");
  EXPECT_EQ(qv::LocaleOfLanguage("Français"), "fr");
  EXPECT_EQ(qv::LocaleOfLanguage("Klingon"), "en");
  EXPECT_EQ(qv::LocaleOfLanguage(""), "en");
}

}  // namespace
