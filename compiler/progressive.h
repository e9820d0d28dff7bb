// Ordering of the three kilometre progressives held in slots 81 to 83.
#ifndef COMPILER_PROGRESSIVE_H_
#define COMPILER_PROGRESSIVE_H_

#include <array>
#include <cstddef>

#include "compiler/scenario.h"

namespace compiler {

// Where each definition went: for slots 81, 82, 83 in turn, the slot
// (81..83) whose definition it now holds, or 0 when all three were cleared.
struct ordine_progressive {
  std::array<std::size_t, 3> da{};
  bool azzerate = false;
};

// Puts the three definitions in their fixed order and adds 100 to every
// reference value whose flag is 1. Runs once per compile: a second call adds
// 100 again.
ordine_progressive progressive_ordina(scenario& s);

}  // namespace compiler

#endif  // COMPILER_PROGRESSIVE_H_
