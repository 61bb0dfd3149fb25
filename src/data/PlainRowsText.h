#pragma once

#include <cstdint>
#include <string_view>

namespace qv {

// The rows of a table file as the program writes them: <Row .../> elements,
// each with double-quoted attributes whose special characters are written as
// the five named entities or character references, nothing else between
// them but blanks and line breaks. Reading them this way skips building a
// document tree of a large table.
//
// After each attribute's name the caller reads its value one of three ways:
// as an integer or a boolean straight from the text (when it is written the
// way the program writes one), else as text, decoded in place (the text is
// changed) and ended by a NUL where its closing quote stood. Anything else (a
// comment, a child element, a single quote, a raw control character, an
// unknown entity) stops the reading and clears Plain(): the caller then reads
// the file the general way, which also finds and reports what is wrong with it.
class PlainRowsText {
 public:
  // The text between <Rows> and </Rows>; `end` points at the '<' of the
  // latter, which must be followed by the rest of it.
  PlainRowsText(char* begin, char* end);

  // Moves to the next row; false at the end of the text or when it stops
  // being plain.
  bool NextRow();
  // The name of the next attribute of the current row; false at the row's
  // end or when the text stops being plain. When the name is `expected`,
  // `name` is `expected` itself (the same characters), which spares the
  // caller a comparison. Its value is read next, by one of the three below.
  bool NextAttribute(std::string_view expected, std::string_view& name);
  // The value as "-12" or "340" within the 32-bit range; false, with nothing
  // read, for any other value.
  bool ReadInteger(std::int32_t& value);
  // The value as "true" or "false"; false, with nothing read, for any other.
  bool ReadBoolean(bool& value);
  // The value as text (followed by a NUL); false when it is not plain.
  bool ReadText(std::string_view& value);
  bool Plain() const { return plain_; }

 private:
  bool Stop() {
    plain_ = false;
    return false;
  }
  void SkipBlanks();
  // Whether the value's closing quote is at `quote` and the row goes on
  // properly after it; moves past it when so.
  bool CloseValueAt(char* quote);
  // Decodes the value starting at at_ up to its closing quote, which it
  // replaces by a NUL at `valueEnd`.
  bool ReadValue(char*& valueEnd);

  char* at_;
  char* end_;
  bool plain_ = true;
  bool inRow_ = false;
};

}  // namespace qv
