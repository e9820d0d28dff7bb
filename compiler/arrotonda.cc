// Banker's rounding written out, so the result never depends on the floating
// point rounding mode in force.
#include "compiler/arrotonda.h"

#include <cmath>

#include "compiler/scenario.h"

namespace compiler {

std::int64_t rnd(double x) {
  const double giu = std::floor(x);
  const double resto = x - giu;
  auto intero = static_cast<std::int64_t>(giu);
  if (resto > 0.5) return intero + 1;
  if (resto < 0.5) return intero;
  return (intero % 2 == 0) ? intero : intero + 1;
}

std::int64_t cella_di(std::int64_t p) {
  return rnd(static_cast<double>(p) / metri_cella + 1.0);
}

}  // namespace compiler
