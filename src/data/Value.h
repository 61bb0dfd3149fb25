#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace qv {

// One cell of a table: null, a signed 32-bit integer, a boolean or UTF-8 text.
// A null reads as 0, false or the empty text.
class Value {
 public:
  enum class Kind { Null, Integer, Boolean, String };

  Value() = default;
  Value(std::int32_t v) : data_(v) {}
  Value(bool v) : data_(v) {}
  Value(std::string v) : data_(std::move(v)) {}
  Value(const char* v) : data_(std::string(v)) {}

  Kind GetKind() const { return static_cast<Kind>(data_.index()); }
  bool IsNull() const { return data_.index() == 0; }

  // Conversions never throw: a null gives 0 / false / "", a boolean reads as
  // 0 or 1, text that is no integer reads as 0, text reads true when it is
  // "1" or "true" (any case).
  // The number and the flag are read inline: tables are scanned for them
  // hundreds of thousands of times.
  std::int32_t ToInteger() const {
    if (const auto* number = std::get_if<std::int32_t>(&data_)) return *number;
    return OtherToInteger();
  }
  bool ToBoolean() const {
    if (const auto* flag = std::get_if<bool>(&data_)) return *flag;
    return OtherToBoolean();
  }
  std::string ToString() const;

  friend bool operator==(const Value& a, const Value& b) = default;
  friend int CompareValues(const Value& a, const Value& b);

 private:
  std::int32_t OtherToInteger() const;
  bool OtherToBoolean() const;

  std::variant<std::monostate, std::int32_t, bool, std::string> data_;
};

// Order of values in indexes: null first; integers and booleans by number;
// text without regard to ASCII case first, then byte by byte, so that a key
// search with the exact text finds exactly that text. Returns <0, 0 or >0.
int CompareValues(const Value& a, const Value& b);

}  // namespace qv
