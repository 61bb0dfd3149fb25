#pragma once

#include <memory>

#include "economy/MipSolver.h"

namespace qv {

// The solver the program ships: GLPK's branch and cut through its C API,
// with its terminal output off so that nothing reaches stdout.
std::unique_ptr<TMipSolver> MakeGlpkSolver();

}  // namespace qv
