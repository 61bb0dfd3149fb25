#include "map/JumpGraph.h"

#include <algorithm>
#include <tuple>

#include "data/DataModule1.h"
#include "data/MapLimits.h"
#include "data/Table.h"
#include "data/TextUtil.h"

namespace qv {

namespace {

enum GateBit : std::uint8_t { kNorth = 1, kSouth = 2, kWest = 4, kEast = 8 };

}  // namespace

void TJumpGraph::Update(const TDataModule1& store, bool showHidden) {
  const Table& sectors = store.SectorsData;
  if (table_ == &sectors && version_ == sectors.RowsVersion() && showHidden_ == showHidden) return;
  Build(store, showHidden);
  table_ = &sectors;
  version_ = sectors.RowsVersion();
  showHidden_ = showHidden;
}

void TJumpGraph::Build(const TDataModule1& store, bool showHidden) {
  const Table& sectors = store.SectorsData;
  const TSectorsFields& f = store.Fields().Sectors;
  const std::size_t fX = f.X.Slot(), fY = f.Y.Slot(), fId = f.Id.Slot(), fName = f.Name.Slot(),
                    fRace = f.Race.Slot(), fPirate = f.Pirate.Slot(), fVisible = f.Visible.Slot(),
                    fSuns = f.Suns.Slot(), fSolar = f.SolarCycle.Slot(),
                    fNorth = f.NorthGate.Slot(), fSouth = f.SouthGate.Slot(),
                    fWest = f.WestGate.Slot(), fEast = f.EastGate.Slot();

  // Every sector on the map, hidden ones too: a hidden sector found at a
  // position keeps the gates of its neighbours from leading to another one
  // standing there. Read in one pass in stored order, the order the rows lie
  // in memory, and put in the order of positions afterwards.
  struct Candidate {
    TJumpSector sector;
    std::uint64_t rowId = 0;  // the tie-break of equal keys in the table's orders
    bool drawn = false;
    std::uint8_t gates = 0;
  };
  std::vector<Candidate> candidates;
  const std::vector<Record> records = sectors.AllRecords();
  candidates.reserve(records.size());
  races_.clear();
  for (const Record& record : records) {
    const Row* row = record.GetRow();
    const RowValues& v = row->values;
    const int x = v[fX].ToInteger();
    const int y = v[fY].ToInteger();
    if (!IsMapPosition(x, y)) continue;
    Candidate& c = candidates.emplace_back();
    c.rowId = row->id;
    c.drawn = showHidden || v[fVisible].ToBoolean();
    TJumpSector& s = c.sector;
    s.x = x;
    s.y = y;
    if (!c.drawn) continue;
    s.id = v[fId].ToInteger();
    s.name = v[fName].ToString();
    // A handful of races: a look along them beats hashing.
    const std::string race = v[fRace].ToString();
    const auto known = std::find(races_.begin(), races_.end(), race);
    s.race = static_cast<int>(known - races_.begin());
    if (known == races_.end()) races_.push_back(race);
    s.pirate = v[fPirate].ToBoolean();
    s.solarCycle = TDataModule1::SolarCycleOf(v[fSolar].ToInteger(), v[fSuns].ToInteger());
    c.gates = static_cast<std::uint8_t>(
        (v[fNorth].ToBoolean() ? kNorth : 0) | (v[fSouth].ToBoolean() ? kSouth : 0) |
        (v[fWest].ToBoolean() ? kWest : 0) | (v[fEast].ToBoolean() ? kEast : 0));
  }
  std::vector<int> order(candidates.size());
  for (std::size_t i = 0; i < order.size(); ++i)
    order[i] = static_cast<int>(i);
  const auto byPosition = [&](int a, int b) {
    const Candidate& ca = candidates[static_cast<std::size_t>(a)];
    const Candidate& cb = candidates[static_cast<std::size_t>(b)];
    return std::tie(ca.sector.x, ca.sector.y, ca.rowId) <
           std::tie(cb.sector.x, cb.sector.y, cb.rowId);
  };
  // Usually in this order already: the table is kept by X, then Y.
  if (!std::is_sorted(order.begin(), order.end(), byPosition))
    std::sort(order.begin(), order.end(), byPosition);

  sectors_.clear();
  nameRanks_.clear();
  positions_.clear();
  sectors_.reserve(candidates.size());
  std::vector<std::uint8_t> gates;
  gates.reserve(candidates.size());
  std::vector<int> positionOf;  // per node, its entry in positions_
  positionOf.reserve(candidates.size());
  for (const int i : order) {
    Candidate& c = candidates[static_cast<std::size_t>(i)];
    const bool first = positions_.empty() || positions_.back().x != c.sector.x ||
                       positions_.back().y != c.sector.y;
    if (first) positions_.push_back({c.sector.x, c.sector.y, -1});
    if (!c.drawn) continue;
    if (first) positions_.back().node = static_cast<int>(sectors_.size());
    sectors_.push_back(std::move(c.sector));
    gates.push_back(c.gates);
    positionOf.push_back(static_cast<int>(positions_.size()) - 1);
  }
  BuildIdIndex();
  BuildJumps(gates, positionOf);
}

void TJumpGraph::BuildIdIndex() {
  nodeById_.clear();
  sortedIds_.clear();
  int maxId = 0;
  bool compact = true;
  for (const TJumpSector& s : sectors_) {
    if (s.id < 0) compact = false;
    maxId = std::max(maxId, s.id);
  }
  // Auto-increment Ids stay close to the row count; a table of them is both
  // small and the quickest to search. Stray large Ids get the pairs.
  if (compact && static_cast<std::size_t>(maxId) <= 4 * sectors_.size() + 1024) {
    nodeById_.assign(static_cast<std::size_t>(maxId) + 1, -1);
    for (int node = 0; node < Count(); ++node) {
      int& slot = nodeById_[static_cast<std::size_t>(sectors_[static_cast<std::size_t>(node)].id)];
      if (slot < 0) slot = node;
    }
    return;
  }
  sortedIds_.reserve(sectors_.size());
  for (int node = 0; node < Count(); ++node)
    sortedIds_.emplace_back(sectors_[static_cast<std::size_t>(node)].id, node);
  std::sort(sortedIds_.begin(), sortedIds_.end());
}

int TJumpGraph::NodeOfId(int id) const {
  if (!nodeById_.empty() || sortedIds_.empty()) {
    if (id < 0 || static_cast<std::size_t>(id) >= nodeById_.size()) return -1;
    return nodeById_[static_cast<std::size_t>(id)];
  }
  const auto it = std::lower_bound(sortedIds_.begin(), sortedIds_.end(), std::make_pair(id, -1));
  return it != sortedIds_.end() && it->first == id ? it->second : -1;
}

namespace {

char FoldedAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Bytes 8 * part .. 8 * part + 7 of the folded name, as one number that
// orders as they do; 0 past the end.
std::uint64_t FoldedPrefix(const std::string& name, std::size_t part) {
  std::uint64_t key = 0;
  for (std::size_t k = 8 * part; k < 8 * part + 8; ++k)
    key = key << 8 | (k < name.size() ? static_cast<unsigned char>(FoldedAscii(name[k])) : 0u);
  return key;
}

}  // namespace

const std::vector<int>& TJumpGraph::NameRanks() const {
  if (nameRanks_.size() == sectors_.size()) return nameRanks_;
  // The first 24 folded bytes, kept beside each node, decide nearly every
  // comparison without reading the names.
  struct Key {
    std::uint64_t first = 0;
    std::uint64_t second = 0;
    std::uint64_t third = 0;
    int node = 0;
  };
  std::vector<Key> keys(sectors_.size());
  for (std::size_t i = 0; i < sectors_.size(); ++i)
    keys[i] = {FoldedPrefix(sectors_[i].name, 0), FoldedPrefix(sectors_[i].name, 1),
               FoldedPrefix(sectors_[i].name, 2), static_cast<int>(i)};
  std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
    if (a.first != b.first) return a.first < b.first;
    if (a.second != b.second) return a.second < b.second;
    if (a.third != b.third) return a.third < b.third;
    const TJumpSector& sa = sectors_[static_cast<std::size_t>(a.node)];
    const TJumpSector& sb = sectors_[static_cast<std::size_t>(b.node)];
    if (const int folded = CompareNoCase(sa.name, sb.name); folded != 0) return folded < 0;
    if (sa.name != sb.name) return sa.name < sb.name;
    return sa.id < sb.id;
  });
  nameRanks_.assign(sectors_.size(), 0);
  for (std::size_t k = 0; k < keys.size(); ++k)
    nameRanks_[static_cast<std::size_t>(keys[k].node)] = static_cast<int>(k);
  return nameRanks_;
}

