#include "app/MapRoutePlan.h"

#include "data/DataModule1.h"

namespace qv {

void TMapRoutePlan::SetStart(int sectorId) {
  start_ = sectorId;
  current_ = false;
}

void TMapRoutePlan::SetEnd(int sectorId) {
  end_ = sectorId;
  current_ = false;
}

void TMapRoutePlan::SetEnds(int startId, int endId) {
  start_ = startId;
  end_ = endId;
  current_ = false;
}

void TMapRoutePlan::Clear() {
  start_.reset();
  end_.reset();
  current_ = false;
}

std::optional<int> TMapRoutePlan::SectorIdAt(const TDataModule1& store, bool showHidden, int x,
                                             int y) {
  graph_.Update(store, showHidden);
  const int node = graph_.NodeAt(x, y);
  if (node < 0) return std::nullopt;
  return graph_.Sector(node).id;
}

std::optional<std::string> TMapRoutePlan::Label(const TDataModule1& store, int sectorId,
                                                int node) const {
  auto label = [](const std::string& name, int x, int y) {
    return name + " (" + std::to_string(x) + "," + std::to_string(y) + ")";
  };
  if (node >= 0) {
    const TJumpSector& s = graph_.Sector(node);
    return label(s.name, s.x, s.y);
  }
  const Record row = store.SectorsData.Lookup("Id", Value(sectorId));
  if (!row.IsValid()) return std::nullopt;
  const TSectorsFields& f = store.Fields().Sectors;
  return label(f.Name.Of(row).ToString(), f.X.Of(row).ToInteger(), f.Y.Of(row).ToInteger());
}

bool TMapRoutePlan::Update(const TDataModule1& store, bool showHidden,
                           const TRouteOptions& options) {
  const Table& sectors = store.SectorsData;
  if (current_ && table_ == &sectors && version_ == sectors.RowsVersion() &&
      showHidden_ == showHidden && options_ == options)
    return false;
  const State oldState = state_;
  const TMapRoute oldRoute = route_;
  const std::string oldStart = startLabel_;
  const std::string oldEnd = endLabel_;

  // Without an end there is nothing to look up: a large map is not read.
  if (start_ || end_) graph_.Update(store, showHidden);
  const int startNode = start_ ? graph_.NodeOfId(*start_) : -1;
  const int endNode = end_ ? graph_.NodeOfId(*end_) : -1;
  const std::optional<std::string> startLabel =
      start_ ? Label(store, *start_, startNode) : std::nullopt;
  const std::optional<std::string> endLabel = end_ ? Label(store, *end_, endNode) : std::nullopt;
  if (!startLabel) start_.reset();
  if (!endLabel) end_.reset();
  startLabel_ = startLabel.value_or(std::string());
  endLabel_ = endLabel.value_or(std::string());

  route_.cells.clear();
  if (start_ && end_) {
    const auto nodes = FindRoute(graph_, startNode, endNode, options);
    state_ = nodes ? State::Found : State::NoRoute;
    if (nodes)
      for (const int node : *nodes)
        route_.cells.emplace_back(graph_.Sector(node).x, graph_.Sector(node).y);
  } else {
    state_ = start_ ? State::StartOnly : end_ ? State::EndOnly : State::None;
  }

  current_ = true;
  table_ = &sectors;
  version_ = sectors.RowsVersion();
  showHidden_ = showHidden;
  options_ = options;
  return state_ != oldState || route_.cells != oldRoute.cells || startLabel_ != oldStart ||
         endLabel_ != oldEnd;
}

}  // namespace qv
