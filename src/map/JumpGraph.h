#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv {

class Table;
class TDataModule1;

// What a route and the where-to search need of one sector on the map.
struct TJumpSector {
  int id = 0;
  int x = 0;
  int y = 0;
  std::string name;
  int race = 0;         // position of the sector's Race text in TJumpGraph::Races()
  bool pirate = false;  // the sector has a pirate base
  int solarCycle = -1;  // seconds per cycle of a solar power plant there, -1 for none
};

// The jumps between the sectors the map draws. A sector jumps through each of
// its gates to the sector standing at the neighbouring position (north is
// Y - 1, west X - 1); where several share that position, to the one a key
// search on the position finds, the first in the table's position order.
// Hidden sectors take part only while hidden sectors are shown, and sectors
// beyond the map's range never. A gate without its partner on the other side
// is a one-way jump.
//
// Read from all rows of the table without moving its cursor, order or filter,
// and read again only when the table's rows changed or the switch did.
class TJumpGraph {
 public:
  // Makes the graph match the store's sectors table and the switch; costs
  // nothing when neither changed since the last call.
  void Update(const TDataModule1& store, bool showHidden);

  int Count() const { return static_cast<int>(sectors_.size()); }
  // Nodes are numbered 0..Count()-1 in the order of the sectors' positions.
  const TJumpSector& Sector(int node) const { return sectors_[static_cast<std::size_t>(node)]; }
  // Where the sector's gates lead, and where the gates leading to it come from.
  std::span<const int> Jumps(int node) const { return Slice(out_, outStart_, node); }
  std::span<const int> JumpsInto(int node) const { return Slice(in_, inStart_, node); }

  // The node of a sector Id, -1 when the sector is not on the map.
  int NodeOfId(int id) const;
  // The sector a key search finds at (x, y), -1 when there is none there or
  // it is not on the map (hidden while hidden sectors are not shown).
  int NodeAt(int x, int y) const;
  // Every Race text of the sectors on the map, each once.
  const std::vector<std::string>& Races() const { return races_; }
  // Each node's place when the nodes are ordered by name (ASCII case
  // ignored first, then exact), then Id; worked out at the first call after
  // the graph was read.
  const std::vector<int>& NameRanks() const;

 private:
  struct Position {
    int x = 0;
    int y = 0;
    int node = -1;  // of the sector found there, -1 when it is not on the map
  };

  void Build(const TDataModule1& store, bool showHidden);
  void BuildIdIndex();
  void BuildJumps(const std::vector<std::uint8_t>& gates, const std::vector<int>& positionOf);
  static std::span<const int> Slice(const std::vector<int>& targets, const std::vector<int>& starts,
                                    int node) {
    const auto n = static_cast<std::size_t>(node);
    return {targets.data() + starts[n], static_cast<std::size_t>(starts[n + 1] - starts[n])};
  }

  const Table* table_ = nullptr;
  std::uint64_t version_ = 0;
  bool showHidden_ = false;

  std::vector<TJumpSector> sectors_;
  std::vector<std::string> races_;
  // One entry per occupied position, ordered by X, then Y.
  std::vector<Position> positions_;
  // The jumps as arrays of targets, the node's own from start[node] to
  // start[node + 1].
  std::vector<int> out_, outStart_;
  std::vector<int> in_, inStart_;
  // Node of each Id: a plain table when the Ids are compact, else pairs
  // (id, node) ordered by Id.
  std::vector<int> nodeById_;
  std::vector<std::pair<int, int>> sortedIds_;
  mutable std::vector<int> nameRanks_;  // empty until asked for
};

}  // namespace qv
