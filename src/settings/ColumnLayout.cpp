#include "settings/ColumnLayout.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <sstream>

#include "data/AtomicFile.h"
#include "data/RegularFile.h"
#include "data/TextUtil.h"
#include "settings/CommaText.h"

namespace qv {

namespace {

// The first line of every layout file: a file without it is someone else's.
const char kHeader[] = "QVMap column layout 1";
const char kColumnLine[] = "[Column]";
constexpr int kMaxWidth = 100000;
constexpr int kMaxDropDownRows = 1000;
constexpr int kMaxFontSize = 1000;

const char* AlignmentName(Alignment align) {
  switch (align) {
    case Alignment::Right:
      return "Right";
    case Alignment::Center:
      return "Center";
    default:
      return "Left";
  }
}

std::optional<Alignment> ParseAlignment(const std::string& text) {
  if (text == "Left") return Alignment::Left;
  if (text == "Right") return Alignment::Right;
  if (text == "Center") return Alignment::Center;
  return std::nullopt;
}

const char* ButtonStyleName(EditButtonStyle style) {
  switch (style) {
    case EditButtonStyle::Ellipsis:
      return "Ellipsis";
    case EditButtonStyle::None:
      return "None";
    default:
      return "Auto";
  }
}

std::optional<EditButtonStyle> ParseButtonStyle(const std::string& text) {
  if (text == "Auto") return EditButtonStyle::Auto;
  if (text == "Ellipsis") return EditButtonStyle::Ellipsis;
  if (text == "None") return EditButtonStyle::None;
  return std::nullopt;
}

// A value can never add lines of its own to the file.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  std::replace(text.begin(), text.end(), '\r', ' ');
  return text;
}

class Writer {
 public:
  void Put(const std::string& key, const std::string& value) {
    out_ << key << '=' << OneLine(value) << '\n';
  }
  void Put(const std::string& key, int value) { Put(key, std::to_string(value)); }
  void PutFont(const std::string& prefix, const TFontParams& font) {
    Put(prefix + "Name", font.Name);
    Put(prefix + "Size", font.Size);
    Put(prefix + "Color", font.Color);
    Put(prefix + "Style", static_cast<int>(font.Style));
    Put(prefix + "Charset", font.Charset);
  }
  void Line(const char* text) { out_ << text << '\n'; }
  std::string Text() const { return out_.str(); }

 private:
  std::ostringstream out_;
};

// Takes one "key=value" entry of a column; false when the key is unknown or
// the value is not one the key can have.
class ColumnReader {
 public:
  explicit ColumnReader(TColumn& column) : column_(column) {}

  bool Take(const std::string& key, const std::string& value) {
    if (key == "Field") {
      column_.FieldName = value;
      return !value.empty();
    }
    if (key == "Width") return Integer(value, 0, kMaxWidth, column_.Width);
    if (key == "Visible") return Flag(value, column_.Visible);
    if (key == "ReadOnly") return Flag(value, column_.ReadOnly);
    if (key == "Align") return Set(ParseAlignment(value), column_.Align);
    if (key == "Color") return Color(value, column_.Color);
    if (key == "Pick") {
      column_.PickList.push_back(value);
      return true;
    }
    if (key == "ButtonStyle") {
      const auto style = ParseButtonStyle(value);
      if (style) column_.ButtonStyle = *style;
      return style.has_value();
    }
    if (key == "DropDownRows") return Integer(value, 1, kMaxDropDownRows, column_.DropDownRows);
    if (key == "Title.Caption") {
      column_.Title.Caption = value;
      return true;
    }
    if (key == "Title.Align") {
      const auto align = ParseAlignment(value);
      if (align) column_.Title.Align = *align;
      return align.has_value();
    }
    if (key == "Title.Color") return Color(value, column_.Title.Color);
    if (key.starts_with("Title.Font.")) return Font(key.substr(11), value, column_.Title.Font);
    if (key.starts_with("Font.")) return Font(key.substr(5), value, column_.Font);
    return false;
  }

 private:
  static bool Integer(const std::string& text, int low, int high, int& out) {
    const auto value = ParseInt32(text);
    if (!value || *value < low || *value > high) return false;
    out = *value;
    return true;
  }
  static bool Flag(const std::string& text, bool& out) {
    if (text != "0" && text != "1") return false;
    out = text == "1";
    return true;
  }
  template <typename T>
  static bool Set(const std::optional<T>& value, std::optional<T>& out) {
    if (value) out = value;
    return value.has_value();
  }
  static bool Color(const std::string& text, std::optional<TColor>& out) {
    return Set(ParseInt32(text), out);
  }
  // A bad font entry leaves the font as it was, or the grid's when it had none.
  static bool Font(const std::string& part, const std::string& text,
                   std::optional<TFontParams>& font) {
    TFontParams changed = font.value_or(TFontParams());
    if (!FontPart(part, text, changed)) return false;
    font = changed;
    return true;
  }
  static bool FontPart(const std::string& part, const std::string& text, TFontParams& font) {
    if (part == "Name") {
      font.Name = text;
      return !text.empty();
    }
    int number = 0;
    if (part == "Size") return Integer(text, 1, kMaxFontSize, font.Size);
    if (part == "Color") return Integer(text, INT32_MIN, INT32_MAX, font.Color);
    if (part == "Style") {
      const unsigned all = kFontBold | kFontItalic | kFontUnderline | kFontStrikeOut;
      if (!Integer(text, 0, static_cast<int>(all), number)) return false;
      font.Style = static_cast<unsigned>(number);
      return true;
    }
    if (part == "Charset") {
      if (!Integer(text, 0, 255, number)) return false;
      font.Charset = static_cast<std::uint8_t>(number);
      return true;
    }
    return false;
  }

