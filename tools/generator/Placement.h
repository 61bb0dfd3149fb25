#pragma once

#include "SplitMix64.h"
#include "UniverseGenerator.h"
#include "UniverseModel.h"

namespace qv {

// Places factories in the sectors (about options.factoriesPerSector each,
// favouring the factory types of the sector's race, solar power plants where
// suns shine, mines with a yield) and marks a few as the player's own.
// Needs the sectors and the economy.
void PlaceFactories(GenUniverse& universe, const GeneratorOptions& options, SplitMix64& random);

// Gives every station of every sector a product list that suits its kind:
// trading stations and equipment docks trade products and upgrades,
// shipyards ships and factories, pirate bases products. About
// options.tradesPerSector rows per sector in all; no product twice at one station.
void FillTradeLists(GenUniverse& universe, const GeneratorOptions& options, SplitMix64& random);

}  // namespace qv
