#include "map/FormatStatValue.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace qv {

namespace {

// Every finite double is a decimal fraction with at most this many digits
// after the point (the smallest subnormal is 2^-1074).
constexpr int kExactDecimals = 1074;

// Adds one unit in the last place to the digits of `text` (a magnitude
// without sign), carrying over the point as needed: "9.99" becomes "10.00".
void RoundUpLastDigit(std::string& text) {
  for (auto i = text.size(); i-- > 0;) {
    if (text[i] == '.') continue;
    if (text[i] != '9') {
      ++text[i];
      return;
    }
    text[i] = '0';
  }
  text.insert(text.begin(), '1');
}

// The value with `decimals` digits after the point, rounded half away from
// zero on the value's exact decimal expansion: 11.25 gives "11.3" and 0.125
// "0.13", while 0.285 (stored a hair below) gives "0.28". std::to_chars never
// consults the locale, so the separator is a point.
std::string Fixed(double value, int decimals) {
  char buffer[kExactDecimals + 400];  // 309 integer digits at most
  if (!std::isfinite(value)) {
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
  }
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::fixed, kExactDecimals);
  if (result.ec != std::errc()) return "0";
  const std::string_view exact(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t point = exact.find('.');
  const std::size_t kept = point + (decimals > 0 ? 1 + static_cast<std::size_t>(decimals) : 0);
  std::string text(exact.substr(0, kept));
  const char next = exact[decimals > 0 ? kept : point + 1];
  if (next >= '5') RoundUpLastDigit(text);
  // A value that rounds to zero is shown without a sign ("0.00", not "-0.00").
  if (std::signbit(value) && text.find_first_not_of("0.") != std::string::npos)
    text.insert(text.begin(), '-');
  return text;
}

std::string Truncated(double value) {
  return Fixed(std::trunc(value), 0);
}

}  // namespace

std::string FormatStatValue(double value, bool rates) {
  if (!rates) return Truncated(value);
  if (value <= 1.0) return Fixed(value, 2);
  if (value <= 50.0) return Fixed(value, 1);
  return Truncated(value);
}

}  // namespace qv
