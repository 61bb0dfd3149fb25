#include "data/TableFile.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "data/AtomicFile.h"
#include "data/PlainRowsText.h"
#include "data/RegularFile.h"
#include "data/RowBatch.h"
#include "data/Table.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRootElement = "Table";
constexpr const char* kFieldsElement = "Fields";
constexpr const char* kFieldElement = "Field";
constexpr const char* kRowsElement = "Rows";
constexpr const char* kRowElement = "Row";
constexpr int kFormatVersion = 1;

const char* TypeName(FieldType type) {
  switch (type) {
    case FieldType::String:
      return "string";
    case FieldType::Integer:
      return "integer";
    case FieldType::Boolean:
      return "boolean";
    case FieldType::AutoInc:
      return "autoinc";
    case FieldType::Lookup:
      return "lookup";
    case FieldType::Calculated:
      return "calculated";
  }
  return "unknown";
}

std::optional<FieldType> ParseTypeName(std::string_view text) {
  for (FieldType type :
       {FieldType::String, FieldType::Integer, FieldType::Boolean, FieldType::AutoInc}) {
    if (text == TypeName(type)) return type;
  }
  return std::nullopt;
}

// A value quoted in a message; damaged files can hold long runs of junk.
std::string Quoted(std::string_view text) {
  constexpr std::size_t kMaxShown = 40;
  std::string quoted(1, '\'');
  quoted.append(text.substr(0, kMaxShown));
  if (text.size() > kMaxShown) quoted.append("...");
  quoted.push_back('\'');
  return quoted;
}

// ---------------------------------------------------------------- saving

bool IsXmlNameStart(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}

bool IsXmlName(const std::string& name) {
  if (name.empty() || !IsXmlNameStart(static_cast<unsigned char>(name[0]))) return false;
  return std::all_of(name.begin() + 1, name.end(), [](char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return IsXmlNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
  });
}

// Text for a double-quoted attribute. Control characters become character
// references, so tabs and line breaks survive the parser's normalisation of
// attribute blanks; a NUL cannot be stored in XML at all and is left out.
void AppendAttributeText(std::string& out, std::string_view text) {
  std::size_t pending = 0;  // start of the run not yet copied
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::string_view entity;
    switch (c) {
      case '&':
        entity = "&amp;";
        break;
      case '<':
        entity = "&lt;";
        break;
      case '>':
        entity = "&gt;";
        break;
      case '"':
        entity = "&quot;";
        break;
      default:
        if (c >= 0x20) continue;
    }
    out.append(text.substr(pending, i - pending));
    pending = i + 1;
    if (!entity.empty()) {
      out.append(entity);
    } else if (c != 0) {
      out.append("&#").append(std::to_string(c)).push_back(';');
    }
  }
  out.append(text.substr(pending));
}

void AppendInteger(std::string& out, std::int32_t value) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

void AppendAttribute(std::string& out, std::string_view name, std::string_view text) {
  out.push_back(' ');
  out.append(name).append("=\"");
  AppendAttributeText(out, text);
  out.push_back('"');
}

// The rows are written straight into the text rather than through a
// document tree: a tree of a large table costs several times the time.
std::string BuildTableText(const Table& table, const std::string& path) {
  std::vector<const Field*> stored;
  for (int i = 0; i < table.FieldCount(); ++i) {
    const Field& field = table.Fields(i);
    if (!field.IsStored()) continue;
    // Field names become attribute names of every row.
    if (!IsXmlName(field.FieldName())) {
      throw TableError("Cannot write file " + path + ": field name " + Quoted(field.FieldName()) +
                       " cannot be stored");
    }
    stored.push_back(&field);
  }

  std::string out;
  out.reserve(static_cast<std::size_t>(table.TotalRowCount()) * stored.size() * 20 + 1024);
  out.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<").append(kRootElement);
  AppendAttribute(out, "name", table.Name());
  AppendAttribute(out, "version", std::to_string(kFormatVersion));
  AppendAttribute(out, "nextAutoInc", std::to_string(table.NextAutoInc()));
  out.append(">\n\t<").append(kFieldsElement).append(">\n");
  for (const Field* field : stored) {
    out.append("\t\t<").append(kFieldElement);
    AppendAttribute(out, "name", field->FieldName());
    AppendAttribute(out, "type", TypeName(field->DataType()));
    if (field->DataType() == FieldType::String) {
      AppendAttribute(out, "size", std::to_string(field->Size()));
    }
    out.append("/>\n");
  }
  out.append("\t</").append(kFieldsElement).append(">\n\t<").append(kRowsElement).append(">\n");

  for (const Record& record : table.AllRecords()) {
    const RowValues& values = record.GetRow()->values;
    out.append("\t\t<").append(kRowElement);
    for (const Field* field : stored) {
      const Value& value = values[static_cast<std::size_t>(field->Index())];
      if (value.IsNull()) continue;  // an absent attribute is the null
      out.push_back(' ');
      out.append(field->FieldName()).append("=\"");
      // Written by the field's type, so whatever the row holds loads back.
      switch (field->DataType()) {
        case FieldType::String:
          AppendAttributeText(out, value.ToString());
          break;
        case FieldType::Boolean:
          out.append(value.ToBoolean() ? "true" : "false");
          break;
        default:
          AppendInteger(out, value.ToInteger());
          break;
      }
      out.push_back('"');
    }
    out.append("/>\n");
  }
  out.append("\t</").append(kRowsElement).append(">\n</").append(kRootElement).append(">\n");
  return out;
}

