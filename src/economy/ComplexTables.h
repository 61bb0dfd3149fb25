#pragma once

#include <string>

#include "data/Table.h"

namespace qv {

class TDataModule1;

// The complex calculator keeps its factories and their prices in two tables
// of its own beside the program, written in the same form as the universe.
inline constexpr const char* kFactoryListFileName = "AuxFact.cds";
inline constexpr const char* kFactProdFileName = "AuxProd.cds";

// FactoryListData's stored fields: RecId (auto-increment), FactoryId (shown
// and typed as the factory type's name through the store's name list), Yield,
// AllowNPS ("Yes;No"). The calculator window adds its calculated columns.
void BuildFactoryListSchema(Table& table, TDataModule1& store);
// FactProdData: RecId, ProductId, Current (the saved prices).
void BuildFactProdSchema(Table& table);

}  // namespace qv
