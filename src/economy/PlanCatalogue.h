#pragma once

#include <set>
#include <string>
#include <vector>

#include "data/StoreCodes.h"

namespace qv {

class TDataModule1;

// A product type as the planner sees it: its name and its price range.
struct TPlanProduct {
  int Id = -1;
  std::string Name;
  int Min = 0, Max = 0, Avg = 0;
};

// One row of a factory type's recipe.
struct TPlanRecipeItem {
  int ProductId = -1;
  int Qty = 0;  // units per cycle
  bool IsOutput = false;
};

// A factory type that can be bought, with its recipe in recipe order.
struct TPlanFactoryType {
  int Id = -1;
  std::string Name;
  qv::Special Special = qv::Special::None;
  int Mtime = 0;
  std::vector<TPlanRecipeItem> Items;

  bool Makes(int productId) const;
};

// What a complex can be planned from: the factory types that can be bought
// and every product type, both in name order.
class TPlanCatalogue {
 public:
  std::vector<TPlanFactoryType> Types;
  std::vector<TPlanProduct> Products;

  const TPlanProduct* FindProduct(int id) const;
  // The first product of exactly that name.
  const TPlanProduct* FindProductByName(const std::string& name) const;
  const TPlanFactoryType* FindType(int id) const;
  // Products that some type makes or needs, in name order.
  std::vector<const TPlanProduct*> RecipeProducts() const;
  // Products that some type makes, in name order: what a plan can aim at.
  std::vector<const TPlanProduct*> MadeProducts() const;
  // What may be bought from outside unless the player says otherwise: every
  // product that no type makes (the raw inputs).
  std::set<int> DefaultMayBuy() const;
  // Sorts both lists by name (byte-wise), then by Id.
  void Sort();
};

// The buyable factory types of the store with their recipes, and every
// product type. A recipe row naming a product type that does not exist keeps
// it as a product without name or prices, as the complex does.
TPlanCatalogue LoadPlanCatalogue(const TDataModule1& store);

}  // namespace qv
