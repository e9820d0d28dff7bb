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

#include "compiler/scenario.h"
#include "compiler/tracciato.h"
#include "source/scrittura_sicura.h"

inline constexpr std::size_t cella_record_size = 15;
// A table slot without its text.
inline constexpr std::size_t voce_record_size = 34;
// The text length is stored in a signed 16-bit field.
inline constexpr std::size_t lunghezza_massima_testo = 32767;

// Appends the plan elements of one coordinate for metres da .. a - 1.
// REQUIRES: da <= a <= t.metri(), coordinata 0 or 1.
void append_punti(std::string& out, const tracciato_piano& t, int coordinata,
                  std::size_t da, std::size_t a);

// Bytes of the plan file: coordinate 0 for every metre, then coordinate 1.
// Streams in blocks of bounded size, so memory does not grow with the route.
io_status scrivi_piano(file_sostitutivo& f, const tracciato_piano& t);

// REQUIRES: every testo at most lunghezza_massima_testo bytes.
void append_voce(std::string& out, const voce_dati& v);
std::string codifica_tabella(const std::array<voce_dati, numero_voci>& tabella);

void append_cella(std::string& out, const cella& c);
std::string codifica_celle(const std::vector<cella>& celle);

#endif  // COMPILER_FILE_COMPILATI_H_
