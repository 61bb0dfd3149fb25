#pragma once

// The setup the benchmarks share: a store holding a generated universe far
// larger than any real one. The store's folder does not exist, so nothing is
// ever read or written.
#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "data/DataModule1.h"
#include "generator/UniverseGenerator.h"
#include "settings/SilentDialogs.h"

namespace qvbench {

using qv::SilentDialogs;

struct GeneratedUniverse {
  SilentDialogs dialogs;
  qv::TDataModule1 store{"/nonexistent-qvmap-bench/"};

  // `sectors` sectors on a `side` x `side` grid.
  GeneratedUniverse(int sectors, int side) {
    qv::GeneratorOptions options;
    options.sectors = sectors;
    options.width = side;
    options.height = side;
    qv::GenerateUniverse(store, options);
  }

  // The first `count` different products the recipes name, in recipe order:
  // products that factories make or use, so a request for them finds something.
  std::vector<int> RecipeProducts(std::size_t count) {
    std::vector<int> products;
    std::set<int> seen;
    qv::Table& recipes = store.FactoryProdData;
    for (recipes.First(); !recipes.Eof() && products.size() < count; recipes.Next()) {
      const int product = recipes.FieldByName("ProductId").AsInteger();
      if (seen.insert(product).second) products.push_back(product);
    }
    return products;
  }
};

}  // namespace qvbench
