#include <span>
#include <string>
#include <vector>

#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "data/MapLimits.h"
#include "data/TextUtil.h"

// The rules the tables carry: defaults of new rows, links of posted rows, the
// delete cascades, the record filters and the texts of coded and referencing
// fields. Every window that edits a table gets them without code of its own.

namespace qv {

namespace {

// Shown text of a field that refers to a row by Id: the name when a name
// list is loaded, the number itself otherwise.
std::string ReferenceText(const TNumStrList& names, const Value& value) {
  if (value.IsNull()) return {};
  if (names.Size() > 0) return names.NameOf(value.ToInteger());
  return std::to_string(value.ToInteger());
}

// Typed text of a referencing field: a name that matches none stores -1,
// which no row has; without a name list the text must be a number (the
// engine refuses anything else and the value stays as it was).
void SetReferenceText(const TNumStrList& names, Field& field, const std::string& text) {
  if (names.Size() > 0)
    field.SetValue(Value(names.NumberOf(text)));
  else
    field.SetValue(field.ParseText(text));
}

// Removes every stored row of `table` whose `field` holds `id`, rows of
// other sectors or factory types that a filter or a master link keeps out of
// the view included. The filter, the link, the order and the cursor (unless
// its row goes) stay, so a window showing the table shows what it showed.
// The rows go in the table's active order, as a walk of its view meets them.
void DeleteReferencingRows(Table& table, const FieldRef& field, std::int32_t id) {
  table.CheckBrowseMode();
  const std::string order = table.ActiveOrderFields();
  const std::vector<std::string> orderFields = SplitFieldList(order);
  const bool keyed = !orderFields.empty() && EqualNoCase(orderFields.front(), field->FieldName());
  const OrderedRows rows = keyed ? table.RowsWithKey(order, {Value(id)}) : table.RowsInOrder(order);
  std::vector<Table::Bookmark> doomed;
  for (int i = 0; i < rows.Size(); ++i) {
    const Record row = rows.At(i);
    if (field.Of(row) == Value(id)) doomed.push_back(row.GetRow()->id);
  }
  table.DeleteStoredRows(doomed);
  table.MergeChangeLog();
}

// The texts of a coded field's values. A typed text is matched in list
// order, ignoring case; what matches none stores the field's fallback code.
struct CodedText {
  std::int32_t code;
  std::string TStoreTexts::*text;
};
constexpr CodedText kProductTypes[] = {
    {CodeOf(ProductType::Product), &TStoreTexts::ProductUsual},
    {CodeOf(ProductType::Upgrade), &TStoreTexts::ProductUpgrade},
    {CodeOf(ProductType::Ship), &TStoreTexts::ProductShip},
    {CodeOf(ProductType::Factory), &TStoreTexts::ProductFactory}};
constexpr CodedText kOperations[] = {{CodeOf(Operation::Produces), &TStoreTexts::FactoryProduces},
                                     {CodeOf(Operation::Needs), &TStoreTexts::FactoryNeeds}};
constexpr CodedText kSpecials[] = {{CodeOf(Special::SiliconMine), &TStoreTexts::SpecialSilicon},
                                   {CodeOf(Special::SolarPlant), &TStoreTexts::SpecialSuns},
                                   {CodeOf(Special::OreMine), &TStoreTexts::SpecialOre}};

std::string TextOfCode(const TStoreTexts& texts, std::span<const CodedText> codes, int code,
                       const std::string& otherwise) {
  for (const CodedText& coded : codes)
    if (coded.code == code) return texts.*coded.text;
  return otherwise;
}

std::int32_t CodeOfText(const TStoreTexts& texts, std::span<const CodedText> codes,
                        const std::string& text, std::int32_t otherwise) {
  for (const CodedText& coded : codes)
    if (EqualNoCase(text, texts.*coded.text)) return coded.code;
  return otherwise;
}

}  // namespace

void TDataModule1::AttachRules() {
  SectorsData.AfterInsert = [this](Table& t) { SectorsDataAfterInsert(t); };
  SectorsData.BeforePost = [this](Table& t) { SectorsDataBeforePost(t); };
  FactoryProdData.AfterInsert = [this](Table& t) { FactoryProdDataAfterInsert(t); };
  SectFactoryData.BeforePost = [this](Table& t) { SectFactoryDataBeforePost(t); };
  SectTradeData.BeforePost = [this](Table& t) { SectTradeDataBeforePost(t); };
  for (Table* table : {&SectorsData, &SectFactoryData, &SectTradeData}) {
    table->AfterPost = [this](Table& t) { SectorsDataAfterPost(t); };
    table->AfterDelete = [this](Table& t) { SectorsDataAfterPost(t); };
  }
  SectorsData.BeforeDelete = [this](Table& t) { SectorsDataBeforeDelete(t); };
  FactoriesData.BeforeDelete = [this](Table& t) { FactoriesDataBeforeDelete(t); };
  ProductsData.BeforeDelete = [this](Table& t) { ProductsDataBeforeDelete(t); };

  SectFactoryData.OnFilterRecord = [this](const Record& r) {
    return SectFactoryDataFilterRecord(r);
  };
  SectTradeData.OnFilterRecord = [this](const Record& r) { return SectTradeDataFilterRecord(r); };
  FactoriesData.OnFilterRecord = [this](const Record& r) { return FactoriesDataFilterRecord(r); };

  Field& type = *fields_.Products.Type;
  type.OnGetText = [this](const Field&, const Value& v) { return ProductsDataTypeGetText(v); };
  type.OnSetText = [this](Field& f, const std::string& s) { ProductsDataTypeSetText(f, s); };
  Field& operation = *fields_.FactoryProd.Operation;
  operation.OnGetText = [this](const Field&, const Value& v) {
    return FactoryProdDataOperationGetText(v);
  };
  operation.OnSetText = [this](Field& f, const std::string& s) {
    FactoryProdDataOperationSetText(f, s);
  };
  Field& special = *fields_.Factories.Special;
  special.OnGetText = [this](const Field&, const Value& v) {
    return FactoriesDataSpecialGetText(v);
  };
  special.OnSetText = [this](Field& f, const std::string& s) { FactoriesDataSpecialSetText(f, s); };

  // FactoryProdDataProductIdGetText/SetText, SectTradeDataProductIdGetText/SetText
  // and SectFactoryDataFactoryIdGetText/SetText: names through the name lists.
  for (Field* field : {&*fields_.FactoryProd.ProductId, &*fields_.SectTrade.ProductId}) {
    field->OnGetText = [this](const Field&, const Value& v) {
      return ReferenceText(productNames_, v);
    };
    field->OnSetText = [this](Field& f, const std::string& s) {
      SetReferenceText(productNames_, f, s);
    };
  }
  Field& factoryId = *fields_.SectFactory.FactoryId;
  factoryId.OnGetText = [this](const Field&, const Value& v) {
    return ReferenceText(factoryNames_, v);
  };
  factoryId.OnSetText = [this](Field& f, const std::string& s) {
    SetReferenceText(factoryNames_, f, s);
  };
}

// ---- Coded fields ----

std::string TDataModule1::ProductsDataTypeGetText(const Value& value) const {
  return TextOfCode(texts_, kProductTypes, value.ToInteger(), texts_.ProductUsual);
}

void TDataModule1::ProductsDataTypeSetText(Field& field, const std::string& text) {
  field.SetValue(Value(CodeOfText(texts_, kProductTypes, text, CodeOf(ProductType::Factory))));
}

std::string TDataModule1::FactoryProdDataOperationGetText(const Value& value) const {
  return TextOfCode(texts_, kOperations, value.ToInteger(), texts_.FactoryNeeds);
}

void TDataModule1::FactoryProdDataOperationSetText(Field& field, const std::string& text) {
  field.SetValue(Value(CodeOfText(texts_, kOperations, text, CodeOf(Operation::Needs))));
}

std::string TDataModule1::FactoriesDataSpecialGetText(const Value& value) const {
  return TextOfCode(texts_, kSpecials, value.ToInteger(), std::string());
}

void TDataModule1::FactoriesDataSpecialSetText(Field& field, const std::string& text) {
  field.SetValue(Value(CodeOfText(texts_, kSpecials, text, CodeOf(Special::None))));
}

// ---- Defaults and links ----

void TDataModule1::SectorsDataAfterInsert(Table&) {
  const TSectorsFields& f = fields_.Sectors;
  f.Shipyard->SetAsBoolean(false);
  f.Trstation->SetAsBoolean(true);
  f.Pirate->SetAsBoolean(false);
  f.Eqdock->SetAsBoolean(false);
  f.Visible->SetAsBoolean(true);
}

bool SectorPositionAllowed(std::int32_t x, std::int32_t y) {
  return IsMapPosition(x, y);
}

// A position beyond the map's range cannot enter the universe. A row that an
// older file put there may still be edited, as long as it stays where it is.
void TDataModule1::SectorsDataBeforePost(Table& t) {
  const TSectorsFields& f = fields_.Sectors;
  const std::int32_t x = f.X->AsInteger();
  const std::int32_t y = f.Y->AsInteger();
  if (SectorPositionAllowed(x, y)) return;
  if (t.State() == TableState::Edit) {
    const Record stored = t.Lookup(f.Id->FieldName(), f.Id->GetValue());
    if (stored.IsValid() && f.X.Of(stored).ToInteger() == x && f.Y.Of(stored).ToInteger() == y)
      return;
  }
  throw TableError("The position " + std::to_string(x) + ", " + std::to_string(y) +
                   " lies outside the map: X and Y run from -" + std::to_string(kMaxGridPosition) +
                   " to " + std::to_string(kMaxGridPosition));
}

void TDataModule1::FactoryProdDataAfterInsert(Table&) {
  const TFactoryProdFields& f = fields_.FactoryProd;
  f.Operation->SetValue(CodeValue(Operation::Needs));
  if (open_.recipesLinked && FactoriesData.CurrentRecord().IsValid())
    f.FactoryId->SetValue(fields_.Factories.Id->GetValue());
}

void TDataModule1::SectFactoryDataBeforePost(Table&) {
  if (open_.sectorLinked) fields_.SectFactory.SectorId->SetAsInteger(open_.sectorId);
}

void TDataModule1::SectTradeDataBeforePost(Table&) {
  if (!open_.sectorLinked) return;
  fields_.SectTrade.SectorId->SetAsInteger(open_.sectorId);
  fields_.SectTrade.Trader->SetAsInteger(open_.trader);
}

void TDataModule1::SectorsDataAfterPost(Table&) {
  dataChanged_ = true;
}

// ---- Delete cascades ----

void TDataModule1::SectorsDataBeforeDelete(Table&) {
  const std::int32_t id = fields_.Sectors.Id->AsInteger();
  DeleteReferencingRows(SectFactoryData, fields_.SectFactory.SectorId, id);
  DeleteReferencingRows(SectTradeData, fields_.SectTrade.SectorId, id);
}

void TDataModule1::FactoriesDataBeforeDelete(Table&) {
  const std::int32_t id = fields_.Factories.Id->AsInteger();
  DeleteReferencingRows(FactoryProdData, fields_.FactoryProd.FactoryId, id);
  DeleteReferencingRows(SectFactoryData, fields_.SectFactory.FactoryId, id);
}

void TDataModule1::ProductsDataBeforeDelete(Table&) {
  const std::int32_t id = fields_.Products.Id->AsInteger();
  DeleteReferencingRows(FactoryProdData, fields_.FactoryProd.ProductId, id);
  DeleteReferencingRows(SectTradeData, fields_.SectTrade.ProductId, id);
}

// ---- Record filters ----

bool TDataModule1::SectFactoryDataFilterRecord(const Record& record) const {
  return fields_.SectFactory.SectorId.Of(record).ToInteger() == open_.sectorId;
}

bool TDataModule1::SectTradeDataFilterRecord(const Record& record) const {
  const TSectTradeFields& f = fields_.SectTrade;
  return f.SectorId.Of(record).ToInteger() == open_.sectorId &&
         f.Trader.Of(record).ToInteger() == open_.trader;
}

bool TDataModule1::FactoriesDataFilterRecord(const Record&) const {
  return true;
}

// ---- Gates and texts ----

void TDataModule1::SyncNeighbourGates() {
  if (!SectorsData.CurrentRecord().IsValid()) return;
  const TSectorsFields& f = fields_.Sectors;
  const int x = f.X->AsInteger();
  const int y = f.Y->AsInteger();
  const bool north = f.NorthGate->AsBoolean();
  const bool south = f.SouthGate->AsBoolean();
  const bool west = f.WestGate->AsBoolean();
  const bool east = f.EastGate->AsBoolean();

  SuspendViews();
  const Table::Bookmark bookmark = SectorsData.GetBookmark();
  const auto setGate = [this](int nx, int ny, const FieldRef& gate, bool value) {
    if (!SectorsData.FindKey({Value(nx), Value(ny)})) return;
    SectorsData.Edit();
    gate->SetAsBoolean(value);
    SectorsData.Post();
  };
  setGate(x - 1, y, f.EastGate, west);
  setGate(x + 1, y, f.WestGate, east);
  setGate(x, y - 1, f.SouthGate, north);
  setGate(x, y + 1, f.NorthGate, south);
  if (SectorsData.BookmarkValid(bookmark)) SectorsData.GotoBookmark(bookmark);
  ResumeViews();
}

void TDataModule1::TranslateStoreTexts(const IniFile& languageFile) {
  const auto translate = [&languageFile](const char* key, std::string& text) {
    text = languageFile.ReadString("DataModule1", key, text);
  };
  translate("FactoryProduces", texts_.FactoryProduces);
  translate("FactoryNeeds", texts_.FactoryNeeds);
  translate("ProductUsual", texts_.ProductUsual);
  translate("ProductUpgrade", texts_.ProductUpgrade);
  translate("ProductShip", texts_.ProductShip);
  translate("ProductFactory", texts_.ProductFactory);
  translate("SpecialSuns", texts_.SpecialSuns);
  translate("SpecialOre", texts_.SpecialOre);
  translate("SpecialSilicon", texts_.SpecialSilicon);
  translate("FactoryOwnerYour", texts_.FactoryOwnerYour);
  fields_.SectFactory.Your->SetDisplayValues(texts_.FactoryOwnerYour);
  translate("SolarTimeNote", texts_.SolarTimeNote);
  Field& buyable = *fields_.Factories.Buyable;
  std::string buyableValues = buyable.DisplayValues();
  translate("FactoryBuyableValues", buyableValues);
  buyable.SetDisplayValues(buyableValues);
  translate("FrameProductText", texts_.FrameProductText);
  translate("FrameResourceText", texts_.FrameResourceText);
  translate("FrameUnitsHour", texts_.FrameUnitsHour);
  translate("FrameAvgButton", texts_.FrameAvgButton);
  translate("TimeText", texts_.TimeText);
  for (Table* table : {&ProductsData, &FactoriesData, &FactoryProdData, &SectFactoryData})
    table->NotifyLayoutChanged();
}

}  // namespace qv
