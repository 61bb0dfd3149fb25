#include "economy/ComplexTables.h"

#include "data/DataModule1.h"

namespace qv {

void BuildFactoryListSchema(Table& table, TDataModule1& store) {
  table.AddField("RecId", FieldType::AutoInc);
  Field& factoryId = table.AddField("FactoryId", FieldType::Integer);
  factoryId.SetDisplayLabel("Factory");
  factoryId.SetAlignment(Alignment::Left);
  const TNumStrList& names = store.FactoryNames;
  factoryId.OnGetText = [&names](const Field&, const Value& value) -> std::string {
    if (value.IsNull()) return {};
    if (names.Size() > 0) return names.NameOf(value.ToInteger());
    return std::to_string(value.ToInteger());
  };
  factoryId.OnSetText = [&names](Field& field, const std::string& text) {
    field.SetValue(names.Size() > 0 ? Value(names.NumberOf(text)) : field.ParseText(text));
  };
  table.AddField("Yield", FieldType::Integer);
  Field& allowNps = table.AddField("AllowNPS", FieldType::Boolean);
  allowNps.SetDisplayLabel("NPS Dock");
  allowNps.SetDisplayValues("Yes;No");
}

void BuildFactProdSchema(Table& table) {
  table.AddField("RecId", FieldType::Integer);
  table.AddField("ProductId", FieldType::Integer);
  table.AddField("Current", FieldType::Integer);
}

}  // namespace qv
