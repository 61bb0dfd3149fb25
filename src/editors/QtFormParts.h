#pragma once

#include <QLabel>
#include <string>
#include <vector>

class QComboBox;
class QWidget;

// Small pieces the table editor windows build their controls from.
namespace qv {

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

// Fixes a dialog at its designed client size, or larger where the fonts or a
// language's longer texts need it, so that no text is cut.
void FixDialogSize(QWidget& dialog, int designedWidth, int designedHeight);

}  // namespace qv
