#pragma once

#include <stdexcept>
#include <string>

namespace qv {

// Raised by the table engine and the table files for an operation that cannot
// be carried out (wrong state, bad text for a field, unknown field, damaged file).
// The message is meant for the player and says what went wrong.
class TableError : public std::runtime_error {
 public:
  explicit TableError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace qv
