#include "economy/FactoryProfit.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "data/DataModule1.h"
#include "data/TextUtil.h"
#include "economy/ComplexResults.h"
#include "settings/MainTexts.h"

namespace qv {

double CycleSeconds(int calcTime, Special special, std::string_view yieldText) {
  const int number = LeadingInteger(yieldText);
  if (IsMine(special)) {
    if (number < 1) return -1.0;
    return static_cast<double>(calcTime) / number;
  }
  if (special == Special::SolarPlant) return number;
  return calcTime;
}

namespace {

struct Balance {
  double income = 0, cost = 0;
  int productCount = 0;
  int productQuantity = 0;
};

Balance Sum(const std::vector<TProfitItem>& items) {
  Balance balance;
  for (const TProfitItem& item : items) {
    const double value = static_cast<double>(item.price) * item.quantity;
    if (item.isProduct) {
      balance.income += value;
      ++balance.productCount;
      balance.productQuantity = item.quantity;
    } else {
      balance.cost += value;
    }
  }
  return balance;
}

}  // namespace

std::string ProfitPerUnitText(const std::vector<TProfitItem>& items) {
  const Balance b = Sum(items);
  if (b.productQuantity == 0 || b.productCount != 1) return "?";
  const double perUnit = (b.income - b.cost) / b.productQuantity;
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, perUnit, std::chars_format::fixed, 1);
  std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
  if (text.ends_with(".0")) text.resize(text.size() - 2);
  if (text == "-0") text = "0";  // a loss that rounds to nothing is no loss
  return text;
}

std::string ProfitPerHourText(const std::vector<TProfitItem>& items, double cycle) {
  if (!(cycle > 0)) return "?";
  const Balance b = Sum(items);
  return TruncatedText((b.income - b.cost) * 3600.0 / cycle);
}

int DefaultCycleBoxValue(Special special) {
  return special == Special::SolarPlant ? 90 : 10;
}

std::string SolarCycleHint(const TStoreTexts& texts, int cycle) {
  return FormatText(texts.SolarTimeNote, {std::int64_t{cycle / 60}, std::int64_t{cycle % 60},
                                          std::int64_t{TDataModule1::ApproxSuns(cycle)}});
}

}  // namespace qv
