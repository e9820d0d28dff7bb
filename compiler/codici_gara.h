// The two competition codes stamped into the compiled files. Both are sums of
// the character codes of a 25-character working text made from the train and
// route identifiers held in slots 86 and 85 of "tabella_dati".
#ifndef COMPILER_CODICI_GARA_H_
#define COMPILER_CODICI_GARA_H_

#include <cstdint>

#include "compiler/scenario.h"

namespace compiler {

// Plain code: the sum of the 25 character codes, at most 25 * 255.
// REQUIRES: slots 85 and 86 hold the identifiers (the reader has run).
std::int32_t codice_gara_og(const scenario& s);

// Weighted code: the sum of i * code of the i-th character, i = 1..25, at
// most 325 * 255.
// REQUIRES: as codice_gara_og.
std::int32_t codice_gara_st(const scenario& s);

}  // namespace compiler

#endif  // COMPILER_CODICI_GARA_H_
