// What the fuzz targets of the sources require of every field a fault or a
// warning points at: it lies on its line, after its row's keyword.
#ifndef FUZZ_CAMPO_VALIDO_H_
#define FUZZ_CAMPO_VALIDO_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "compiler/scenario.h"

// The breach, or nullptr when the field `c` of a row at line `riga` holds.
inline const char* campo_fuori_posto(const compiler::campo_sorgente& c,
                                     std::int32_t riga) {
  if (c.riga == 0) {
    return c.colonna == 0 && c.larghezza == 0 && c.testo_riga.empty()
               ? nullptr
               : "a diagnosis without a line points at a field";
  }
  if (c.riga < riga) return "the field stands before its row";
  if (c.colonna < 1 || c.larghezza < 0) return "a field outside its line";
  if (static_cast<std::size_t>(c.colonna - 1) +
          static_cast<std::size_t>(c.larghezza) >
      c.testo_riga.size()) {
    return "a field runs past the end of its line";
  }
  if (c.testo_riga.find_first_of("\r\n") != std::string::npos) {
    return "a line holds a line end";
  }
  return nullptr;
}

#endif  // FUZZ_CAMPO_VALIDO_H_
