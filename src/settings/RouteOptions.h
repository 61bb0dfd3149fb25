#pragma once

#include <string>
#include <vector>

namespace qv {

// Sectors a route must not pass through: those of the races named (their
// Race text, compared exactly) and, when asked, those with a pirate base.
// A route may still start or end in one: the player may be there already,
// or want to go there.
struct TRouteOptions {
  std::vector<std::string> avoidRaces{};
  bool avoidPirateBases = false;

  bool AvoidsAny() const { return avoidPirateBases || !avoidRaces.empty(); }
  friend bool operator==(const TRouteOptions&, const TRouteOptions&) = default;
};

}  // namespace qv
