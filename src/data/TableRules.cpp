#include <algorithm>
#include <cctype>
#include <span>
#include <string>

#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "data/MapLimits.h"

// The rules the tables carry: defaults of new rows, links of posted rows, the
// delete cascades, the record filters and the texts of coded and referencing
// fields. Every window that edits a table gets them without code of its own.

namespace qv {

namespace {

bool SameText(const std::string& a, const std::string& b) {
  return std::ranges::equal(
      a, b, [](unsigned char x, unsigned char y) { return std::toupper(x) == std::toupper(y); });
}

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

// Removes every row of `table` whose `field` holds `id`, over all rows: a
// master-detail link is dropped for good and a switched-on filter is lifted
// for the walk, so rows of other sectors or factory types are reached too.
void DeleteReferencingRows(Table& table, const char* field, std::int32_t id) {
  table.CheckBrowseMode();
  table.SetMasterSource(nullptr, "", "");
  const bool wasFiltered = table.Filtered();
  if (wasFiltered) table.SetFiltered(false);
  const int index = table.FieldByName(field).Index();
  table.DisableControls();
  table.First();
  while (!table.IsEmpty()) {
    const Record record = table.CurrentRecord();
    if (record.Get(index) == Value(id)) {
      const bool wasLast = table.RecNo() == table.RecordCount();
      table.Delete();
      if (wasLast) break;
    } else {
      if (table.RecNo() == table.RecordCount()) break;
      table.Next();
    }
  }
  table.EnableControls();
  table.MergeChangeLog();
  if (wasFiltered) table.SetFiltered(true);
}

// The texts of a coded field's values. A typed text is matched in list
// order, ignoring case; what matches none stores the field's fallback code.
struct CodedText {
  std::int32_t code;
  std::string TStoreTexts::*text;
};
constexpr CodedText kProductTypes[] = {{0, &TStoreTexts::ProductUsual},
                                       {1, &TStoreTexts::ProductUpgrade},
                                       {2, &TStoreTexts::ProductShip},
                                       {3, &TStoreTexts::ProductFactory}};
constexpr CodedText kOperations[] = {{0, &TStoreTexts::FactoryProduces},
                                     {1, &TStoreTexts::FactoryNeeds}};
constexpr CodedText kSpecials[] = {{3, &TStoreTexts::SpecialSilicon},
                                   {1, &TStoreTexts::SpecialSuns},
                                   {2, &TStoreTexts::SpecialOre}};

std::string TextOfCode(const TStoreTexts& texts, std::span<const CodedText> codes, int code,
                       const std::string& otherwise) {
  for (const CodedText& coded : codes)
    if (coded.code == code) return texts.*coded.text;
  return otherwise;
}

std::int32_t CodeOfText(const TStoreTexts& texts, std::span<const CodedText> codes,
                        const std::string& text, std::int32_t otherwise) {
  for (const CodedText& coded : codes)
    if (SameText(text, texts.*coded.text)) return coded.code;
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

  sectFactorySectorField_ = SectFactoryData.FieldByName("SectorId").Index();
  sectTradeSectorField_ = SectTradeData.FieldByName("SectorId").Index();
  sectTradeTraderField_ = SectTradeData.FieldByName("Trader").Index();
  SectFactoryData.OnFilterRecord = [this](const Record& r) {
    return SectFactoryDataFilterRecord(r);
  };
  SectTradeData.OnFilterRecord = [this](const Record& r) { return SectTradeDataFilterRecord(r); };
  FactoriesData.OnFilterRecord = [this](const Record& r) { return FactoriesDataFilterRecord(r); };

  Field& type = ProductsData.FieldByName("Type");
  type.OnGetText = [this](const Field&, const Value& v) { return ProductsDataTypeGetText(v); };
  type.OnSetText = [this](Field& f, const std::string& s) { ProductsDataTypeSetText(f, s); };
  Field& operation = FactoryProdData.FieldByName("Operation");
  operation.OnGetText = [this](const Field&, const Value& v) {
    return FactoryProdDataOperationGetText(v);
  };
  operation.OnSetText = [this](Field& f, const std::string& s) {
    FactoryProdDataOperationSetText(f, s);
  };
  Field& special = FactoriesData.FieldByName("Special");
  special.OnGetText = [this](const Field&, const Value& v) {
    return FactoriesDataSpecialGetText(v);
  };
  special.OnSetText = [this](Field& f, const std::string& s) { FactoriesDataSpecialSetText(f, s); };

  // FactoryProdDataProductIdGetText/SetText, SectTradeDataProductIdGetText/SetText
  // and SectFactoryDataFactoryIdGetText/SetText: names through the name lists.
  for (Field* field :
       {&FactoryProdData.FieldByName("ProductId"), &SectTradeData.FieldByName("ProductId")}) {
    field->OnGetText = [this](const Field&, const Value& v) {
      return ReferenceText(productNames_, v);
    };
    field->OnSetText = [this](Field& f, const std::string& s) {
      SetReferenceText(productNames_, f, s);
    };
  }
  Field& factoryId = SectFactoryData.FieldByName("FactoryId");
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
  field.SetValue(Value(CodeOfText(texts_, kProductTypes, text, 3)));
}

std::string TDataModule1::FactoryProdDataOperationGetText(const Value& value) const {
  return TextOfCode(texts_, kOperations, value.ToInteger(), texts_.FactoryNeeds);
}

void TDataModule1::FactoryProdDataOperationSetText(Field& field, const std::string& text) {
  field.SetValue(Value(CodeOfText(texts_, kOperations, text, 1)));
}

std::string TDataModule1::FactoriesDataSpecialGetText(const Value& value) const {
  return TextOfCode(texts_, kSpecials, value.ToInteger(), std::string());
}

void TDataModule1::FactoriesDataSpecialSetText(Field& field, const std::string& text) {
  field.SetValue(Value(CodeOfText(texts_, kSpecials, text, 0)));
}

// ---- Defaults and links ----

void TDataModule1::SectorsDataAfterInsert(Table& t) {
  t.FieldByName("Shipyard").SetAsBoolean(false);
  t.FieldByName("Trstation").SetAsBoolean(true);
  t.FieldByName("Pirate").SetAsBoolean(false);
  t.FieldByName("Eqdock").SetAsBoolean(false);
  t.FieldByName("Visible").SetAsBoolean(true);
}

bool SectorPositionAllowed(std::int32_t x, std::int32_t y) {
  return IsMapPosition(x, y);
}

// A position beyond the map's range cannot enter the universe. A row that an
// older file put there may still be edited, as long as it stays where it is.
void TDataModule1::SectorsDataBeforePost(Table& t) {
  const std::int32_t x = t.FieldByName("X").AsInteger();
  const std::int32_t y = t.FieldByName("Y").AsInteger();
  if (SectorPositionAllowed(x, y)) return;
  if (t.State() == TableState::Edit) {
    const Record stored = t.Lookup("Id", t.FieldByName("Id").GetValue());
    if (stored.IsValid() && stored.Get("X").ToInteger() == x && stored.Get("Y").ToInteger() == y)
      return;
  }
  throw TableError("The position " + std::to_string(x) + ", " + std::to_string(y) +
                   " lies outside the map: X and Y run from -" + std::to_string(kMaxGridPosition) +
                   " to " + std::to_string(kMaxGridPosition));
}

void TDataModule1::FactoryProdDataAfterInsert(Table& t) {
  t.FieldByName("Operation").SetAsInteger(1);
  if (open_.recipesLinked && FactoriesData.CurrentRecord().IsValid())
    t.FieldByName("FactoryId").SetValue(FactoriesData.FieldByName("Id").GetValue());
}

void TDataModule1::SectFactoryDataBeforePost(Table& t) {
  if (open_.sectorLinked) t.FieldByName("SectorId").SetAsInteger(open_.sectorId);
}

void TDataModule1::SectTradeDataBeforePost(Table& t) {
  if (!open_.sectorLinked) return;
  t.FieldByName("SectorId").SetAsInteger(open_.sectorId);
  t.FieldByName("Trader").SetAsInteger(open_.trader);
}

void TDataModule1::SectorsDataAfterPost(Table&) {
  dataChanged_ = true;
}

// ---- Delete cascades ----

void TDataModule1::SectorsDataBeforeDelete(Table& t) {
  const std::int32_t id = t.FieldByName("Id").AsInteger();
  DeleteReferencingRows(SectFactoryData, "SectorId", id);
  DeleteReferencingRows(SectTradeData, "SectorId", id);
}

void TDataModule1::FactoriesDataBeforeDelete(Table& t) {
  const std::int32_t id = t.FieldByName("Id").AsInteger();
  DeleteReferencingRows(FactoryProdData, "FactoryId", id);
  DeleteReferencingRows(SectFactoryData, "FactoryId", id);
}

void TDataModule1::ProductsDataBeforeDelete(Table& t) {
  const std::int32_t id = t.FieldByName("Id").AsInteger();
  DeleteReferencingRows(FactoryProdData, "ProductId", id);
  DeleteReferencingRows(SectTradeData, "ProductId", id);
}

// ---- Record filters ----

bool TDataModule1::SectFactoryDataFilterRecord(const Record& record) const {
  return record.Get(sectFactorySectorField_).ToInteger() == open_.sectorId;
}

bool TDataModule1::SectTradeDataFilterRecord(const Record& record) const {
  return record.Get(sectTradeSectorField_).ToInteger() == open_.sectorId &&
         record.Get(sectTradeTraderField_).ToInteger() == open_.trader;
}

bool TDataModule1::FactoriesDataFilterRecord(const Record&) const {
  return true;
}

// ---- Gates and texts ----

void TDataModule1::SyncNeighbourGates() {
  if (!SectorsData.CurrentRecord().IsValid()) return;
  const int x = SectorsData.FieldByName("X").AsInteger();
  const int y = SectorsData.FieldByName("Y").AsInteger();
  const bool north = SectorsData.FieldByName("NorthGate").AsBoolean();
  const bool south = SectorsData.FieldByName("SouthGate").AsBoolean();
  const bool west = SectorsData.FieldByName("WestGate").AsBoolean();
  const bool east = SectorsData.FieldByName("EastGate").AsBoolean();

  SuspendViews();
  const Table::Bookmark bookmark = SectorsData.GetBookmark();
  const auto setGate = [this](int nx, int ny, const char* gate, bool value) {
    if (!SectorsData.FindKey({Value(nx), Value(ny)})) return;
    SectorsData.Edit();
    SectorsData.FieldByName(gate).SetAsBoolean(value);
    SectorsData.Post();
  };
  setGate(x - 1, y, "EastGate", west);
  setGate(x + 1, y, "WestGate", east);
  setGate(x, y - 1, "SouthGate", north);
  setGate(x, y + 1, "NorthGate", south);
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
  SectFactoryData.FieldByName("Your").SetDisplayValues(texts_.FactoryOwnerYour);
  translate("SolarTimeNote", texts_.SolarTimeNote);
  Field& buyable = FactoriesData.FieldByName("Buyable");
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
