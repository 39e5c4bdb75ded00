#pragma once
// The real-number steps of the play: products of a sine or cosine and an integer are
// taken to the nearest integer, and directions toward a point come from the two-argument
// arc tangent.
#include <cmath>
#include <cstdint>
#include <numbers>

namespace tolvane {

// Nearest integer, halves away from zero.
inline int32_t RoundToInt(double value) {
  return static_cast<int32_t>(std::lround(value));
}

// Direction from one point toward another in radians (0 right, pi/2 down). The offsets
// are real numbers, so a target a few pixels away still gives its true direction.
inline double DirectionToward(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY) {
  return std::atan2(static_cast<double>(toY) - fromY, static_cast<double>(toX) - fromX);
}

// The same direction in 256ths of a turn, rounded (-128 .. 128).
inline int32_t Angle256Toward(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY) {
  return RoundToInt(DirectionToward(fromX, fromY, toX, toY) / (2 * std::numbers::pi) * 256);
}

}  // namespace tolvane