// ---------------------------------------------------------------- loading

// Only a regular file is read: a FIFO or a device in place of a table file
// would block or never end, and a huge file would exhaust the memory.
std::string ReadWholeFile(const std::string& path) {
  RegularFileContent file = ReadRegularFile(path, kMaxTableFileBytes);
  if (file.status == RegularFileContent::Missing)
    throw TableError("Cannot open file " + path + ": " + ErrnoText(ENOENT));
  if (file.status == RegularFileContent::Refused)
    throw TableError("Cannot open file " + path + ": " + file.reason);
  return std::move(file.text);
}

std::pair<int, int> LineAndColumn(const std::string& content, std::ptrdiff_t offset) {
  const auto end = content.begin() + std::clamp<std::ptrdiff_t>(
                                         offset, 0, static_cast<std::ptrdiff_t>(content.size()));
  const int line = 1 + static_cast<int>(std::count(content.begin(), end, '\n'));
  const auto lineStart = std::find(std::make_reverse_iterator(end), content.rend(), '\n').base();
  return {line, 1 + static_cast<int>(end - lineStart)};
}

// The number of code points of UTF-8 text, when it has more than `maxChars`
// of them; 0 when it fits (and always for a field without a size).
std::size_t LengthBeyond(std::string_view text, int maxChars) {
  if (maxChars <= 0 || text.size() <= static_cast<std::size_t>(maxChars)) return 0;
  const auto chars = static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
  return chars > static_cast<std::size_t>(maxChars) ? chars : 0;
}

// One field of the file's field list, tied to the table's field.
// What a row's attribute needs of its field is kept here, beside the name:
// a large table reads it hundreds of thousands of times.
struct FileField {
  std::string_view name;
  const Field* field;
  std::size_t slot;
  FieldType type;
  int size;
};

class TableFileReader {
 public:
  TableFileReader(Table& table, std::string path, std::vector<OverlongValue>* overlong)
      : table_(table), path_(std::move(path)), overlong_(overlong) {}

  void Read() {
    std::string content = ReadWholeFile(path_);
    if (ReadPlain(content)) return;
    // Read again as it is: the quick way has changed the text.
    if (overlong_) overlong_->clear();
    content = ReadWholeFile(path_);
    if (content.find('\0') != std::string::npos) Fail("not a table file (binary data)");
    fileFields_.clear();

    // Parsed in place: the text is not copied once more.
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer_inplace(
        content.data(), content.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed) {
      // The parser has changed the text; the line is counted in the file as it is.
      const auto [line, column] = LineAndColumn(ReadWholeFile(path_), parsed.offset);
      Fail("line " + std::to_string(line) + ", column " + std::to_string(column) + ": " +
           parsed.description());
    }
    const pugi::xml_node root = ReadHeader(doc);
    RowBatch loaded = ReadRows(root.child(kRowsElement), ExpectedRows(content.size()));
    const std::int64_t nextAutoInc = FinishAutoInc(root, loaded.Rows());
    table_.LoadRowBatch(std::move(loaded), nextAutoInc);
  }

