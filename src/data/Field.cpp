#include "data/Field.h"

#include "data/Table.h"
#include "data/TableError.h"
#include "data/TextUtil.h"

namespace qv {

Field::Field(Table& table, int index, std::string name, FieldType type, int size)
    : table_(table),
      index_(index),
      name_(std::move(name)),
      type_(type),
      size_(type == FieldType::String || type == FieldType::Lookup || type == FieldType::Calculated
                ? size
                : 0),
      displayWidth_(0),
      alignment_(Alignment::Left),
      valueType_(type == FieldType::Lookup ? FieldType::String : type) {
  ResetDisplayDefaults();
}

void Field::ResetDisplayDefaults() {
  switch (ValueType()) {
    case FieldType::Integer:
    case FieldType::AutoInc:
      displayWidth_ = 10;
      alignment_ = Alignment::Right;
      break;
    case FieldType::Boolean:
      displayWidth_ = 5;
      alignment_ = Alignment::Left;
      break;
    default:
      displayWidth_ = size_;
      alignment_ = Alignment::Left;
      break;
  }
}

FieldType Field::ValueType() const {
  switch (type_) {
    case FieldType::AutoInc:
      return FieldType::Integer;
    case FieldType::Lookup:
      if (lookupTable_) {
        if (const Field* result = lookupTable_->FindField(resultField_)) return result->ValueType();
      }
      return FieldType::String;
    case FieldType::Calculated:
      return valueType_ == FieldType::AutoInc ? FieldType::Integer : valueType_;
    default:
      return type_;
  }
}

const std::string& Field::DisplayLabel() const {
  return label_.empty() ? name_ : label_;
}

std::string Field::TrueText() const {
  const std::size_t semi = displayValues_.find(';');
  return semi == std::string::npos ? displayValues_ : displayValues_.substr(0, semi);
}

std::string Field::FalseText() const {
  const std::size_t semi = displayValues_.find(';');
  return semi == std::string::npos ? std::string() : displayValues_.substr(semi + 1);
}

void Field::SetLookup(Table* lookupTable, std::string keyField, std::string lookupKeyField,
                      std::string resultField) {
  lookupTable_ = lookupTable;
  keyField_ = std::move(keyField);
  lookupKeyField_ = std::move(lookupKeyField);
  resultField_ = std::move(resultField);
  keyIndex_ = lookupKeyIndex_ = resultIndex_ = -1;
  ResetDisplayDefaults();
}

int Field::LookupKeyIndex() const {
  if (keyIndex_ < 0) keyIndex_ = table_.FieldByName(keyField_).Index();
  return keyIndex_;
}

Value Field::GetValue() const {
  return table_.CurrentRecord().Get(index_);
}

Value Field::Coerce(const Value& value) const {
  if (value.IsNull()) return value;
  switch (ValueType()) {
    case FieldType::Integer:
    case FieldType::AutoInc:
      if (value.GetKind() == Value::Kind::String) return ParseText(value.ToString());
      return Value(value.ToInteger());
    case FieldType::Boolean:
      if (value.GetKind() == Value::Kind::String) return ParseText(value.ToString());
      return Value(value.ToBoolean());
    default: {
      std::string text = value.ToString();
      if (size_ > 0) text = CutToChars(text, size_);
      return Value(std::move(text));
    }
  }
}

void Field::SetValue(const Value& value) {
  if (table_.State() == TableState::Browse) {
    throw TableError("Table " + table_.Name() + " is not in edit or insert mode");
  }
  if (type_ == FieldType::AutoInc || type_ == FieldType::Calculated) {
    throw TableError("Field '" + name_ + "' cannot be modified");
  }
  if (type_ == FieldType::Lookup) {
    // Choosing a name stores the key of the first row that carries it.
    Value key;
    if (lookupTable_ && !value.IsNull()) {
      const Record row = lookupTable_->Lookup(resultField_, value);
      if (row.IsValid()) key = row.Get(lookupKeyField_);
    }
    table_.Fields(LookupKeyIndex()).SetValue(key);
    table_.FieldValueChanged(*this);
    return;
  }
  table_.WriteBuffer(index_, Coerce(value));
  table_.FieldValueChanged(*this);
}

std::string Field::TextOf(const Value& value) const {
  if (OnGetText) return OnGetText(*this, value);
  if (value.IsNull()) return std::string();
  switch (ValueType()) {
    case FieldType::Boolean:
      return value.ToBoolean() ? TrueText() : FalseText();
    case FieldType::Integer:
    case FieldType::AutoInc:
      return std::to_string(value.ToInteger());
    default:
      return value.ToString();
  }
}

std::string Field::DisplayText() const {
  return TextOf(GetValue());
}

Value Field::ParseText(const std::string& text) const {
  if (text.empty()) return Value();
  switch (ValueType()) {
    case FieldType::Integer:
    case FieldType::AutoInc: {
      const auto parsed = ParseInt32(text);
      if (!parsed) throw TableError("'" + text + "' is not a valid integer value");
      return Value(*parsed);
    }
    case FieldType::Boolean: {
      const std::string trueText = TrueText();
      const std::string falseText = FalseText();
      if ((!trueText.empty() && EqualNoCase(text, trueText)) || EqualNoCase(text, "true")) {
        return Value(true);
      }
      if ((!falseText.empty() && EqualNoCase(text, falseText)) || EqualNoCase(text, "false")) {
        return Value(false);
      }
      throw TableError("'" + text + "' is not a valid boolean value");
    }
    default:
      return Value(text);
  }
}

void Field::SetText(const std::string& text) {
  if (OnSetText) {
    const SetTextHandler handler = OnSetText;
    handler(*this, text);
    return;
  }
  SetValue(ParseText(text));
}

}  // namespace qv
