#include "economy/ComplexResults.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "data/IniFile.h"
#include "map/FormatStatValue.h"
#include "settings/MainTexts.h"

namespace qv {

void TranslateComplexTexts(TComplexTexts& texts, const IniFile& languageFile) {
  const auto read = [&languageFile](const char* key, std::string& text) {
    text = languageFile.ReadString(kComplexTextSection, key, text);
  };
  read("Prices", texts.Prices);
  const char* titleKeys[6] = {"GridProductName", "GridPrice",  "GridProduction",
                              "GridDemand",      "GridStatus", "GridResult"};
  for (int i = 0; i < 6; ++i)
    read(titleKeys[i], texts.GridTitles[i]);
  read("StatPureExport", texts.StatPureExport);
  read("StatExport", texts.StatExport);
  read("StatPureImport", texts.StatPureImport);
  read("StatImport", texts.StatImport);
  read("StatEqual", texts.StatEqual);
  read("StatSpareOnly", texts.StatSpareOnly);
  read("StatSpare", texts.StatSpare);
  read("ErrorUnable", texts.ErrorUnable);
  read("ErrorNoExport", texts.ErrorNoExport);
  read("UnsettledMsg", texts.UnsettledMsg);
  read("DeleteAllMsg", texts.DeleteAllMsg);
  read("ClearCap", texts.ClearCap);
  read("TraceSavedMsg", texts.TraceSavedMsg);
  read("TraceCap", texts.TraceCap);
  read("TraceErrorMsg", texts.TraceErrorMsg);
  read("ComplexKeptMsg", texts.ComplexKeptMsg);
}

void TProductRateInfoSet::AddRate(const std::string& name, int productId, int price,
                                  double production, double demand, double exportRate,
                                  double spare) {
  for (TProductRateInfo& row : rows_) {
    if (row.ProductId == productId && row.Price == price) {
      row.Production += production;
      row.Demand += demand;
      row.Export += exportRate;
      row.Spare += spare;
      return;
    }
  }
  auto at = rows_.begin();
  while (at != rows_.end() && !(at->Name > name || (at->Name == name && at->Price >= price)))
    ++at;
  rows_.insert(at, {name, productId, price, production, demand, exportRate, spare});
}

std::string TruncatedText(double value) {
  const double truncated = std::trunc(value);
  // Beyond 64 bits (or not a number) nothing sensible is left to show.
  if (!(std::fabs(truncated) < 9.2e18)) return truncated < 0 ? "-?" : "?";
  return std::to_string(static_cast<std::int64_t>(truncated));
}

std::string UnsettledText(const TUnsettled& unsettled, const TComplexTexts& texts) {
  // A long list names the first few and says there are more.
  constexpr std::size_t kShown = 6;
  const auto joined = [](const std::vector<std::string>& items, const char* separator) {
    std::string text;
    std::vector<std::string> seen;
    for (const std::string& item : items) {
      if (std::find(seen.begin(), seen.end(), item) != seen.end()) continue;
      if (seen.size() == kShown) return text + separator + "\u2026";
      seen.push_back(item);
      text += (text.empty() ? "" : separator) + item;
    }
    return text;
  };
  return FormatText(texts.UnsettledMsg,
                    {joined(unsettled.Names, " \u21c4 "), joined(unsettled.Products, ", ")});
}

namespace {

std::string RateText(double value) {
  return value == 0 ? "-" : FormatStatValue(value, true);
}

// The money of a row behind its sign, "+" for export and "-" for import: a
// negative price turns the sign round rather than doubling it.
std::string SignedMoneyText(char sign, double value) {
  std::string digits = TruncatedText(value);
  if (digits.starts_with('-')) {
    digits.erase(0, 1);
    sign = sign == '+' ? '-' : '+';
  }
  return sign + digits;
}

// Status and result of one row; adds its money to `total`.
void RowStatus(const TProductRateInfo& e, const TComplexTexts& texts, double& total,
               std::string& status, std::string& result) {
  if (e.Export > 0) {
    const double value = e.Price * e.Export;
    result = SignedMoneyText('+', value);
    total += value;
    status = e.Demand == 0 ? texts.StatPureExport
                           : texts.StatExport + " " + FormatStatValue(e.Export, true);
  } else if (e.Production < e.Demand) {
    const double value = (e.Demand - e.Production) * e.Price;
    result = SignedMoneyText('-', value);
    total -= value;
    status = e.Production == 0 && e.Spare == 0
                 ? texts.StatPureImport
                 : texts.StatImport + " " + FormatStatValue(e.Demand - e.Production, true);
  } else if (e.Production == e.Demand && e.Production > 0) {
    status = texts.StatEqual;
  }
  if (e.Spare > 0)
    status += (status.empty() ? texts.StatSpareOnly : ", " + texts.StatSpare) + " " +
              FormatStatValue(e.Spare, true);
}

}  // namespace

TComplexResults UpdateResults(TComplexCalculation& calculation, int powerCycle, int currentRecId,
                              const TComplexTexts& texts) {
  calculation.CalculateRates(powerCycle);
  TComplexResults results;
  results.TraceError = calculation.TraceError;

  if (TFactory* current = calculation.Factories.FindFactory(currentRecId)) {
    results.CurrentMaxProfitText = TruncatedText(current->MaxProfit);
    current->ComputeCycle(powerCycle);
    results.FrameCycle = current->Cycle;
  }

  TProductRateInfoSet set;
  for (const TFactory& factory : calculation.Factories.Factories()) {
    for (const TProduct& p : factory.Outputs)
      set.AddRate(p.Name, p.ProductId, p.Price, p.Rate, p.Demand,
                  factory.AllowNPS ? p.Rate - p.Demand : 0.0, p.FullRate - p.Rate);
    for (const TProduct& r : factory.Inputs)
      if (r.SupplierCount == 0) set.AddRate(r.Name, r.ProductId, r.Price, 0, r.Rate, 0, 0);
  }
  // Without rows there is no complex profit to show: the bottom line is
  // emptied rather than left with the figures of an earlier complex.
  if (set.Rows().empty()) return results;

  double total = 0;
  for (const TProductRateInfo& e : set.Rows()) {
    std::array<std::string, 6>& row = results.Rows.emplace_back();
    row[0] = e.Name;
    row[1] = std::to_string(e.Price);
    row[2] = RateText(e.Production);
    row[3] = RateText(e.Demand);
    RowStatus(e, texts, total, row[4], row[5]);
  }
  if (calculation.PassLimitReached()) {
    results.Unsettled = calculation.Unsettled;
    results.MessageText = calculation.Unsettled.RecIds.empty()
                              ? texts.ErrorUnable
                              : UnsettledText(calculation.Unsettled, texts);
    results.ProfitText = TruncatedText(total) + " ?";
  } else if (calculation.NoExport) {
    results.MessageText = texts.ErrorNoExport;
    results.ProfitText = "?";
  } else {
    results.ProfitText = TruncatedText(total);
  }
  return results;
}

}  // namespace qv
