#pragma once

#include <initializer_list>
#include <string_view>
#include <utility>

#include "data/DataModule1.h"
#include "data/Table.h"

// Rows added through a table as an editor adds them, so that the table's
// rules run. Only the fields named get a value; the others stay null.
namespace qvtest {

using RowValues = std::initializer_list<std::pair<std::string_view, qv::Value>>;

inline void AddRow(qv::Table& table, RowValues values) {
  table.Append();
  for (const auto& [field, value] : values)
    table.FieldByName(field).SetValue(value);
  table.Post();
}

// For tables with an auto-increment Id: the Id the posted row got.
inline int AddRowId(qv::Table& table, RowValues values) {
  AddRow(table, values);
  return table.FieldByName("Id").AsInteger();
}

// What `add` returns, run with the table's before-post rule set aside: rows
// as an older file may hold them, past a rule that refuses them today (a
// sector off the map).
template <typename Add>
auto AsFromOldFile(qv::Table& table, Add add) {
  const qv::Table::Event rule = std::exchange(table.BeforePost, nullptr);
  auto result = add();
  table.BeforePost = rule;
  return result;
}

inline void AddRecipe(qv::TDataModule1& store, int factoryId, int operation, int productId,
                      int qty) {
  AddRow(
      store.FactoryProdData,
      {{"FactoryId", factoryId}, {"Operation", operation}, {"ProductId", productId}, {"Qty", qty}});
}

inline void AddTrade(qv::TDataModule1& store, int sectorId, int trader, int productId) {
  AddRow(store.SectTradeData,
         {{"SectorId", sectorId}, {"Trader", trader}, {"ProductId", productId}});
}

}  // namespace qvtest
