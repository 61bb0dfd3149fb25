#pragma once

#include <QLabel>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "settings/ColumnLayout.h"
#include "settings/MainTexts.h"
#include "settings/QtFormParts.h"
#include "widgets/QtToolIcons.h"

class QComboBox;
class QDialog;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QToolBar;
class QToolButton;
class QWidget;

// Pieces the table editor windows share.
namespace qv {

class Dialogs;
class IniFile;
class QtDataGrid;

// A grid column whose title a language key gives: the field, then the key.
struct TColumnTitleKey {
  const char* field;
  const char* key;
};

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

// Fixes a dialog at its designed client size, or larger where the fonts or a
// language's longer texts need it, so that no text is cut.
void FixDialogSize(QWidget& dialog, int designedWidth, int designedHeight);
// After the texts of a fixed dialog changed (another language): the size
// stays, unless the texts no longer fit at all; then it grows by what they
// need, never by more, so that switching back and forth keeps one size.
void KeepDialogSize(QWidget& dialog);

// The outer width (frame included, as a window placement counts it) at
// which `window` shows every column of `grid` whole; at least `designed`.
int OuterWidthForColumns(const QWidget& window, const QtDataGrid& grid, int designed);

// A tool bar of an editor window, with its component name.
QToolBar* MakeEditorToolBar(const char* name, QWidget* parent);

// A tool button with its component name on `bar`: `hint` is its tool tip
// (the language file's "name.Hint"), `click` what it runs.
QToolButton* AddToolButton(QToolBar& bar, const char* name, const char* hint, ToolIcon icon,
                           std::function<void()> click);
void SetButtonEnabled(QToolButton& button, bool enabled);
bool ButtonEnabled(const QToolButton& button);

// The layout of a panel or page that stacks a tool bar row over a grid;
// `inset` leaves a margin, as on a tab page.
QVBoxLayout* MakeGridPageLayout(QWidget& owner, bool inset);

QPushButton* MakePushButton(const char* name, const char* caption, QWidget* parent);

// Ctrl+Insert anywhere in `scope` (the widget and its children, such as a
// grid and its cell editors) runs `add`.
void OnCtrlInsert(QWidget& scope, std::function<void()> add);

// One designed grid column: the field, its width in pixels and its title
// (empty: the field's label, which shows once the grid has its table).
TColumn DesignedColumn(const char* field, int width, const char* title = "");
// The same for a coded number shown as a word, which reads better on the left.
TColumn DesignedTextColumn(const char* field, int width, const char* title = "");

// Sets the titles that the language file gives a non-empty text; a key it
// lacks or leaves empty keeps the title in force.
void TranslateColumnTitles(QtDataGrid& grid, const IniFile& languageFile,
                           const std::string& section, const std::vector<TColumnTitleKey>& keys);

// Stores what is being typed in each grid bound to a table, posting its
// row; false (the table's message shown) as soon as a table refuses.
bool StoreTypedRows(std::initializer_list<QtDataGrid*> grids);

// Escape in `window` first cancels what its grids hold pending, one step a
// press (the cell being typed in, then the row's changes), wherever the
// keyboard is; only an Escape with nothing pending reaches the window.
void GridsTakeEscapeFirst(QWidget& window, std::initializer_list<QtDataGrid*> grids);

// The yes/no question before a row is deleted, with the main window's
// delete caption; true for yes.
bool AskDelete(Dialogs& dialogs, const TMainTexts& mainTexts, const std::string& pattern,
               const std::vector<FormatArg>& args);

}  // namespace qv
