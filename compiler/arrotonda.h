// Rounding and the position-to-cell rules shared by every compile step.
// Every fractional value becomes a whole number through rnd: nearest whole
// number, exact halves to the even neighbour.
#ifndef COMPILER_ARROTONDA_H_
#define COMPILER_ARROTONDA_H_

#include <cstdint>

// REQUIRES: x finite and within the range of std::int64_t.
std::int64_t rnd(double x);

// Metres per cell of the grid.
inline constexpr std::int64_t metri_cella = 50;

// The cell that holds position p metres: rnd(p / 50 + 1).
std::int64_t cella_di(std::int64_t p);

// Upper index of the grid for a route of lunghezza metres:
// rnd((lunghezza + 7000) / 50).
std::int64_t ultima_cella_per(std::int64_t lunghezza);

#endif  // COMPILER_ARROTONDA_H_
