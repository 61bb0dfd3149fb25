#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/BusyCursor.h"
#include "settings/Color.h"
#include "settings/FontParams.h"
#include "settings/Settings.h"

namespace qv {

enum class MessageIcon { Error, Warning, Information, Question, None };

// Everything that asks the player something or tells him something goes
// through here: the real dialogs in the program, a scripted stand-in in tests,
// plain stderr in the command-line tool.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  virtual void ShowMessage(const std::string& text, const std::string& caption,
                           MessageIcon icon) = 0;
  // Yes/No question with the question icon; true for Yes.
  virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
  // The save dialog: filter "Description|*.ext|All files|*.*"; the chosen
  // path, or nothing when cancelled. `folder` is the initial folder and
  // becomes the chosen file's folder.
  virtual std::optional<std::string> AskSaveFileName(std::string& folder, const std::string& filter,
                                                     const std::string& defaultExtension) = 0;
  // The colour dialog opened on `color` with the custom colours given as
  // "ColorA=value" entries (the non-empty entries of the program's list, in
  // order). Returns the colour the dialog ends with (the same one when
  // cancelled) and reports its 16 custom colours back in the same form.
  virtual TColor AskColor(TColor color, std::vector<std::string>& customColors) = 0;
  // The font dialog; true when confirmed, and then `font` holds the choice.
  // With the effects shown it offers the font's colour too, picked with the
  // program's custom colours.
  virtual bool AskFont(TFontParams& font, bool showEffects, CustomColorList& customColors) = 0;

  // The program's language changed to `language` (the language file's name
  // without extension): the dialogs take their own texts from the file's
  // section "Dialogs" and the platform's buttons speak the language too.
  virtual void SetLanguage(const std::string& language, const IniFile& languageFile) {
    (void)language;
    (void)languageFile;
  }

  void ShowError(const std::string& text, const std::string& caption = "Error") {
    ShowMessage(text, caption, MessageIcon::Error);
  }
};

}  // namespace qv
