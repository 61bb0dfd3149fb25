#include "economy/PlanComplex.h"

#include <list>

#include "data/Table.h"
#include "economy/ComplexModel.h"
#include "economy/ComplexPlan.h"

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
      factoryList.FieldByName("FactoryId").SetAsInteger(count.TypeId);
      if (mine) factoryList.FieldByName("Yield").SetAsInteger(options.MineYield);
      factoryList.FieldByName("AllowNPS").SetAsBoolean(true);
      factoryList.Post();
      const Record row = factoryList.CurrentRecord();
      TFactory& factory = set.LoadFactory(store, row.Get("RecId").ToInteger(), count.TypeId,
                                          row.Get("Yield").ToInteger(), true);
      for (std::list<TProduct>* list : {&factory.Outputs, &factory.Inputs})
        for (TProduct& product : *list)
          if (const TPlanProduct* known = catalogue.FindProduct(product.ProductId))
            product.Price = PlanPrice(*known, options);
    }
  }
  factoryList.MergeChangeLog();
}

}  // namespace qv
