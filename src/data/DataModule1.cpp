#include "data/DataModule1.h"

#include "data/StoreOperations.h"
#include "data/TextUtil.h"

#include <utility>

namespace qv {

namespace {

constexpr const char* kFileNames[] = {"sectors.cds",  "factlist.cds", "products.cds",
                                      "factprod.cds", "sectfact.cds", "secttrad.cds",
                                      "AuxReq.cds"};
constexpr int kRequestSlot = 6;

std::string WithTrailingSeparator(std::string folder) {
  if (folder.empty() || (folder.back() != '/' && folder.back() != '\\')) folder += '/';
  return folder;
}

}  // namespace

TDataModule1::TDataModule1(std::string programFolder, BusyCursor* busy)
    : programFolder_(WithTrailingSeparator(std::move(programFolder))),
      busy_(busy),
      rowWriter_(std::make_unique<TStoreRowWriter>(*this)) {
  fileStates_.fill(TableFileState::NotRead);
  BuildSchemas();
  AttachRules();
  recorder_ = std::make_unique<ChangeRecorder>(
      std::vector<Table*>{&SectorsData, &FactoriesData, &ProductsData, &FactoryProdData,
                          &SectFactoryData, &SectTradeData});
}

TDataModule1::~TDataModule1() = default;

std::string TDataModule1::ProgramFolder() const {
  return programFolder_;
}

std::string TDataModule1::DataFolder() const {
  return programFolder_ + "Data/";
}

std::vector<Table*> TDataModule1::AllTables() {
  return {&SectorsData,     &FactoriesData, &ProductsData,  &FactoryProdData,
          &SectFactoryData, &SectTradeData, &AuxRequestData};
}

Table* TDataModule1::FindTable(std::string_view name) {
  for (Table* table : AllTables())
    if (EqualNoCase(table->Name(), name)) return table;
  return nullptr;
}

int TDataModule1::TableSlot(const Table& table) const {
  const Table* tables[] = {&SectorsData,     &FactoriesData, &ProductsData,  &FactoryProdData,
                           &SectFactoryData, &SectTradeData, &AuxRequestData};
  for (int i = 0; i < kTableCount; ++i)
    if (tables[i] == &table) return i;
  return -1;
}

std::string TDataModule1::TableFilePath(const Table& table) const {
  const int slot = TableSlot(table);
  if (slot < 0) return {};
  return (slot == kRequestSlot ? programFolder_ : DataFolder()) + kFileNames[slot];
}

TRowWriter& TDataModule1::RowWriter() {
  return *rowWriter_;
}

TableFileState TDataModule1::FileState(const Table& table) const {
  const int slot = TableSlot(table);
  return slot < 0 ? TableFileState::NotRead : fileStates_[slot];
}

}  // namespace qv
