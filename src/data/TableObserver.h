#pragma once

#include <string>

#include "data/ChangeRecord.h"

namespace qv {

class Table;

// Hears every row a table writes through Post(), Delete() and
// DeleteStoredRows(), for undo and the journal. A write may set off others (a
// delete cascade, a gate pair): each of these calls is bracketed by
// WriteBegins / WriteEnds, so a listener counting them knows when the
// outermost write is over. A table without an observer pays one pointer test
// per write.
class TableObserver {
 public:
  virtual ~TableObserver() = default;
  virtual void WriteBegins(Table& table) = 0;
  // `before` is null for an insert, `after` for a delete. `place` is the row's
  // place in stored order: where it is now (insert, update) or was (delete).
  virtual void RowChanged(Table& table, RowChangeKind kind, int place, const RowValues* before,
                          const RowValues* after) = 0;
  virtual void WriteEnds(Table& table) = 0;
  // All rows were replaced at once (loading, emptying): no step, but what
  // the next step starts from.
  virtual void RowsReplaced(Table& table) { static_cast<void>(table); }
  // Names the step being gathered, unless a scope named it already.
  virtual void NameStep(ChangeKind kind, const std::string& name) {
    static_cast<void>(kind);
    static_cast<void>(name);
  }
};

// Makes every write to `table` while it lives one step for the table's
// observer, as if it were one outermost write (a bulk change of many rows),
// named `kind` and `name`.
class TableWriteGroup {
 public:
  TableWriteGroup(Table& table, ChangeKind kind, const std::string& name);
  ~TableWriteGroup();
  TableWriteGroup(const TableWriteGroup&) = delete;
  TableWriteGroup& operator=(const TableWriteGroup&) = delete;

 private:
  Table& table_;
  TableObserver* const observer_;
};

}  // namespace qv
