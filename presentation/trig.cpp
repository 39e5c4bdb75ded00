#include "presentation/trig.h"

#include <array>
#include <cmath>
#include <numbers>

namespace pres {
namespace {

constexpr int kSteps = 256;
constexpr int kQuarterBack = 192;  // sin(a) = cos(a - 64) = cos(a + 192)

const std::array<double, kSteps>& CosineTable() {
  static const std::array<double, kSteps> table = [] {
    std::array<double, kSteps> t{};
    for (int i = 0; i < kSteps; ++i) t[size_t(i)] = std::cos(2 * std::numbers::pi * i / kSteps);
    return t;
  }();
  return table;
}

// The angle modulo 256, also for negative angles.
size_t Wrap(int64_t angle) {
  return size_t(angle & (kSteps - 1));
}

}  // namespace

double Cos256(int32_t angle) {
  return CosineTable()[Wrap(angle)];
}

double Sin256(int32_t angle) {
  return CosineTable()[Wrap(int64_t{angle} + kQuarterBack)];
}

}  // namespace pres
