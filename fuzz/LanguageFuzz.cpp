// Reads the input as a language file, the way every window and the store
// take their texts from it. Besides not crashing it requires: every entry a
// window applies has a text and names its control in lower case, every text
// is well-formed UTF-8 of at most 2047 characters, the texts used as patterns
// fill in safely, and every text written back to a file reads back the same.

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "data/TextUtil.h"
#include "settings/LanguageFile.h"
#include "settings/MainTexts.h"
#include "settings/SilentDialogs.h"
#include "support/TempDir.h"

namespace {

using qvfuzz::Require;

struct Program {
  qvtest::TempDir home;
  qv::SilentDialogs dialogs;
  qv::TDataModule1 store{home.Folder(), dialogs};
};

Program& TheProgram() {
  static Program program;
  return program;
}

void RequireText(const std::string& text) {
  const std::optional<std::size_t> length = qv::Utf8Length(text);
  Require(length.has_value(), "a text read from a language file is well-formed UTF-8");
  Require(*length <= 2047, "a text read from a language file has at most 2047 characters");
}

// A value written to a settings or language file reads back as it was, but
// that a line break in it becomes a blank.
std::string AsWritten(std::string value) {
  std::replace_if(
      value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return value;
}

void CheckWindowSections(const qv::IniFile& file) {
  for (const std::string& section : file.ReadSections()) {
    for (const qv::TranslationEntry& entry : qv::ParseWindowSection(file, section)) {
      Require(!entry.value.empty(), "a window's entry has a text");
      RequireText(entry.value);
      if (entry.kind == qv::TranslationEntry::Caption) continue;
      Require(!entry.component.empty(), "a control's entry names the control");
      Require(std::none_of(entry.component.begin(), entry.component.end(),
                           [](char c) { return c >= 'A' && c <= 'Z'; }),
              "a control's name is in lower case");
    }
  }
}

void CheckPatterns(const qv::IniFile& file, qv::TDataModule1& store) {
  qv::TMainTexts texts;
  qv::TranslateMainTexts(file, texts);
  store.TranslateStoreTexts(file);
  const std::vector<qv::FormatArg> args = {std::int64_t{-2147483648LL}, std::string("%s%d%%"),
                                           std::int64_t{42}};
  for (const std::string* pattern :
       {&texts.BmpErrorMsg, &texts.BmpWriteErrorMsg, &texts.NoProductMsg,
        &store.Texts().SolarTimeNote, &store.Texts().TimeText}) {
    RequireText(*pattern);
    qv::FormatText(*pattern, args);
  }
}

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

// Entries whose section or key holds a line break are left out: written,
// the break would become a blank and the name another one.
void CheckWriteBack(const qv::IniFile& file, const std::string& path) {
  std::vector<std::pair<std::string, std::pair<std::string, std::string>>> entries;
  for (const std::string& section : file.ReadSections())
    for (auto& entry : file.ReadSectionValues(section))
      if (!HasLineBreak(section) && !HasLineBreak(entry.first))
        entries.emplace_back(section, std::move(entry));
  qv::IniFile back(path);
  for (const auto& [section, entry] : entries)
    back.WriteString(section, entry.first, entry.second);
  std::string error;
  Require(back.UpdateFile(&error), "a language file can be written back: " + error);
  std::unique_ptr<qv::IniFile> again = qv::IniFile::Load(path, &error);
  Require(again != nullptr, "a language file written back is read again: " + error);
  for (const auto& [section, entry] : entries) {
    const auto& [key, value] = entry;
    const std::string readBack = again->ReadString(section, key, "\x01");
    if (readBack != AsWritten(value))
      Require(false, "the text of [" + section + "] " + key + " reads back as written: '" + value +
                         "' came back as '" + readBack + "'");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Program& program = TheProgram();
  qvfuzz::WriteFile(program.home.File("Fuzz.LNG"), qvfuzz::Bytes(data, size));
  std::string error;
  const std::unique_ptr<qv::IniFile> file =
      qv::OpenLanguageFile(program.home.Folder(), "Fuzz", &error);
  if (!file) {
    Require(!error.empty(), "a language file that is refused has a reason");
    return 0;
  }
  for (const std::string& section : file->ReadSections())
    for (const auto& [key, value] : file->ReadSectionValues(section))
      RequireText(value);
  CheckWindowSections(*file);
  CheckPatterns(*file, program.store);
  CheckWriteBack(*file, program.home.File("Back.LNG"));
  return 0;
}
