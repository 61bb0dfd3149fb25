#include "cli/CliRouteOptions.h"

#include <ostream>

#include "cli/CliContext.h"
#include "cli/CliRequestOptions.h"
#include "data/DataModule1.h"
#include "data/MapLimits.h"
#include "data/TextUtil.h"
#include "map/JumpGraph.h"

namespace qv::cli {

namespace {

std::string Position(int x, int y) {
  return std::to_string(x) + "," + std::to_string(y);
}

// "X,Y" as two integers, or nothing.
std::optional<std::pair<int, int>> ParsePosition(const std::string& text) {
  const std::string::size_type comma = text.find(',');
  if (comma == std::string::npos) return std::nullopt;
  const auto x = ParseInt32(std::string_view(text).substr(0, comma));
  const auto y = ParseInt32(std::string_view(text).substr(comma + 1));
  if (!x || !y) return std::nullopt;
  return std::pair(*x, *y);
}

}  // namespace

bool TakeRouteOption(const CommandArgs& args, size_t& i, TRouteOptions& options) {
  if (auto race = OptionValue(args, i, "--avoid")) {
    if (race->empty()) throw UsageError("--avoid needs a race");
    options.avoidRaces.push_back(*race);
    return true;
  }
  if (args[i] == "--avoid-pirate-bases") {
    options.avoidPirateBases = true;
    return true;
  }
  return false;
}

std::optional<NamedSector> ResolveSector(TDataModule1& store, const std::string& text,
                                         std::string& error) {
  const Table& sectors = store.SectorsData;
  const TSectorsFields& f = store.Fields().Sectors;
  auto read = [&](const Record& row) {
    return NamedSector{f.Id.Of(row).ToInteger(), f.X.Of(row).ToInteger(), f.Y.Of(row).ToInteger(),
                       f.Name.Of(row).ToString()};
  };
  if (const auto position = ParsePosition(text)) {
    const auto [x, y] = *position;
    // The sector the map finds there: the first in the map's order.
    if (IsMapPosition(x, y)) {
      const Record row = sectors.RowsWithKey("X;Y", {Value(x), Value(y)}).Front();
      if (row.IsValid()) return read(row);
    }
    error = "no sector at " + Position(x, y);
    return std::nullopt;
  }
  std::vector<NamedSector> named;
  for (const Record& row : sectors.AllRecords())
    if (f.Name.Of(row).ToString() == text) named.push_back(read(row));
  if (named.size() == 1) return named.front();
  if (named.empty()) {
    error = "no sector is named \"" + text + "\"";
    return std::nullopt;
  }
  error = std::to_string(named.size()) + " sectors are named \"" + text + "\", at";
  for (std::size_t i = 0; i < named.size(); ++i)
    error += (i == 0                  ? " "
              : i + 1 == named.size() ? " and "
                                      : ", ") +
             Position(named[i].x, named[i].y);
  error += "; name one by its position X,Y";
  return std::nullopt;
}

std::string SectorLabel(const NamedSector& sector) {
  return sector.name + " (" + Position(sector.x, sector.y) + ")";
}

int NodeOnMap(const TJumpGraph& graph, const NamedSector& sector, std::string& error) {
  const int node = graph.NodeOfId(sector.id);
  if (node < 0)
    error = SectorLabel(sector) + (IsMapPosition(sector.x, sector.y)
                                       ? " is hidden (--hidden shows hidden sectors)"
                                       : " lies outside the map");
  return node;
}

std::optional<std::vector<int>> RouteBetween(CliContext& context, const TJumpGraph& graph,
                                             const std::string& from, const std::string& to,
                                             const TRouteOptions& options) {
  std::string error;
  const std::optional<NamedSector> start = ResolveSector(context.Store(), from, error);
  const std::optional<NamedSector> end =
      start ? ResolveSector(context.Store(), to, error) : std::nullopt;
  int startNode = -1;
  int endNode = -1;
  if (start && end) {
    startNode = NodeOnMap(graph, *start, error);
    if (startNode >= 0) endNode = NodeOnMap(graph, *end, error);
  }
  std::optional<std::vector<int>> route;
  if (endNode >= 0) {
    route = FindRoute(graph, startNode, endNode, options);
    if (!route) error = "no route from " + SectorLabel(*start) + " to " + SectorLabel(*end);
  } else if (start && end) {
    error = "no route: " + error;
  }
  if (!route) context.Err() << "qvmap-cli: " << error << "\n";
  return route;
}

std::string LineCell(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

}  // namespace qv::cli
