// The demo generator's random numbers: the same sequence for a seed on every platform
// (the standard distributions are not portable, so only the raw engine is used).
#pragma once

#include <cstdint>
#include <random>

namespace vemo {

class DemoRandom {
 public:
  explicit DemoRandom(std::uint64_t seed) : engine_(seed) {}

  // 0 … n-1.
  int below(int n) { return n <= 1 ? 0 : int(engine_() % std::uint64_t(n)); }
  // low … high, both included.
  int between(int low, int high) { return low + below(high - low + 1); }
  // [0, 1).
  double unit() { return double(engine_() >> 11) * (1.0 / 9007199254740992.0); }
  double between(double low, double high) { return low + (high - low) * unit(); }
  bool chance(double p) { return unit() < p; }
  template <typename List>
  const auto& pick(const List& list) {
    return list[std::size_t(below(int(std::size(list))))];
  }

 private:
  std::mt19937_64 engine_;
};

}  // namespace vemo
