#include "data/TableImport.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "data/DataModule1.h"
#include "data/MapLimits.h"
#include "data/RegularFile.h"
#include "data/Table.h"
#include "data/TextUtil.h"

// The tab-separated text that `qvmap-cli dump` writes and `import` reads: the
// rows a player brings back from a spreadsheet, checked cell by cell.

namespace qv {

namespace {

constexpr std::size_t kShownCellChars = 40;

std::vector<std::string> SplitCells(const std::string& line) {
  std::vector<std::string> cells;
  std::string::size_type start = 0;
  for (;;) {
    const std::string::size_type tab = line.find('\t', start);
    cells.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return cells;
}

// A cell as an error line quotes it: at most 40 characters, and control
// characters and bytes that are no UTF-8 written as \xNN, so that the line
// stays one readable line whatever the file held.
std::string Shown(const std::string& cell) {
  std::string shown = "'";
  std::size_t chars = 0;
  std::size_t at = 0;
  for (; at < cell.size() && chars < kShownCellChars; ++chars) {
    const auto byte = static_cast<unsigned char>(cell[at]);
    const std::size_t length = Utf8CharLength(cell, at);
    if (length == 0 || byte < 0x20 || byte == 0x7F) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0xF];
      ++at;
    } else {
      shown.append(cell, at, length);
      at += length;
    }
  }
  if (at < cell.size()) shown += "...";
  return shown + "'";
}

[[noreturn]] void Refuse(int line, const Field& field, const std::string& cell,
                         const std::string& what) {
  throw ImportError{line, "field " + field.FieldName() + ": " + Shown(cell) + " " + what};
}

std::int32_t ParseInteger(const Field& field, const std::string& cell, int line) {
  const char* first = cell.data();
  const char* last = cell.data() + cell.size();
  // A plus sign is allowed before the digits, not before another sign.
  if (*first == '+' && cell.size() > 1 && cell[1] >= '0' && cell[1] <= '9') ++first;
  std::int32_t number = 0;
  const auto [end, error] = std::from_chars(first, last, number);
  if (error == std::errc::result_out_of_range && end == last)
    Refuse(line, field, cell, "is out of the 32-bit range");
  if (error != std::errc() || end != last) Refuse(line, field, cell, "is not an integer");
  return number;
}

Value ParseCell(const Field& field, const std::string& cell, int line) {
  if (cell.empty()) return Value();
  switch (field.ValueType()) {
    case FieldType::Integer:
    case FieldType::AutoInc:
      return Value(ParseInteger(field, cell, line));
    case FieldType::Boolean:
      if (cell == "1" || cell == "true" || cell == "True" || cell == "TRUE") return Value(true);
      if (cell == "0" || cell == "false" || cell == "False" || cell == "FALSE") return Value(false);
      Refuse(line, field, cell, "is not a boolean (1 or 0)");
    default: {
      // A table file cannot hold a NUL: it would be dropped without a word.
      if (cell.find('\0') != std::string::npos) Refuse(line, field, cell, "holds a NUL character");
      const std::optional<std::size_t> length = Utf8Length(cell);
      if (!length) Refuse(line, field, cell, "is not well-formed UTF-8");
      if (field.Size() > 0 && *length > static_cast<std::size_t>(field.Size()))
        Refuse(line, field, cell, "is longer than " + std::to_string(field.Size()) + " characters");
      return Value(cell);
    }
  }
}

std::vector<std::string> ReadLines(const std::string& path) {
  // A FIFO, a device or a huge file is refused before anything is read.
  RegularFileContent file = ReadRegularFile(path, kMaxTableFileBytes);
  if (file.status == RegularFileContent::Missing) throw ImportError{0, "cannot open the file"};
  if (file.status == RegularFileContent::Refused) throw ImportError{0, file.reason};
  std::string text = std::move(file.text);
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  while (start < text.size()) {
    std::string::size_type end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  // Empty lines at the end are no rows: editors and spreadsheets add them.
  while (lines.size() > 1 && lines.back().empty())
    lines.pop_back();
  return lines;
}

// The sectors table refuses a position off the map when a row is stored; the
// import stores no rows one by one, so it checks the same rule itself.
void CheckSectorPosition(const Table& table, const Row& row, int line) {
  if (table.Name() != "SectorsData") return;
  const Field& x = table.FieldByName("X");
  const Field& y = table.FieldByName("Y");
  const std::int32_t px = row.values[static_cast<std::size_t>(x.Index())].ToInteger();
  const std::int32_t py = row.values[static_cast<std::size_t>(y.Index())].ToInteger();
  if (SectorPositionAllowed(px, py)) return;
  const Field& culprit = SectorPositionAllowed(px, 0) ? y : x;
  const std::int32_t value = &culprit == &x ? px : py;
  Refuse(line, culprit, std::to_string(value),
         "lies outside the map (-" + std::to_string(kMaxGridPosition) + " to " +
             std::to_string(kMaxGridPosition) + ")");
}

}  // namespace

void ImportTableFile(Table& table, const std::string& path) {
  const std::vector<std::string> lines = ReadLines(path);
  if (lines.empty()) throw ImportError{1, "no header line naming the fields"};

  std::vector<int> columns;  // field index of each cell
  std::set<int> seen;
  for (const std::string& name : SplitCells(lines[0])) {
    const Field* field = table.FindField(name);
    if (!field) throw ImportError{1, "unknown field " + Shown(name) + " of " + table.Name()};
    if (!field->IsStored()) throw ImportError{1, "field " + field->FieldName() + " is not stored"};
    if (!seen.insert(field->Index()).second)
      throw ImportError{1, "field " + field->FieldName() + " named twice"};
    columns.push_back(field->Index());
  }

  int autoIncField = -1;
  for (int i = 0; i < table.FieldCount(); ++i)
    if (table.Fields(i).DataType() == FieldType::AutoInc) autoIncField = i;

  std::vector<Row> rows;
  std::set<std::int32_t> usedIds;
  std::int64_t largest = 0;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const int lineNo = static_cast<int>(i) + 1;
    const std::vector<std::string> cells = SplitCells(lines[i]);
    if (cells.size() != columns.size())
      throw ImportError{lineNo, std::to_string(cells.size()) + " cells where the header names " +
                                    std::to_string(columns.size())};
    Row row;
    row.values.resize(table.FieldCount());
    row.id = rows.size() + 1;
    for (std::size_t c = 0; c < cells.size(); ++c)
      row.values[columns[c]] = ParseCell(table.Fields(columns[c]), cells[c], lineNo);
    CheckSectorPosition(table, row, lineNo);
    if (autoIncField >= 0 && !row.values[autoIncField].IsNull()) {
      const std::int32_t id = row.values[autoIncField].ToInteger();
      if (!usedIds.insert(id).second)
        throw ImportError{lineNo, table.Fields(autoIncField).FieldName() + " " +
                                      std::to_string(id) + " given twice"};
      largest = std::max<std::int64_t>(largest, id);
    }
    rows.push_back(std::move(row));
  }

  // Rows without an identifier get new ones above the largest given; the
  // largest may be the very last identifier when no row needs a new one.
  std::int64_t next = largest + 1;
  if (autoIncField >= 0) {
    for (Row& row : rows) {
      if (!row.values[autoIncField].IsNull()) continue;
      if (next > Table::kMaxAutoInc)
        throw ImportError{0, "no identifier left above " + std::to_string(largest)};
      row.values[autoIncField] = Value(static_cast<std::int32_t>(next++));
    }
  }
  try {
    table.LoadRows(std::move(rows), next);
  } catch (const TableError& error) {
    throw ImportError{0, error.what()};
  }
}

}  // namespace qv
