#include "settings/LanguageFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "settings/Settings.h"

namespace qv {

namespace {

namespace fs = std::filesystem;

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return s;
}

std::string TrimBlanks(const std::string& s) {
  const auto begin = s.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  const auto end = s.find_last_not_of(" \t");
  return s.substr(begin, end - begin + 1);
}

bool IsFile(const fs::directory_entry& entry) {
  std::error_code ec;
  return entry.is_regular_file(ec);
}

// The regular files of the folder; nothing when it cannot be listed.
std::vector<std::string> FileNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    if (IsFile(*it)) names.push_back(it->path().filename().string());
  }
  return names;
}

bool IsLanguageFile(const std::string& name) {
  return name.size() >= 4 && Lower(name.substr(name.size() - 4)) == ".lng";
}

// The language a file offers: its name without the extension when longer
// than four characters, trimmed of blanks.
std::string LanguageNameOf(const std::string& fileName) {
  return TrimBlanks(fileName.size() > 4 ? fileName.substr(0, fileName.size() - 4) : fileName);
}

}  // namespace

std::string LanguageFileName(const std::string& programFolder, const std::string& language) {
  const std::string folder = ProgramFolder(programFolder);
  const std::string wanted = language + ".LNG";
  std::error_code ec;
  if (fs::exists(folder + wanted, ec)) return folder + wanted;
  const std::string wantedLower = Lower(wanted);
  std::vector<std::string> names = FileNames(folder);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    if (Lower(name) == wantedLower) return folder + name;
  }
  // The menu names a file by its trimmed name ("My Lang .LNG" offers
  // "My Lang"); the language opens the file that offered it.
  const std::string languageLower = Lower(TrimBlanks(language));
  for (const std::string& name : names) {
    if (IsLanguageFile(name) && Lower(LanguageNameOf(name)) == languageLower) return folder + name;
  }
  return folder + wanted;
}

std::unique_ptr<IniFile> OpenLanguageFile(const std::string& programFolder,
                                          const std::string& language, std::string* error) {
  return IniFile::Load(LanguageFileName(programFolder, language), error);
}

std::vector<std::string> ListLanguages(const std::string& programFolder) {
  std::vector<std::string> files;
  for (const std::string& name : FileNames(ProgramFolder(programFolder))) {
    if (IsLanguageFile(name)) files.push_back(name);
  }
  std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
    const std::string la = Lower(a);
    const std::string lb = Lower(b);
    return la != lb ? la < lb : a < b;
  });
  std::vector<std::string> languages;
  for (const std::string& file : files) {
    languages.push_back(LanguageNameOf(file));
  }
  return languages;
}

std::vector<TranslationEntry> ParseWindowSection(const IniFile& languageFile,
                                                 const std::string& section) {
  std::vector<TranslationEntry> entries;
  for (const auto& [rawKey, value] : languageFile.ReadSectionValues(section)) {
    if (rawKey.empty()) continue;  // the line starts with "="
    const std::string key = Lower(rawKey);
    if (key == "caption") {
      entries.push_back({TranslationEntry::Caption, {}, value});
      continue;
    }
    const std::size_t dot = key.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == key.size()) continue;
    const std::string property = key.substr(dot + 1);
    if (property == "caption") {
      entries.push_back({TranslationEntry::ControlCaption, key.substr(0, dot), value});
    } else if (property == "hint") {
      entries.push_back({TranslationEntry::ControlHint, key.substr(0, dot), value});
    }
  }
  return entries;
}

std::string ReadText(const IniFile& languageFile, const std::string& section,
                     const std::string& key, const std::string& current) {
  return languageFile.ReadString(section, key, current);
}

}  // namespace qv
