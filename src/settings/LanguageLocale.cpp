#include "settings/LanguageLocale.h"

#include <string_view>

#include "data/TextUtil.h"

namespace qv {

namespace {

struct LanguageLocaleEntry {
  std::string_view language;  // file name without extension
  std::string_view locale;
};

// The shipped languages and the names a player would give a language file of
// his own, in the language itself and in English. Names compare with ASCII
// letters folded, so a name in another script is written as a file would be.
constexpr LanguageLocaleEntry kLanguageLocales[] = {
    {"English", "en"}, {"Deutsch", "de"}, {"German", "de"},  {"Français", "fr"}, {"Francais", "fr"},
    {"French", "fr"},  {"Español", "es"}, {"Espanol", "es"}, {"Spanish", "es"},  {"Italiano", "it"},
    {"Italian", "it"}, {"Polski", "pl"},  {"Polish", "pl"},  {"Русский", "ru"},  {"Russian", "ru"},
};

}  // namespace

std::string LocaleOfLanguage(const std::string& language) {
  for (const LanguageLocaleEntry& entry : kLanguageLocales)
    if (EqualNoCase(entry.language, language)) return std::string(entry.locale);
  return "en";
}

}  // namespace qv
