#pragma once

#include "SplitMix64.h"
#include "UniverseGenerator.h"
#include "UniverseModel.h"
#include "map/MapRenderer.h"  // kRaceNames: the seven owners of space as the map knows them

namespace qv {

// Lays out options.sectors sectors on the grid: one region grown from the
// centre, joined by a connected network of paired gates, divided into
// contiguous race regions with a few sectors of no race, about a fifth hidden
// (mostly at the edges), with suns, solar cycle overrides, stations and
// unique names. Sector Ids run from 1 in the order of the returned rows.
void BuildSectors(GenUniverse& universe, const GeneratorOptions& options, SplitMix64& random);

}  // namespace qv
