#include "economy/GlpkSolver.h"

#include <glpk.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace qv {

namespace {

// The GLPK bound type of a pair of bounds.
int BoundType(double lower, double upper) {
  const bool hasLower = std::isfinite(lower);
  const bool hasUpper = std::isfinite(upper);
  if (hasLower && hasUpper) return lower == upper ? GLP_FX : GLP_DB;
  if (hasLower) return GLP_LO;
  if (hasUpper) return GLP_UP;
  return GLP_FR;
}

double Finite(double bound) {
  return std::isfinite(bound) ? bound : 0.0;
}

// GLPK keeps an environment of its own per thread; freeing it after every
// solve leaves nothing behind for a leak checker, and the next solve makes a
// new one (with the terminal output off again).
struct Environment {
  Environment() { glp_term_out(GLP_OFF); }
  ~Environment() { glp_free_env(); }
};

struct ProblemDeleter {
  void operator()(glp_prob* problem) const { glp_delete_prob(problem); }
};

class GlpkSolver : public TMipSolver {
 public:
  TMipSolution Solve(const TMipProblem& problem, double seconds) override {
    const Environment environment;
    const std::unique_ptr<glp_prob, ProblemDeleter> lp(glp_create_prob());
    glp_set_obj_dir(lp.get(), GLP_MIN);
    const int columns = static_cast<int>(problem.columns.size());
    const int rows = static_cast<int>(problem.rows.size());
    if (columns > 0) glp_add_cols(lp.get(), columns);
    if (rows > 0) glp_add_rows(lp.get(), rows);

    TMipSolution solution;
    for (int j = 0; j < columns; ++j) {
      const TMipProblem::Column& column = problem.columns[j];
      if (column.lower > column.upper) {
        solution.status = TMipStatus::Infeasible;
        return solution;
      }
      glp_set_col_bnds(lp.get(), j + 1, BoundType(column.lower, column.upper), Finite(column.lower),
                       Finite(column.upper));
      glp_set_col_kind(lp.get(), j + 1, column.integer ? GLP_IV : GLP_CV);
      glp_set_obj_coef(lp.get(), j + 1, column.cost);
    }
    // GLPK's arrays count from 1.
    std::vector<int> ia(1), ja(1);
    std::vector<double> ar(1);
    for (int i = 0; i < rows; ++i) {
      const TMipProblem::Row& row = problem.rows[i];
      if (row.lower > row.upper) {
        solution.status = TMipStatus::Infeasible;
        return solution;
      }
      glp_set_row_bnds(lp.get(), i + 1, BoundType(row.lower, row.upper), Finite(row.lower),
                       Finite(row.upper));
      for (const auto& [column, coefficient] : row.terms) {
        ia.push_back(i + 1);
        ja.push_back(column + 1);
        ar.push_back(coefficient);
      }
    }
    glp_load_matrix(lp.get(), static_cast<int>(ia.size()) - 1, ia.data(), ja.data(), ar.data());

    // The relaxation first, then branch and cut from its optimum. (GLPK's
    // own presolver is left out: it fails on a program it solves whole.)
    const auto start = std::chrono::steady_clock::now();
    const int milliseconds = static_cast<int>(std::clamp(seconds * 1000.0, 1.0, 3.6e6));
    glp_smcp simplex;
    glp_init_smcp(&simplex);
    simplex.msg_lev = GLP_MSG_OFF;
    simplex.tm_lim = milliseconds;
    const int relaxed = glp_simplex(lp.get(), &simplex);
    if (relaxed == GLP_ETMLIM) {
      solution.status = TMipStatus::NoSolution;
      return solution;
    }
    if (relaxed != 0) {
      solution.detail = "GLPK's simplex stopped with code " + std::to_string(relaxed);
      return solution;
    }
    if (glp_get_status(lp.get()) == GLP_NOFEAS) {
      solution.status = TMipStatus::Infeasible;
      return solution;
    }
    if (glp_get_status(lp.get()) != GLP_OPT) {
      solution.detail = "GLPK found no optimum of the relaxation";
      return solution;
    }
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - start)
                           .count();
    glp_iocp parameters;
    glp_init_iocp(&parameters);
    parameters.msg_lev = GLP_MSG_OFF;
    // Pseudo-cost branching finds good whole counts soonest on plans of
    // hundreds of types, where the time limit may end the search.
    parameters.br_tech = GLP_BR_PCH;
    parameters.mir_cuts = GLP_ON;
    parameters.cov_cuts = GLP_ON;
    parameters.tm_lim = std::max(1, milliseconds - static_cast<int>(spent));
    const int result = glp_intopt(lp.get(), &parameters);
    const int status = glp_mip_status(lp.get());

    if (result == GLP_ENOPFS || status == GLP_NOFEAS) {
      solution.status = TMipStatus::Infeasible;
      return solution;
    }
    if (status != GLP_OPT && status != GLP_FEAS) {
      if (result == GLP_ETMLIM) {
        solution.status = TMipStatus::NoSolution;
      } else {
        solution.status = TMipStatus::Failed;
        solution.detail = "GLPK stopped with code " + std::to_string(result);
      }
      return solution;
    }
    solution.status =
        status == GLP_OPT && result == 0 ? TMipStatus::Optimal : TMipStatus::TimeLimit;
    solution.objective = glp_mip_obj_val(lp.get());
    solution.values.resize(columns);
    for (int j = 0; j < columns; ++j)
      solution.values[j] = glp_mip_col_val(lp.get(), j + 1);
    return solution;
  }
};

}  // namespace

std::unique_ptr<TMipSolver> MakeGlpkSolver() {
  return std::make_unique<GlpkSolver>();
}

}  // namespace qv
