#include "economy/ComplexTables.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <list>
#include <system_error>

#include "data/AtomicFile.h"
#include "data/DataModule1.h"
#include "data/Field.h"
#include "data/TableError.h"
#include "data/TableFile.h"
#include "economy/ComplexModel.h"

namespace qv {

namespace {

// A link that leads nowhere is a file that is there but cannot be read.
bool FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

}  // namespace

void BuildFactoryListSchema(Table& table, TDataModule1& store) {
  table.AddField("RecId", FieldType::AutoInc);
  Field& factoryId = table.AddField("FactoryId", FieldType::Integer);
  factoryId.SetDisplayLabel("Factory");
  factoryId.SetAlignment(Alignment::Left);
  const TNumStrList& names = store.FactoryNames();
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

void AddFactoryListCalculatedFields(Table& table, TDataModule1& store, TFactorySet& set) {
  const TNumStrList& names = store.ProductNames();
  const auto productText = [&names](const Field&, const Value& value) -> std::string {
    if (value.IsNull()) return {};
    if (names.Size() > 0) return names.NameOf(value.ToInteger());
    return std::to_string(value.ToInteger());
  };
  const auto factoryOf = [&set](const Record& row) {
    return set.FindFactory(row.Get(kListRecId).ToInteger());
  };
  // Prod1 reads the outputs, Res1 to Res3 the inputs, each its n-th entry.
  struct Slot {
    const char* name;
    const char* label;
    bool output;
    int index;
  };
  constexpr std::array<Slot, 4> kSlots = {{{"Prod1", "Product", true, 0},
                                           {"Res1", "Resource 1", false, 0},
                                           {"Res2", "Resource 2", false, 1},
                                           {"Res3", "Resource 3", false, 2}}};
  for (const Slot& slot : kSlots) {
    Field& field = table.AddCalculatedField(
        slot.name, FieldType::Integer, 0, [factoryOf, slot](const Record& row) -> Value {
          const TFactory* factory = factoryOf(row);
          if (!factory) return Value();
          const std::list<TProduct>& list = slot.output ? factory->Outputs : factory->Inputs;
          // No such entry: empty, not -1, which a product may have as its Id.
          if (static_cast<int>(list.size()) <= slot.index) return Value();
          return Value(std::next(list.begin(), slot.index)->ProductId);
        });
    field.SetDisplayLabel(slot.label);
    field.SetAlignment(Alignment::Left);
    field.OnGetText = productText;
  }
  table.AddCalculatedField("Profit", FieldType::String, 20, [](const Record&) { return Value(); })
      .SetDisplayLabel("Profit, Cr/h");
}

int PriceBarWidth(const TProduct& product, int cellWidth) {
  if (product.Min == product.Max || product.Min > product.Price) return 0;
  // In 64 bits: the range of a hand-edited price may span every int.
  const double ratio = static_cast<double>(std::int64_t{product.Price} - product.Min) /
                       static_cast<double>(std::int64_t{product.Max} - product.Min);
  if (ratio < 0) return 0;
  const double inner = cellWidth - 2;
  return inner <= 0 ? 0 : static_cast<int>(std::min(inner * ratio, inner));
}

std::unique_ptr<Table> MakeComplexTable(std::string_view name, TDataModule1& store,
                                        std::string& fileName) {
  auto table = std::make_unique<Table>(std::string(name));
  if (name == "FactoryListData") {
    BuildFactoryListSchema(*table, store);
    fileName = kFactoryListFileName;
  } else if (name == "FactProdData") {
    BuildFactProdSchema(*table);
    fileName = kFactProdFileName;
  } else {
    return nullptr;
  }
  return table;
}

BuyableFactoryTypes::BuyableFactoryTypes(TDataModule1& store) : types_(store.FactoriesData) {
  types_.SetIndexFieldNames("Name");
  types_.SetFilter("Buyable");
  types_.SetFiltered(true);
}

BuyableFactoryTypes::~BuyableFactoryTypes() {
  types_.SetFiltered(false);
  types_.SetIndexName("FactoriesDataIdIndex");
}

bool LoadComplexFiles(const std::string& programFolder, Table& factoryList, Table& factProd) {
  const std::string listPath = programFolder + kFactoryListFileName;
  const std::string pricePath = programFolder + kFactProdFileName;
  factoryList.EmptyDataSet();
  factProd.EmptyDataSet();
  const bool hasList = FileExists(listPath);
  const bool hasPrices = FileExists(pricePath);
  if (!hasList && !hasPrices) return false;
  // One file without the other is half a complex: not one to start afresh
  // from, nor to write an empty one over.
  if (!hasList || !hasPrices)
    throw TableError("Cannot open file " + (hasList ? pricePath : listPath) + ": " +
                     ErrnoText(ENOENT));
  try {
    LoadTableFile(factoryList, listPath);
    LoadTableFile(factProd, pricePath);
  } catch (...) {
    factoryList.EmptyDataSet();
    factProd.EmptyDataSet();
    throw;
  }
  return true;
}

void LoadComplexFactories(TDataModule1& store, Table& factoryList, const Table& factProd,
                          TFactorySet& set) {
  set.ClearFactories();
  const int count = factoryList.RecordCount();
  for (int recNo = 1; recNo <= count; ++recNo) {
    const Record row = factoryList.RecordAt(recNo);
    // An empty NPS switch counts as on, as a posted row would have it.
    const Value allowNps = row.Get(kListAllowNps);
    set.LoadFactory(store, row.Get(kListRecId).ToInteger(), row.Get(kListFactoryId).ToInteger(),
                    row.Get(kListYield).ToInteger(), allowNps.IsNull() || allowNps.ToBoolean());
  }
  for (const Record& price : factProd.AllRecords())
    if (TFactory* factory = set.FindFactory(price.Get(kPriceRecId).ToInteger()))
      factory->SetProductPrice(price.Get(kPriceProductId).ToInteger(),
                               price.Get(kPriceCurrent).ToInteger());
}

void StoreComplexPrices(const TFactorySet& set, Table& factProd) {
  factProd.EmptyDataSet();
  for (const TFactory& factory : set.Factories()) {
    for (const std::list<TProduct>* list : {&factory.Outputs, &factory.Inputs}) {
      for (const TProduct& p : *list) {
        factProd.Append();
        factProd.Fields(kPriceRecId).SetValue(Value(factory.RecId));
        factProd.Fields(kPriceProductId).SetValue(Value(p.ProductId));
        factProd.Fields(kPriceCurrent).SetValue(Value(p.Price));
        factProd.Post();
      }
    }
  }
  factProd.MergeChangeLog();
}

void SaveComplexFiles(const std::string& programFolder, Table& factoryList, const TFactorySet& set,
                      Table& factProd) {
  // Both tables are emptied whatever happens: the window starts from the
  // files again when it is next shown.
  struct Emptied {
    Table& a;
    Table& b;
    ~Emptied() {
      a.EmptyDataSet();
      b.EmptyDataSet();
    }
  } emptied{factoryList, factProd};
  factoryList.MergeChangeLog();
  StoreComplexPrices(set, factProd);
  SaveTableFile(factoryList, programFolder + kFactoryListFileName);
  SaveTableFile(factProd, programFolder + kFactProdFileName);
}

}  // namespace qv
