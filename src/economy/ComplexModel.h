#pragma once

#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/StoreCodes.h"

namespace qv {

class TDataModule1;

// Seconds per production cycle of a factory: solar power plants run at the
// complex's power cycle, mines at Mtime / yield (0 without yield),
// everything else at Mtime.
double FactoryCycle(Special special, int mtime, int yield, int powerCycle);

// One product of one factory of a complex: an output or an input.
struct TProduct {
  int Min = 0, Max = 0, Avg = 0;  // price range of the product type
  int Price = 0;                  // selling price of an output, buying price of an input
  int Qty = 0;                    // units per cycle
  int ProductId = -1;
  std::string Name;
  bool IsOutput = false;
  double FullRate = 0;  // units per hour at full operation
  double Rate = 0;      // units per hour after throttling
  double Demand = 0;    // outputs: units per hour the complex takes
  // Inputs: how many outputs of other factories feed it (those of the same
  // product at a price not above this one).
  int SupplierCount = 0;
};

// One factory of a complex. Both lists hold the newest entry first, so they
// run in the reverse order of the recipe rows; lists keep the products at
// fixed addresses, which the calculation's links rely on.
class TFactory {
 public:
  std::list<TProduct> Outputs;
  std::list<TProduct> Inputs;
  int RecId = 0;         // row key in the complex's factory list
  int FactoryId = 0;     // factory type
  std::string Name;      // the type's name; empty when the type is not found
  double Cycle = 0;      // seconds per production cycle
  double MaxProfit = 0;  // credits per hour at full operation
  qv::Special Special = qv::Special::None;
  int Mtime = 0;
  int Yield = 0;
  bool AllowNPS = false;  // may sell its surplus outside the complex

  // The first output with that product, else the first input; nullptr when none.
  TProduct* FindProduct(int productId);
  void SetProductPrice(int productId, int price);
  // Cycle := FactoryCycle of the factory's type and yield.
  void ComputeCycle(int powerCycle);
  // A new product at the front of the outputs or the inputs.
  TProduct& AddProduct(bool isOutput);
};

// The factories of a complex, newest first: the order of every scan. The
// list's entries may be changed, the list itself only through the set.
class TFactorySet {
 public:
  std::list<TFactory>& Factories() { return factories_; }
  const std::list<TFactory>& Factories() const { return factories_; }
  bool Empty() const { return factories_.empty(); }

  // The first factory with that RecId, found by its key.
  TFactory* FindFactory(int recId);
  // A new factory without products at the front of the set.
  TFactory& AddFactory(int recId);
  // Adds the factory of `recId` or refills it with the recipe of the factory
  // type (only types visible through FactoriesData's filter are found);
  // every product's price starts at the type's average.
  TFactory& LoadFactory(TDataModule1& store, int recId, int factoryId, int yield, bool allowNps);
  void RemoveFactory(int recId);
  void ClearFactories();

 private:
  std::list<TFactory> factories_;
  std::unordered_map<int, std::list<TFactory>::iterator> first_;  // by RecId
};

}  // namespace qv
