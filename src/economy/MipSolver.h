#pragma once

#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qv {

// A mixed-integer linear program in the plain form every solver reads:
// minimise the sum of cost x value over the columns, each column between its
// bounds, each row's sum of coefficient x column between the row's bounds.
// An infinite bound is no bound.
struct TMipProblem {
  static constexpr double kInfinity = std::numeric_limits<double>::infinity();

  struct Column {
    double lower = 0;
    double upper = kInfinity;
    bool integer = false;
    double cost = 0;
  };
  struct Row {
    double lower = -kInfinity;
    double upper = kInfinity;
    std::vector<std::pair<int, double>> terms;  // column index, coefficient
  };

  std::vector<Column> columns;
  std::vector<Row> rows;

  int AddColumn(const Column& column) {
    columns.push_back(column);
    return static_cast<int>(columns.size()) - 1;
  }
  int AddRow(Row row) {
    rows.push_back(std::move(row));
    return static_cast<int>(rows.size()) - 1;
  }
};

enum class TMipStatus {
  Optimal,     // the best solution, proven
  TimeLimit,   // time ran out; `values` hold the best solution found
  NoSolution,  // time ran out before any solution was found
  Infeasible,  // no solution exists
  Failed,      // the solver gave up (see `detail`)
};

struct TMipSolution {
  TMipStatus status = TMipStatus::Failed;
  std::vector<double> values;  // one per column when a solution is there
  double objective = 0;
  std::string detail;  // why the solver failed
};

// The one thing the planner asks of a solver. Another solver can stand in
// for the one the program ships by implementing this.
class TMipSolver {
 public:
  virtual ~TMipSolver() = default;
  // Solves within about `seconds` of time (at least a millisecond).
  virtual TMipSolution Solve(const TMipProblem& problem, double seconds) = 0;
};

}  // namespace qv
