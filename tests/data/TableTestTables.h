#pragma once

#include <string>
#include <vector>

#include "data/Table.h"
#include "support/StoreRows.h"

namespace qvtest {

// A small sectors-like table: Id (auto-increment), Name string(20), X, Y,
// Visible; index "CoordIndex" on X;Y.
inline void BuildSectors(qv::Table& t) {
  t.AddField("Id", qv::FieldType::AutoInc);
  t.AddField("Name", qv::FieldType::String, 20);
  t.AddField("X", qv::FieldType::Integer);
  t.AddField("Y", qv::FieldType::Integer);
  t.AddField("Visible", qv::FieldType::Boolean);
  t.AddIndex("CoordIndex", "X;Y");
}

inline void AddSector(qv::Table& t, const std::string& name, int x, int y, bool visible = true) {
  AddRow(t, {{"Name", name}, {"X", x}, {"Y", y}, {"Visible", visible}});
}

// The values of one field over the view, from the first row to the last.
inline std::vector<std::string> Column(qv::Table& t, const std::string& field) {
  std::vector<std::string> out;
  const int index = t.FieldByName(field).Index();
  for (int r = 1; r <= t.RecordCount(); ++r)
    out.push_back(t.RecordAt(r).Get(index).ToString());
  return out;
}

// A recipe-like table: FactoryId, ProductId, Qty.
inline void BuildRecipes(qv::Table& t) {
  t.AddField("FactoryId", qv::FieldType::Integer);
  t.AddField("ProductId", qv::FieldType::Integer);
  t.AddField("Qty", qv::FieldType::Integer);
}

inline void AddRecipe(qv::Table& t, int factory, int product, int qty = 1) {
  AddRow(t, {{"FactoryId", factory}, {"ProductId", product}, {"Qty", qty}});
}

}  // namespace qvtest
