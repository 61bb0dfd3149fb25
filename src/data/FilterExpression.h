#pragma once

#include <memory>
#include <string>

#include "data/Value.h"

namespace qv {

class Record;
class Table;

// A compiled record filter: field names, integers, 'quoted text' ('' for a
// quote), true, false, null, = <> < > <= >=, and, or, not and parentheses.
// A bare operand is a boolean test. Keywords ignore case. Field names are
// resolved when the text is compiled, so an unknown name is reported at once.
class FilterExpression {
 public:
  FilterExpression();
  ~FilterExpression();
  FilterExpression(FilterExpression&&) noexcept;
  FilterExpression& operator=(FilterExpression&&) noexcept;

  // TableError for bad syntax or a field the table does not have. An empty
  // (or blank) text compiles to an expression that accepts every row.
  static FilterExpression Compile(const std::string& text, const Table& table);

  bool IsEmpty() const { return root_ == nullptr; }
  bool Matches(const Record& record) const;

  struct Node;

 private:
  std::unique_ptr<Node> root_;
};

}  // namespace qv
