#include "support/UniverseRows.h"
#include "settings/StoreStartExit.h"

namespace qvtest {

EmptyStore::EmptyStore() : store_(std::make_unique<qv::TDataModule1>(dir_.Folder())) {
  qv::LoadStore(*store_, dialogs_);
}

EmptyStore::~EmptyStore() = default;

int AddSector(qv::TDataModule1& store, const SectorFields& row) {
  return AddRowId(store.SectorsData, {{"Name", row.name},
                                      {"X", row.x},
                                      {"Y", row.y},
                                      {"Race", row.race},
                                      {"Suns", row.suns},
                                      {"NorthGate", row.north},
                                      {"SouthGate", row.south},
                                      {"WestGate", row.west},
                                      {"EastGate", row.east},
                                      {"NameDx", row.nameDx},
                                      {"NameDy", row.nameDy},
                                      {"Shipyard", row.shipyard},
                                      {"Eqdock", row.eqdock},
                                      {"Pirate", row.pirate},
                                      {"Visible", row.visible},
                                      {"SolarCycle", row.solarCycle}});
}

int AddFactoryType(qv::TDataModule1& store, const std::string& name, int special, int mtime,
                   bool buyable) {
  return AddRowId(store.FactoriesData, {{"Name", name},
                                        {"Special", special},
                                        {"Mtime", mtime},
                                        {"Ctime", mtime},
                                        {"Buyable", buyable}});
}

int AddProduct(qv::TDataModule1& store, const std::string& name, int type, int mtime, int qty) {
  return AddRowId(store.ProductsData,
                  {{"Name", name}, {"Type", type}, {"Mtime", mtime}, {"Qty", qty}});
}

void PlaceFactory(qv::TDataModule1& store, int sectorId, int factoryId, bool your, int yield) {
  AddRow(store.SectFactoryData,
         {{"SectorId", sectorId}, {"FactoryId", factoryId}, {"Your", your}, {"Yield", yield}});
}

}  // namespace qvtest
