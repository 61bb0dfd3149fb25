#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// Names paired with numbers (product and factory names with their Ids).
class TNumStrList {
 public:
  void Clear();
  void Reserve(int size);
  void Add(const std::string& name, std::int32_t number);
  int Size() const { return static_cast<int>(names_.size()); }
  const std::string& Name(int index) const { return names_.at(index); }
  std::int32_t Number(int index) const { return numbers_.at(index); }
  // Number of the first name equal without regard to case; -1 when absent.
  std::int32_t NumberOf(const std::string& name) const;
  // Name of the first entry with that number; "" when absent.
  std::string NameOf(std::int32_t number) const;

 private:
  std::vector<std::string> names_;
  std::vector<std::int32_t> numbers_;
};

}  // namespace qv
