// Ordering of the three kilometre progressives held in slots 81 to 83.
#ifndef COMPILER_PROGRESSIVE_H_
#define COMPILER_PROGRESSIVE_H_

#include "compiler/scenario.h"

namespace compiler {

// Puts the three definitions in their fixed order and adds 100 to every
// reference value whose flag is 1. Runs once per compile: a second call adds
// 100 again.
void progressive_ordina(scenario& s);

}  // namespace compiler

#endif  // COMPILER_PROGRESSIVE_H_
