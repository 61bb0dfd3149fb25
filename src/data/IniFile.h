#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qv {

// A private-profile (INI) text file held in memory: "[Section]" lines followed
// by "Key=Value" lines. Section and key names compare without regard to ASCII
// case; sections, keys and their order are kept as read, comments and blank
// lines included, so writing changes only the keys written. Values read are cut
// at 2047 characters. Each line is read as UTF-8 (a leading byte-order mark
// is skipped), or as Windows-1252 when it is not valid UTF-8; the file is
// written in UTF-8. Reading is lenient: a line holding NUL bytes is no entry
// but is kept as it stands, and NUL bytes at the end of a line or of the file
// are dropped.
class IniFile {
 public:
  // An empty file that will be saved to `path`.
  explicit IniFile(std::string path);
  virtual ~IniFile();
  IniFile(IniFile&&) noexcept;
  IniFile& operator=(IniFile&&) noexcept;
  // Reads `path`; a missing file gives an empty one. Returns nothing and sets
  // `error` to the reason ("it is not a regular file") when the file exists
  // but cannot be read: no permission, not a regular file (a FIFO is never
  // waited on), or larger than the 16 MB read from a text file.
  static std::unique_ptr<IniFile> Load(const std::string& path, std::string* error = nullptr);

  const std::string& Path() const { return path_; }

  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& key) const;
  // Key names of a section in file order.
  std::vector<std::string> ReadSection(const std::string& section) const;
  // The section's entries in file order as (key, value); entries whose value
  // is empty are left out (the language files rely on it).
  std::vector<std::pair<std::string, std::string>> ReadSectionValues(
      const std::string& section) const;
  std::vector<std::string> ReadSections() const;

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  // Decimal, "0x"/"0X" hexadecimal (more than two characters) or "$"
  // hexadecimal; a missing key or text that is no number gives the default.
  std::int32_t ReadInteger(const std::string& section, const std::string& key,
                           std::int32_t defaultValue) const;
  // Read as an integer with the default 1 or 0; anything other than 0 is true.
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);
  void WriteBool(const std::string& section, const std::string& key, bool value);  // "1" / "0"
  void DeleteKey(const std::string& section, const std::string& key);
  void EraseSection(const std::string& section);

  bool IsDirty() const { return dirty_; }
  // Line breaks in sections, keys and values written become blanks, so that
  // a value can never add lines (keys or sections) of its own to the file.
  // Writes the file when it changed, through ReplaceFileAtomically: a
  // read-only file is refused and left as it is. Returns false and sets
  // `error` on failure; the old file is intact.
  bool UpdateFile(std::string* error = nullptr);

 private:
  struct Line;
  struct Section;
  std::string path_;
  std::vector<Section> sections_;  // lines before the first section form one without a header
  bool dirty_ = false;
  bool byteOrderMark_ = false;  // kept when the file is written back
  Section* FindSection(const std::string& name);
  const Section* FindSection(const std::string& name) const;
  Section& SectionForWriting(const std::string& name);
  static std::vector<const Line*> UniqueEntries(const Section& section);
  void Parse(const std::string& text);
  std::string Serialize() const;
};

}  // namespace qv
