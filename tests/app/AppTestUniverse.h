#pragma once

#include <functional>
#include <string>
#include <vector>

#include "data/DataModule1.h"
#include "settings/Dialogs.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

// A small universe written to a program folder the way the program leaves
// it, for the tests of the main window and the start-up.
namespace qvtest {

struct SectorRow {
  std::string name{};
  int x = 0;
  int y = 0;
  bool visible = true;
  std::string race{};
  int suns = 0;
  bool shipyard = false, eqdock = false, pirate = false;
  bool north = false, south = false, west = false, east = false;
};

// `more` may add further rows (products, factories) before the store saves.
inline void WriteSectors(const TempDir& dir, const std::vector<SectorRow>& rows,
                         const std::function<void(qv::TDataModule1&)>& more = {}) {
  ScriptedDialogs dialogs;
  qv::TDataModule1 store(dir.Folder(), dialogs);
  store.DataModuleCreate();
  qv::Table& t = store.SectorsData;
  for (const SectorRow& row : rows) {
    t.Append();
    t.FieldByName("Name").SetAsString(row.name);
    t.FieldByName("X").SetAsInteger(row.x);
    t.FieldByName("Y").SetAsInteger(row.y);
    t.FieldByName("Visible").SetAsBoolean(row.visible);
    t.FieldByName("Race").SetAsString(row.race);
    t.FieldByName("Suns").SetAsInteger(row.suns);
    t.FieldByName("Shipyard").SetAsBoolean(row.shipyard);
    t.FieldByName("Eqdock").SetAsBoolean(row.eqdock);
    t.FieldByName("Pirate").SetAsBoolean(row.pirate);
    t.FieldByName("NorthGate").SetAsBoolean(row.north);
    t.FieldByName("SouthGate").SetAsBoolean(row.south);
    t.FieldByName("WestGate").SetAsBoolean(row.west);
    t.FieldByName("EastGate").SetAsBoolean(row.east);
    t.Post();
  }
  if (more) more(store);
  store.DataModuleDestroy();
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
       .shipyard = true,
       .east = true},
      {.name = "Beta", .x = 1, .y = 0, .visible = false, .west = true},
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
