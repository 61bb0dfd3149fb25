#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "map/JumpGraph.h"
#include "map/RouteFinder.h"
#include "map/RouteOverlay.h"

namespace qv {

class Table;
class TDataModule1;

// The route the main window shows: its two ends, chosen one after the other
// on the map ("Route from here", "Route to here"), and the shortest route
// between them. The ends are kept as sector Ids, so that the route follows
// an end that is moved, and is found again whenever the sectors, the hidden
// switch or what routes avoid changed; an end whose sector was deleted is
// dropped.
class TMapRoutePlan {
 public:
  enum class State { None, StartOnly, EndOnly, Found, NoRoute };

  void SetStart(int sectorId);
  void SetEnd(int sectorId);
  void SetEnds(int startId, int endId);
  void Clear();

  // Brings the route up to date with the store's sectors, the switch and the
  // options; true when what the map or the status line shows changed.
  bool Update(const TDataModule1& store, bool showHidden, const TRouteOptions& options);

  // Valid after Update.
  State GetState() const { return state_; }
  bool HasEnd() const { return start_.has_value() || end_.has_value(); }
  int Jumps() const { return static_cast<int>(route_.cells.size()) - 1; }
  // The route's cells while one was found, else null.
  const TMapRoute* Shown() const { return state_ == State::Found ? &route_ : nullptr; }
  // "Name (X,Y)" of each end, as the table holds it.
  const std::string& StartLabel() const { return startLabel_; }
  const std::string& EndLabel() const { return endLabel_; }

  // The Id of the sector the map shows at (x, y), or nothing.
  std::optional<int> SectorIdAt(const TDataModule1& store, bool showHidden, int x, int y);

 private:
  // The label of an end, read from the graph or (when hidden) from the
  // table; nothing when no sector has that Id any more.
  std::optional<std::string> Label(const TDataModule1& store, int sectorId, int node) const;

  std::optional<int> start_;
  std::optional<int> end_;
  TJumpGraph graph_;

  // What the route was last found from.
  bool current_ = false;
  const Table* table_ = nullptr;
  std::uint64_t version_ = 0;
  bool showHidden_ = false;
  TRouteOptions options_;

  State state_ = State::None;
  TMapRoute route_;
  std::string startLabel_;
  std::string endLabel_;
};

}  // namespace qv
