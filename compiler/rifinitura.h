// The finishing pass over the cell grid: abatement marks (kind 12, speed 180)
// in front of the signals before a warning point, in three bands before a
// restriction's start, every 400 m inside a slow restriction, and in front of
// the first signal after a restriction's end.
#ifndef COMPILER_RIFINITURA_H_
#define COMPILER_RIFINITURA_H_

#include <cstdint>
#include <vector>

#include "compiler/scenario.h"

namespace compiler {

// The smaller of x and y; y only when x is greater, so equal values give x.
std::int64_t minimo(std::int64_t x, std::int64_t y);

// Speed stored in every mark the pass places.
inline constexpr std::int16_t velocita_segno = 180;

// Restrictions at this speed or faster get no marks inside.
inline constexpr std::int16_t velocita_senza_segni_interni = 110;

// A fault of the pass, and the cell of the feature it belongs to: the
// signal for 11, the restriction's start for 12 and 13.
struct guasto_rifinitura {
  std::int32_t numero = 0;
  std::int32_t posizione = 0;
  std::int64_t origine = 0;

  bool operator==(const guasto_rifinitura&) const = default;
};

// Visits cells 1 .. last index - 2 once, in rising order, and adds the marks.
// A mark with no free cell stores fault 11, 12 or 13 with its position and
// the pass goes on; a later fault replaces an earlier one. `tutti`, when
// given, receives every fault in the order found. Never reads or writes a
// cell outside the grid; an empty grid is left as it is.
void rifinitura(scenario& s, std::vector<guasto_rifinitura>* tutti = nullptr);

}  // namespace compiler

#endif  // COMPILER_RIFINITURA_H_
