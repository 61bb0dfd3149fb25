#pragma once

#include <string>

#include "data/StoreCodes.h"

namespace qv {

class Table;
class TDataModule1;

// The table work of the factory types and product types windows.

// The information text over a factory type's recipe: `infoText` filled with
// the calculation time, followed by `yieldText` for mines; empty when the
// type has no calculation time.
std::string FactoryInfoText(const std::string& infoText, const std::string& yieldText, int mtime,
                            Special special);

// The size of the factory type panel when the window opens: the share
// `part` / `total` of `windowSize` that was saved, kept between 50 pixels and
// `clientSize` - 50 (the 50 win when the client is smaller than 100). A
// share that cannot be a share (total not above 0) gives half.
int FactoryListPanelSize(int windowSize, int clientSize, int part, int total);

}  // namespace qv
