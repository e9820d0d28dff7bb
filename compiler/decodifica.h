// Decoders of the three compiled files, the inverse of the encoders in
// file_compilati: bytes back to the model's records. A file that does not
// follow its layout is refused with the byte offset where it goes wrong.
#ifndef COMPILER_DECODIFICA_H_
#define COMPILER_DECODIFICA_H_

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/scenario.h"
#include "compiler/tracciato.h"

namespace compiler {

// Why a file could not be decoded; empty motivo when it was.
struct [[nodiscard]] esito_decodifica {
  std::size_t offset = 0;  // byte where the layout breaks
  std::string motivo;      // what is wrong there

  bool ok() const { return motivo.empty(); }
};

// The cell file: a whole number of 15-byte records.
esito_decodifica decodifica_celle(std::string_view byte,
                                  std::vector<cella>& celle);

// The table file: exactly 87 slots of 34 bytes plus their text, and nothing
// after them.
esito_decodifica decodifica_tabella(
    std::string_view byte, std::array<voce_dati, numero_voci>& tabella);

// The plan file: variant records (type 0, 2 or 5 and its value), the first
// coordinate of every metre, then the second, as many of each.
esito_decodifica decodifica_piano(std::string_view byte, tracciato_piano& t);

// The plan file's layout alone, tested as decodifica_piano tests it (the
// same faults at the same offsets); on success `metri` is the number of
// metres per coordinate, 0 for an empty file.
esito_decodifica misura_piano(std::string_view byte, std::size_t& metri);

}  // namespace compiler

#endif  // COMPILER_DECODIFICA_H_
