#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qv {

class Table;

// The table file: the XML text form of a table's stored fields (name, type,
// size), its rows in stored order and its AutoInc counter. A missing
// attribute in a row is a null value; an empty attribute is empty text.

// Writes `table` to `path`, replacing the file. The text goes to a temporary
// file beside the target first and is renamed over it, so the old file stays
// whole until the new one is complete. Throws TableError naming the path when
// the file cannot be written; the old file is then untouched.
void SaveTableFile(const Table& table, const std::string& path);

// The text SaveTableFile writes for `table` (several files can then be written
// as one unit). Throws TableError naming `path` when a field cannot be stored.
std::string TableFileText(const Table& table, const std::string& path);

// A text in a file longer than its field holds (written by hand or by
// another program). It is loaded as it is and written back as it is; only
// typing a new value cuts it to the field.
struct OverlongValue {
  int row = 0;  // 1-based, in the file's order
  std::string field;
  std::size_t length = 0;  // characters (code points)
  int limit = 0;
};

// Replaces the rows of `table` with those of the file at `path`. The file's
// fields must be exactly the table's stored fields (in any order) with the
// same types. Throws TableError with the reason when the file is missing,
// unreadable, damaged or does not fit the table; the table keeps its rows then.
// Texts longer than their fields are kept, and listed in `overlong` when given.
void LoadTableFile(Table& table, const std::string& path,
                   std::vector<OverlongValue>* overlong = nullptr);

}  // namespace qv
