#pragma once

#include <string>

namespace qv {

class Table;

// Bad input of an import: the line to blame (0 when none is) and what is wrong.
struct ImportError {
  int line;
  std::string message;
};

// Replaces every row of `table` by the rows of the tab-separated file at
// `path` (a header line naming stored fields, then one row a line). Every
// cell must be of its field's type: a decimal integer within 32 bits, 1/0 or
// true/false, well-formed UTF-8 text without NUL that fits the field; a sector
// position must lie on the map. Throws ImportError; the table is then as it was.
void ImportTableFile(Table& table, const std::string& path);

}  // namespace qv
