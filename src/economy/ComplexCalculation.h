#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "economy/ComplexModel.h"

namespace qv {

// The factories of a complex whose rates still changed in the last passes
// before the pass limit stopped the calculation, and the products they pass
// among themselves.
struct TUnsettled {
  std::vector<int> RecIds;            // in set order
  std::vector<std::string> Names;     // each one's type name ("#RecId" without one)
  std::vector<std::string> Products;  // by name
};

// The factory set of a complex and the state of its rate calculation.
//
// The calculation links each input to the cheaper-or-equal outputs of the
// other factories, spreads every input's rate evenly over its suppliers as
// demand, and throttles each factory that may not sell outside until none of
// its outputs is made faster than the complex takes it. Rates only fall, so
// the passes settle; a ring that keeps shrinking is stopped by the pass limit.
class TComplexCalculation {
 public:
  TFactorySet Factories;
  int IterationCount = 0;
  int MaxIterations = 10000;
  bool NoExport = false;  // no factory may sell outside: nothing is throttled
  bool TraceOn = false;   // write every pass to TracePath
  std::string TracePath = "trace.txt";
  // Why the last traced calculation could not write its trace; empty when it could.
  std::string TraceError;
  // A trace ends with a line saying it was cut once it reaches this size.
  std::size_t TraceLimit = 64u << 20;
  // Filled when the pass limit stopped the calculation.
  TUnsettled Unsettled;
  // How many of the last changing passes count for Unsettled.
  static constexpr int kUnsettledPasses = 10;

  // Each pass takes time in proportion to the factories and products of the
  // complex: the links between them are kept by product.
  void CalculateRates(int powerCycle);
  bool PassLimitReached() const { return IterationCount > MaxIterations; }
};

}  // namespace qv
