#include "data/Value.h"

#include "data/TextUtil.h"

namespace qv {

std::int32_t Value::OtherToInteger() const {
  switch (GetKind()) {
    case Kind::Null:
      return 0;
    case Kind::Integer:
      return std::get<std::int32_t>(data_);
    case Kind::Boolean:
      return std::get<bool>(data_) ? 1 : 0;
    case Kind::String:
      return ParseInt32(std::get<std::string>(data_)).value_or(0);
  }
  return 0;
}

bool Value::OtherToBoolean() const {
  switch (GetKind()) {
    case Kind::Null:
      return false;
    case Kind::Integer:
      return std::get<std::int32_t>(data_) != 0;
    case Kind::Boolean:
      return std::get<bool>(data_);
    case Kind::String: {
      const std::string& s = std::get<std::string>(data_);
      return s == "1" || EqualNoCase(s, "true");
    }
  }
  return false;
}

std::string Value::ToString() const {
  switch (GetKind()) {
    case Kind::Null:
      return std::string();
    case Kind::Integer:
      return std::to_string(std::get<std::int32_t>(data_));
    case Kind::Boolean:
      return std::get<bool>(data_) ? "True" : "False";
    case Kind::String:
      return std::get<std::string>(data_);
  }
  return std::string();
}

int CompareValues(const Value& a, const Value& b) {
  // Index keys are mostly integers: settle those before any other test.
  const std::int32_t* aInt = std::get_if<std::int32_t>(&a.data_);
  const std::int32_t* bInt = std::get_if<std::int32_t>(&b.data_);
  if (aInt && bInt) return *aInt < *bInt ? -1 : (*aInt > *bInt ? 1 : 0);
  const bool aNull = a.IsNull();
  const bool bNull = b.IsNull();
  if (aNull || bNull) return aNull == bNull ? 0 : (aNull ? -1 : 1);
  const std::string* aText = std::get_if<std::string>(&a.data_);
  const std::string* bText = std::get_if<std::string>(&b.data_);
  if (aText && bText) {
    const std::string& sa = *aText;
    const std::string& sb = *bText;
    const int folded = CompareNoCase(sa, sb);
    if (folded != 0) return folded;
    const int exact = sa.compare(sb);
    return exact < 0 ? -1 : (exact > 0 ? 1 : 0);
  }
  // Numbers (integers and booleans) sort before text.
  if (aText || bText) return aText ? 1 : -1;
  const std::int32_t ia = a.ToInteger();
  const std::int32_t ib = b.ToInteger();
  return ia < ib ? -1 : (ia > ib ? 1 : 0);
}

}  // namespace qv
