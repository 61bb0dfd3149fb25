#include "support/ScriptedDialogs.h"

#include <filesystem>

namespace qvtest {

void ScriptedDialogs::ShowMessage(const std::string& text, const std::string& caption,
                                  qv::MessageIcon icon) {
  shown.push_back({"message", text, caption, icon});
}

bool ScriptedDialogs::AskYesNo(const std::string& text, const std::string& caption) {
  shown.push_back({"question", text, caption, qv::MessageIcon::Question});
  if (yesNoAnswers.empty()) return false;
  const bool answer = yesNoAnswers.front();
  yesNoAnswers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedDialogs::AskSaveFileName(std::string& folder,
                                                            const std::string& filter,
                                                            const std::string&) {
  shown.push_back({"save", filter, "", qv::MessageIcon::Information});
  lastFilter = filter;
  if (saveAnswers.empty()) return std::nullopt;
  auto answer = saveAnswers.front();
  saveAnswers.pop_front();
  if (answer) folder = std::filesystem::path(*answer).parent_path().string();
  return answer;
}

qv::TColor ScriptedDialogs::AskColor(qv::TColor color, std::vector<std::string>& customColors) {
  shown.push_back({"color", "", "", qv::MessageIcon::Information});
  givenCustomColors = customColors;
  if (!reportedCustomColors.empty()) customColors = reportedCustomColors;
  if (colorAnswers.empty()) return color;
  const qv::TColor answer = colorAnswers.front();
  colorAnswers.pop_front();
  return answer;
}

bool ScriptedDialogs::AskFont(qv::TFontParams& font, bool showEffects, qv::CustomColorList&) {
  shown.push_back({"font", font.Name, "", qv::MessageIcon::Information});
  lastShowEffects = showEffects;
  if (fontAnswers.empty()) return false;
  auto answer = fontAnswers.front();
  fontAnswers.pop_front();
  if (!answer) return false;
  font = *answer;
  return true;
}

void ScriptedDialogs::SetLanguage(const std::string& newLanguage, const qv::IniFile&) {
  language = newLanguage;
}

std::vector<std::string> ScriptedDialogs::Messages() const {
  std::vector<std::string> texts;
  for (const auto& s : shown)
    if (s.kind == "message" || s.kind == "question") texts.push_back(s.text);
  return texts;
}

}  // namespace qvtest
