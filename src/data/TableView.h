#pragma once

namespace qv {

class Table;

enum class TableChange {
  DataSetChanged,  // rows, order, filter or range changed: re-read everything
  RecordChanged,   // field values of the current record changed
  Scrolled,        // the cursor moved to another row
  StateChanged,    // browse / edit / insert changed
  LayoutChanged,   // display properties of fields changed
};

// Something that shows a table (a grid, a lookup box) and follows its changes.
// Views are told nothing while the table's controls are disabled; enabling
// them again sends one DataSetChanged.
class TableView {
 public:
  virtual ~TableView() = default;
  virtual void TableChanged(Table& table, TableChange change) = 0;
};

}  // namespace qv
