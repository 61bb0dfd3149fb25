#pragma once

#include <optional>
#include <string>

namespace qv {

class TDataModule1;
struct TMainTexts;

// The status line of the sector at (x, y):
//   Name (X,Y)[, Race],suns: N[, SHIPYARD][, EQ.DOCK][, PIRATE BASE]
// Nothing when no sector stands there, or a hidden one while hidden sectors
// are not shown.
//
// None of these moves a cursor or an order of the sectors table: the main
// window asks them whenever the universe changes, also while an editor shows
// that table.
std::optional<std::string> SectorStatusText(const TDataModule1& store, int x, int y,
                                            bool showHidden, const TMainTexts& texts);

// Whether a drawable sector stands at (x, y): one exists and it is visible or
// hidden sectors are shown.
bool DrawableSectorAt(const TDataModule1& store, int x, int y, bool showHidden);

// The directions from the selected sector in which a hidden neighbour can be
// revealed: the sector has a gate that way and a hidden sector stands there.
struct TRevealDirections {
  bool north = false;
  bool south = false;
  bool west = false;
  bool east = false;
  bool Any() const { return north || south || west || east; }
};
TRevealDirections GetRevealDirections(const TDataModule1& store, int selX, int selY);

// Makes the sector at (x, y) visible and merges the change log; false when
// there is none.
bool RevealSectorAt(TDataModule1& store, int x, int y);

// The name of the sector at (x, y), or nothing.
std::optional<std::string> SectorNameAt(const TDataModule1& store, int x, int y);

// Deletes the sector at (x, y) with what belongs to it and merges the change
// logs; false when there is none.
bool DeleteSectorAt(TDataModule1& store, int x, int y);

}  // namespace qv
