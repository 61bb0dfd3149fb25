#include "app/EditTexts.h"

#include "settings/MainTexts.h"
#include "data/IniFile.h"
#include "settings/LanguageFile.h"

namespace qv {

namespace {

std::string MenuText(const std::string& pattern, const std::string& none, const std::string& step,
                     bool given) {
  return given ? FormatText(pattern, {step}) : none;
}

}  // namespace

std::string TEditTexts::StepText(const ChangeRecord& step) const {
  const auto it = kinds.find(step.kind);
  return ChangeText(step, it != kinds.end() ? it->second : std::string_view());
}

std::string TEditTexts::UndoText(const ChangeRecord* step) const {
  return MenuText(UndoMsg, UndoNone, step ? StepText(*step) : std::string(), step != nullptr);
}

std::string TEditTexts::RedoText(const ChangeRecord* step) const {
  return MenuText(RedoMsg, RedoNone, step ? StepText(*step) : std::string(), step != nullptr);
}

void TranslateEditTexts(const IniFile& languageFile, TEditTexts& texts) {
  auto read = [&](const char* key, std::string& text) {
    text = ReadText(languageFile, "MainForm", key, text);
  };
  read("UndoMsg", texts.UndoMsg);
  read("RedoMsg", texts.RedoMsg);
  read("UndoNone", texts.UndoNone);
  read("RedoNone", texts.RedoNone);
  read("UndoFailedMsg", texts.UndoFailedMsg);
  read("RestoreMsg", texts.RestoreMsg);
  read("RestoreCap", texts.RestoreCap);
  read("JournalCutMsg", texts.JournalCutMsg);
  read("JournalStoppedMsg", texts.JournalStoppedMsg);
  read("JournalForeignMsg", texts.JournalForeignMsg);
  read("JournalKeptMsg", texts.JournalKeptMsg);
  read("JournalWriteErrorMsg", texts.JournalWriteErrorMsg);
  texts.kinds.clear();
  for (int k = 0; k <= static_cast<int>(ChangeKind::RevealAll); ++k) {
    const auto kind = static_cast<ChangeKind>(k);
    const std::string key(ChangeKindKey(kind));
    const std::string text = ReadText(languageFile, "Changes", key, std::string());
    if (!text.empty()) texts.kinds[kind] = text;
  }
}

}  // namespace qv
