// Placement of lineside features on the cell grid: mountain sections, speed
// restrictions, signals and maximum-speed indicator boards. A clash stores its
// fault number in "codice_errore" and returns; the caller stores the position.
#ifndef COMPILER_POSA_H_
#define COMPILER_POSA_H_

#include <cstdint>

#include "compiler/scenario.h"

namespace compiler {

// Values of a source row, as read, in file order.
struct dati_montagna {
  std::int32_t inizio = 0;
  std::int32_t fine = 0;
  std::int32_t tipo = 0;  // above 10: tipo - 10 with marks
};

struct dati_rallentamento {
  std::int32_t x = 0;  // start, metres
  std::int32_t v = 0;  // speed, km/h
  std::int32_t l = 0;  // length, metres
  std::int32_t f_tt = 0;
  std::int32_t f_ta = 0;  // non-zero: countdown cells
  std::int32_t d_v = 0;
};

struct dati_segnale {
  std::int32_t posizione = 0;
  std::int32_t sx = 0, s1 = 0, s2 = 0, s3 = 0, rapp = 0;
  std::int32_t dx = 0, d1 = 0, d2 = 0, d3 = 0;
  std::int32_t tempo = 0;
};

struct dati_indicatori {
  std::int32_t posizione = 0;
  std::int32_t vas = 0, vbs = 0, vcs = 0, strisces = 0;
  std::int32_t vad = 0, vbd = 0, vcd = 0, strisced = 0;
};

// A restriction gets a warning point (and, with f_ta, countdown cells) only
// when it starts beyond this many metres; the warning stands this far before
// its start, with the countdown in the cells just before the warning.
inline constexpr std::int64_t inizio_minimo_avviso = 1500;
inline constexpr std::int64_t anticipo_avviso = 1200;
inline constexpr std::int64_t celle_conto = 4;

// The cells of a restriction: warning cell(x - 1200), start cell(x), end
// cell(x + l); con_avviso when x > 1500.
struct celle_rallentamento {
  std::int64_t avviso = 0;
  std::int64_t inizio = 0;
  std::int64_t fine = 0;
  bool con_avviso = false;
};
celle_rallentamento celle_di(const dati_rallentamento& r);

// A section that starts this many metres or less after the previous one
// ends (or before it) gets this mountain type.
inline constexpr std::int64_t distanza_montagne_vicine = 150;
inline constexpr std::int64_t tipo_montagne_vicine = 3;
// A "tipo" above this means tipo - 10 with a mark every fourth cell.
inline constexpr std::int64_t tipo_con_segni = 10;

// The cells a mountain section covers: rnd(inizio / 50) to
// rnd(fine / 50 - 1); none when primo > ultimo.
struct celle_montagna {
  std::int64_t primo = 0;
  std::int64_t ultimo = 0;
};
celle_montagna celle_di(const dati_montagna& m);

// A signal "tempo" from 1 to 100 is raised to this; it is stored only for
// signals whose "sx" is this value.
inline constexpr std::int64_t tempo_minimo = 101;
inline constexpr std::int64_t sx_con_tempo = 2;

// The four approach cells of a signal stand 2, 4, 6 and 8 cells before it.
inline constexpr std::int64_t celle_avviso_segnale = 4;

// What a placement did besides what its row asked: what it skipped,
// changed or left out. The check makes its warnings from these answers, so
// that a warning always says what the compile really did.
struct posa_montagna {
  celle_montagna celle;        // the cells the section covers, as computed
  std::int64_t saltate = 0;    // of those, the ones outside the grid
  bool resa_vicina = false;    // its type became tipo_montagne_vicine
  std::int64_t tipo_dato = 0;  // the type its row gave, marks taken off
};
struct posa_rallentamento {
  celle_rallentamento celle;
  // f_ta asked for a countdown that a restriction starting at 1500 m or
  // less does not get, nor a warning point.
  bool senza_avviso_chiesto = false;
};
// Bit k - 1 set: the computed "valore<k>" did not fit its 16 bits and
// keeps its low bits.
using campi_troncati = std::uint8_t;

struct posa_segnale {
  std::int64_t cella = 0;
  campi_troncati troncati = 0;
  std::int64_t avvisi_saltati = 0;  // approach codes that fell before cell 0
  std::int64_t tempo_scritto = 0;   // "tempo" as stored, when sx stores it
  bool tempo_alzato = false;        // a stored "tempo" of 1..100 became 101
};

// Never fails. Cells outside the grid are skipped.
posa_montagna memo_montagna(scenario& s, const dati_montagna& m);

// Faults 17, 18, 19 (grid unchanged) and 20 (end, start and warning cells
// already written).
// REQUIRES: start and end cells inside the grid (the reader tests them).
posa_rallentamento memo_rallentamento(scenario& s, const dati_rallentamento& r);

// Fault 16 (grid unchanged). Approach cells before cell 0 are skipped.
// REQUIRES: the signal's cell inside the grid (the reader tests it).
posa_segnale memo_segnale(scenario& s, const dati_segnale& g);

struct posa_indicatori {
  std::int64_t cella = 0;
  campi_troncati troncati = 0;
};

// Fault 21 (grid unchanged).
// REQUIRES: the board's cell inside the grid (the reader tests it).
posa_indicatori memo_indicatori_v_max(scenario& s, const dati_indicatori& b);

}  // namespace compiler

#endif  // COMPILER_POSA_H_
