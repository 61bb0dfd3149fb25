#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <memory_resource>
#include <vector>

#include "data/Table.h"

namespace qv {

// Rows built in bulk, as a table file is read: the values of all rows share
// a few large blocks of memory instead of one allocation per row, and the
// blocks go to the table together with the rows (Table::LoadRowBatch).
class RowBatch {
 public:
  // Rows that allocate their own values, as rows made one at a time do.
  explicit RowBatch(std::vector<Row> rows) : rows_(std::move(rows)) {}
  // About `expectedRows` rows of `slots` values each fit the first block;
  // further rows take further blocks.
  RowBatch(std::size_t expectedRows, std::size_t slots)
      : slots_(slots),
        memory_(std::make_unique<std::pmr::monotonic_buffer_resource>(
            std::max<std::size_t>(expectedRows * slots * sizeof(Value), 1024))) {
    rows_.reserve(expectedRows);
  }

  // A new row at the end: no values yet, room for all slots.
  RowValues& AddRow() {
    std::pmr::memory_resource* memory = memory_ ? memory_.get() : std::pmr::get_default_resource();
    RowValues& values = rows_.emplace_back(Row{RowValues(memory), 0}).values;
    values.reserve(slots_);
    return values;
  }

  std::vector<Row>& Rows() { return rows_; }
  const std::vector<Row>& Rows() const { return rows_; }

 private:
  friend class Table;

  std::size_t slots_ = 0;
  // Declared before the rows, so that it outlives them.
  std::unique_ptr<std::pmr::monotonic_buffer_resource> memory_;
  std::vector<Row> rows_;
};

}  // namespace qv
