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
  std::set<int> known;
  for (const Record& row : store.ProductsData.AllRecords()) {
    TPlanProduct& product = catalogue.Products.emplace_back();
    product.Id = row.Get("Id").ToInteger();
    product.Name = row.Get("Name").ToString();
    product.Min = row.Get("Min").ToInteger();
    product.Max = row.Get("Max").ToInteger();
    product.Avg = row.Get("Avg").ToInteger();
    known.insert(product.Id);
  }
  // Recipe rows by type, in the recipe order the type editor shows.
  std::map<int, std::vector<TPlanRecipeItem>> recipes;
  for (const Record& row : store.FactoryProdData.AllRecords()) {
    if (row.Get("FactoryId").IsNull()) continue;
    TPlanRecipeItem item;
    item.ProductId = row.Get("ProductId").ToInteger();
    item.Qty = row.Get("Qty").ToInteger();
    item.IsOutput = row.Get("Operation").ToInteger() == 0;
    recipes[row.Get("FactoryId").ToInteger()].push_back(item);
    if (known.insert(item.ProductId).second) catalogue.Products.push_back({item.ProductId, ""});
  }
  for (const Record& row : store.FactoriesData.AllRecords()) {
    if (!row.Get("Buyable").ToBoolean()) continue;
    TPlanFactoryType& type = catalogue.Types.emplace_back();
    type.Id = row.Get("Id").ToInteger();
    type.Name = row.Get("Name").ToString();
    type.Special = row.Get("Special").ToInteger();
    type.Mtime = row.Get("Mtime").ToInteger();
    if (const auto it = recipes.find(type.Id); it != recipes.end()) type.Items = it->second;
  }
  catalogue.Sort();
  return catalogue;
}

}  // namespace qv
