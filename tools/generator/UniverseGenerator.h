#pragma once

#include <cstdint>
#include <string>

#include "UniverseModel.h"

namespace qv {

class TDataModule1;

// What to generate. The defaults give the shipped sample universe; the
// benchmarks raise the sector count and grid (10,000 sectors on 100 x 100
// give about 50,000 placed factories and 30,000 traded products).
struct GeneratorOptions {
  int sectors = 100;
  int width = 16;   // grid columns, X from 0 to width - 1
  int height = 12;  // grid rows, Y from 0 to height - 1
  std::uint32_t seed = 1;
  int factoriesPerSector = 5;  // average over all sectors
  int tradesPerSector = 3;     // average traded products over all sectors
};

// std::invalid_argument with a readable text when the options cannot give a
// universe (no sector, more sectors than grid cells, negative averages).
void CheckGeneratorOptions(const GeneratorOptions& options);

// The whole universe as plain rows; the same options give the same rows.
GenUniverse BuildUniverse(const GeneratorOptions& options);

// Replaces the rows of the six universe tables of the store by a generated
// universe and leaves each table in the order the store keeps after loading.
// The request table is not touched.
void GenerateUniverse(TDataModule1& store, const GeneratorOptions& options);
void FillUniverseTables(TDataModule1& store, const GenUniverse& universe);

// Creates programFolder/Data/ (programFolder may lack the trailing separator)
// and writes the six universe table files into it, replacing existing ones.
// Throws on a write failure.
void WriteUniverse(const std::string& programFolder, const GeneratorOptions& options);

}  // namespace qv
