#include "settings/CommaText.h"

namespace qv {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string Trimmed(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin]))
    ++begin;
  while (end > begin && IsBlank(text[end - 1]))
    --end;
  return text.substr(begin, end - begin);
}

}  // namespace

std::vector<std::string> SplitCommaText(const std::string& text) {
  std::vector<std::string> items;
  if (Trimmed(text).empty()) return items;
  std::size_t i = 0;
  while (true) {
    while (i < text.size() && IsBlank(text[i]))
      ++i;
    std::string item;
    if (i < text.size() && text[i] == '"') {
      ++i;
      while (i < text.size()) {
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            item += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += text[i++];
      }
      // Anything between the closing quote and the comma belongs to the item.
      const std::size_t comma = text.find(',', i);
      item += Trimmed(text.substr(i, comma == std::string::npos ? std::string::npos : comma - i));
      i = comma;
    } else {
      const std::size_t comma = text.find(',', i);
      item = Trimmed(text.substr(i, comma == std::string::npos ? std::string::npos : comma - i));
      i = comma;
    }
    items.push_back(item);
    if (i == std::string::npos) break;
    ++i;  // past the comma
  }
  return items;
}

std::string JoinCommaText(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t n = 0; n < items.size(); ++n) {
    const std::string& item = items[n];
    if (n > 0) text += ',';
    // A lone empty item is quoted: unquoted it would read back as no item.
    const bool quote = item.find_first_of(",\"") != std::string::npos ||
                       (!item.empty() && (IsBlank(item.front()) || IsBlank(item.back()))) ||
                       (item.empty() && items.size() == 1);
    if (!quote) {
      text += item;
      continue;
    }
    text += '"';
    for (char c : item) {
      if (c == '"') text += '"';
      text += c;
    }
    text += '"';
  }
  return text;
}

}  // namespace qv
