#pragma once

#include <functional>
#include <optional>
#include <string>

#include "data/ChangeRecord.h"
#include "data/RowWriter.h"
#include "data/SectorValues.h"
#include "data/Table.h"

namespace qv {

class TDataModule1;

// The named changes of the universe. Every change of the six universe tables
// goes through one of these (or through the store's row writer, for what a
// grid edits), so that the table rules always run: new-row defaults, the gate
// pairs of neighbouring sectors, the delete cascades and the store's
// DataChanged. A row the tables refuse passes on its TableError and is left
// as it was; its edit is cancelled.
//
// Each operation is one step of the store (TDataModule1::BeginChange) and
// returns the step's record: every row it wrote, cascades included, enough
// to take it back or to make it again. Inside a step the caller has opened,
// the rows join that step and the record returned is empty. Where no row of
// the Id given exists, nothing is changed and nothing returned.
//
// Rows of the tables without an Id of their own (factories and traders in
// sectors, recipe rows) are named by their bookmark. Where an operation
// works on one row, that table's cursor stands on it afterwards (when its
// view shows it), as the windows showing it expect.

// The Id of the first row a step added to `table` (a new sector, type or
// product); 0 when it added none.
int InsertedId(const ChangeRecord& record, const Table& table);

// ---- Sectors ----

// A new sector, with the stations' defaults; the opposite gates of its
// neighbours follow its gates; the sectors table stands on it.
ChangeRecord AddSector(TDataModule1& store, const TSectorValues& values);
// The sector takes the values; its neighbours' gates follow. False when no
// sector has that Id.
std::optional<ChangeRecord> EditSector(TDataModule1& store, int sectorId,
                                       const TSectorValues& values);
// The sector with its factories and traders. False when none has that Id.
std::optional<ChangeRecord> DeleteSector(TDataModule1& store, int sectorId);
// Switches a station flag (TStationKind); the station's goods are not
// touched (RemoveTraders does that). False when the sector is gone.
std::optional<ChangeRecord> SetSectorStation(TDataModule1& store, int sectorId, int trader,
                                             bool on);
std::optional<ChangeRecord> SetSectorSolarCycle(TDataModule1& store, int sectorId, int seconds);
// Makes a hidden sector visible. False when the sector is gone.
std::optional<ChangeRecord> RevealSector(TDataModule1& store, int sectorId);
// Makes every sector visible.
ChangeRecord RevealAllSectors(TDataModule1& store);

// ---- What stands in a sector ----

// A factory of a type still to be chosen, placed in the sector.
ChangeRecord PlaceFactory(TDataModule1& store, int sectorId);
ChangeRecord RemoveFactory(TDataModule1& store, Table::Bookmark row);
// A good a station of kind `trader` deals in, still to be chosen.
ChangeRecord PlaceTrader(TDataModule1& store, int sectorId, int trader);
ChangeRecord RemoveTrader(TDataModule1& store, Table::Bookmark row);
// Every good of the sector's station of that kind.
ChangeRecord RemoveTraders(TDataModule1& store, int sectorId, int trader);

// ---- Factory and product types ----

// A factory type with the two recipe rows every type starts with: one
// product it makes and one resource it needs, both still to be chosen.
// The factory types table stands on it.
ChangeRecord AddFactoryType(TDataModule1& store);
// The type with its recipe rows and the factories of that type in sectors.
std::optional<ChangeRecord> DeleteFactoryType(TDataModule1& store, int typeId);
// A recipe row of the type: a resource it needs, still to be chosen.
ChangeRecord AddRecipeRow(TDataModule1& store, int typeId);
ChangeRecord RemoveRecipeRow(TDataModule1& store, Table::Bookmark row);
// A product type with the table's defaults; the products table stands on it.
ChangeRecord AddProductType(TDataModule1& store);
// The product with the recipe rows and the traders that name it.
std::optional<ChangeRecord> DeleteProductType(TDataModule1& store, int productId);

// ---- One field of many rows ----

struct TBulkChange {
  ChangeRecord record;
  int changed = 0;    // rows the value was stored in
  int failedRow = 0;  // 1-based position of the row the table refused, 0 when none
  std::string error;  // the table's reason
};
// Stores `value` into the field at `fieldIndex` of each row of the table's
// view (in the order it had before the run) that `chosen` accepts while it
// is the current row; without a value a chosen row is stored as it is. Each
// row is visited once even when storing it moves it. A refused row stops the
// run; rows stored before stay changed. The cursor returns to its row.
TBulkChange ChangeFieldOfRows(TDataModule1& store, Table& table, int fieldIndex,
                              const std::optional<Value>& value,
                              const std::function<bool()>& chosen);

// ---- Rows a grid edits ----

// The writer the store hands to the grids and field boxes that show its
// universe tables: each row stored or deleted is one step, named after what
// the table holds (a placed factory edited, a recipe row deleted).
class TStoreRowWriter : public TRowWriter {
 public:
  explicit TStoreRowWriter(TDataModule1& store) : store_(store) {}
  void PostRow(Table& table) override;
  void FinishRow(Table& table) override;
  void DeleteRow(Table& table) override;

 private:
  TDataModule1& store_;
};

}  // namespace qv
