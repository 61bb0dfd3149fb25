#pragma once

#include <functional>
#include <string>
#include <vector>

#include "data/DataModule1.h"
#include "settings/Dialogs.h"
#include "settings/StoreStartExit.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/UniverseRows.h"

// A small universe written to a program folder the way the program leaves
// it, for the tests of the main window and the start-up.
namespace qvtest {

using SectorRow = SectorFields;

// `more` may add further rows (products, factories) before the store saves.
inline void WriteSectors(const TempDir& dir, const std::vector<SectorRow>& rows,
                         const std::function<void(qv::TDataModule1&)>& more = {}) {
  ScriptedDialogs dialogs;
  qv::TDataModule1 store(dir.Folder());
  qv::LoadStore(store, dialogs);
  for (const SectorRow& row : rows)  // stray positions too, as older files may hold them
    AsFromOldFile(store.SectorsData, [&] { return AddSector(store, row); });
  if (more) more(store);
  qv::SaveStore(store, dialogs);
}

// Alpha and Beta are joined by a gate, Beta is hidden; Gamma has no gates;
// Delta has a dock and a pirate base but no race.
inline std::vector<SectorRow> SmallUniverse() {
  return {
      {.name = "Alpha",
       .x = 0,
       .y = 0,
       .race = "Kessar",
       .suns = 2,
       .east = true,
       .shipyard = true},
      {.name = "Beta", .x = 1, .y = 0, .west = true, .visible = false},
      {.name = "Gamma", .x = 0, .y = 1},
      {.name = "Delta", .x = 2, .y = 2, .suns = 1, .eqdock = true, .pirate = true},
  };
}

// Counts the busy cursor so that tests can see it is always given back.
class CountingBusyCursor : public qv::BusyCursor {
 public:
  void Begin() override {
    ++depth;
    ++begun;
  }
  void End() override { --depth; }
  int depth = 0;
  int begun = 0;
};

}  // namespace qvtest
