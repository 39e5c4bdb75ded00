#pragma once
// Angles in 256ths of a turn: 0 right, 64 down.
#include <cstdint>

namespace pres {

double Cos256(int32_t angle);  // cos(2 pi (angle mod 256) / 256), from the table
double Sin256(int32_t angle);  // the table entry at (angle + 192) mod 256

}  // namespace pres
