#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "data/Value.h"

namespace qv {

class Table;
class Record;

enum class FieldType {
  String,   // UTF-8 text, cut to Size() characters (code points)
  Integer,  // signed 32-bit
  Boolean,
  AutoInc,     // signed 32-bit, assigned by the table on insert, read-only to the user
  Lookup,      // read-through value of a row of another table, not stored
  Calculated,  // computed per row by a callback, not stored
};

enum class Alignment { Left, Right, Center };

// One column of a table. The definition (name, type, size) is fixed when the
// table is built; the display properties and callbacks may change at any time.
// Value access works on the table's current record: the edit buffer while the
// table is in edit or insert state, the current row otherwise.
class Field {
 public:
  using GetTextHandler = std::function<std::string(const Field& field, const Value& value)>;
  using SetTextHandler = std::function<void(Field& field, const std::string& text)>;
  using ChangeHandler = std::function<void(Field& field)>;
  using CalculateHandler = std::function<Value(const Record& record)>;

  Field(Table& table, int index, std::string name, FieldType type, int size);
  Field(const Field&) = delete;
  Field& operator=(const Field&) = delete;

  // Definition.
  const std::string& FieldName() const { return name_; }
  FieldType DataType() const { return type_; }
  int Size() const { return size_; }  // characters for String and Lookup, else 0
  int Index() const { return index_; }
  Table& DataSet() const { return table_; }
  bool IsStored() const { return type_ != FieldType::Lookup && type_ != FieldType::Calculated; }
  // The type of the values the field holds (AutoInc reads as Integer; a lookup
  // has the type of its result field; a calculated field the declared one).
  FieldType ValueType() const;

  // Display properties.
  const std::string& DisplayLabel() const;  // the field name when none was set
  void SetDisplayLabel(std::string label) { label_ = std::move(label); }
  int DisplayWidth() const { return displayWidth_; }  // characters
  void SetDisplayWidth(int width) { displayWidth_ = width; }
  Alignment GetAlignment() const { return alignment_; }
  void SetAlignment(Alignment a) { alignment_ = a; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  bool ReadOnly() const { return readOnly_ || type_ == FieldType::AutoInc; }
  void SetReadOnly(bool v) { readOnly_ = v; }
  // Boolean texts "true;false"; without a semicolon the whole text is the true
  // text and false shows as the empty text. Default "True;False".
  const std::string& DisplayValues() const { return displayValues_; }
  void SetDisplayValues(std::string values) { displayValues_ = std::move(values); }
  std::string TrueText() const;
  std::string FalseText() const;

  // Callbacks.
  GetTextHandler OnGetText;      // stored value -> shown text (display and editing)
  SetTextHandler OnSetText;      // typed text -> stored value (through SetValue & co.)
  ChangeHandler OnChange;        // after the field's value changed in the edit buffer
  CalculateHandler OnCalculate;  // Calculated fields only

  // Lookup definition (Lookup fields only): the value is ResultField of the
  // row of LookupTable whose LookupKeyField equals this table's KeyField.
  void SetLookup(Table* lookupTable, std::string keyField, std::string lookupKeyField,
                 std::string resultField);
  Table* LookupTable() const { return lookupTable_; }
  const std::string& KeyField() const { return keyField_; }
  const std::string& LookupKeyField() const { return lookupKeyField_; }
  const std::string& ResultField() const { return resultField_; }

  // Value of the current record.
  Value GetValue() const;
  bool IsNull() const { return GetValue().IsNull(); }
  std::int32_t AsInteger() const { return GetValue().ToInteger(); }
  bool AsBoolean() const { return GetValue().ToBoolean(); }
  std::string AsString() const { return GetValue().ToString(); }

  // Writing needs edit or insert state (TableError otherwise) and a field that
  // is not an AutoInc. Text is cut to Size(); a lookup field stores the key of
  // the first lookup row whose result equals the value (null when none).
  void SetValue(const Value& value);
  void SetAsInteger(std::int32_t v) { SetValue(Value(v)); }
  void SetAsBoolean(bool v) { SetValue(Value(v)); }
  void SetAsString(const std::string& v) { SetValue(Value(v)); }
  void Clear() { SetValue(Value()); }

  // The shown text of the current record / of any value of this field:
  // OnGetText when set, else the default form (decimal integers, boolean
  // display texts, text as is, null as the empty text).
  std::string DisplayText() const;
  std::string TextOf(const Value& value) const;
  // Typed text: OnSetText when set, else the default conversion (empty text
  // gives null; an integer field refuses text that is no integer and a boolean
  // field text that is neither display text nor "true"/"false", with a
  // TableError naming the text, and the stored value does not change).
  void SetText(const std::string& text);
  // The default conversion, for OnSetText handlers that fall back to it.
  Value ParseText(const std::string& text) const;

 private:
  friend class Table;
  friend class Record;
  // The value the field holds before any callback, coerced to its kind.
  Value Coerce(const Value& value) const;
  // Field indexes of the lookup definition, resolved on first use.
  int LookupKeyIndex() const;
  // Width and alignment that suit the kind of value.
  void ResetDisplayDefaults();

  Table& table_;
  int index_;
  std::string name_;
  FieldType type_;
  int size_;
  std::string label_;
  int displayWidth_;
  Alignment alignment_;
  bool visible_ = true;
  bool readOnly_ = false;
  std::string displayValues_ = "True;False";
  Table* lookupTable_ = nullptr;
  std::string keyField_;
  std::string lookupKeyField_;
  std::string resultField_;
  FieldType valueType_;  // the declared type of a calculated field
  mutable int keyIndex_ = -1;
  mutable int lookupKeyIndex_ = -1;  // in the lookup table
  mutable int resultIndex_ = -1;     // in the lookup table
};

}  // namespace qv
