#include "data/NumStrList.h"

#include <algorithm>
#include <cctype>

namespace qv {

namespace {
bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
    return std::toupper(x) == std::toupper(y);
  });
}
}  // namespace

void TNumStrList::Clear() {
  names_.clear();
  numbers_.clear();
}

void TNumStrList::Reserve(int size) {
  names_.reserve(size);
  numbers_.reserve(size);
}

void TNumStrList::Add(const std::string& name, std::int32_t number) {
  names_.push_back(name);
  numbers_.push_back(number);
}

std::int32_t TNumStrList::NumberOf(const std::string& name) const {
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (EqualIgnoringCase(names_[i], name)) return numbers_[i];
  return -1;
}

std::string TNumStrList::NameOf(std::int32_t number) const {
  for (std::size_t i = 0; i < numbers_.size(); ++i)
    if (numbers_[i] == number) return names_[i];
  return {};
}

}  // namespace qv
