#pragma once

#include <string>
#include <string_view>

#include "data/Value.h"

namespace qv {

class Table;
struct Row;

// A read-only view of one row of a table that does not move the table's
// cursor: what calculated fields, filters and grids read. Stored, lookup and
// calculated fields all read through it. Valid until the row is deleted.
class Record {
 public:
  Record(const Table& table, const Row* row) : table_(&table), row_(row) {}

  bool IsValid() const { return row_ != nullptr; }
  const Table& GetTable() const { return *table_; }
  const Row* GetRow() const { return row_; }

  Value Get(int fieldIndex) const;
  Value Get(std::string_view fieldName) const;  // TableError for an unknown name
  std::string Text(int fieldIndex) const;       // the field's display text

 private:
  const Table* table_;
  const Row* row_;
};

}  // namespace qv
