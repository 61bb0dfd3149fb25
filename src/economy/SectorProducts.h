#pragma once

#include <string>
#include <vector>

namespace qv {

class TDataModule1;

// The products-in-sector list of one sector as its grid shows it.
struct TSectorProducts {
  bool found = false;      // a sector stands at the position
  std::string sectorName;  // empty when the list is empty
  // One row per product in the product types' order: name, T, P, N and,
  // with rates, Prod and Cons; a count or rate that is not above 0 is empty.
  // Products without a product type (a row that refers to a deleted one)
  // come last as empty rows: the list has a row for every product counted.
  std::vector<std::vector<std::string>> rows;
};

// Computes the list of the sector at (x, y). Leaves the SectorsData cursor on
// the sector when there is one; the ProductsData cursor does not move.
TSectorProducts BuildSectorProducts(TDataModule1& store, int x, int y, bool rates);

}  // namespace qv
