#pragma once

#include <QIcon>

namespace qv {

// The pictograms of the main window's tool bar (and of the calculators'), drawn at run time in one
// flat style: a dark outline, the map's white sector square as the common motif, and a few accent
// colours.
enum class ToolIcon {
  AddSector,
  DeleteSector,
  SectorProperties,
  ObjectsInSector,
  FactoryTypes,
  ProductTypes,
  CalculateStatistics,
  ProductsInSector,
  Legend,
  ShowStatistics,
  ShowRaces,
  ShowSuns,
  ShowDocks,
  ShowShipyards,
  ShowPirateBases,
  ShowInvisibleSectors,
  // The complex calculator's list of factories.
  AddFactory,
  DeleteFactory,
  ClearFactories,
  // The table editors' own tool bars.
  AddRow,
  DeleteRow,
  PanelsStacked,
  PanelsSideBySide,
};

// The icon in the sizes a tool bar asks for (16, 24, 32 and 48 pixels).
QIcon MakeToolIcon(ToolIcon icon);

}  // namespace qv
