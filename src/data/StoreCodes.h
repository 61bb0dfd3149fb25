#pragma once

#include <cstdint>
#include <type_traits>

#include "data/Value.h"

namespace qv {

// The coded values of the universe tables. The numbers are what the files
// hold; a file may hold a number none of these names (an older or edited
// file), which converts and is kept like any other.

// ProductsData.Type
enum class ProductType : std::int32_t { Product = 0, Upgrade = 1, Ship = 2, Factory = 3 };

// FactoryProdData.Operation: what a recipe row does with its product.
enum class Operation : std::int32_t { Produces = 0, Needs = 1 };

// FactoriesData.Special: factory types whose cycle follows a rule of its own.
enum class Special : std::int32_t { None = 0, SolarPlant = 1, OreMine = 2, SiliconMine = 3 };

// SectTradeData.Trader: the kind of station a trader row belongs to.
enum class Trader : std::int32_t {
  TradingStation = 0,
  Shipyard = 1,
  EquipmentDock = 2,
  PirateBase = 3
};

template <typename Code>
requires std::is_enum_v<Code>
constexpr std::int32_t CodeOf(Code code) {
  return static_cast<std::int32_t>(code);
}

template <typename Code>
requires std::is_enum_v<Code>
constexpr Code AsCode(std::int32_t value) {
  return static_cast<Code>(value);
}

template <typename Code>
requires std::is_enum_v<Code> Value CodeValue(Code code) {
  return Value(CodeOf(code));
}

// A mine's cycle follows its yield.
constexpr bool IsMine(Special special) {
  return special == Special::OreMine || special == Special::SiliconMine;
}

}  // namespace qv
