#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "data/Table.h"

namespace qv {

class TDataModule1;
class TFactorySet;
struct TProduct;

// The complex calculator keeps its factories and their prices in two tables
// of its own beside the program, written in the same form as the universe.
inline constexpr const char* kFactoryListFileName = "AuxFact.cds";
inline constexpr const char* kFactProdFileName = "AuxProd.cds";

// The places of the two tables' stored fields, as the builders below make
// them: `table.Fields(kListYield)`, `row.Get(kListYield)`.
enum FactoryListField : int { kListRecId, kListFactoryId, kListYield, kListAllowNps };
enum FactProdField : int { kPriceRecId, kPriceProductId, kPriceCurrent };

// FactoryListData's stored fields: RecId (auto-increment), FactoryId (shown
// and typed as the factory type's name through the store's name list), Yield,
// AllowNPS ("Yes;No"). The calculator window adds its calculated columns.
void BuildFactoryListSchema(Table& table, TDataModule1& store);
// FactProdData: RecId, ProductId, Current (the saved prices).
void BuildFactProdSchema(Table& table);

// The calculator's columns of the factory list, read from the factory set
// for each row's RecId: Prod1 the product of the first output, Res1 to Res3
// those of the first three inputs (empty where there is none), shown as
// product names while the store's name list holds entries; Profit, whose
// cell the window draws from the factory's MaxProfit. All stay empty for a
// row whose factory is not in the set. The set must outlive the table's use.
void AddFactoryListCalculatedFields(Table& table, TDataModule1& store, TFactorySet& set);

// Pixels of the price bar of `product` in a cell `cellWidth` wide: the
// price's share of the range from Min to Max of the cell less its border;
// none below Min or without a range, the whole inner width above Max.
int PriceBarWidth(const TProduct& product, int cellWidth);

// "FactoryListData" or "FactProdData" with its schema, and the name of its
// file in the program folder; nullptr for any other name.
std::unique_ptr<Table> MakeComplexTable(std::string_view name, TDataModule1& store,
                                        std::string& fileName);

// While it lives, FactoriesData shows only the factory types that can be
// bought (the complex is built of those alone), in name order.
class BuyableFactoryTypes {
 public:
  explicit BuyableFactoryTypes(TDataModule1& store);
  ~BuyableFactoryTypes();
  BuyableFactoryTypes(const BuyableFactoryTypes&) = delete;
  BuyableFactoryTypes& operator=(const BuyableFactoryTypes&) = delete;

 private:
  Table& types_;
};

// Reads both complex files of the program folder into the two tables; when
// neither exists, both tables are left empty and the result is false.
// TableError naming the file when one of them is missing or cannot be read;
// both tables are empty then.
bool LoadComplexFiles(const std::string& programFolder, Table& factoryList, Table& factProd);
// Builds the factory set from the factory list (in its order) and puts the
// saved prices back; run it with only buyable types visible.
void LoadComplexFactories(TDataModule1& store, Table& factoryList, const Table& factProd,
                          TFactorySet& set);
// Replaces the rows of FactProdData by the prices of every factory: outputs,
// then inputs, in set order.
void StoreComplexPrices(const TFactorySet& set, Table& factProd);
// Writes the factory list (its pending row merged) and the prices of the
// set to both files of the program folder, then empties both tables, even
// when writing failed. TableError naming the file that could not be written.
void SaveComplexFiles(const std::string& programFolder, Table& factoryList, const TFactorySet& set,
                      Table& factProd);

}  // namespace qv
