#pragma once

#include <cstdint>

namespace qv {

// A small fixed generator (splitmix64) so that the same seed gives the same
// universe on every platform and standard library; the distributions of
// <random> are not specified bit for bit.
class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

  // Uniform in [0, n); 0 when n <= 0. The tiny modulo bias does not matter here.
  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }

  // Uniform in [lo, hi].
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }

  // True with the given chance in percent.
  bool Percent(int chance) { return Below(100) < chance; }

  // An independent stream for one part of the universe, so that changing how
  // one part draws numbers leaves the others as they were.
  SplitMix64 Fork(std::uint64_t salt) {
    return SplitMix64(Next() ^ (salt * 0xD1B54A32D192ED03ULL));
  }

 private:
  std::uint64_t state_;
};

}  // namespace qv
