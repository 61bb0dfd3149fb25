#pragma once

#include <string>
#include <vector>

namespace qv {

// The items of a comma text as language files give value lists:
// "\"-- None --\",Production,Demand". Items are separated by commas; an item
// in double quotes keeps its commas, and "" inside quotes is one quote.
// Blanks around an unquoted item are dropped, blanks inside it kept, so an
// unquoted "-- None --" is one item too.
std::vector<std::string> SplitCommaText(const std::string& text);

// The comma text of `items`: an item with a comma, a quote or blanks at its
// ends is quoted, and so is a lone empty item, so that every list reads back
// as it was.
std::string JoinCommaText(const std::vector<std::string>& items);

}  // namespace qv
