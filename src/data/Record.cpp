#include "data/Record.h"

#include "data/Table.h"
#include "data/TableImpl.h"

namespace qv {

Value Record::Get(int fieldIndex) const {
  if (!row_) return Value();
  const Field& field = table_->Fields(fieldIndex);
  switch (field.DataType()) {
    case FieldType::Lookup: {
      Table* lookupTable = field.LookupTable();
      if (!lookupTable) return Value();
      const Value key = Get(field.LookupKeyIndex());
      if (key.IsNull()) return Value();
      if (field.lookupKeyIndex_ < 0) {
        field.lookupKeyIndex_ = lookupTable->FieldByName(field.LookupKeyField()).Index();
      }
      if (field.resultIndex_ < 0) {
        field.resultIndex_ = lookupTable->FieldByName(field.ResultField()).Index();
      }
      const Record hit = lookupTable->impl_->LookupByIndex(field.lookupKeyIndex_, key);
      return hit.IsValid() ? hit.Get(field.resultIndex_) : Value();
    }
    case FieldType::Calculated:
      return field.OnCalculate ? field.OnCalculate(*this) : Value();
    default:
      return fieldIndex < static_cast<int>(row_->values.size()) ? row_->values[fieldIndex]
                                                                : Value();
  }
}

Value Record::Get(std::string_view fieldName) const {
  return Get(table_->FieldByName(fieldName).Index());
}

std::string Record::Text(int fieldIndex) const {
  return table_->Fields(fieldIndex).TextOf(Get(fieldIndex));
}

}  // namespace qv
