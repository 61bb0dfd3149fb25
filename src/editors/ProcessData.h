#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

class Field;
class Table;
class TDataModule1;

// A value typed as a boolean: true when it starts with "T", "t", "1" or the
// Cyrillic letter De (Д or д), which players of the Russian edition type for
// "yes"; anything else, the empty text included, is false.
bool ParseBool(std::string_view text);
// A value typed as an integer: leading white space, an optional sign, then
// the decimal digits up to the first other character; 0 without digits.
std::int32_t ParseInt(std::string_view text);

// The comparison of a condition. None is always satisfied.
enum class TConditionOp : std::uint8_t {
  None = 0,
  Equal = 1,
  NotEqual = 2,
  Greater = 3,
  Less = 4,
  NotGreater = 5,
  NotLess = 6,
};
// "==" "!=" ">" "<" "<=" ">="; any other text is None.
TConditionOp ConditionOpFromText(std::string_view text);

// One condition of the filter, on the current row of a table.
struct TProcessCondition {
  std::string FieldName;
  TConditionOp Op = TConditionOp::None;
  std::string ValueText;
  const Field* TestedField = nullptr;  // the field named FieldName, once set
  bool BoolValue = false;
  std::int32_t IntValue = 0;
};

// Sets a condition up from what the player chose. A condition that is not
// enabled gets Op None and keeps its other values.
void SetCondition(TProcessCondition& condition, bool enabled, const std::string& fieldName,
                  const std::string& operatorText, const std::string& valueText,
                  const Table* table);

// Whether the current row of the condition's table satisfies it. Text compares
// byte by byte (case-sensitive, a proper prefix is smaller), integers by value,
// booleans only for equality; a condition without op or field always holds,
// one on any other kind of field never does.
bool Matches(const TProcessCondition& condition);

using TProcessConditions = std::array<TProcessCondition, 3>;

struct TProcessResult {
  int count = 0;           // rows whose target field was set
  bool fieldFound = true;  // false: the target field does not exist, nothing done
  // Above 0: a text longer than the target field holds, in characters;
  // nothing done. The field's own length is targetLength.
  int tooLong = 0;
  int targetLength = 0;
  int failedRow = 0;  // 1-based position of the row the table refused, 0 when none
  std::string error;  // the table's reason for refusing it
};

// Sets `targetName` to `value` in every row of `table`, one of the store's (all) or in the rows
// that satisfy the three conditions. The value is taken as text, integer or
// boolean after the target's kind; other kinds of field are left alone and
// not counted. A text longer than a text target holds is refused before any
// row is touched, rather than stored cut. Every row is stored through the table, so its rules
// apply; each row is visited once even when storing it moves it in the table's order. When the
// table refuses a row, that row's edit is cancelled and the run stops there: rows stored before
// stay changed. The table's views are suspended for the run and always resumed.
TProcessResult ProcessRows(TDataModule1& store, Table& table, TProcessConditions& conditions,
                           bool all, const std::string& targetName, const std::string& value);

}  // namespace qv
