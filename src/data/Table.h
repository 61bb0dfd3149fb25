#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <memory_resource>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/Field.h"
#include "data/Record.h"
#include "data/TableError.h"
#include "data/TableView.h"
#include "data/Value.h"

namespace qv {

// The values of one row. A table loaded from a file keeps the values of all
// its rows in a few large blocks of memory (see LoadRowBatch); rows made one
// at a time, and every copy of a row, allocate their own.
using RowValues = std::pmr::vector<Value>;

// One stored row. `values` has one slot per field (lookup and calculated
// slots stay null); `id` is unique within the table for its whole life and
// gives the tie-break order of equal keys and the bookmarks.
struct Row {
  RowValues values;
  std::uint64_t id = 0;
};

class RowBatch;
class TableObserver;
struct RowNode;

// Rows of a table in one of its kept orders, read without its cursor; valid
// until the table's rows change.
class OrderedRows {
 public:
  OrderedRows(const Table& table, const std::vector<RowNode*>& rows, std::size_t begin,
              std::size_t end)
      : table_(&table), rows_(&rows), begin_(begin), end_(end) {}
  int Size() const { return static_cast<int>(end_ - begin_); }
  bool Empty() const { return begin_ == end_; }
  Record At(int i) const;  // 0-based
  Record Front() const { return Empty() ? Record(*table_, nullptr) : At(0); }

 private:
  const Table* table_;
  const std::vector<RowNode*>* rows_;
  std::size_t begin_;
  std::size_t end_;
};

enum class TableState { Browse, Edit, Insert };

struct IndexDef {
  std::string name;
  std::string fields;  // "X;Y"
};

// An in-memory ordered row set with a cursor, in the manner of a client data
// set: fields, editing states, named and ad-hoc orders kept sorted, key
// search, a record filter, change events, a master-detail link, attached views
// and a change log. Every order that has been used is kept sorted as rows
// change, so switching between orders and searching stay logarithmic.
//
// Cursor rules: First() sets Bof; Next() on the last row sets Eof and stays on
// it; Prior() on the first row sets Bof. On an empty view Bof and Eof are both
// true. Delete() leaves the cursor on the following row, or on the new last
// row with Eof set when the last row was deleted.
class Table {
 public:
  using Event = std::function<void(Table& table)>;
  using FilterHandler = std::function<bool(const Record& record)>;
  using Bookmark = std::uint64_t;  // 0 = none

  explicit Table(std::string name);
  ~Table();
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  const std::string& Name() const { return name_; }

  // ---- Schema (build it before adding rows) ----
  Field& AddField(std::string name, FieldType type, int size = 0);
  // A lookup field: see Field::SetLookup. Its value type is that of the result field.
  Field& AddLookupField(std::string name, int size, std::string keyField, Table* lookupTable,
                        std::string lookupKeyField, std::string resultField);
  Field& AddCalculatedField(std::string name, FieldType valueType, int size,
                            Field::CalculateHandler calculate);
  void AddIndex(std::string name, std::string fields);
  const std::vector<IndexDef>& IndexDefs() const { return indexDefs_; }

  int FieldCount() const { return static_cast<int>(fields_.size()); }
  Field& Fields(int index) { return *fields_.at(index); }
  const Field& Fields(int index) const { return *fields_.at(index); }
  Field* FindField(std::string_view name);  // exact name, ignoring ASCII case; nullptr if none
  const Field* FindField(std::string_view name) const;
  Field& FieldByName(std::string_view name);  // TableError "Field 'X' not found"
  const Field& FieldByName(std::string_view name) const;

  // ---- Rows and cursor (over the current view: order, filter and range applied) ----
  int RecordCount() const;
  bool IsEmpty() const { return RecordCount() == 0; }
  int RecNo() const;         // 1-based position of the cursor in the view, 0 when none
  void SetRecNo(int recNo);  // moves the cursor (clamped to the view)
  void First();
  void Last();
  void Next();
  void Prior();
  int MoveBy(int distance);  // returns the distance moved
  bool Eof() const;
  bool Bof() const;
  // The current record (the edit buffer while editing or inserting); invalid
  // when the view is empty and nothing is being inserted.
  Record CurrentRecord() const;
  // Row recNo (1-based) of the view without moving the cursor.
  Record RecordAt(int recNo) const;
  // All stored rows in stored order, without filter or range (for files and scans).
  std::vector<Record> AllRecords() const;
  int TotalRowCount() const;  // stored rows, ignoring filter and range