 private:
  // The file as the program writes it, read without a document tree of its
  // rows: the text around them is parsed as a document of its own, the rows
  // are read straight from the text. False, with the table untouched, for any
  // other file (and for any fault, which the general way then reports as it
  // always did).
  bool ReadPlain(std::string& content) {
    const std::string open = std::string("<") + kRowsElement + ">";
    const std::string close = std::string("</") + kRowsElement + ">";
    const std::size_t rowsBegin = content.find(open);
    const std::size_t rowsEnd = content.rfind(close);
    if (rowsBegin == std::string::npos || rowsEnd == std::string::npos || rowsEnd < rowsBegin)
      return false;
    const std::size_t textBegin = rowsBegin + open.size();
    // A NUL in the rows stops their reading; one outside them is looked for here.
    std::string outline = content.substr(0, textBegin) + content.substr(rowsEnd);
    if (outline.find('\0') != std::string::npos) return false;
    pugi::xml_document doc;
    if (!doc.load_buffer_inplace(outline.data(), outline.size(), pugi::parse_default,
                                 pugi::encoding_utf8))
      return false;
    try {
      const pugi::xml_node root = ReadHeader(doc);
      if (root.child(kRowsElement).first_child()) return false;
      PlainRowsText text(content.data() + textBegin, content.data() + rowsEnd);
      const auto slotCount = static_cast<std::size_t>(table_.FieldCount());
      RowBatch loaded(ExpectedRows(rowsEnd - textBegin), slotCount);
      std::vector<int> seenInRow(slotCount, 0);
      int rowNo = 0;
      while (text.NextRow()) {
        RowValues& values = loaded.AddRow();
        ++rowNo;
        std::size_t hint = 0;
        std::string_view name;
        while (text.NextAttribute(ExpectedName(hint), name)) {
          if (!TakePlainValue(rowNo, AttributeField(rowNo, name, hint, seenInRow), text, values))
            return false;
        }
        values.resize(slotCount);
      }
      if (!text.Plain()) return false;
      const std::int64_t nextAutoInc = FinishAutoInc(root, loaded.Rows());
      table_.LoadRowBatch(std::move(loaded), nextAutoInc);
    } catch (const TableError&) {
      return false;
    }
    return true;
  }

  // The root and its field list, checked; the rows element is there.
  pugi::xml_node ReadHeader(const pugi::xml_document& doc) {
    const pugi::xml_node root = doc.document_element();
    if (std::strcmp(root.name(), kRootElement) != 0) {
      Fail("not a table file (root element " + Quoted(root.name()) + ")");
    }
    if (const pugi::xml_attribute version = root.attribute("version");
        version && ParseInteger(version.value()) != kFormatVersion) {
      Fail("table file version " + Quoted(version.value()) + " is not supported");
    }
    const pugi::xml_node fields = root.child(kFieldsElement);
    const pugi::xml_node rows = root.child(kRowsElement);
    if (!fields || !rows) Fail("not a table file (no field list or no rows)");
    ReadFields(fields);
    return root;
  }

  // About as many rows as `textBytes` of rows can hold, or a few more: each
  // row takes its element and, for each field, a name, '=' and two quotes.
  std::size_t ExpectedRows(std::size_t textBytes) const {
    std::size_t rowBytes = std::strlen("\t\t<Row/>\n");
    for (const FileField& field : fileFields_)
      rowBytes += field.name.size() + std::strlen(" =\"\"");
    return textBytes / rowBytes + 1;
  }

  // The name of the field after the last one found: rows usually list
  // their attributes in field order.
  std::string_view ExpectedName(std::size_t hint) const {
    return hint < fileFields_.size() ? fileFields_[hint].name : std::string_view();
  }

  // The field of an attribute of row `rowNo`: one the file lists, and not
  // given before in the row.
  const FileField& AttributeField(int rowNo, std::string_view name, std::size_t& hint,
                                  std::vector<int>& seenInRow) {
    // The expected name itself when the text showed it.
    const FileField* fileField =
        hint < fileFields_.size() && name.data() == fileFields_[hint].name.data()
            ? &fileFields_[hint++]
            : FindFileField(name, hint);
    if (fileField == nullptr) FailRow(rowNo, "unknown field " + Quoted(name));
    if (seenInRow[fileField->slot] == rowNo) {
      FailRow(rowNo, "field " + Quoted(name) + " is given twice");
    }
    seenInRow[fileField->slot] = rowNo;
    return *fileField;
  }

  // A value into its slot of a row. Values that come in slot order are built
  // in place at the end of the row; the row grows to all its slots (nulls)
  // at the first one that does not.
  template <typename T>
  void Put(RowValues& values, std::size_t slot, T&& value) {
    if (slot == values.size()) {
      values.emplace_back(std::forward<T>(value));
      return;
    }
    if (slot > values.size()) values.resize(static_cast<std::size_t>(table_.FieldCount()));
    values[slot] = Value(std::forward<T>(value));
  }

