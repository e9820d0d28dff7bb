// The largest file of each kind that a run reads: a source is refused
// above a bound far beyond any real route, a compiled file above the
// largest that a compile writes, before either is read whole. Memory and
// time are then bounded by these sizes whatever a folder holds.
#ifndef COMPILER_DIMENSIONI_MASSIME_H_
#define COMPILER_DIMENSIONI_MASSIME_H_

#include <cstdint>

#include "compiler/arrotonda.h"
#include "compiler/file_compilati.h"
#include "compiler/scenario.h"

namespace compiler {

// A source file. The scenario's own train source takes 15 KB, the
// synthetic route of 1000000 m with 2000 signals and 70 stations 130 KB; a
// row of some 50 bytes for each of five kinds of feature in every one of the
// 20141 cells of the longest route takes about 5 MB. 16 MiB is three times
// that.
inline constexpr std::uint64_t dimensione_massima_sorgente = 16u << 20;

// The plan file of the longest route: per coordinate two integer records,
// a double for each of the route length + 6997 metres between them, and two
// empty records.
inline constexpr std::uint64_t dimensione_massima_piano =
    2 * (2 * punto_intero_size +
         punto_doppio_size *
             static_cast<std::uint64_t>(lunghezza_massima + coda_percorso - 3) +
         2 * punto_vuoto_size);
static_assert(dimensione_massima_piano == 20139964);

// The grid of the longest route: cells 0 to (length + 7000) / 50, which is
// a whole number there, so no rounding is involved.
inline constexpr std::uint64_t dimensione_massima_celle =
    cella_record_size *
    static_cast<std::uint64_t>(
        (lunghezza_massima + coda_percorso) / metri_cella + 1);
static_assert(dimensione_massima_celle == 302115);

// The table with every text as long as its 16-bit length field allows.
inline constexpr std::uint64_t dimensione_massima_tabella =
    numero_voci * (voce_record_size + lunghezza_massima_testo);

}  // namespace compiler

#endif  // COMPILER_DIMENSIONI_MASSIME_H_
