#pragma once

#include <string>
#include <string_view>

namespace qv {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Windows-1252 bytes as UTF-8. The five bytes the code page leaves unassigned
// become the control characters of the same number, as Windows reads them.
std::string Windows1252ToUtf8(std::string_view text);

// Text of a file that players edit by hand, as UTF-8: kept when it is valid
// UTF-8, otherwise read as Windows-1252 (what editors on Windows write).
std::string HandEditedTextToUtf8(std::string_view text);

}  // namespace qv
