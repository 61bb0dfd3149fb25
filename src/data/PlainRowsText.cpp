#include "data/PlainRowsText.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace qv {

namespace {

// What each byte is to the reader, looked up rather than compared.
enum CharClass : unsigned char {
  kBlank = 1,      // between attributes and rows
  kNameStart = 2,  // XML name characters, in the ASCII range field names use
  kName = 4,
  kValueStop = 8,  // ends a run of plain value text: quote, entity, '<', control
};

struct CharClasses {
  unsigned char of[256] = {};
  constexpr void Mark(const char* chars, unsigned char what) {
    for (; *chars != '\0'; ++chars)
      of[static_cast<unsigned char>(*chars)] |= what;
  }
  constexpr CharClasses() {
    for (int c = 1; c < 0x20; ++c)
      of[c] = kValueStop;
    of[0] = kValueStop;
    Mark(" \t\n\r", kBlank);
    Mark("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_:", kNameStart | kName);
    Mark("0123456789-.", kName);
    Mark("\"&<", kValueStop);
  }
};
constexpr CharClasses kClasses;

bool Is(char c, CharClass what) {
  return (kClasses.of[static_cast<unsigned char>(c)] & what) != 0;
}

bool IsBlank(char c) {
  return Is(c, kBlank);
}

// Eight bytes at once: a bit in the lowest set byte of the result marks the
// first byte that ends a run of plain value text (a quote, '&', '<' or a
// control character). Bytes of UTF-8 sequences never do. The text holds a
// '<' before its end and readable bytes after it ("</Rows>"), so eight
// bytes can always be read until that '<' is found.
std::uint64_t ValueStops(const char* at) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHighs = 0x8080808080808080u;
  std::uint64_t x = 0;
  std::memcpy(&x, at, sizeof x);
  auto zeroBytes = [](std::uint64_t v) { return (v - kOnes) & ~v & kHighs; };
  return ((x - 0x20 * kOnes) & ~x & kHighs) | zeroBytes(x ^ ('"' * kOnes)) |
         zeroBytes(x ^ ('&' * kOnes)) | zeroBytes(x ^ ('<' * kOnes));
}

// Field names are short: compared inline, they cost less than the call of
// a library comparison, which a large table would make millions of times.
bool StartsWithName(const char* at, std::string_view name) {
  for (std::size_t i = 0; i < name.size(); ++i)
    if (at[i] != name[i]) return false;
  return true;
}

// Writes a code point as UTF-8 at `out`; false for one XML cannot hold.
bool PutCodePoint(std::uint32_t code, char*& out) {
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
  if (code < 0x80) {
    *out++ = static_cast<char>(code);
  } else if (code < 0x800) {
    *out++ = static_cast<char>(0xC0 | (code >> 6));
    *out++ = static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (code >> 12));
    *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (code >> 18));
    *out++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (code & 0x3F));
  }
  return true;
}

// A character reference's number, "#38" or "#x26", ending before `end`.
bool ReadReference(const char* from, const char* end, std::uint32_t& code) {
  int base = 10;
  if (from < end && *from == 'x') {
    base = 16;
    ++from;
  }
  if (from == end || end - from > 8) return false;
  code = 0;
  for (; from < end; ++from) {
    const char c = *from;
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return false;
    code = code * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
  }
  return true;
}

}  // namespace

PlainRowsText::PlainRowsText(char* begin, char* end) : at_(begin), end_(end) {
  // The text ends before the '<' of "</Rows>": every run of blanks, of name
  // characters and of plain value text stops there without counting.
  plain_ = begin <= end && *end == '<';
}

void PlainRowsText::SkipBlanks() {
  while (IsBlank(*at_))
    ++at_;
}

bool PlainRowsText::NextRow() {
  if (!plain_ || inRow_) return Stop();
  SkipBlanks();
  if (at_ == end_) return false;
  if (end_ - at_ < 5 || std::memcmp(at_, "<Row", 4) != 0) return Stop();
  at_ += 4;
  if (!IsBlank(*at_) && *at_ != '/') return Stop();
  inRow_ = true;
  return true;
}

