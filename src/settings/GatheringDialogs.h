#pragma once

#include <string>
#include <vector>

#include "settings/Dialogs.h"

namespace qv {

// Passes everything on to the dialogs it wraps, except that while gathering
// it keeps the messages and shows them as one when the gathering ends: the
// program's exit, where every window and the store may each have a file they
// could not write, asks the player to click once, not a dozen times.
class GatheringDialogs : public Dialogs {
 public:
  explicit GatheringDialogs(Dialogs& shown) : shown_(shown) {}

  // From now on messages are kept (nested calls are one gathering).
  void BeginGathering() { gathering_ = true; }
  // Shows what was kept as one message and passes messages on again. One
  // message is shown as it came; several are listed under `heading`, each
  // text once, with the most serious icon among them.
  void EndGathering(const std::string& heading);
  bool Gathering() const { return gathering_; }

  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  std::optional<std::string> AskSaveFileName(std::string& folder, const std::string& filter,
                                             const std::string& defaultExtension) override;
  TColor AskColor(TColor color, std::vector<std::string>& customColors) override;
  bool AskFont(TFontParams& font, bool showEffects, CustomColorList& customColors) override;
  void SetLanguage(const std::string& language, const IniFile& languageFile) override;

 private:
  struct Kept {
    std::string text;
    std::string caption;
    MessageIcon icon;
  };
  Dialogs& shown_;
  bool gathering_ = false;
  std::vector<Kept> kept_;
};

}  // namespace qv
