#pragma once

#include <string_view>

namespace qv {

// The rows of a table file as the program writes them: <Row .../> elements,
// each with double-quoted attributes whose special characters are written as
// the five named entities or character references, nothing else between
// them but blanks and line breaks. Reading them this way skips building a
// document tree of a large table.
//
// Values are decoded in place (the text is changed) and end in a NUL where
// their closing quote stood; names are given with their length. Anything else (a comment, a
// child element, a single quote, a raw control character, an unknown
// entity) stops the reading and clears Plain(): the caller then reads the
// file the general way, which also finds and reports what is wrong with it.
class PlainRowsText {
 public:
  // The text between <Rows> and </Rows>; `end` points at the '<' of the
  // latter, which must be followed by the rest of it.
  PlainRowsText(char* begin, char* end);

  // Moves to the next row; false at the end of the text or when it stops
  // being plain.
  bool NextRow();
  // The next attribute of the current row; false at the row's end or when
  // the text stops being plain. When its name is `expected`, `name` is
  // `expected` itself (the same characters), which spares the caller a
  // comparison.
  bool NextAttribute(std::string_view expected, std::string_view& name, const char*& value);
  bool Plain() const { return plain_; }

 private:
  bool Stop() {
    plain_ = false;
    return false;
  }
  void SkipBlanks();
  // Decodes the value starting at at_ up to its closing quote.
  bool ReadValue();

  char* at_;
  char* end_;
  bool plain_ = true;
  bool inRow_ = false;
};

}  // namespace qv
