#pragma once

#include <QTableView>
#include <functional>
#include <string>
#include <vector>

#include "data/Record.h"
#include "settings/ColumnLayout.h"

class QStyleOptionViewItem;

namespace qv {

class Dialogs;
class QtGridDelegate;
class QtTableModel;
class Table;
class TRowWriter;

// The data grid of the editors and calculators: a table shown through a
// column list, edited in place, in the manner of a database grid.
//
// - Columns come from the column list (or from the table's visible fields
//   when the list is empty); the player may move and resize them, and
//   Columns() gives them back in display order with their widths, as a
//   layout file stores them.
// - The table's cursor follows the grid's current row and the grid follows
//   the cursor: after a post, an insert or a delete the current row is the
//   row the table stands on (a posted row wherever its order put it),
//   scrolled fully into view. Leaving a row that was changed posts it; when
//   a rule of the table refuses (a TableError), the message is shown through
//   the dialogs and the grid stays on the row, still in edit. A cell value
//   the field refuses is shown the same way, and the cell stays in edit with
//   the refused text selected. A new row left unchanged is dropped.
// - Keys: arrows, Page Up/Down, Home/End and Tab move; F2 or typing edits the
//   cell; Enter commits the cell and stores the row in edit, staying on it
//   (on a row not in edit it moves down); Escape first drops the open
//   editor, then cancels the row's changes (and is left to the window when
//   there is nothing to cancel); Insert inserts a row before the current
//   one, Down on the last row appends one; Ctrl+Delete deletes the current
//   row (after the delete confirmation, when one is set; a new row never
//   posted is dropped without it when nothing was typed into it).
//   Ctrl+Insert is left to the window.
// - Column titles: a column is never narrower than its title.
// - A window may draw on top of a cell after the standard drawing.
class QtDataGrid : public QTableView {
  Q_OBJECT

 public:
  // Draws on top of one cell; `option.rect` is the cell, `record` its row.
  using CellDrawer = std::function<void(QPainter& painter, const QStyleOptionViewItem& option,
                                        const Record& record, const TColumn& column)>;

  explicit QtDataGrid(Dialogs& dialogs, QWidget* parent = nullptr);
  ~QtDataGrid() override;

  // The table shown; nullptr shows nothing. The table must outlive the grid
  // or be unbound first.
  void SetTable(Table* table);
  Table* GetTable() const;
  QtTableModel& Model() const { return *model_; }
  // Who writes the rows edited here: the store's writer for a universe
  // table; the plain writer otherwise (the default).
  void SetRowWriter(TRowWriter& writer);

  // ---- Columns ----
  // Replaces the columns (display order = list order). An empty list shows
  // every visible field of the table, and follows the table when it changes.
  void SetColumns(TColumnList columns);
  // The columns in display order with their current widths.
  TColumnList Columns() const;
  // The width that shows every column whole, without scrolling sideways.
  int WidthForColumns() const;
  // The first column showing `fieldName` (exact, case-sensitive), or nullptr.
  const TColumn* FindColumn(const std::string& fieldName) const;
  // Changes the first column showing `fieldName`; false when there is none.
  bool ChangeColumn(const std::string& fieldName, const std::function<void(TColumn&)>& change);
  // Title of the column showing `fieldName`; nothing happens when none does.
  void SetColumnTitle(const std::string& fieldName, const std::string& title);
  // The column's list of choices; the text form takes a value list of a
  // language file ("Yes;No").
  void SetPickList(const std::string& fieldName, std::vector<std::string> items);
  void SetPickList(const std::string& fieldName, const std::string& text);
  void SetDropDownRows(const std::string& fieldName, int rows);

  // ---- Behaviour ----
  void SetReadOnly(bool readOnly);
  bool IsReadOnly() const;
  // An editor open on the current cell at all times: on new rows too, and
  // again when the grid gets the keyboard back or its current cell is clicked.
  void SetAlwaysShowEditor(bool on);
  bool AlwaysShowsEditor() const;
  // Asked before Ctrl+Delete deletes a row; none deletes at once.
  void SetDeleteConfirmation(std::function<bool()> confirm) { confirmDelete_ = std::move(confirm); }
  void SetCellDrawer(CellDrawer drawer) { cellDrawer_ = std::move(drawer); }

  // ---- Current cell, in display order ----
  int CurrentColumn() const;  // display position, -1 when none
  void SetCurrentColumn(int position);
  // The field of the current column, empty when none.
  std::string CurrentField() const;

  // ---- Player actions (also on their keys); false when nothing was done ----
  bool InsertRow();
  bool AppendRow();
  bool DeleteRow();
  // Commits the open editor and posts the row; false (message shown) when
  // the table refused.
  bool PostRow();
  void CancelRow();
  // One step of Escape: drops the open editor, else cancels the row's
  // changes (a new row is dropped); false when nothing was pending.
  bool CancelStep();
  // Commits the open editor and leaves the row in edit as moving away
  // would (a changed row is posted, an untouched new one dropped); false
  // (message shown) when the table refused. Windows call it before they
  // close or work on the whole table.
  bool FinishEditing();

  // For the delegate: drawing on top of a cell; Enter in an editor.
  void DrawOnTop(QPainter& painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const;
  void EnterPressed();

  using QTableView::edit;

 signals:
  // The ellipsis button of a column's editor was pressed.
  void EditButtonClicked(const QString& fieldName);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

 protected slots:
  void commitData(QWidget* editor) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  class SelectionModel;
  class RowIndicator;
  friend class SelectionModel;

  void ApplyColumnsToHeader();
  int DefaultWidth(int column) const;
  int ColumnIndex(const std::string& fieldName) const;
  int FirstVisibleColumn() const;
  // Moves to another row as the player asked: commit, leave, move the table.
  void MoveToRow(int row, int column);
  // Posts or drops the row in edit; false (message shown) when refused.
  bool LeaveRow();
  // Puts the current cell on the table's cursor row.
  void FollowCursor(int column = -1);
  bool CommitEditor();
  void DiscardEditor();
  // Whether the open editor holds text the cell does not show yet.
  bool EditorChanged() const;
  // The width the title of `column` needs.
  int TitleWidth(int column) const;
  void ShowError(const std::string& message);
  bool Run(const std::function<void()>& action);

  Dialogs& dialogs_;
  QtTableModel* model_;
  QtGridDelegate* delegate_;
  SelectionModel* selection_;
  CellDrawer cellDrawer_;
  std::function<bool()> confirmDelete_;
  int lastColumn_ = -1;     // the current column, kept while rows are re-read
  bool following_ = false;  // the grid itself moves its current cell
  bool applyingLayout_ = false;
  bool writeFailed_ = false;  // the table refused a cell since the last commit
  bool committing_ = false;   // an editor's text is being written
  QString refusedText_;       // the text of the cell refused last
};

}  // namespace qv
