#pragma once

#include <array>
#include <list>
#include <string>
#include <vector>

#include "economy/ComplexCalculation.h"

namespace qv {

class IniFile;

// The complex window's texts that the calculation shows, with their English
// defaults; a language file replaces them (section "FactComplexCalcForm").
struct TComplexTexts {
  std::string Prices = "Prices";
  std::array<std::string, 6> GridTitles = {"Product name", "Price",  "Production",
                                           "Int.demand",   "Status", "Result"};
  std::string StatPureExport = "Pure export";
  std::string StatExport = "Export";
  std::string StatPureImport = "Pure import";
  std::string StatImport = "Import";
  std::string StatEqual = "Equal";
  std::string StatSpareOnly = "Spare";
  std::string StatSpare = "spare";
  std::string ErrorUnable = "(unable to calculate rates for some factories)";
  std::string ErrorNoExport = "(all factories will stop since neither of them exports goods)";
  // The message of a complex that does not settle: the factories that keep
  // changing, then the products they pass around (%s, %s).
  std::string UnsettledMsg = "Does not settle: %s over %s";
  std::string DeleteAllMsg = "Delete all factories?";
  std::string ClearCap = "Clear";
  // The trace of a calculation: written, or not (%s: the file and the reason).
  std::string TraceSavedMsg = "Results were saved to \"trace.txt\"";
  std::string TraceCap = "Debug";
  std::string TraceErrorMsg = "Cannot write the trace file %s";
  // The saved complex could not be read (%s: the file and the reason).
  std::string ComplexKeptMsg =
      "%s. The saved complex is kept on disk as it is until you build another one here.";
};

inline constexpr const char* kComplexTextSection = "FactComplexCalcForm";

// Reads every text from the language file, the current text being the default.
void TranslateComplexTexts(TComplexTexts& texts, const IniFile& languageFile);

// One result row: a product at one price, its rates in units per hour.
struct TProductRateInfo {
  std::string Name;
  int ProductId = 0;
  int Price = 0;
  double Production = 0, Demand = 0, Export = 0, Spare = 0;
};

// The result rows, kept sorted by name (byte-wise) and then by price.
class TProductRateInfoSet {
 public:
  // Adds the rates to the row of the same product and price, or inserts a new
  // row in its sorted place.
  void AddRate(const std::string& name, int productId, int price, double production, double demand,
               double exportRate, double spare);
  const std::list<TProductRateInfo>& Rows() const { return rows_; }

 private:
  std::list<TProductRateInfo> rows_;
};

// Everything the complex window shows after a calculation.
struct TComplexResults {
  // The six cells of each result row; empty when the complex gives no row
  // (the grid then shows one empty row).
  std::vector<std::array<std::string, 6>> Rows;
  std::string ProfitText;   // "Complex profit"
  std::string MessageText;  // the calculation's message
  // "Factory max. profit" of the current factory, and the cycle its frames
  // show their rates for (-1 when the current row has no factory).
  std::string CurrentMaxProfitText;
  double FrameCycle = -1;
  std::string TraceError;  // see TComplexCalculation::TraceError
  TUnsettled Unsettled;    // see TComplexCalculation::Unsettled
};

// Calculates the complex and builds its result rows and bottom line.
TComplexResults UpdateResults(TComplexCalculation& calculation, int powerCycle, int currentRecId,
                              const TComplexTexts& texts);

// A money figure as the windows show it: truncated toward zero.
std::string TruncatedText(double value);

// "Does not settle: Crystal Fab ⇄ Solar Power Plant over Energy Cells": each
// type name once, in set order.
std::string UnsettledText(const TUnsettled& unsettled, const TComplexTexts& texts);

}  // namespace qv
