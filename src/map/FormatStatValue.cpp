#include "map/FormatStatValue.h"

#include <charconv>
#include <cmath>

namespace qv {

namespace {

// std::to_chars never consults the locale, so the separator is a point.
std::string Fixed(double value, int decimals) {
  char buffer[512];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return "0";
  std::string text(buffer, result.ptr);
  // A value that rounds to zero is shown without a sign ("0.00", not "-0.00").
  if (text.size() > 1 && text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
    text.erase(0, 1);
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
