#pragma once

#include <array>
#include <string>

#include "data/StoreCodes.h"
#include "settings/Color.h"

namespace qv {

// How the traders of a sector count in a request: as producers of what they
// deal in, as consumers, as both, or not at all. The settings file keeps the
// number.
enum class TradersMode : std::int32_t {
  Ignore = 0,
  AddToProducers = 1,
  AddToConsumers = 2,
  AddToBoth = 3
};

// The product request the map shows: up to six products, each with a role and
// a colour, how traders and own factories count, and the maxima that the last
// statistics run found (they scale the bars).
struct TRequestData {
  static constexpr int kMaxProducts = 6;

  int Count = 0;  // products in use, 0 until the first request is processed
  TradersMode Traders = TradersMode::Ignore;
  bool CountYour = false;
  std::array<int, kMaxProducts> ProductId{};
  std::array<std::string, kMaxProducts> ProductName{};
  std::array<int, kMaxProducts> Operation{};  // 0 production, 1 demand
  std::array<TColor, kMaxProducts> Color{};
  std::array<double, kMaxProducts> Max{};
  double OverallMax = 0.0;
  bool IndividualScale = false;
  bool Rates = false;

  // Count held to 0..6, so that a damaged record can never index past the arrays.
  int UsedCount() const;
  // True when products are in use but none of them names a product:
  // "Process" with no product chosen gives such a request, all of whose
  // values are 0.
  bool ChoosesNoProduct() const;
};

// The value that fills a square for product i: nothing beyond the products in
// use, the product's own maximum with individual scales, else the overall one.
double GetScale(const TRequestData& request, int i);

}  // namespace qv
