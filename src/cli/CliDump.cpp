#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "data/TableFile.h"
#include "economy/ComplexTables.h"

namespace qv::cli {

namespace {

// A cell never breaks the one-record-a-line, tab-separated form.
std::string CellText(std::string text) {
  for (char& c : text)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return text;
}

std::string RawCell(const Value& value) {
  switch (value.GetKind()) {
    case Value::Kind::Null:
      return {};
    case Value::Kind::Integer:
      return std::to_string(value.ToInteger());
    case Value::Kind::Boolean:
      return value.ToBoolean() ? "1" : "0";
    case Value::Kind::String:
      return CellText(value.ToString());
  }
  return {};
}

// The complex calculator's tables live outside the store; a missing file
// gives an empty table, as the calculator starts with none.
std::unique_ptr<Table> LoadComplexTable(CliContext& context, const std::string& name) {
  std::string file;
  std::unique_ptr<Table> table = MakeComplexTable(name, context.Store(), file);
  if (!table) return nullptr;
  const std::string path = context.Home() + file;
  if (std::filesystem::exists(path)) LoadTableFile(*table, path);
  return table;
}

void WriteTable(std::ostream& out, const Table& table, bool asText) {
  std::vector<int> fields;
  for (int i = 0; i < table.FieldCount(); ++i)
    if (table.Fields(i).IsStored()) fields.push_back(i);

  for (std::size_t i = 0; i < fields.size(); ++i)
    out << (i ? "\t" : "") << table.Fields(fields[i]).FieldName();
  out << '\n';
  const int count = table.RecordCount();
  for (int recNo = 1; recNo <= count; ++recNo) {
    const Record record = table.RecordAt(recNo);
    for (std::size_t i = 0; i < fields.size(); ++i) {
      out << (i ? "\t" : "");
      out << (asText ? CellText(record.Text(fields[i])) : RawCell(record.Get(fields[i])));
    }
    out << '\n';
  }
}

}  // namespace

// dump [--text] TABLE: the stored fields of a table, one row a line, in the
// table's working order.
int RunDump(CliContext& context, const CommandArgs& args) {
  bool asText = false;
  std::string tableName;
  for (const std::string& arg : args) {
    if (arg == "--text")
      asText = true;
    else if (!arg.empty() && arg[0] == '-')
      throw UsageError("dump: unknown option " + arg);
    else if (tableName.empty())
      tableName = arg;
    else
      throw UsageError("dump: more than one table given");
  }
  if (tableName.empty()) throw UsageError("dump: no table given");

  TDataModule1& store = context.Store();
  std::unique_ptr<Table> complexTable;
  Table* table = store.FindTable(tableName);
  if (!table) {
    try {
      complexTable = LoadComplexTable(context, tableName);
    } catch (const TableError& e) {
      context.Err() << "qvmap-cli: " << e.what() << "\n";
      return 1;
    }
    table = complexTable.get();
  }
  if (!table) {
    context.Err() << "qvmap-cli: unknown table " << tableName << "\n";
    return 1;
  }
  if (asText) {
    // The name lists make the referencing fields show names.
    store.LoadProductNames();
    store.LoadFactoryNames();
  }
  WriteTable(context.Out(), *table, asText);
  return context.StoreLoadFailed() ? 1 : 0;  // the reasons are on stderr
}

}  // namespace qv::cli
