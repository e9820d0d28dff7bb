// The piecewise fills of the per-cell gradient, speed limit and adhesion: a
// row at position p ends the previous value at cell rnd(p / 50) - 1 and its
// own value starts there; the value in force before the first row is 0.
#ifndef COMPILER_RIEMPIMENTO_H_
#define COMPILER_RIEMPIMENTO_H_

#include <algorithm>
#include <cstdint>

#include "compiler/griglia.h"
#include "compiler/scenario.h"

namespace compiler {

struct riempimento {
  std::int64_t indice = 0;      // next cell to fill
  std::int64_t precedente = 0;  // value of the last row, as read

  // Writes `valore` into field `campo` at the running index and advances,
  // at least once, while the index is below `fino`; never writes beyond
  // `tetto`. REQUIRES: tetto < g.ultima() + 1.
  void fino_a(griglia& g, std::int64_t fino, std::int64_t tetto,
              std::uint8_t valore, std::uint8_t cella::*campo) {
    if (indice < 0 || indice > tetto) return;
    const std::int64_t ultimo = std::min(std::max(fino - 1, indice), tetto);
    for (cella& c : g.tratto(indice, ultimo)) c.*campo = valore;
    indice = ultimo + 1;
  }
};

}  // namespace compiler

#endif  // COMPILER_RIEMPIMENTO_H_
