#pragma once

#include <memory>
#include <string>

#include "data/DataModule1.h"
#include "support/ScriptedDialogs.h"
#include "support/StoreRows.h"
#include "support/TempDir.h"

namespace qvtest {

// A store loaded from an empty program folder (so every table is empty and
// in its working order, with the one request row), for tests that fill the
// tables row by row.
class EmptyStore {
 public:
  EmptyStore();
  ~EmptyStore();
  qv::TDataModule1& operator*() { return *store_; }
  qv::TDataModule1* operator->() { return store_.get(); }

 private:
  TempDir dir_;
  ScriptedDialogs dialogs_;
  std::unique_ptr<qv::TDataModule1> store_;
};

struct SectorFields {
  std::string name{};
  int x = 0;
  int y = 0;
  std::string race{};
  int suns = 0;
  bool north = false, south = false, west = false, east = false;
  int nameDx = 0, nameDy = 0;
  bool shipyard = false, eqdock = false, pirate = false;
  bool visible = true;
  int solarCycle = 0;
};

// Each adds one posted row and returns its Id where it has one (recipes and
// trades come from StoreRows.h).
int AddSector(qv::TDataModule1& store, const SectorFields& row);
int AddFactoryType(qv::TDataModule1& store, const std::string& name, int special, int mtime,
                   bool buyable = true);
int AddProduct(qv::TDataModule1& store, const std::string& name, int type = 0, int mtime = 0,
               int qty = 0);
void PlaceFactory(qv::TDataModule1& store, int sectorId, int factoryId, bool your = false,
                  int yield = 0);

}  // namespace qvtest
