#include "economy/PlanCatalogue.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "data/DataModule1.h"

namespace qv {

bool TPlanFactoryType::Makes(int productId) const {
  return std::any_of(Items.begin(), Items.end(), [productId](const TPlanRecipeItem& item) {
    return item.IsOutput && item.Qty > 0 && item.ProductId == productId;
  });
}

const TPlanProduct* TPlanCatalogue::FindProduct(int id) const {
  for (const TPlanProduct& product : Products)
    if (product.Id == id) return &product;
  return nullptr;
}

const TPlanProduct* TPlanCatalogue::FindProductByName(const std::string& name) const {
  for (const TPlanProduct& product : Products)
    if (product.Name == name) return &product;
  return nullptr;
}

const TPlanFactoryType* TPlanCatalogue::FindType(int id) const {
  for (const TPlanFactoryType& type : Types)
    if (type.Id == id) return &type;
  return nullptr;
}

namespace {

std::vector<const TPlanProduct*> ProductsWhere(const TPlanCatalogue& catalogue,
                                               bool (*wanted)(const TPlanRecipeItem&)) {
  std::set<int> ids;
  for (const TPlanFactoryType& type : catalogue.Types)
    for (const TPlanRecipeItem& item : type.Items)
      if (item.Qty > 0 && wanted(item)) ids.insert(item.ProductId);
  std::vector<const TPlanProduct*> products;
  for (const TPlanProduct& product : catalogue.Products)
    if (ids.count(product.Id)) products.push_back(&product);
  return products;
}

}  // namespace

std::vector<const TPlanProduct*> TPlanCatalogue::RecipeProducts() const {
  return ProductsWhere(*this, [](const TPlanRecipeItem&) { return true; });
}

std::vector<const TPlanProduct*> TPlanCatalogue::MadeProducts() const {
  return ProductsWhere(*this, [](const TPlanRecipeItem& item) { return item.IsOutput; });
}

std::set<int> TPlanCatalogue::DefaultMayBuy() const {
  std::set<int> buy;
  for (const TPlanProduct* product : RecipeProducts())
    buy.insert(product->Id);
  for (const TPlanProduct* product : MadeProducts())
    buy.erase(product->Id);
  return buy;
}

void TPlanCatalogue::Sort() {
  std::stable_sort(Types.begin(), Types.end(), [](const auto& a, const auto& b) {
    return std::tie(a.Name, a.Id) < std::tie(b.Name, b.Id);
  });
  std::stable_sort(Products.begin(), Products.end(), [](const auto& a, const auto& b) {
    return std::tie(a.Name, a.Id) < std::tie(b.Name, b.Id);
  });
}

TPlanCatalogue LoadPlanCatalogue(const TDataModule1& store) {
  TPlanCatalogue catalogue;
  const TStoreFields& f = store.Fields();
  std::set<int> known;
  for (const Record& row : store.ProductsData.AllRecords()) {
    TPlanProduct& product = catalogue.Products.emplace_back();
    product.Id = f.Products.Id.Of(row).ToInteger();
    product.Name = f.Products.Name.Of(row).ToString();
    product.Min = f.Products.Min.Of(row).ToInteger();
    product.Max = f.Products.Max.Of(row).ToInteger();
    product.Avg = f.Products.Avg.Of(row).ToInteger();
    known.insert(product.Id);
  }
  // Recipe rows by type, in the recipe order the type editor shows.
  std::map<int, std::vector<TPlanRecipeItem>> recipes;
  for (const Record& row : store.FactoryProdData.AllRecords()) {
    if (f.FactoryProd.FactoryId.Of(row).IsNull()) continue;
    TPlanRecipeItem item;
    item.ProductId = f.FactoryProd.ProductId.Of(row).ToInteger();
    item.Qty = f.FactoryProd.Qty.Of(row).ToInteger();
    item.IsOutput =
        AsCode<Operation>(f.FactoryProd.Operation.Of(row).ToInteger()) == Operation::Produces;
    recipes[f.FactoryProd.FactoryId.Of(row).ToInteger()].push_back(item);
    if (known.insert(item.ProductId).second) catalogue.Products.push_back({item.ProductId, ""});
  }
  for (const Record& row : store.FactoriesData.AllRecords()) {
    if (!f.Factories.Buyable.Of(row).ToBoolean()) continue;
    TPlanFactoryType& type = catalogue.Types.emplace_back();
    type.Id = f.Factories.Id.Of(row).ToInteger();
    type.Name = f.Factories.Name.Of(row).ToString();
    type.Special = AsCode<Special>(f.Factories.Special.Of(row).ToInteger());
    type.Mtime = f.Factories.Mtime.Of(row).ToInteger();
    if (const auto it = recipes.find(type.Id); it != recipes.end()) type.Items = it->second;
  }
  catalogue.Sort();
  return catalogue;
}

}  // namespace qv
