#pragma once

#include <string>

#include "data/DataModule1.h"
#include "support/StoreRows.h"

// Rows for store tests that set only the fields a test is about, so the rest
// stay null as in a row just typed in.
namespace qvtest {

inline int AddSector(qv::TDataModule1& s, const std::string& name, int x, int y,
                     bool visible = true, int suns = 0) {
  return AddRowId(s.SectorsData,
                  {{"Name", name}, {"X", x}, {"Y", y}, {"Visible", visible}, {"Suns", suns}});
}

inline int AddProduct(qv::TDataModule1& s, const std::string& name, int type) {
  return AddRowId(s.ProductsData, {{"Name", name}, {"Type", type}});
}

inline int AddFactory(qv::TDataModule1& s, const std::string& name, bool buyable = true) {
  return AddRowId(s.FactoriesData, {{"Name", name}, {"Buyable", buyable}});
}

inline void AddSectFactory(qv::TDataModule1& s, int sectorId, int factoryId, bool your = false) {
  AddRow(s.SectFactoryData, {{"SectorId", sectorId}, {"FactoryId", factoryId}, {"Your", your}});
}

// Values of one field over the table's current view, in view order.
inline std::string Column(const qv::Table& t, const std::string& field) {
  std::string out;
  for (int i = 1; i <= t.RecordCount(); ++i) {
    if (i > 1) out += ",";
    out += t.RecordAt(i).Get(field).ToString();
  }
  return out;
}

}  // namespace qvtest
