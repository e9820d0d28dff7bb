// Rounding and the position-to-cell rules shared by every compile step.
// Every fractional value becomes a whole number through rnd: nearest whole
// number, exact halves to the even neighbour.
#ifndef COMPILER_ARROTONDA_H_
#define COMPILER_ARROTONDA_H_

#include <cstdint>

#include "compiler/formato.h"

namespace compiler {

// REQUIRES: x finite and within the range of std::int64_t.
std::int64_t rnd(double x);

// The cell that holds position p metres: rnd(p / 50 + 1).
std::int64_t cella_di(std::int64_t p);

// A value stored into a narrower field keeps its low bits.
inline std::uint8_t bassi_8(std::int64_t v) {
  return static_cast<std::uint8_t>(static_cast<std::uint64_t>(v) & 0xffu);
}
inline std::int16_t bassi_16(std::int64_t v) {
  return static_cast<std::int16_t>(
      static_cast<std::uint16_t>(static_cast<std::uint64_t>(v) & 0xffffu));
}
inline std::int32_t bassi_32(std::int64_t v) {
  return static_cast<std::int32_t>(
      static_cast<std::uint32_t>(static_cast<std::uint64_t>(v) & 0xffffffffu));
}

}  // namespace compiler

#endif  // COMPILER_ARROTONDA_H_
