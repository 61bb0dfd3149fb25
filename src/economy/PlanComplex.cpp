#include "economy/PlanComplex.h"

#include <list>

#include "data/Table.h"
#include "economy/ComplexModel.h"
#include "economy/ComplexPlan.h"
#include "economy/ComplexTables.h"

namespace qv {

void UsePlanAsComplex(TDataModule1& store, const TPlanCatalogue& catalogue, const TPlan& plan,
                      const TPlanOptions& options, Table& factoryList, TFactorySet& set) {
  factoryList.Cancel();
  factoryList.EmptyDataSet();
  set.ClearFactories();
  for (const TPlanCount& count : plan.Counts) {
    const TPlanFactoryType* type = catalogue.FindType(count.TypeId);
    const bool mine = type && IsMine(type->Special);
    for (int i = 0; i < count.Count; ++i) {
      factoryList.Append();
      factoryList.Fields(kListFactoryId).SetAsInteger(count.TypeId);
      if (mine) factoryList.Fields(kListYield).SetAsInteger(options.MineYield);
      factoryList.Fields(kListAllowNps).SetAsBoolean(true);
      factoryList.Post();
      const Record row = factoryList.CurrentRecord();
      TFactory& factory = set.LoadFactory(store, row.Get(kListRecId).ToInteger(), count.TypeId,
                                          row.Get(kListYield).ToInteger(), true);
      for (std::list<TProduct>* list : {&factory.Outputs, &factory.Inputs})
        for (TProduct& product : *list)
          if (const TPlanProduct* known = catalogue.FindProduct(product.ProductId))
            product.Price = PlanPrice(*known, options);
    }
  }
  factoryList.MergeChangeLog();
}

}  // namespace qv
