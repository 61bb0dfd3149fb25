#pragma once

#include "data/StoreCodes.h"

namespace qv {

class TDataModule1;
class TSectorArray;
class TSectorStat;
struct TRequestData;

// Cycle time in seconds of one placed factory, from its type (when the type
// exists), the placed factory's yield and the solar cycle of its sector:
// -1 for an unknown type or a mine without yield, the sector's solar cycle
// for a solar power plant, Mtime / Yield for a mine, else Mtime. A cycle of 0 or less gives no
// rate.
double FactoryCycleTime(bool typeFound, Special special, int mtime, int yield, int solarCycle);

// Units per hour of a recipe quantity at a cycle time; 0 when the cycle is not
// above 0.
double HourlyRate(int qty, double cycleTime);

// Fills the cell of every sector on the map with one value per request
// product (factory count or hourly rate) and the request's maxima, and
// clears the store's DataChanged. Reads every row, whatever a window
// filters, without moving any cursor or order.
void CalcRequestStatistics(TDataModule1& store, TRequestData& request, TSectorArray& cells);

// Fills `stat` with every product made, needed or traded in the sector at
// (x, y). False when `stat` is missing (nothing touched) or no sector stands
// there (`stat` left empty). Reads every row, whatever a window filters,
// without moving any cursor or order.
bool CalcSectorStatistics(const TDataModule1& store, TSectorStat* stat, int x, int y, bool rates);

}  // namespace qv
