#pragma once

#include <string>

class QComboBox;
class QObject;
class QWidget;

namespace qv {

class IniFile;

// Applies the caption and control entries of a window's section of a language
// file: "Caption" becomes the window title; "name.Caption" and "name.Hint" go
// to the window's object whose objectName, in lower case, is name:
//
//   label, any button, group box, tab page   caption: its text; hint: tool tip
//   tool button with a default action         the action's text / tool tip
//   action                                    menu text; hint: status and tool tip
//   menu                                      its title; hint: status and tool tip
//   widget named "Panel..."                   caption: dynamic property "caption",
//                                             which the owning window shows
//   combo box, widget named "Shape..."        caption ignored; hint: tool tip
//   anything else (edits, grids, spin boxes)  ignored
//
// The search covers the window's children at every depth but stops at other
// windows (menus excepted) and at widgets with the dynamic property
// "translationScope" set: an embedded frame whose controls its own
// translation routine looks after. Entries with an empty value change nothing.
void TranslateWindow(QWidget& window, const IniFile& languageFile, const std::string& section);

// Applies one caption or hint to one object by the rules above; false when the
// object's kind takes no such text.
bool ApplyControlCaption(QObject& object, const std::string& text);
bool ApplyControlHint(QObject& object, const std::string& text);

// Selects the first item equal to `text` (exact, case-sensitive); selects
// nothing when there is none.
void SelectComboText(QComboBox& comboBox, const std::string& text);

}  // namespace qv
