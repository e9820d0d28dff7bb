// Byte layouts of the three compiled files: the plan geometry, the 87-slot
// table and the cell grid. Each file is the plain concatenation of its
// records, little-endian, with no header, count or padding.
#ifndef COMPILER_FILE_COMPILATI_H_
#define COMPILER_FILE_COMPILATI_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "compiler/formato.h"
#include "compiler/scenario.h"
#include "compiler/tracciato.h"

namespace compiler {

// Appends the plan elements of one coordinate for metres da .. a - 1.
// REQUIRES: da <= a <= t.metri(), coordinata 0 or 1.
void append_punti(std::string& out, const tracciato_piano& t, int coordinata,
                  std::size_t da, std::size_t a);

// Bytes of the plan file: coordinate 0 for every metre, then coordinate 1.
// The append forms add a whole file to `out`, reusing its capacity.
void append_piano(std::string& out, const tracciato_piano& t);
std::string codifica_piano(const tracciato_piano& t);

// REQUIRES: every testo at most lunghezza_massima_testo bytes.
void append_voce(std::string& out, const voce_dati& v);
void append_tabella(std::string& out,
                    const std::array<voce_dati, numero_voci>& tabella);
std::string codifica_tabella(const std::array<voce_dati, numero_voci>& tabella);

// Writes one cell record at p and returns the byte after it.
char* encode_cella(char* p, const cella& c);
void append_cella(std::string& out, const cella& c);
void append_celle(std::string& out, const std::vector<cella>& celle);
std::string codifica_celle(const std::vector<cella>& celle);

}  // namespace compiler

#endif  // COMPILER_FILE_COMPILATI_H_
