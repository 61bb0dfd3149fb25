#include "UniverseGenerator.h"

#include <stdexcept>

#include "EconomyCatalogue.h"
#include "Placement.h"
#include "SectorLayout.h"
#include "SplitMix64.h"

namespace qv {

void CheckGeneratorOptions(const GeneratorOptions& options) {
  if (options.width < 1 || options.height < 1)
    throw std::invalid_argument("the grid needs a width and a height of at least 1");
  if (options.sectors < 1) throw std::invalid_argument("the universe needs at least one sector");
  if (static_cast<long long>(options.sectors) >
      static_cast<long long>(options.width) * options.height)
    throw std::invalid_argument("more sectors than cells on the grid");
  if (options.factoriesPerSector < 0 || options.tradesPerSector < 0)
    throw std::invalid_argument("factories and trades per sector cannot be negative");
}

GenUniverse BuildUniverse(const GeneratorOptions& options) {
  CheckGeneratorOptions(options);
  GenUniverse universe;
  SplitMix64 random(options.seed);
  BuildEconomy(universe);
  SplitMix64 layout = random.Fork(11);
  BuildSectors(universe, options, layout);
  SplitMix64 factories = random.Fork(12);
  PlaceFactories(universe, options, factories);
  SplitMix64 trades = random.Fork(13);
  FillTradeLists(universe, options, trades);
  return universe;
}

}  // namespace qv