  Bookmark GetBookmark() const;
  bool BookmarkValid(Bookmark bookmark) const;
  void GotoBookmark(Bookmark bookmark);  // TableError when the row is gone

  // ---- Editing ----
  TableState State() const { return state_; }
  bool Modified() const { return modified_; }
  // While inserting: true when the new row goes to the end of the table
  // (Append or an empty view), false when it goes before the current row.
  bool InsertingAtEnd() const;
  void Edit();    // Browse -> Edit on the current row (TableError on an empty view)
  void Insert();  // new row before the current one in stored order
  void Append();  // new row at the end of stored order
  // Writes the edit buffer: BeforePost, store, reorder, AfterPost; the cursor
  // stands on the posted row afterwards (when it still belongs to the view).
  void Post();
  void Cancel();           // discards the edit buffer; no-op in browse state
  void Delete();           // BeforeDelete, remove, AfterDelete; in Insert state it cancels
  void CheckBrowseMode();  // posts a modified buffer, cancels an unmodified one
  // Deletes stored rows by bookmark, whether or not the view shows them (the
  // end of a delete cascade, a sweep by key), in the given order; bookmarks
  // of rows that are gone are passed over. The filter, the master link and
  // the active order stay as they are, and so does the cursor unless its own
  // row goes: it then moves as Delete() moves it, to the next row left in
  // the view, or to the new last row with Eof set. A row being edited is
  // posted or cancelled first. The observer hears every removed row as one
  // write, each as Delete() tells it; the change log grows by one per row.
  // Fires no BeforeDelete (the cursor is not on the rows, so their rules
  // cannot read them); when any row went, the views get one DataSetChanged
  // and AfterDelete fires once, then, when the cursor moved, Scrolled,
  // AfterScroll and the detail tables. Returns the number of rows removed.
  int DeleteStoredRows(std::span<const Bookmark> bookmarks);
  // Removes every row without events (loading uses it). Keeps the schema.
  void EmptyDataSet();

  // ---- Order and key search ----
  // Named index active ("" = none); clears IndexFieldNames.
  void SetIndexName(const std::string& name);
  const std::string& IndexName() const { return indexName_; }
  // Ad-hoc order by a field list ("Type;Name"); "" = stored order; clears IndexName.
  void SetIndexFieldNames(const std::string& fields);
  const std::string& IndexFieldNames() const { return indexFieldNames_; }
  // Field list of the active order ("" for stored order).
  std::string ActiveOrderFields() const;
  // Exact search on the leading fields of the active order; on success the
  // cursor moves to the first matching row in order. TableError without an order.
  bool FindKey(const std::vector<Value>& key);
  // Cursor to the first row whose leading fields are >= key; when there is
  // none, to the last row with Eof set.
  void FindNearest(const std::vector<Value>& key);
  // First row in the view whose fields (";"-list) equal values; moves the cursor.
  bool Locate(const std::string& fields, const std::vector<Value>& values);
  // First stored row (ignoring filter and range) whose field equals value,
  // without moving the cursor. Uses a kept order on that field when there is one.
  Record Lookup(const std::string& field, const Value& value) const;
  // Scans that no view sees: every stored row (ignoring filter and range) in
  // the order of `fields` (";"-list, "" = stored order), or only those whose
  // leading fields equal `key`. Neither the cursor nor the active order
  // moves; the order is kept sorted from then on, as the active ones are.
  OrderedRows RowsInOrder(const std::string& fields) const;
  OrderedRows RowsWithKey(const std::string& fields, const std::vector<Value>& key) const;

  // ---- Filter ----
  FilterHandler OnFilterRecord;
  // Expressions: field names, integers, 'text', true, false, null, the
  // operators = <> < > <= >=, and, or, not, parentheses; a bare field is a
  // boolean test ("Buyable", "Type = 0 or Type = 1"). TableError on bad syntax.
  void SetFilter(const std::string& expression);
  const std::string& Filter() const { return filterText_; }
  // Filter expression and OnFilterRecord act only while Filtered is on.
  void SetFiltered(bool on);
  bool Filtered() const { return filtered_; }
  // Call after changing what OnFilterRecord depends on.
  void Refresh();

  // ---- Master-detail ----
  // Only rows whose detailFields equal masterFields of master's current row
  // are in the view; the view follows the master's cursor and its edits, and
  // rows inserted here take the master's values. nullptr detaches.
  void SetMasterSource(Table* master, const std::string& masterFields,
                       const std::string& detailFields);
  Table* MasterSource() const { return master_; }

