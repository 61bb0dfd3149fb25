#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class Table;
class TDataModule1;

// What the map draws of one sector, read once from the sectors table.
struct TSectorDrawRecord {
  int x = 0;
  int y = 0;
  int nameDx = 0;
  int nameDy = 0;
  int suns = 0;
  int race = -1;  // position in kRaceNames, -1 for any other text
  bool northGate = false;
  bool southGate = false;
  bool westGate = false;
  bool eastGate = false;
  bool eqdock = false;
  bool shipyard = false;
  bool pirate = false;
  std::string name;
};

// The sectors the map draws, in drawing order (that of the sectors table's
// view), with an index by grid cell, so that a repaint finds the few sectors
// near what it shows without walking the table. It is read again only when
// the table's rows changed or hidden sectors are switched on or off.
class TSectorDrawList {
 public:
  // Makes the list match the store's sectors table and the switch; costs
  // nothing when neither changed since the last call.
  void Update(const TDataModule1& store, bool showHidden);

  const std::vector<TSectorDrawRecord>& Records() const { return records_; }
  // Positions in Records() of the sectors standing in columns x0..x1 and rows
  // y0..y1, appended to `out` in drawing order.
  void Collect(int x0, int x1, int y0, int y1, std::vector<int>& out) const;

  // The longest name in bytes, a tab counted as kTabBytes, and the most
  // digits of a suns count: what the widest texts of the map can need.
  std::size_t LongestName() const { return longestName_; }
  std::size_t LongestSuns() const { return longestSuns_; }
  // The bytes a name counts for, for its widest possible drawing: a tab
  // advances to the next tab stop, up to 80 pixels whatever the font.
  static std::size_t NameLength(const std::string& name);
  static constexpr std::size_t kTabBytes = 24;

 private:
  void Build(const TDataModule1& store, bool showHidden);

  const Table* table_ = nullptr;
  std::uint64_t version_ = 0;
  bool showHidden_ = false;

  std::vector<TSectorDrawRecord> records_;
  std::size_t longestName_ = 0;
  std::size_t longestSuns_ = 1;
  // The index: record positions sorted by column, row and drawing order, and
  // where each column minX_..maxX_ starts in it (one more entry at the end).
  int minX_ = 0;
  std::vector<int> byCell_;
  std::vector<int> columnStart_;
};

}  // namespace qv
