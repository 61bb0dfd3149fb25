#include "data/IniFile.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <unordered_set>

#include "data/TextEncoding.h"

#include "data/AtomicFile.h"
#include "data/RegularFile.h"

namespace qv {

namespace {

constexpr std::size_t kMaxValueLength = 2047;  // characters, as the platform reader returns
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string Trim(const std::string& s) {
  std::size_t begin = 0;
  std::size_t end = s.size();
  while (begin < end && IsBlank(s[begin]))
    ++begin;
  while (end > begin && IsBlank(s[end - 1]))
    --end;
  return s.substr(begin, end - begin);
}

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

// Cuts after `maxChars` UTF-8 characters, never inside one.
std::string CutCharacters(const std::string& s, std::size_t maxChars) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) continue;  // continuation byte
    if (chars == maxChars) return s.substr(0, i);
    ++chars;
  }
  return s;
}

// What a reader of the file gets for a stored value: matching quotes around
// it removed, and no more than the platform's limit of characters.
std::string ValueAsRead(const std::string& stored) {
  std::string v = stored;
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return CutCharacters(v, kMaxValueLength);
}

std::string OneLine(std::string s) {
  std::replace_if(
      s.begin(), s.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return s;
}

// The text stored for a value so that reading gives the value back: reading
// trims blanks and removes one pair of matching quotes, so a value with a
// blank at either end, or between matching quotes, is stored quoted once more.
std::string StoredValue(const std::string& value) {
  std::string v = OneLine(value);
  const bool blankEdge = !v.empty() && (IsBlank(v.front()) || IsBlank(v.back()));
  const bool quoted =
      v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
  return blankEdge || quoted ? '"' + v + '"' : v;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = LowerAscii(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The whole text must be the number: an optional sign, then decimal digits,
// "$" and hex digits, or "0x"/"0X" and hex digits. Hexadecimal fills the 32 bits
// (so 0xFFFFFFFF is -1); decimal outside the 32-bit range is no number.
std::optional<std::int32_t> ParseInteger(const std::string& text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= text.size()) return std::nullopt;
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit =
        hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<unsigned>(digit);
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  if (hex) {
    const auto bits = static_cast<std::uint32_t>(negative ? 0u - static_cast<std::uint32_t>(value)
                                                          : static_cast<std::uint32_t>(value));
    return static_cast<std::int32_t>(bits);
  }
  if (negative) {
    if (value > 0x80000000ull) return std::nullopt;
    return static_cast<std::int32_t>(-static_cast<std::int64_t>(value));
  }
  if (value > 0x7FFFFFFFull) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace

struct IniFile::Line {
  std::string text;      // the line as it stands in the file
  bool isEntry = false;  // "key=value"; everything else is kept as it is
  std::string key;
  std::string value;

  static Line Plain(std::string text) {
    Line line;
    line.text = std::move(text);
    return line;
  }
};

struct IniFile::Section {
  std::string name;
  bool hasHeader = true;
  std::vector<Line> lines;

  Line* FindEntry(const std::string& key) {
    for (Line& line : lines) {
      if (line.isEntry && SameName(line.key, key)) return &line;
    }
    return nullptr;
  }
  const Line* FindEntry(const std::string& key) const {
    return const_cast<Section*>(this)->FindEntry(key);
  }
};

IniFile::IniFile(std::string path) : path_(std::move(path)) {}
IniFile::~IniFile() = default;
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;

std::unique_ptr<IniFile> IniFile::Load(const std::string& path, std::string* error) {
  RegularFileContent content = ReadRegularFile(path, kMaxTextFileBytes);
  if (content.status == RegularFileContent::Refused) {
    if (error) *error = content.reason;
    return nullptr;
  }
  auto file = std::make_unique<IniFile>(path);
  std::string& text = content.text;
  if (text.compare(0, 3, kByteOrderMark) == 0) {
    file->byteOrderMark_ = true;
    text.erase(0, 3);
  }
  // A machine that died while the file was written can leave it padded with
  // NUL bytes; they are no part of the settings.
  while (!text.empty() && text.back() == '\0')
    text.pop_back();
  file->Parse(text);
  return file;
}

void IniFile::Parse(const std::string& text) {
  sections_.clear();
  const auto currentSection = [this]() -> Section& {
    if (sections_.empty()) {
      Section preamble;
      preamble.hasHeader = false;
      sections_.push_back(std::move(preamble));
    }
    return sections_.back();
  };
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string raw = text.substr(pos, end - pos);
    pos = end + 1;
    while (!raw.empty() && (raw.back() == '\r' || raw.back() == '\0'))
      raw.pop_back();
    if (raw.find('\0') != std::string::npos) {
      // Binary junk is no entry, but it is kept as it stands, and the lines
      // around it are read as usual: one damaged line costs no other setting.
      currentSection().lines.push_back(Line::Plain(std::move(raw)));
      continue;
    }
    // Players edit these files by hand, often in an editor that writes the
    // Windows code page; such a line is read as that, and written in UTF-8.
    // Line by line, so that one stray byte does not garble the others.
    raw = HandEditedTextToUtf8(raw);

    const std::string trimmed = Trim(raw);
    if (!trimmed.empty() && trimmed.front() == '[') {
      const std::size_t close = trimmed.find(']');
      Section section;
      section.name =
          Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
      section.lines.push_back(Line::Plain(raw));  // the header line itself
      sections_.push_back(std::move(section));
      continue;
    }
    Line line = Line::Plain(raw);
    const std::size_t eq = raw.find('=');
    if (eq != std::string::npos && !trimmed.empty() && trimmed.front() != ';') {
      line.isEntry = true;
      line.key = Trim(raw.substr(0, eq));
      line.value = Trim(raw.substr(eq + 1));
    }
    currentSection().lines.push_back(std::move(line));
  }
}

IniFile::Section* IniFile::FindSection(const std::string& name) {
  for (Section& section : sections_) {
    if (section.hasHeader && SameName(section.name, name)) return &section;
  }
  return nullptr;
}

const IniFile::Section* IniFile::FindSection(const std::string& name) const {
  return const_cast<IniFile*>(this)->FindSection(name);
}

bool IniFile::SectionExists(const std::string& section) const {
  return FindSection(section) != nullptr;
}

bool IniFile::ValueExists(const std::string& section, const std::string& key) const {
  const Section* s = FindSection(section);
  return s && s->FindEntry(key);
}

// The entries of a section in file order, each key once (a repeated key names
// the value of its first appearance). Linear in the section's length: a
// language file may give a window tens of thousands of keys.
std::vector<const IniFile::Line*> IniFile::UniqueEntries(const Section& section) {
  std::vector<const Line*> entries;
  std::unordered_set<std::string> seen;
  for (const Line& line : section.lines) {
    if (!line.isEntry) continue;
    std::string folded = line.key;
    std::transform(folded.begin(), folded.end(), folded.begin(), LowerAscii);
    if (seen.insert(std::move(folded)).second) entries.push_back(&line);
  }
  return entries;
}

std::vector<std::string> IniFile::ReadSection(const std::string& section) const {
  std::vector<std::string> keys;
  if (const Section* s = FindSection(section)) {
    for (const Line* line : UniqueEntries(*s))
      keys.push_back(line->key);
  }
  return keys;
}

std::vector<std::pair<std::string, std::string>> IniFile::ReadSectionValues(
    const std::string& section) const {
  std::vector<std::pair<std::string, std::string>> entries;
  const Section* s = FindSection(section);
  if (!s) return entries;
  for (const Line* line : UniqueEntries(*s)) {
    std::string value = ValueAsRead(line->value);
    if (!value.empty()) entries.emplace_back(line->key, std::move(value));
  }
  return entries;
}

std::vector<std::string> IniFile::ReadSections() const {
  std::vector<std::string> names;
  for (const Section& section : sections_) {
    if (section.hasHeader) names.push_back(section.name);
  }
  return names;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
  const Section* s = FindSection(section);
  const Line* line = s ? s->FindEntry(key) : nullptr;
  return line ? ValueAsRead(line->value) : defaultValue;
}

std::int32_t IniFile::ReadInteger(const std::string& section, const std::string& key,
                                  std::int32_t defaultValue) const {
  const Section* s = FindSection(section);
  const Line* line = s ? s->FindEntry(key) : nullptr;
  if (!line) return defaultValue;
  return ParseInteger(ValueAsRead(line->value)).value_or(defaultValue);
}

bool IniFile::ReadBool(const std::string& section, const std::string& key,
                       bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

IniFile::Section& IniFile::SectionForWriting(const std::string& name) {
  if (Section* s = FindSection(name)) return *s;
  Section section;
  section.name = OneLine(name);
  section.lines.push_back(Line::Plain("[" + section.name + "]"));
  sections_.push_back(std::move(section));
  dirty_ = true;
  return sections_.back();
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
  Section& s = SectionForWriting(section);
  const std::string cleanValue = StoredValue(value);
  if (Line* line = s.FindEntry(key)) {
    if (line->value == cleanValue) return;
    line->value = cleanValue;
    line->text = line->key + "=" + cleanValue;
    dirty_ = true;
    return;
  }
  Line line;
  line.isEntry = true;
  line.key = OneLine(key);
  line.value = cleanValue;
  line.text = line.key + "=" + line.value;
  // After the section's last line that is not blank, so that the blank lines
  // separating it from the next section stay where they are.
  auto it = s.lines.end();
  while (it != s.lines.begin() + (s.hasHeader ? 1 : 0) && Trim(std::prev(it)->text).empty())
    --it;
  s.lines.insert(it, std::move(line));
  dirty_ = true;
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::DeleteKey(const std::string& section, const std::string& key) {
  Section* s = FindSection(section);
  if (!s) return;
  const auto it = std::find_if(s->lines.begin(), s->lines.end(), [&](const Line& line) {
    return line.isEntry && SameName(line.key, key);
  });
  if (it == s->lines.end()) return;
  s->lines.erase(it);
  dirty_ = true;
}

void IniFile::EraseSection(const std::string& section) {
  const auto it = std::find_if(sections_.begin(), sections_.end(), [&](const Section& s) {
    return s.hasHeader && SameName(s.name, section);
  });
  if (it == sections_.end()) return;
  sections_.erase(it);
  dirty_ = true;
}

std::string IniFile::Serialize() const {
  std::string out = byteOrderMark_ ? kByteOrderMark : "";
  for (const Section& section : sections_) {
    for (const Line& line : section.lines) {
      out += line.text;
      out += "\r\n";
    }
  }
  return out;
}

bool IniFile::UpdateFile(std::string* error) {
  if (!dirty_) return true;
  try {
    ReplaceFileAtomically(path_, Serialize());
  } catch (const std::exception& failure) {
    if (error) *error = failure.what();
    return false;
  }
  dirty_ = false;
  return true;
}

}  // namespace qv
