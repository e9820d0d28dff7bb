// The rows behind what the reading put into the model: which row placed
// each cell, which row gave each slot its text, the kilometre references
// as typed and the "[generale]" line. Faults found after the reading (the
// text lengths, the finishing pass, the stamps, the kilometre references)
// point at these rows. Kept as places in the source bytes, so that a
// compile pays for no text until it has a fault to report.
#ifndef COMPILER_RIGHE_LETTE_H_
#define COMPILER_RIGHE_LETTE_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string_view>

#include "compiler/luogo.h"
#include "compiler/progressive.h"
#include "source/campi.h"

namespace compiler {

// A field of a source: which source, where the field stands, the line of
// its row's keyword.
struct riferimento_riga {
  bool di_linea = true;
  source::posto_token posto;
  std::int64_t riga = 0;
};

// A kilometre reference row as typed, before the ordering moved it.
struct progressiva_letta {
  riferimento_riga dove;  // its keyword
  std::int32_t posizione = 0;
  std::int32_t valore = 0;
  std::int32_t verso = 0;
  riferimento_riga dove_posizione;
  riferimento_riga dove_valore;
};

struct righe_lette {
  std::map<std::int64_t, riferimento_riga> celle;  // the row that placed it
  std::map<std::size_t, riferimento_riga> testi;   // slot: its text's field
  // Slots 81, 82, 83 as their rows filled them, and where the ordering put
  // each definition.
  std::array<std::optional<progressiva_letta>, 3> progressive;
  ordine_progressive ordine;
  std::optional<riferimento_riga> generale;  // the line file's "[generale]"
};

// The place of `r` in the sources of route `nome_linea` and train
// `nome_treno`, whose bytes are `linea` and `treno`.
// REQUIRES: `r` stands in the bytes of that source.
luogo_sorgente luogo_di(const riferimento_riga& r, std::string_view linea,
                        std::string_view treno, std::string_view nome_linea,
                        std::string_view nome_treno);

// A field of a file's bytes as a report shows it.
campo_sorgente campo_di(std::string_view byte, const source::posto_token& t);

}  // namespace compiler

#endif  // COMPILER_RIGHE_LETTE_H_
