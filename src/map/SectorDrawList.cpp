#include "map/SectorDrawList.h"

#include <algorithm>
#include <string_view>

#include "data/DataModule1.h"
#include "data/MapLimits.h"
#include "data/Table.h"
#include "map/MapRenderer.h"

namespace qv {

namespace {

int RaceIndex(const std::string& race) {
  for (std::size_t i = 0; i < kRaceNames.size(); ++i) {
    if (race == kRaceNames[i]) return static_cast<int>(i);
  }
  return -1;
}

std::size_t DigitCount(int value) {
  return std::to_string(value).size();
}

}  // namespace

std::size_t TSectorDrawList::NameLength(const std::string& name) {
  const auto tabs = static_cast<std::size_t>(std::count(name.begin(), name.end(), '\t'));
  return name.size() + tabs * (kTabBytes - 1);
}

void TSectorDrawList::Update(const TDataModule1& store, bool showHidden) {
  const Table& sectors = store.SectorsData;
  if (table_ == &sectors && version_ == sectors.RowsVersion() && showHidden_ == showHidden) return;
  Build(store, showHidden);
  table_ = &sectors;
  version_ = sectors.RowsVersion();
  showHidden_ = showHidden;
}

void TSectorDrawList::Build(const TDataModule1& store, bool showHidden) {
  const Table& sectors = store.SectorsData;
  const TSectorsFields& f = store.Fields().Sectors;
  const int fX = f.X.Index(), fY = f.Y.Index(), fVisible = f.Visible.Index();
  const int fNorth = f.NorthGate.Index(), fSouth = f.SouthGate.Index(), fWest = f.WestGate.Index(),
            fEast = f.EastGate.Index();
  const int fName = f.Name.Index(), fRace = f.Race.Index(), fNameDx = f.NameDx.Index(),
            fNameDy = f.NameDy.Index(), fSuns = f.Suns.Index();
  const int fEqdock = f.Eqdock.Index(), fShipyard = f.Shipyard.Index(), fPirate = f.Pirate.Index();

  records_.clear();
  longestName_ = 0;
  longestSuns_ = 1;
  const int count = sectors.RecordCount();
  records_.reserve(static_cast<std::size_t>(count));
  // The view in its order, read without moving the cursor: drawing neither
  // scrolls a grid nor disturbs a row being edited.
  for (int recNo = 1; recNo <= count; ++recNo) {
    const Row* row = sectors.RecordAt(recNo).GetRow();
    if (row == nullptr) continue;
    const RowValues& v = row->values;
    if (!showHidden && !v[fVisible].ToBoolean()) continue;
    const int x = v[fX].ToInteger();
    const int y = v[fY].ToInteger();
    if (!IsMapPosition(x, y)) continue;
    TSectorDrawRecord& s = records_.emplace_back();
    s.x = x;
    s.y = y;
    s.nameDx = v[fNameDx].ToInteger();
    s.nameDy = v[fNameDy].ToInteger();
    s.suns = v[fSuns].ToInteger();
    s.race = RaceIndex(v[fRace].ToString());
    s.northGate = v[fNorth].ToBoolean();
    s.southGate = v[fSouth].ToBoolean();
    s.westGate = v[fWest].ToBoolean();
    s.eastGate = v[fEast].ToBoolean();
    s.eqdock = v[fEqdock].ToBoolean();
    s.shipyard = v[fShipyard].ToBoolean();
    s.pirate = v[fPirate].ToBoolean();
    s.name = v[fName].ToString();
    longestName_ = std::max(longestName_, NameLength(s.name));
    longestSuns_ = std::max(longestSuns_, DigitCount(s.suns));
  }

  byCell_.resize(records_.size());
  for (std::size_t i = 0; i < records_.size(); ++i)
    byCell_[i] = static_cast<int>(i);
  // Usually already in this order: the table is kept by X, then Y.
  auto cellOrder = [&](int a, int b) {
    const TSectorDrawRecord& ra = records_[static_cast<std::size_t>(a)];
    const TSectorDrawRecord& rb = records_[static_cast<std::size_t>(b)];
    if (ra.x != rb.x) return ra.x < rb.x;
    if (ra.y != rb.y) return ra.y < rb.y;
    return a < b;
  };
  if (!std::is_sorted(byCell_.begin(), byCell_.end(), cellOrder))
    std::sort(byCell_.begin(), byCell_.end(), cellOrder);

  columnStart_.clear();
  if (records_.empty()) return;
  minX_ = records_[static_cast<std::size_t>(byCell_.front())].x;
  const int maxX = records_[static_cast<std::size_t>(byCell_.back())].x;
  columnStart_.assign(static_cast<std::size_t>(maxX - minX_) + 2, 0);
  for (const int i : byCell_)
    ++columnStart_[static_cast<std::size_t>(records_[static_cast<std::size_t>(i)].x - minX_) + 1];
  for (std::size_t c = 1; c < columnStart_.size(); ++c)
    columnStart_[c] += columnStart_[c - 1];
}

void TSectorDrawList::Collect(int x0, int x1, int y0, int y1, std::vector<int>& out) const {
  if (columnStart_.empty()) return;
  const int maxX = minX_ + static_cast<int>(columnStart_.size()) - 2;
  x0 = std::max(x0, minX_);
  x1 = std::min(x1, maxX);
  const std::size_t first = out.size();
  for (int x = x0; x <= x1; ++x) {
    const auto column = static_cast<std::size_t>(x - minX_);
    const auto begin = byCell_.begin() + columnStart_[column];
    const auto end = byCell_.begin() + columnStart_[column + 1];
    auto it = std::lower_bound(
        begin, end, y0, [&](int i, int y) { return records_[static_cast<std::size_t>(i)].y < y; });
    for (; it != end && records_[static_cast<std::size_t>(*it)].y <= y1; ++it)
      out.push_back(*it);
  }
  // Columns come out one after the other; the drawing order is the table's.
  if (!std::is_sorted(out.begin() + static_cast<std::ptrdiff_t>(first), out.end()))
    std::sort(out.begin() + static_cast<std::ptrdiff_t>(first), out.end());
}

}  // namespace qv
