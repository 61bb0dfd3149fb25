#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "settings/Dialogs.h"

namespace qv {

// The real dialogs of the program.
//
// The colour dialog keeps the 16 custom colours in the program's text form:
// "ColorA=RRGGBB" .. "ColorP=RRGGBB", the letter naming the dialog's slot and
// the value the colour as six hexadecimal digits, red first. An entry the
// dialog is not given leaves its slot white.
//
// The font dialog has no colour choice: the colour of the font setting is
// always kept. Its effects part (underline, strikeout) is shown only when the
// caller asks for effects; without them the underline and strikeout of the
// setting are kept whatever the dialog holds.
class QtDialogs : public Dialogs {
 public:
  // Dialogs open over `parent`, or over the active window when it is none.
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  std::optional<std::string> AskSaveFileName(std::string& folder, const std::string& filter,
                                             const std::string& defaultExtension) override;
  TColor AskColor(TColor color, std::vector<std::string>& customColors) override;
  bool AskFont(TFontParams& font, bool showEffects) override;

 private:
  QPointer<QWidget> parent_;
  QWidget* Parent() const;
};

// The Qt form of a filter "Description|*.ext|All files|*.*":
// "Description (*.ext);;All files (*)". Patterns separated by ";" in one
// entry become blank-separated.
QString ToQtFileFilter(const std::string& filter);

// `path` with "." + extension appended when its file name has no extension
// of its own (and an extension is given).
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

// A custom colour value as the colour dialog reports it ("RRGGBB"), and back;
// text that is no such value gives nothing.
std::string CustomColorText(TColor color);
std::optional<TColor> ParseCustomColorText(const std::string& text);

// The Qt busy cursor: the hourglass over the whole application. Begin and End
// nest as the override cursor does.
class QtBusyCursor : public BusyCursor {
 public:
  void Begin() override;
  void End() override;
};

}  // namespace qv