bool PlainRowsText::NextAttribute(std::string_view expected, std::string_view& name) {
  if (!plain_ || !inRow_) return false;
  char* p = at_;
  while (IsBlank(*p))
    ++p;
  if (*p == '/') {
    if (p[1] != '>' || p + 2 > end_) return Stop();
    at_ = p + 2;
    inRow_ = false;
    return false;
  }
  // An attribute follows a blank: name = "value".
  if (!IsBlank(p[-1]) || !Is(*p, kNameStart)) return Stop();
  char* nameStart = p;
  // Compared where it stands, without a pass of its own.
  const std::size_t length = expected.size();
  const bool isExpected = length > 0 && static_cast<std::size_t>(end_ - p) > length &&
                          StartsWithName(p, expected) && !Is(p[length], kName);
  p += isExpected ? length : 0;
  while (Is(*p, kName))
    ++p;
  char* nameEnd = p;
  while (IsBlank(*p))
    ++p;
  if (*p != '=') return Stop();
  ++p;
  while (IsBlank(*p))
    ++p;
  if (*p != '"') return Stop();
  at_ = p + 1;
  name = isExpected ? expected
                    : std::string_view(nameStart, static_cast<std::size_t>(nameEnd - nameStart));
  return true;
}

bool PlainRowsText::CloseValueAt(char* quote) {
  // The next attribute or the row's end follows a blank or at once.
  if (*quote != '"' || quote + 1 >= end_ || (!IsBlank(quote[1]) && quote[1] != '/')) return false;
  at_ = quote + 1;
  return true;
}

bool PlainRowsText::ReadInteger(std::int32_t& value) {
  // Every run stops at the '<' of "</Rows>" at the latest.
  char* p = at_;
  const bool negative = *p == '-';
  p += negative ? 1 : 0;
  std::int64_t magnitude = 0;
  int digits = 0;
  for (; *p >= '0' && *p <= '9' && digits < 10; ++p, ++digits)
    magnitude = magnitude * 10 + (*p - '0');
  if (digits == 0) return false;
  const std::int64_t number = negative ? -magnitude : magnitude;
  if (number < INT32_MIN || number > INT32_MAX || !CloseValueAt(p)) return false;
  value = static_cast<std::int32_t>(number);
  return true;
}

bool PlainRowsText::ReadBoolean(bool& value) {
  char* p = at_;
  if (end_ - p > 5 && std::memcmp(p, "true\"", 5) == 0 && CloseValueAt(p + 4)) {
    value = true;
    return true;
  }
  if (end_ - p > 6 && std::memcmp(p, "false\"", 6) == 0 && CloseValueAt(p + 5)) {
    value = false;
    return true;
  }
  return false;
}

bool PlainRowsText::ReadText(std::string_view& value) {
  char* const start = at_;
  char* end = nullptr;
  if (!plain_ || !ReadValue(end)) return Stop();
  value = std::string_view(start, static_cast<std::size_t>(end - start));
  return true;
}

bool PlainRowsText::ReadValue(char*& valueEnd) {
  // Plain text stays where it is until an entity shortens the value.
  char* p = at_;
  for (;;) {
    const std::uint64_t stops = ValueStops(p);
    if (stops != 0) {
      p += std::countr_zero(stops) / 8;
      break;
    }
    p += 8;
  }
  at_ = p;
  char* out = p;
  while (at_ < end_) {
    const char c = *at_;
    if (c == '"') {
      if (!CloseValueAt(at_)) return false;
      *out = '\0';  // at or before the closing quote
      valueEnd = out;
      return true;
    }
    if (static_cast<unsigned char>(c) < 0x20 || c == '<') return false;
    if (c != '&') {
      *out++ = c;
      ++at_;
      continue;
    }
    const char* semicolon = static_cast<const char*>(std::memchr(at_, ';', end_ - at_));
    if (semicolon == nullptr || semicolon - at_ > 10) return false;
    const std::size_t length = static_cast<std::size_t>(semicolon - at_ - 1);
    const char* entity = at_ + 1;
    if (length == 3 && std::memcmp(entity, "amp", 3) == 0) {
      *out++ = '&';
    } else if (length == 2 && std::memcmp(entity, "lt", 2) == 0) {
      *out++ = '<';
    } else if (length == 2 && std::memcmp(entity, "gt", 2) == 0) {
      *out++ = '>';
    } else if (length == 4 && std::memcmp(entity, "quot", 4) == 0) {
      *out++ = '"';
    } else if (length == 4 && std::memcmp(entity, "apos", 4) == 0) {
      *out++ = '\'';
    } else {
      std::uint32_t code = 0;
      // A reference is never longer than what it stands for: "&#9;" is four
      // bytes for one, "&#x10FFFF;" ten for four.
      if (*entity != '#' || !ReadReference(entity + 1, semicolon, code) || !PutCodePoint(code, out))
        return false;
    }
    at_ = const_cast<char*>(semicolon) + 1;
  }
  return false;
}

}  // namespace qv
