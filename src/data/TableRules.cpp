#include <algorithm>
#include <cctype>
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
      return ReferenceText(ProductNames, v);
    };
    field->OnSetText = [this](Field& f, const std::string& s) {
      SetReferenceText(ProductNames, f, s);
    };
  }
  Field& factoryId = SectFactoryData.FieldByName("FactoryId");
  factoryId.OnGetText = [this](const Field&, const Value& v) {
    return ReferenceText(FactoryNames, v);
  };
  factoryId.OnSetText = [this](Field& f, const std::string& s) {
    SetReferenceText(FactoryNames, f, s);
  };
}

// ---- Coded fields ----

std::string TDataModule1::ProductsDataTypeGetText(const Value& value) const {
  switch (value.ToInteger()) {
    case 1:
      return Texts.ProductUpgrade;
    case 2:
      return Texts.ProductShip;
    case 3:
      return Texts.ProductFactory;
    default:
      return Texts.ProductUsual;
  }
}

void TDataModule1::ProductsDataTypeSetText(Field& field, const std::string& text) {
  std::int32_t code = 3;
  if (SameText(text, Texts.ProductUsual))
    code = 0;
  else if (SameText(text, Texts.ProductUpgrade))
    code = 1;
  else if (SameText(text, Texts.ProductShip))
    code = 2;
  field.SetValue(Value(code));
}

std::string TDataModule1::FactoryProdDataOperationGetText(const Value& value) const {
  return value.ToInteger() == 0 ? Texts.FactoryProduces : Texts.FactoryNeeds;
}

void TDataModule1::FactoryProdDataOperationSetText(Field& field, const std::string& text) {
  field.SetValue(Value(std::int32_t{SameText(text, Texts.FactoryProduces) ? 0 : 1}));
}

std::string TDataModule1::FactoriesDataSpecialGetText(const Value& value) const {
  switch (value.ToInteger()) {
    case 1:
      return Texts.SpecialSuns;
    case 2:
      return Texts.SpecialOre;
    case 3:
      return Texts.SpecialSilicon;
    default:
      return {};
  }
}

void TDataModule1::FactoriesDataSpecialSetText(Field& field, const std::string& text) {
  std::int32_t code = 0;
  if (SameText(text, Texts.SpecialSilicon))
    code = 3;
  else if (SameText(text, Texts.SpecialSuns))
    code = 1;
  else if (SameText(text, Texts.SpecialOre))
    code = 2;
  field.SetValue(Value(code));
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
  if (LinkRecipeToFactory && FactoriesData.CurrentRecord().IsValid())
    t.FieldByName("FactoryId").SetValue(FactoriesData.FieldByName("Id").GetValue());
}

void TDataModule1::SectFactoryDataBeforePost(Table& t) {
  if (LinkToCurrentSector) t.FieldByName("SectorId").SetAsInteger(CurrentSectorId);
}

void TDataModule1::SectTradeDataBeforePost(Table& t) {
  if (!LinkToCurrentSector) return;
  t.FieldByName("SectorId").SetAsInteger(CurrentSectorId);
  t.FieldByName("Trader").SetAsInteger(CurrentTrader);
}

void TDataModule1::SectorsDataAfterPost(Table&) {
  DataChanged = true;
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
  return record.Get(sectFactorySectorField_).ToInteger() == CurrentSectorId;
}

bool TDataModule1::SectTradeDataFilterRecord(const Record& record) const {
  return record.Get(sectTradeSectorField_).ToInteger() == CurrentSectorId &&
         record.Get(sectTradeTraderField_).ToInteger() == CurrentTrader;
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
  translate("FactoryProduces", Texts.FactoryProduces);
  translate("FactoryNeeds", Texts.FactoryNeeds);
  translate("ProductUsual", Texts.ProductUsual);
  translate("ProductUpgrade", Texts.ProductUpgrade);
  translate("ProductShip", Texts.ProductShip);
  translate("ProductFactory", Texts.ProductFactory);
  translate("SpecialSuns", Texts.SpecialSuns);
  translate("SpecialOre", Texts.SpecialOre);
  translate("SpecialSilicon", Texts.SpecialSilicon);
  translate("FactoryOwnerYour", Texts.FactoryOwnerYour);
  SectFactoryData.FieldByName("Your").SetDisplayValues(Texts.FactoryOwnerYour);
  translate("SolarTimeNote", Texts.SolarTimeNote);
  Field& buyable = FactoriesData.FieldByName("Buyable");
  std::string buyableValues = buyable.DisplayValues();
  translate("FactoryBuyableValues", buyableValues);
  buyable.SetDisplayValues(buyableValues);
  translate("FrameProductText", Texts.FrameProductText);
  translate("FrameResourceText", Texts.FrameResourceText);
  translate("FrameUnitsHour", Texts.FrameUnitsHour);
  translate("FrameAvgButton", Texts.FrameAvgButton);
  translate("TimeText", Texts.TimeText);
  for (Table* table : {&ProductsData, &FactoriesData, &FactoryProdData, &SectFactoryData})
    table->NotifyLayoutChanged();
}

}  // namespace qv
