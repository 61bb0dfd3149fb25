#pragma once

#include <QPointer>
#include <QString>
#include <QTranslator>
#include <QWidget>
#include <memory>
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
// The font dialog is Qt's with the font's colour added (QtFontColorDialog).
// Its effects part (colour, underline, strikeout) is shown only when the
// caller asks for effects; without them the colour, underline and strikeout
// of the setting are kept whatever the dialog holds.
//
// The dialogs speak the program's language: their own texts come from the
// section "Dialogs" of the language file, and Qt's translation of its own
// texts ("qtbase_de.qm" from the Qt translations folder, or the program
// folder's "translations" beside it) is installed for the language's locale;
// English, or a locale without a translation, leaves Qt's English texts.
class QtDialogs : public Dialogs {
 public:
  // Dialogs open over `parent`, or over the active window when it is none.
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  std::optional<std::string> AskSaveFileName(std::string& folder, const std::string& filter,
                                             const std::string& defaultExtension) override;
  TColor AskColor(TColor color, std::vector<std::string>& customColors) override;
  bool AskFont(TFontParams& font, bool showEffects, CustomColorList& customColors) override;
  void SetLanguage(const std::string& language, const IniFile& languageFile) override;

  // The locale whose Qt translation is installed; empty for Qt's English.
  const std::string& QtLocale() const { return qtLocale_; }

 private:
  QPointer<QWidget> parent_;
  std::string fontColorText_ = "&Colour:";
  std::string qtLocale_;
  std::unique_ptr<QTranslator> qtTexts_;
  QWidget* Parent() const;
  void LoadQtTexts(const std::string& locale);
};

// The Qt form of a filter "Description|*.ext|All files|*.*":
// "Description (*.ext);;All files (*)". Patterns separated by ";" in one
// entry become blank-separated.
QString ToQtFileFilter(const std::string& filter);

// The extension a name gets under one entry of a Qt filter: "png" for
// "PNG images (*.png)", nothing for "All files (*)" or several patterns.
QString FilterExtension(const QString& qtFilterEntry);

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