  // The value of an attribute read from plain text: numbers and flags
  // straight from the text, anything else decoded and parsed. False when
  // the text stops being plain.
  bool TakePlainValue(int rowNo, const FileField& field, PlainRowsText& text, RowValues& values) {
    if (field.type == FieldType::Boolean) {
      bool flag = false;
      if (text.ReadBoolean(flag)) {
        Put(values, field.slot, flag);
        return true;
      }
    } else if (field.type != FieldType::String) {
      std::int32_t number = 0;
      if (text.ReadInteger(number)) {
        Put(values, field.slot, number);
        return true;
      }
    }
    std::string_view value;
    if (!text.ReadText(value)) return false;
    Put(values, field.slot, ParseValue(rowNo, field, value));
    return true;
  }

  [[noreturn]] void Fail(const std::string& reason) const {
    throw TableError(path_ + ": " + reason);
  }
  [[noreturn]] void FailRow(int rowNo, const std::string& reason) const {
    Fail("row " + std::to_string(rowNo) + ": " + reason);
  }

  static std::optional<std::int32_t> ParseInteger(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
  }

  void ReadFields(const pugi::xml_node& fields) {
    for (pugi::xml_node node = fields.first_child(); node; node = node.next_sibling()) {
      if (node.type() != pugi::node_element) continue;
      if (std::strcmp(node.name(), kFieldElement) != 0) {
        Fail("unexpected element " + Quoted(node.name()) + " in the field list");
      }
      const char* name = node.attribute("name").value();
      if (*name == '\0') Fail("a field without a name");
      const Field* field = table_.FindField(name);
      if (field == nullptr || !field->IsStored()) Fail("unknown field " + Quoted(name));
      for (const FileField& known : fileFields_) {
        if (known.field == field) Fail("field " + Quoted(name) + " is listed twice");
      }
      const char* typeText = node.attribute("type").value();
      const std::optional<FieldType> type = ParseTypeName(typeText);
      if (!type) Fail("field " + Quoted(name) + " has the unknown type " + Quoted(typeText));
      if (*type != field->DataType()) {
        Fail("field " + Quoted(name) + " is " + typeText + " in the file but " +
             TypeName(field->DataType()) + " in the table");
      }
      fileFields_.push_back({name, field, static_cast<std::size_t>(field->Index()),
                             field->DataType(), field->Size()});
    }
    for (int i = 0; i < table_.FieldCount(); ++i) {
      const Field& field = table_.Fields(i);
      if (!field.IsStored()) continue;
      const bool listed = std::any_of(fileFields_.begin(), fileFields_.end(),
                                      [&](const FileField& f) { return f.field == &field; });
      if (!listed) Fail("field " + Quoted(field.FieldName()) + " is missing");
    }
  }

