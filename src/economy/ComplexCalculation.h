#pragma once

#include <string>

#include "economy/ComplexModel.h"

namespace qv {

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

  void CalculateRates(int powerCycle);
  bool PassLimitReached() const { return IterationCount > MaxIterations; }
};

}  // namespace qv
