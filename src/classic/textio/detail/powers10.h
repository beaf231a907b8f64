#pragma once
// 10^k for 0 <= k <= 22, every one exact in double: a multiplication or a
// division by one of them rounds once.  Number reading and number editing
// share the table.
#include <array>

namespace siteresp::textio {

inline constexpr int max_exact_power = 22;

inline constexpr std::array<double, max_exact_power + 1> powers10 = [] {
  std::array<double, max_exact_power + 1> p{};
  double v = 1.0;
  for (double& x : p) {
    x = v;
    v *= 10.0;
  }
  return p;
}();

}  // namespace siteresp::textio
