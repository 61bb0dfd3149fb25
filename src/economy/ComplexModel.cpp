#include "economy/ComplexModel.h"

#include "data/DataModule1.h"

namespace qv {

TProduct* TFactory::FindProduct(int productId) {
  for (std::list<TProduct>* list : {&Outputs, &Inputs})
    for (TProduct& product : *list)
      if (product.ProductId == productId) return &product;
  return nullptr;
}

void TFactory::SetProductPrice(int productId, int price) {
  if (TProduct* product = FindProduct(productId)) product->Price = price;
}

double FactoryCycle(Special special, int mtime, int yield, int powerCycle) {
  if (special == Special::SolarPlant) return powerCycle;
  if (IsMine(special)) return yield > 0 ? static_cast<double>(mtime) / yield : 0.0;
  return mtime;
}

void TFactory::ComputeCycle(int powerCycle) {
  Cycle = FactoryCycle(Special, Mtime, Yield, powerCycle);
}

TProduct& TFactory::AddProduct(bool isOutput) {
  std::list<TProduct>& list = isOutput ? Outputs : Inputs;
  list.emplace_front();
  list.front().IsOutput = isOutput;
  return list.front();
}

TFactory* TFactorySet::FindFactory(int recId) {
  const auto found = first_.find(recId);
  return found == first_.end() ? nullptr : &*found->second;
}

TFactory& TFactorySet::AddFactory(int recId) {
  factories_.emplace_front();
  factories_.front().RecId = recId;
  first_[recId] = factories_.begin();
  return factories_.front();
}

TFactory& TFactorySet::LoadFactory(TDataModule1& store, int recId, int factoryId, int yield,
                                   bool allowNps) {
  TFactory* found = FindFactory(recId);
  TFactory& factory = found ? *found : AddFactory(recId);
  factory.Outputs.clear();
  factory.Inputs.clear();
  factory.Name.clear();
  factory.Yield = yield;
  factory.AllowNPS = allowNps;
  // The factory keeps the type it was given even when the type cannot be
  // found, so that its row still names it.
  factory.FactoryId = factoryId;

  // Read from the stored rows, whatever a window shows of the tables. Only a
  // type that can be bought makes a factory of a complex; a row of another
  // keeps its type but has no recipe.
  const TStoreFields& f = store.Fields();
  const Table& products = store.ProductsData;
  const Record type = store.FactoriesData.Lookup("Id", Value(factoryId));
  if (type.IsValid() && f.Factories.Buyable.Of(type).ToBoolean()) {
    factory.Name = f.Factories.Name.Of(type).ToString();
    factory.Mtime = f.Factories.Mtime.Of(type).ToInteger();
    factory.Special = AsCode<Special>(f.Factories.Special.Of(type).ToInteger());
    const OrderedRows recipes =
        store.FactoryProdData.RowsWithKey("FactoryId;Operation", {Value(factoryId)});
    for (int i = 0; i < recipes.Size(); ++i) {
      const Record recipe = recipes.At(i);
      const Operation operation = AsCode<Operation>(f.FactoryProd.Operation.Of(recipe).ToInteger());
      TProduct& product = factory.AddProduct(operation == Operation::Produces);
      product.Qty = f.FactoryProd.Qty.Of(recipe).ToInteger();
      product.ProductId = f.FactoryProd.ProductId.Of(recipe).ToInteger();
      // The product types have no filter: a stored-row lookup leaves their
      // order and cursor to the windows that show them.
      const Record productType = products.Lookup("Id", Value(product.ProductId));
      if (productType.IsValid()) {
        product.Min = f.Products.Min.Of(productType).ToInteger();
        product.Max = f.Products.Max.Of(productType).ToInteger();
        product.Avg = f.Products.Avg.Of(productType).ToInteger();
        product.Price = product.Avg;
        product.Name = f.Products.Name.Of(productType).ToString();
      }
    }
  }
  return factory;
}

void TFactorySet::RemoveFactory(int recId) {
  const auto found = first_.find(recId);
  if (found == first_.end()) return;
  const auto next = factories_.erase(found->second);
  first_.erase(found);
  // Another factory of the same RecId further on becomes the first.
  for (auto it = next; it != factories_.end(); ++it) {
    if (it->RecId == recId) {
      first_[recId] = it;
      return;
    }
  }
}

void TFactorySet::ClearFactories() {
  factories_.clear();
  first_.clear();
}

}  // namespace qv
