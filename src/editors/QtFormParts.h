#pragma once

#include <QLabel>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QDialog;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

// Small pieces the table editor windows build their controls from.
namespace qv {

class IniFile;

// Gives a control its component name, by which the language files reach it.
template <typename T>
T* Named(T* object, const char* name) {
  object->setObjectName(QString::fromLatin1(name));
  return object;
}

// A label with its component name; `buddy` gets the focus on its mnemonic.
QLabel* MakeLabel(const char* name, const char* text, QWidget* buddy = nullptr);
void SetBold(QWidget& widget);

// Replaces the items of a list box without announcing a change; none is
// chosen afterwards. `sorted` orders them as a sorted list box does.
void FillComboItems(QComboBox& combo, std::vector<std::string> items, bool sorted);

// The shown text of a combo box as UTF-8.
std::string TextOf(const QComboBox& combo);

// Moves a window to the centre of the screen's work area.
void CentreOnScreen(QWidget& window);

// A grid position typed as X " , " Y, in two edits with their component
// names: the row holding them, which closes with a stretch.
QHBoxLayout* MakePositionRow(QLineEdit* x, QLineEdit* y);

// The confirming and the Cancel button of a dialog, at its bottom right: the
// first is the default button and runs `confirm`, Cancel rejects the dialog.
struct TDialogButtons {
  QPushButton* confirm;
  QPushButton* cancel;
  QHBoxLayout* row;
};
TDialogButtons MakeDialogButtons(QDialog& dialog, const char* confirmName,
                                 const char* confirmCaption, const char* cancelName,
                                 std::function<void()> confirm);

// Reads a window's own texts from its section of a language file: each text
// keeps its value when the file does not give its key.
void TranslateTexts(const IniFile& languageFile, const char* section,
                    std::initializer_list<std::pair<const char*, std::string*>> texts);

// Fixes a dialog at its designed client size, or larger where the fonts or a
// language's longer texts need it, so that no text is cut.
void FixDialogSize(QWidget& dialog, int designedWidth, int designedHeight);

}  // namespace qv
