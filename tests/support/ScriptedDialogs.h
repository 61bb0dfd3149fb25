#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "settings/Dialogs.h"

namespace qvtest {

// Answers the program's dialogs from a script and records what was shown.
class ScriptedDialogs : public qv::Dialogs {
 public:
  struct Shown {
    std::string kind;  // "message", "question", "save", "color", "font"
    std::string text;
    std::string caption;
    qv::MessageIcon icon = qv::MessageIcon::Information;
  };

  std::vector<Shown> shown;
  std::deque<bool> yesNoAnswers;                           // default: No
  std::deque<std::optional<std::string>> saveAnswers;      // default: cancel
  std::deque<qv::TColor> colorAnswers;                     // default: the same colour
  std::vector<std::string> reportedCustomColors;           // given back by AskColor when set
  std::deque<std::optional<qv::TFontParams>> fontAnswers;  // default: cancel

  void ShowMessage(const std::string& text, const std::string& caption,
                   qv::MessageIcon icon) override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  std::optional<std::string> AskSaveFileName(std::string& folder, const std::string& filter,
                                             const std::string& defaultExtension) override;
  qv::TColor AskColor(qv::TColor color, std::vector<std::string>& customColors) override;
  bool AskFont(qv::TFontParams& font, bool showEffects, qv::CustomColorList& customColors) override;
  void SetLanguage(const std::string& language, const qv::IniFile& languageFile) override;

  std::vector<std::string> givenCustomColors;  // what the last AskColor received
  std::string lastFilter;
  bool lastShowEffects = false;
  std::string language;  // what the last SetLanguage was told

  // Texts of every message shown, in order.
  std::vector<std::string> Messages() const;
};

}  // namespace qvtest
