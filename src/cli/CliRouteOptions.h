#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "map/RouteFinder.h"

namespace qv {
class TDataModule1;
class TJumpGraph;
}  // namespace qv

namespace qv::cli {

class CliContext;

// Takes --avoid RACE (any number of times) and --avoid-pirate-bases at
// args[i]; false for any other argument.
bool TakeRouteOption(const CommandArgs& args, size_t& i, TRouteOptions& options);

// A sector named on the command line.
struct NamedSector {
  int id = 0;
  int x = 0;
  int y = 0;
  std::string name;
};

// "X,Y" names the sector the map finds at that position, anything else the
// one sector of exactly that name. Nothing, with the reason in `error`, when
// there is none or when several share the name (the reason lists where).
std::optional<NamedSector> ResolveSector(TDataModule1& store, const std::string& text,
                                         std::string& error);

// "Name (X,Y)", as the status line starts.
std::string SectorLabel(const NamedSector& sector);

// The sector's node on the graph; -1, with the reason in `error`, when the
// map does not show it.
int NodeOnMap(const TJumpGraph& graph, const NamedSector& sector, std::string& error);

// The nodes of the shortest route between two sectors named on the command
// line, on the map with or without hidden sectors; nothing, with the reason
// on stderr ("no route ..." when the map holds no way there).
std::optional<std::vector<int>> RouteBetween(CliContext& context, const TJumpGraph& graph,
                                             const std::string& from, const std::string& to,
                                             const TRouteOptions& options);

// A text as one cell of a line: TAB, CR and LF become blanks.
std::string LineCell(std::string text);

}  // namespace qv::cli
