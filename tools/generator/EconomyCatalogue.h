#pragma once

#include "UniverseModel.h"

namespace qv {

// Fills the product types, factory types and recipes of the universe: a
// fixed economy (the same for every seed and size) with solar power plants,
// mines, race food chains and several levels of intermediate goods up to
// weapons and shields. Ids run from 1 in list order.
void BuildEconomy(GenUniverse& universe);

}  // namespace qv
