#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/StoreCodes.h"

namespace qv {

struct TStoreTexts;

// The arithmetic of the factory profit window.

// Seconds per production cycle of a factory type with calculation time
// `calcTime` and special kind `special`, the yield box holding `yieldText`:
// a mine's cycle is calcTime / yield (-1 when the yield is below 1), a solar
// power plant's cycle is the number typed, any other type's is calcTime.
double CycleSeconds(int calcTime, Special special, std::string_view yieldText);

// One product frame as the profit sees it.
struct TProfitItem {
  int price = 0;
  int quantity = 0;  // units per cycle
  bool isProduct = false;
};

// Profit per unit of the one product, one decimal, "12" for 12.0; "?" unless
// the recipe has exactly one product with a quantity.
std::string ProfitPerUnitText(const std::vector<TProfitItem>& items);
// Profit per hour truncated toward zero; "?" when the cycle is not positive.
std::string ProfitPerHourText(const std::vector<TProfitItem>& items, double cycle);

// The up-down position the window sets for a special kind: 90 s for a solar
// power plant, a yield of 10 for mines; ordinary types do not use it.
int DefaultCycleBoxValue(Special special);

// The hint of a solar cycle box: the store's note filled with the minutes,
// the seconds and the approximate number of suns of `cycle` seconds.
std::string SolarCycleHint(const TStoreTexts& texts, int cycle);

}  // namespace qv
