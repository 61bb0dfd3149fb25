#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "data/TableFile.h"
#include "economy/ComplexTables.h"

namespace qv::cli {

namespace {

// Bad input: names the file and the line (0 when no line is to blame).
struct ImportError {
  int line;
  std::string message;
};

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

// Number of code points, or -1 when the text is not valid UTF-8.
int Utf8Length(const std::string& text) {
  int count = 0;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = text[i];
    const int extra = c < 0x80         ? 0
                      : (c >> 5) == 6  ? 1
                      : (c >> 4) == 14 ? 2
                      : (c >> 3) == 30 ? 3
                                       : -1;
    if (extra < 0 || i + extra >= text.size()) return -1;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return -1;
    i += extra + 1;
    ++count;
  }
  return count;
}

Value ParseCell(const Field& field, const std::string& cell, int line) {
  if (cell.empty()) return Value();
  switch (field.ValueType()) {
    case FieldType::Integer:
    case FieldType::AutoInc: {
      std::int32_t number = 0;
      const char* first = cell.data();
      const char* last = cell.data() + cell.size();
      if (*first == '+') ++first;
      const auto [end, error] = std::from_chars(first, last, number);
      if (error != std::errc() || end != last || first == last)
        throw ImportError{line,
                          "field " + field.FieldName() + ": '" + cell + "' is not an integer"};
      return Value(number);
    }
    case FieldType::Boolean:
      if (cell == "1" || cell == "true" || cell == "True" || cell == "TRUE") return Value(true);
      if (cell == "0" || cell == "false" || cell == "False" || cell == "FALSE") return Value(false);
      throw ImportError{
          line, "field " + field.FieldName() + ": '" + cell + "' is not a boolean (1 or 0)"};
    default: {
      const int length = Utf8Length(cell);
      if (length < 0)
        throw ImportError{line, "field " + field.FieldName() + ": the text is not UTF-8"};
      if (field.Size() > 0 && length > field.Size())
        throw ImportError{line, "field " + field.FieldName() + ": '" + cell + "' is longer than " +
                                    std::to_string(field.Size()) + " characters"};
      return Value(cell);
    }
  }
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ImportError{0, "cannot open the file"};
  std::stringstream buffer;
  buffer << in.rdbuf();
  std::string text = buffer.str();
  if (in.bad()) throw ImportError{0, "cannot read the file"};
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
  return lines;
}

// Reads the rows of `path` for `table`; throws ImportError on bad input.
std::vector<Row> ReadRows(const Table& table, const std::string& path, std::int32_t& nextAutoInc) {
  const std::vector<std::string> lines = ReadLines(path);
  if (lines.empty()) throw ImportError{1, "no header line naming the fields"};

  std::vector<int> columns;  // field index of each cell
  std::set<int> seen;
  for (const std::string& name : SplitCells(lines[0])) {
    const Field* field = table.FindField(name);
    if (!field) throw ImportError{1, "unknown field '" + name + "' of " + table.Name()};
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
    if (autoIncField >= 0 && !row.values[autoIncField].IsNull()) {
      const std::int32_t id = row.values[autoIncField].ToInteger();
      if (!usedIds.insert(id).second)
        throw ImportError{lineNo, table.Fields(autoIncField).FieldName() + " " +
                                      std::to_string(id) + " given twice"};
      largest = std::max<std::int64_t>(largest, id);
    }
    rows.push_back(std::move(row));
  }

  if (autoIncField >= 0) {
    std::int64_t next = largest + 1;
    for (Row& row : rows) {
      if (!row.values[autoIncField].IsNull()) continue;
      if (next > std::numeric_limits<std::int32_t>::max())
        throw ImportError{0, "no identifier left above " + std::to_string(largest)};
      row.values[autoIncField] = Value(static_cast<std::int32_t>(next++));
    }
    if (next > std::numeric_limits<std::int32_t>::max())
      throw ImportError{0, "no identifier left above " + std::to_string(largest)};
    nextAutoInc = static_cast<std::int32_t>(next);
  } else {
    nextAutoInc = 1;
  }
  return rows;
}

}  // namespace

// import TABLE FILE: replaces the rows of one table by those of a
// tab-separated file and writes that table's file, nothing else.
int RunImport(CliContext& context, const CommandArgs& args) {
  if (args.size() != 2) throw UsageError("import needs a table and a file");
  const std::string& tableName = args[0];
  const std::string& path = args[1];

  std::unique_ptr<TDataModule1> store = context.EmptyStore();
  Table* table = store->FindTable(tableName);
  // The complex calculator's two tables live beside the program, outside the store.
  std::string complexFile;
  std::unique_ptr<Table> complexTable;
  if (!table) {
    complexTable = MakeComplexTable(tableName, *store, complexFile);
    table = complexTable.get();
  }
  if (!table) {
    context.Err() << "qvmap-cli: " << path << ": unknown table " << tableName << "\n";
    return 1;
  }
  try {
    std::int32_t nextAutoInc = 1;
    std::vector<Row> rows = ReadRows(*table, path, nextAutoInc);
    table->LoadRows(std::move(rows), nextAutoInc);
  } catch (const ImportError& error) {
    context.Err() << "qvmap-cli: " << path;
    if (error.line > 0) context.Err() << ":" << error.line;
    context.Err() << ": " << error.message << "\n";
    return 1;
  } catch (const TableError& error) {
    context.Err() << "qvmap-cli: " << path << ": " << error.what() << "\n";
    return 1;
  }

  const std::string target =
      complexTable ? context.Home() + complexFile : store->TableFilePath(*table);
  try {
    std::filesystem::create_directories(std::filesystem::path(target).parent_path());
    SaveTableFile(*table, target);
  } catch (const std::exception& error) {
    context.Err() << "qvmap-cli: Cannot write file " << target << ": " << error.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace qv::cli