  TColumn& column_;
};

std::optional<TColumnList> Refuse(std::string* error, const std::string& reason) {
  if (error) *error = reason;
  return std::nullopt;
}

}  // namespace

TColumn* FindColumn(TColumnList& columns, const std::string& fieldName) {
  const auto it = std::find_if(columns.begin(), columns.end(),
                               [&](const TColumn& c) { return c.FieldName == fieldName; });
  return it == columns.end() ? nullptr : &*it;
}

const TColumn* FindColumn(const TColumnList& columns, const std::string& fieldName) {
  return FindColumn(const_cast<TColumnList&>(columns), fieldName);
}

std::vector<std::string> PickListFromText(const std::string& text) {
  std::string commas = text;
  std::replace(commas.begin(), commas.end(), ';', ',');
  return SplitCommaText(commas);
}

std::string FormatColumnLayout(const TColumnList& columns) {
  Writer out;
  out.Line(kHeader);
  for (const TColumn& column : columns) {
    out.Line(kColumnLine);
    out.Put("Field", column.FieldName);
    out.Put("Width", column.Width);
    out.Put("Visible", column.Visible ? 1 : 0);
    out.Put("ReadOnly", column.ReadOnly ? 1 : 0);
    if (column.Align) out.Put("Align", AlignmentName(*column.Align));
    if (column.Color) out.Put("Color", *column.Color);
    if (column.Font) out.PutFont("Font.", *column.Font);
    for (const std::string& item : column.PickList)
      out.Put("Pick", item);
    out.Put("ButtonStyle", ButtonStyleName(column.ButtonStyle));
    out.Put("DropDownRows", column.DropDownRows);
    out.Put("Title.Caption", column.Title.Caption);
    out.Put("Title.Align", AlignmentName(column.Title.Align));
    if (column.Title.Color) out.Put("Title.Color", *column.Title.Color);
    if (column.Title.Font) out.PutFont("Title.Font.", *column.Title.Font);
  }
  return out.Text();
}

std::optional<TColumnList> ParseColumnLayout(const std::string& text, std::string* error,
                                             std::vector<std::string>* skipped) {
  std::istringstream in(text);
  std::string line;
  int lineNumber = 0;
  bool headerSeen = false;
  TColumnList columns;
  const auto skip = [&](const std::string& what) {
    if (skipped) skipped->push_back("line " + std::to_string(lineNumber) + ": " + what);
  };
  while (std::getline(in, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!headerSeen) {
      if (line != kHeader) return Refuse(error, "not a column layout file");
      headerSeen = true;
      continue;
    }
    if (line.empty()) continue;
    if (line == kColumnLine) {
      columns.emplace_back();
      continue;
    }
    const std::size_t equals = line.find('=');
    if (columns.empty() || equals == std::string::npos) {
      skip("unexpected text");
      continue;
    }
    const std::string key = line.substr(0, equals);
    if (!ColumnReader(columns.back()).Take(key, line.substr(equals + 1))) skip("bad entry " + key);
  }
  if (!headerSeen) return Refuse(error, "not a column layout file");
  const auto unnamed = std::remove_if(columns.begin(), columns.end(), [](const TColumn& column) {
    return column.FieldName.empty();
  });
  if (unnamed != columns.end() && skipped) skipped->push_back("a column names no field");
  columns.erase(unnamed, columns.end());
  return columns;
}

std::optional<TColumnList> ReadColumnLayoutFile(const std::string& path, std::string* error) {
  // Never a FIFO or a device, and never more than a text file may be.
  RegularFileContent file = ReadRegularFile(path, kMaxTextFileBytes);
  if (file.status == RegularFileContent::Missing) return Refuse(error, ErrnoText(ENOENT));
  if (file.status == RegularFileContent::Refused) return Refuse(error, file.reason);
  return ParseColumnLayout(file.text, error);
}

void WriteColumnLayoutFile(const std::string& path, const TColumnList& columns) {
  ReplaceFileAtomically(path, FormatColumnLayout(columns));
}

}  // namespace qv
