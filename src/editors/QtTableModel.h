#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <string>
#include <vector>

#include "data/Record.h"
#include "data/RowWriter.h"
#include "data/Table.h"
#include "data/TableView.h"
#include "settings/ColumnLayout.h"

namespace qv {

class Field;

// A table as Qt's item views see it: one row per row of the table's current
// view (order, filter and master range applied), one column per entry of a
// column list. Rows are read on demand from the table, never copied. While
// the table edits a row the model shows the edit buffer in its place; while
// it inserts, one extra row stands at the end (Append) or before the current
// row (Insert).
//
// The columns keep the order they were given in; a view may show them in
// another (a grid lets the player move them).
//
// Cells show the field's display text (get-text callbacks, lookups, boolean
// display texts); text written through setData goes through the field's
// set-text conversion, after putting the current row in edit.
class QtTableModel : public QAbstractTableModel, private TableView {
  Q_OBJECT

 public:
  explicit QtTableModel(QObject* parent = nullptr);
  ~QtTableModel() override;

  // nullptr unbinds. The table must outlive the model or be unbound first.
  void SetTable(Table* table);
  Table* GetTable() const { return table_; }
  void SetRowWriter(TRowWriter& writer) { writer_ = &writer; }
  TRowWriter& RowWriter() const { return *writer_; }

  // An empty list shows every visible field of the table in field order.
  void SetColumns(TColumnList columns);
  const TColumnList& Columns() const { return columns_; }
  bool DefaultColumns() const { return defaultColumns_; }
  // Changes a column's display properties in place (not its field).
  void ChangeColumn(int column, const std::function<void(TColumn&)>& change);
  void SetColumnWidth(int column, int width);
  // The field a column shows; nullptr when the table has no such field.
  const Field* ColumnField(int column) const;

  // The row of the table's cursor (the edit or insert row), -1 when none.
  int CursorRow() const;
  // The extra row of an insert, -1 when not inserting.
  int InsertRow() const;
  // What row `row` shows (the edit buffer for the cursor row while editing);
  // only while a table is bound.
  Record RecordForRow(int row) const;
  // The stored row behind `row`; 0 for the insert row or no row.
  Table::Bookmark BookmarkAt(int row) const;
  bool CellEditable(int row, int column) const;

  // Writes typed text into a cell of the cursor row. Errors of the table
  // (a text the field refuses, a rule) go to the error handler; the row
  // stays in edit.
  bool WriteCellText(int row, int column, const std::string& text);
  // Whether text was written into the row in edit or insert since it was
  // started: the defaults a new row gets from the table's rules do not count.
  bool RowTyped() const { return rowTyped_; }
  void SetErrorHandler(std::function<void(const std::string&)> handler) {
    errorHandler_ = std::move(handler);
  }
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
  bool ReadOnly() const { return readOnly_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  // The table's cursor may stand on another row, or the rows changed.
  void CursorMoved();

 private:
  void TableChanged(Table& table, TableChange change) override;
  void Reset(const std::function<void()>& change);
  void ResolveFields();
  void AttachLookupTables();
  void DetachAll();
  void RowsChanged();
  int CurrentRowCount() const;
  int RecNoForRow(int row) const;  // 0 for the insert row

  Table* table_ = nullptr;
  TRowWriter* writer_ = &PlainRowWriter();
  std::vector<Table*> lookupTables_;  // other tables the lookup columns read
  TColumnList columns_;
  std::vector<int> fieldIndexes_;  // per column, -1 when the table lacks the field
  bool defaultColumns_ = true;
  bool readOnly_ = false;
  int shownRows_ = 0;  // what the views were last told
  bool rowTyped_ = false;
  std::function<void(const std::string&)> errorHandler_;
};

}  // namespace qv
