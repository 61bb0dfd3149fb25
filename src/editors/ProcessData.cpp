#include "editors/ProcessData.h"

#include <optional>

#include "data/StoreOperations.h"
#include "data/Table.h"
#include "data/TableObserver.h"
#include "data/TextUtil.h"

namespace qv {

namespace {

template <typename T>
bool Compare(TConditionOp op, const T& field, const T& value) {
  switch (op) {
    case TConditionOp::Equal:
      return field == value;
    case TConditionOp::NotEqual:
      return field != value;
    case TConditionOp::Greater:
      return field > value;
    case TConditionOp::Less:
      return field < value;
    case TConditionOp::NotGreater:
      return !(field > value);
    case TConditionOp::NotLess:
      return !(field < value);
    case TConditionOp::None:
      break;
  }
  return true;
}

bool IsIntegerField(const Field& field) {
  return field.DataType() == FieldType::Integer || field.DataType() == FieldType::AutoInc;
}

}  // namespace

bool ParseBool(std::string_view text) {
  if (text.empty()) return false;
  if (text[0] == 'T' || text[0] == 't' || text[0] == '1') return true;
  // Д is U+0414, д U+0434: D0 94 and D0 B4 in UTF-8.
  return text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0xD0 &&
         (static_cast<unsigned char>(text[1]) == 0x94 ||
          static_cast<unsigned char>(text[1]) == 0xB4);
}

std::int32_t ParseInt(std::string_view text) {
  return LeadingInteger(text);
}

TConditionOp ConditionOpFromText(std::string_view text) {
  if (text == "==") return TConditionOp::Equal;
  if (text == "!=") return TConditionOp::NotEqual;
  if (text == "<") return TConditionOp::Less;
  if (text == ">") return TConditionOp::Greater;
  if (text == "<=") return TConditionOp::NotGreater;
  if (text == ">=") return TConditionOp::NotLess;
  return TConditionOp::None;
}

void SetCondition(TProcessCondition& condition, bool enabled, const std::string& fieldName,
                  const std::string& operatorText, const std::string& valueText,
                  const Table* table) {
  if (!enabled) {
    condition.Op = TConditionOp::None;
    return;
  }
  condition.FieldName = fieldName;
  condition.TestedField = nullptr;  // never a field of the table set before
  condition.ValueText = valueText;
  condition.BoolValue = ParseBool(valueText);
  condition.IntValue = ParseInt(valueText);
  condition.Op = ConditionOpFromText(operatorText);
  if (condition.Op != TConditionOp::None && !fieldName.empty() && table)
    condition.TestedField = table->FindField(fieldName);
}

bool Matches(const TProcessCondition& condition) {
  const Field* field = condition.TestedField;
  if (condition.Op == TConditionOp::None || !field) return true;
  if (field->DataType() == FieldType::String)
    return Compare(condition.Op, field->AsString(), condition.ValueText);
  if (IsIntegerField(*field)) return Compare(condition.Op, field->AsInteger(), condition.IntValue);
  if (field->DataType() == FieldType::Boolean) {
    if (condition.Op == TConditionOp::Equal) return field->AsBoolean() == condition.BoolValue;
    if (condition.Op == TConditionOp::NotEqual) return field->AsBoolean() != condition.BoolValue;
  }
  return false;
}

TProcessResult ProcessRows(TDataModule1& store, Table& table, TProcessConditions& conditions,
                           bool all, const std::string& targetName, const std::string& value) {
  TProcessResult result;
  Field* target = table.FindField(targetName);
  if (!target) {
    result.fieldFound = false;
    return result;
  }
  if (target->DataType() == FieldType::String && target->Size() > 0) {
    const std::size_t length = Utf8Length(value).value_or(value.size());
    if (length > static_cast<std::size_t>(target->Size())) {
      result.tooLong = static_cast<int>(length);
      result.targetLength = target->Size();
      return result;
    }
  }
  // Text, integer and boolean targets take the value; a row of any other
  // kind of target is stored as it is and not counted.
  std::optional<Value> stored;
  switch (target->DataType()) {
    case FieldType::String:
      stored = Value(value);
      break;
    case FieldType::Integer:
      stored = Value(ParseInt(value));
      break;
    case FieldType::Boolean:
      stored = Value(ParseBool(value));
      break;
    default:
      break;
  }
  const TBulkChange change =
      ChangeFieldOfRows(store, table, target->Index(), stored, [&conditions, all] {
        return all || (Matches(conditions[0]) && Matches(conditions[1]) && Matches(conditions[2]));
      });
  result.count = change.changed;
  result.failedRow = change.failedRow;
  result.error = change.error;
  return result;
}

}  // namespace qv
