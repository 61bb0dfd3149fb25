#pragma once

#include "data/ChangeRecord.h"

namespace qv {

class Table;

// Hears every row a table writes through Post() and Delete(), for undo and the
// journal. A write may set off others (a delete cascade, a gate pair): each
// Post() and Delete() is bracketed by WriteBegins / WriteEnds, so a listener
// counting them knows when the outermost write is over. A table without an
// observer pays one pointer test per write.
class TableObserver {
 public:
  virtual ~TableObserver() = default;
  virtual void WriteBegins(Table& table) = 0;
  // `before` is null for an insert, `after` for a delete. `place` is the row's
  // place in stored order: where it is now (insert, update) or was (delete).
  virtual void RowChanged(Table& table, RowChangeKind kind, int place, const RowValues* before,
                          const RowValues* after) = 0;
  virtual void WriteEnds(Table& table) = 0;
};

}  // namespace qv
