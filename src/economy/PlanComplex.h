#pragma once

namespace qv {

class Table;
class TDataModule1;
class TFactorySet;
class TPlanCatalogue;
struct TPlan;
struct TPlanOptions;

// Makes a plan the complex: the factory list and the set are replaced by one
// row and one factory per factory of the plan (its type, the plan's yield for
// a mine, outside sales allowed, so that the complex's own calculation runs
// every factory at full rate), each product at the plan's price. Then the
// complex's calculation shows what the plan made, used and bought of every
// product.
void UsePlanAsComplex(TDataModule1& store, const TPlanCatalogue& catalogue, const TPlan& plan,
                      const TPlanOptions& options, Table& factoryList, TFactorySet& set);

}  // namespace qv