  // Field names are short: comparing them inline beats a library call per
  // attribute, which a large table makes millions of.
  static bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (a[i] != b[i]) return false;
    return true;
  }

  // Rows usually list their attributes in field order, so the field after
  // the last one found is tried first.
  const FileField* FindFileField(std::string_view name, std::size_t& hint) const {
    const std::size_t count = fileFields_.size();
    std::size_t i = hint < count ? hint : 0;
    for (std::size_t step = 0; step < count; ++step) {
      if (SameName(fileFields_[i].name, name)) {
        hint = i + 1;
        return &fileFields_[i];
      }
      if (++i == count) i = 0;
    }
    return nullptr;
  }

  // The usual integer, "-12" or "340", read in one pass; anything else (and
  // any failure) takes the checked way.
  static bool QuickInteger(std::string_view text, std::int32_t& value) {
    const bool negative = !text.empty() && text[0] == '-';
    std::size_t at = negative ? 1 : 0;
    std::int64_t magnitude = 0;
    int digits = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 10; ++at, ++digits)
      magnitude = magnitude * 10 + (text[at] - '0');
    if (at != text.size() || digits == 0) return false;
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue < std::numeric_limits<std::int32_t>::min() ||
        signedValue > std::numeric_limits<std::int32_t>::max())
      return false;
    value = static_cast<std::int32_t>(signedValue);
    return true;
  }

  Value ParseValue(int rowNo, const FileField& fileField, std::string_view text) {
    const Field& field = *fileField.field;
    switch (fileField.type) {
      case FieldType::String:
        // Kept whole: cutting it here would cut the file at the next save.
        if (const std::size_t length = LengthBeyond(text, fileField.size); length && overlong_)
          overlong_->push_back({rowNo, field.FieldName(), length, fileField.size});
        return Value(std::string(text));
      case FieldType::Boolean:
        if (text == "true") return Value(true);
        if (text == "false") return Value(false);
        FailRow(rowNo, Quoted(text) + " is not a boolean for field " + Quoted(field.FieldName()));
      default: {
        std::int32_t number = 0;
        if (QuickInteger(text, number)) return Value(number);
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (ec == std::errc::result_out_of_range) {
          FailRow(rowNo, Quoted(text) + " is out of the 32-bit range for field " +
                             Quoted(field.FieldName()));
        }
        if (ec != std::errc() || end != text.data() + text.size()) {
          FailRow(rowNo,
                  Quoted(text) + " is not an integer for field " + Quoted(field.FieldName()));
        }
        return Value(number);
      }
    }
  }

  RowBatch ReadRows(const pugi::xml_node& rows, std::size_t expectedRows) {
    const auto slotCount = static_cast<std::size_t>(table_.FieldCount());
    RowBatch loaded(expectedRows, slotCount);
    std::vector<int> seenInRow(slotCount, 0);
    int rowNo = 0;
    for (pugi::xml_node node = rows.first_child(); node; node = node.next_sibling()) {
      if (node.type() != pugi::node_element) continue;
      ++rowNo;
      if (std::strcmp(node.name(), kRowElement) != 0) {
        FailRow(rowNo, "unexpected element " + Quoted(node.name()));
      }
      // Built where it stays; its values go on to the table without a copy.
      RowValues& values = loaded.AddRow();
      std::size_t hint = 0;
      for (pugi::xml_attribute attribute = node.first_attribute(); attribute;
           attribute = attribute.next_attribute()) {
        const FileField& field = AttributeField(rowNo, attribute.name(), hint, seenInRow);
        Put(values, field.slot, ParseValue(rowNo, field, attribute.value()));
      }
      values.resize(slotCount);
    }
    return loaded;
  }

  // Checks that AutoInc values are unique, numbers rows that lack one and
  // returns a counter that lies above every value in use, so that new rows
  // never repeat an identifier even when the stored counter is stale.
  std::int64_t FinishAutoInc(const pugi::xml_node& root, std::vector<Row>& rows) const {
    std::int64_t next = 1;
    if (const pugi::xml_attribute stored = root.attribute("nextAutoInc")) {
      // One past the largest identifier: a table that handed out the last one.
      const std::string_view text = stored.value();
      std::optional<std::int64_t> value = ParseInteger(text);
      if (!value && text == std::to_string(kMaxInt32 + 1)) value = kMaxInt32 + 1;
      if (!value) Fail("the AutoInc counter " + Quoted(text) + " is not an integer");
      next = *value;
    }
    for (int i = 0; i < table_.FieldCount(); ++i) {
      const Field& field = table_.Fields(i);
      if (field.DataType() != FieldType::AutoInc) continue;
      const auto slot = static_cast<std::size_t>(i);

      std::vector<std::pair<std::int32_t, int>> used;  // value, row number
      used.reserve(rows.size());
      for (std::size_t r = 0; r < rows.size(); ++r) {
        const Value& value = rows[r].values[slot];
        if (!value.IsNull()) used.emplace_back(value.ToInteger(), static_cast<int>(r + 1));
      }
      // Files keep their rows in the order of their identifiers, mostly.
      if (!std::is_sorted(used.begin(), used.end())) std::sort(used.begin(), used.end());
      for (std::size_t k = 1; k < used.size(); ++k) {
        if (used[k].first == used[k - 1].first) {
          Fail("rows " + std::to_string(used[k - 1].second) + " and " +
               std::to_string(used[k].second) + " have the same " + field.FieldName() + " " +
               std::to_string(used[k].first));
        }
      }
      if (!used.empty()) next = std::max<std::int64_t>(next, std::int64_t{used.back().first} + 1);
      if (used.size() == rows.size()) continue;  // every row has its identifier
      for (Row& row : rows) {
        if (!row.values[slot].IsNull()) continue;
        if (next > kMaxInt32) Fail("no free value left for " + field.FieldName());
        row.values[slot] = Value(static_cast<std::int32_t>(next++));
      }
    }
    return next;
  }

  static constexpr std::int64_t kMaxInt32 = std::numeric_limits<std::int32_t>::max();

  Table& table_;
  std::string path_;
  std::vector<OverlongValue>* overlong_;
  std::vector<FileField> fileFields_;
};

}  // namespace

void SaveTableFile(const Table& table, const std::string& path) {
  ReplaceFileAtomically(path, BuildTableText(table, path));
}

std::string TableFileText(const Table& table, const std::string& path) {
  return BuildTableText(table, path);
}

void LoadTableFile(Table& table, const std::string& path, std::vector<OverlongValue>* overlong) {
  if (overlong) overlong->clear();
  TableFileReader(table, path, overlong).Read();
}

}  // namespace qv