int TJumpGraph::NodeAt(int x, int y) const {
  const auto it = std::lower_bound(positions_.begin(), positions_.end(), std::make_pair(x, y),
                                   [](const Position& p, const std::pair<int, int>& key) {
                                     return std::tie(p.x, p.y) < std::tie(key.first, key.second);
                                   });
  return it != positions_.end() && it->x == x && it->y == y ? it->node : -1;
}

void TJumpGraph::BuildJumps(const std::vector<std::uint8_t>& gates,
                            const std::vector<int>& positionOf) {
  // The neighbouring entries of each position. North and south neighbours
  // are the entries beside it; east and west ones are found walking two
  // neighbouring columns side by side.
  const std::size_t count = positions_.size();
  std::vector<int> eastOf(count, -1), westOf(count, -1);
  std::size_t column = 0;
  while (column < count) {
    std::size_t columnEnd = column;
    while (columnEnd < count && positions_[columnEnd].x == positions_[column].x)
      ++columnEnd;
    if (columnEnd < count && positions_[columnEnd].x == positions_[column].x + 1) {
      std::size_t next = columnEnd;
      const int nextX = positions_[columnEnd].x;
      for (std::size_t p = column; p < columnEnd; ++p) {
        while (next < count && positions_[next].x == nextX && positions_[next].y < positions_[p].y)
          ++next;
        if (next < count && positions_[next].x == nextX && positions_[next].y == positions_[p].y) {
          eastOf[p] = static_cast<int>(next);
          westOf[next] = static_cast<int>(p);
        }
      }
    }
    column = columnEnd;
  }
  auto beside = [&](std::size_t p, int step) {
    const long long q = static_cast<long long>(p) + step;
    if (q < 0 || q >= static_cast<long long>(count)) return -1;
    const Position& a = positions_[p];
    const Position& b = positions_[static_cast<std::size_t>(q)];
    return a.x == b.x && b.y == a.y + step ? static_cast<int>(q) : -1;
  };

  const std::size_t n = sectors_.size();
  outStart_.assign(n + 1, 0);
  out_.clear();
  out_.reserve(n * 2);
  for (std::size_t node = 0; node < n; ++node) {
    const std::uint8_t g = gates[node];
    const auto p = static_cast<std::size_t>(positionOf[node]);
    const int neighbours[4] = {beside(p, -1), beside(p, 1), westOf[p], eastOf[p]};
    const GateBit bits[4] = {kNorth, kSouth, kWest, kEast};
    for (int d = 0; d < 4; ++d) {
      if (!(g & bits[d]) || neighbours[d] < 0) continue;
      const int to = positions_[static_cast<std::size_t>(neighbours[d])].node;
      if (to >= 0) out_.push_back(to);
    }
    outStart_[node + 1] = static_cast<int>(out_.size());
  }

  inStart_.assign(n + 1, 0);
  for (const int to : out_)
    ++inStart_[static_cast<std::size_t>(to) + 1];
  for (std::size_t node = 0; node < n; ++node)
    inStart_[node + 1] += inStart_[node];
  in_.assign(out_.size(), 0);
  std::vector<int> fill(inStart_.begin(), inStart_.end() - 1);
  for (int from = 0; from < Count(); ++from)
    for (const int to : Jumps(from))
      in_[static_cast<std::size_t>(fill[static_cast<std::size_t>(to)]++)] = from;
}

}  // namespace qv
