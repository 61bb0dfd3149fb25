#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Small text helpers shared by the table engine. Text is UTF-8; case folding
// touches ASCII letters only.

// The first `maxChars` code points of `text` (the whole text when shorter).
std::string CutToChars(const std::string& text, int maxChars);

// Byte length of the well-formed UTF-8 character at `at`, or 0 when the bytes
// there are none (a stray or missing continuation byte, an overlong form, a
// surrogate, anything above U+10FFFF).
std::size_t Utf8CharLength(std::string_view text, std::size_t at);
// Number of characters of well-formed UTF-8 text; nothing when it is not.
std::optional<std::size_t> Utf8Length(std::string_view text);

// -1, 0 or 1 comparing ASCII-case-folded bytes.
int CompareNoCase(std::string_view a, std::string_view b);
bool EqualNoCase(std::string_view a, std::string_view b);
std::string UpperAscii(std::string_view text);

// Strict integer: optional blanks around, an optional sign, decimal digits,
// within the signed 32-bit range. Nothing else.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// "A;B;C" -> {"A","B","C"}, blanks around each part removed, empty parts dropped.
std::vector<std::string> SplitFieldList(std::string_view list);

// A file size as a player reads it: "512 bytes", "12.5 KB", "300 MB",
// "5.5 GB" (units of 1024).
std::string ByteSizeText(std::uint64_t bytes);

// The integer formed by the leading digits of a text, after optional white
// space and an optional sign, as the C library reads it; 0 when there is no
// digit. A long run of digits saturates.
int LeadingInteger(std::string_view text);

}  // namespace qv
