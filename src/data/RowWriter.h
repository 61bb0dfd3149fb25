#pragma once

namespace qv {

class Table;

// How a grid or a field box writes the row it edits. The universe tables are
// written through the store's writer, so that every change of theirs passes
// the store's operations; the calculators' own tables use the plain writer,
// which hands each step to the table itself.
class TRowWriter {
 public:
  virtual ~TRowWriter() = default;
  // Opens the current row's edit buffer (nothing when one is open).
  virtual void EditRow(Table& table);
  // A new row: appended, or inserted before the current row.
  virtual void NewRow(Table& table, bool append);
  // Stores the buffer; a TableError keeps the row in edit.
  virtual void PostRow(Table& table);
  // Stores a modified buffer, drops an untouched one.
  virtual void FinishRow(Table& table);
  // Deletes the current row (drops a row being inserted).
  virtual void DeleteRow(Table& table);
};

// The writer that hands every step to the table.
TRowWriter& PlainRowWriter();

}  // namespace qv
