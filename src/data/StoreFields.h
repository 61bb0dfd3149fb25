#pragma once

#include <array>
#include <cstddef>

#include "data/Field.h"
#include "data/Record.h"
#include "data/Value.h"

namespace qv {

// A field of one of the store's tables, found once when the schemas are
// built: reading through it costs no search by name, and a misspelt field is
// a compile error rather than an exception at run time.
class FieldRef {
 public:
  FieldRef() = default;
  explicit FieldRef(Field& field) : field_(&field), index_(field.Index()) {}

  Field& operator*() const { return *field_; }
  Field* operator->() const { return field_; }
  int Index() const { return index_; }
  // Its place in a row's values (Row::values), for scans that read them directly.
  std::size_t Slot() const { return static_cast<std::size_t>(index_); }
  // The field's value in `record`, a row of the field's table.
  Value Of(const Record& record) const { return record.Get(index_); }

 private:
  Field* field_ = nullptr;
  int index_ = -1;
};

// The fields of each table, in the order of its file.
struct TSectorsFields {
  FieldRef Name, X, Y, Race, Suns, NorthGate, SouthGate, WestGate, EastGate, NameDx, NameDy,
      Shipyard, Trstation, Eqdock, Id, Pirate, Visible, SolarCycle;
};

struct TFactoriesFields {
  FieldRef Id, Name, Buyable, Special, Ctime, Mtime;
};

struct TProductsFields {
  FieldRef Id, Name, Type, Min, Max, Avg, Mtime, Qty;
};

struct TFactoryProdFields {
  FieldRef FactoryId, Operation, ProductId, Qty;
};

struct TSectFactoryFields {
  FieldRef SectorId, FactoryId, Your, Yield;
};

struct TSectTradeFields {
  FieldRef SectorId, Trader, ProductId;
};

// The request table: six product slots (Prod1…Prod6 at [0]…[5]), the factory
// shown, and the names they look up.
struct TAuxRequestFields {
  std::array<FieldRef, 6> Prod;
  FieldRef Fact1;
  std::array<FieldRef, 6> ProdName;
  FieldRef Fact1Name;
};

struct TStoreFields {
  TSectorsFields Sectors;
  TFactoriesFields Factories;
  TProductsFields Products;
  TFactoryProdFields FactoryProd;
  TSectFactoryFields SectFactory;
  TSectTradeFields SectTrade;
  TAuxRequestFields AuxRequest;
};

}  // namespace qv
