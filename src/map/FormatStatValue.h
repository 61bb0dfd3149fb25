#pragma once

#include <string>

namespace qv {

// The text of a statistics value: a count (rates false) as its integer part;
// an hourly rate with two decimals up to 1, one decimal up to 50 and as its
// integer part above. Decimals are rounded half away from zero on the exact
// value of the double. The decimal separator is always a point, whatever the
// locale.
std::string FormatStatValue(double value, bool rates);

}  // namespace qv
