#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/IniFile.h"

namespace qv {

// The language file of `language` in the program folder: language + ".LNG".
// The extension and the name match without regard to case when no file of
// exactly that name exists, so "de.lng" serves the language "DE" as it does
// on Windows; failing that, the file whose language name (as the menu lists
// it, trimmed of blanks) is the language. The exact name is returned when
// nothing matches.
std::string LanguageFileName(const std::string& programFolder, const std::string& language);

// Opens the language file for reading. A missing file reads as empty; a file
// that exists but cannot be read gives nothing and the reason in `error`.
std::unique_ptr<IniFile> OpenLanguageFile(const std::string& programFolder,
                                          const std::string& language,
                                          std::string* error = nullptr);

// The languages on offer: one per "*.LNG" file of the folder (extension in any
// case), sorted by file name; the name without its last four characters when
// it is longer than four, trimmed of blanks.
std::vector<std::string> ListLanguages(const std::string& programFolder);

// One usable entry of a window's section.
struct TranslationEntry {
  enum Kind { Caption, ControlCaption, ControlHint };
  Kind kind = Caption;
  std::string component;  // lower case; empty for the window's own caption
  std::string value;
};

// The caption and control entries of a window's section in file order.
// Entries with an empty value, an empty key, an unknown property or no
// "component.property" form are left out; the window reads its other keys
// itself with ReadText.
std::vector<TranslationEntry> ParseWindowSection(const IniFile& languageFile,
                                                 const std::string& section);

// A text the window keeps: the key's value, or `current` when the file lacks
// the key (an empty value empties the text).
std::string ReadText(const IniFile& languageFile, const std::string& section,
                     const std::string& key, const std::string& current);

}  // namespace qv