  // ---- Events ----
  Event BeforeInsert, AfterInsert, BeforeEdit, AfterEdit, BeforePost, AfterPost, BeforeCancel,
      AfterCancel, BeforeDelete, AfterDelete, AfterScroll;

  // ---- Views ----
  void AttachView(TableView* view);
  void DetachView(TableView* view);
  void DisableControls();  // nested; while disabled, views hear nothing
  void EnableControls();   // when the count returns to 0, views get DataSetChanged
  bool ControlsDisabled() const { return disableCount_ > 0; }
  void NotifyLayoutChanged();  // after display properties of fields changed

  // ---- Change log ----
  int ChangeCount() const { return changeCount_; }
  // Grows with every change of the stored rows (post, delete, load, empty),
  // so that what is built from them knows when to build again.
  std::uint64_t RowsVersion() const { return rowsVersion_; }
  // A row still in edit or insert is posted when modified and cancelled when
  // not; then the log is emptied.
  void MergeChangeLog();

  // ---- For the table files ----
  // Replaces all rows at once (no events, log emptied, cursor on the first
  // row). Rows must have FieldCount() slots; their ids are assigned anew. TableError
  // for duplicate AutoInc values. The counter never stays below the loaded values.
  void LoadRows(std::vector<Row> rows, std::int64_t nextAutoInc);
  // The same for rows built in a batch (RowBatch.h): the table takes over
  // their memory.
  void LoadRowBatch(RowBatch batch, std::int64_t nextAutoInc);
  // The AutoInc value the next new row gets. Past kMaxAutoInc no identifier is
  // left: a new row is then refused ("no identifier left").
  std::int64_t NextAutoInc() const { return nextAutoInc_; }
  static constexpr std::int64_t kMaxAutoInc = 2147483647;

  // ---- Change capture and raw row writes (undo, redo, the journal) ----
  // The observer hears every row that Post(), Delete() and DeleteStoredRows()
  // write (nullptr: none).
  void SetObserver(TableObserver* observer) { observer_ = observer; }
  TableObserver* Observer() const { return observer_; }
  // The row at `place` (0-based) of the stored order, invalid past the end.
  Record StoredRecordAt(int place) const;
  // Raw writes at a place of the stored order, for taking a step back or
  // doing it again: they keep every order, tell the views and the detail
  // tables, move the cursor off a removed row, and fire no events and tell no
  // observer. The table must be in browse state and `values` must have
  // FieldCount() slots; TableError otherwise or for a place out of range.
  void PutRowAt(int place, RowValues values);      // 0 <= place <= TotalRowCount()
  void ReplaceRowAt(int place, RowValues values);  // 0 <= place < TotalRowCount()
  void RemoveRowAt(int place);                     // 0 <= place < TotalRowCount()
  // Many raw writes in a row (a journal replayed at start): between these
  // two calls only the stored order is kept, and nothing but raw writes and
  // StoredRecordAt may be used; the other orders are sorted once at the end,
  // which then tells the views and the detail tables as one raw write would.
  void BeginRawWrites();
  void EndRawWrites();
  // Sets the AutoInc counter back or forth, as a step left it.
  void SetNextAutoInc(std::int64_t next) { nextAutoInc_ = next; }

 private:
  class Impl;
  friend class Field;
  friend class Record;
  void WriteBuffer(int fieldIndex, Value value);  // for Field::SetValue
  void FieldValueChanged(Field& field);           // marks modified, tells views, OnChange
  void DoInsert(bool append);
  void CheckRawWrite(int place, int limit, const RowValues* values) const;
  void AfterRawWrite(const void* cursorBefore, bool cursorRowChanged);
  std::string name_;
  std::vector<std::unique_ptr<Field>> fields_;
  std::vector<IndexDef> indexDefs_;
  std::string indexName_;
  std::string indexFieldNames_;
  std::string filterText_;
  bool filtered_ = false;
  TableState state_ = TableState::Browse;
  bool modified_ = false;
  int disableCount_ = 0;
  int changeCount_ = 0;
  std::uint64_t rowsVersion_ = 0;
  std::int64_t nextAutoInc_ = 1;  // wide, so that the last identifier can be handed out
  Table* master_ = nullptr;
  TableObserver* observer_ = nullptr;
  std::unique_ptr<Impl> impl_;  // rows, orders, cursor, edit buffer, views, filter program
};

}  // namespace qv
