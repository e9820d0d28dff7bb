// Placement of lineside features on the cell grid: mountain sections, speed
// restrictions, signals and maximum-speed indicator boards. A clash stores its
// fault number in "codice_errore" and returns; the caller stores the position.
#ifndef COMPILER_POSA_H_
#define COMPILER_POSA_H_

#include <cstdint>

#include "compiler/scenario.h"

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

// Never fails. Cells outside the grid are skipped.
void memo_montagna(scenario& s, const dati_montagna& m);

// Faults 17, 18, 19 (grid unchanged) and 20 (end, start and warning cells
// already written).
// REQUIRES: start and end cells inside the grid (the reader tests them).
void memo_rallentamento(scenario& s, const dati_rallentamento& r);

// Fault 16 (grid unchanged). Approach cells before cell 0 are skipped.
// REQUIRES: the signal's cell inside the grid (the reader tests it).
void memo_segnale(scenario& s, const dati_segnale& g);

// Fault 21 (grid unchanged).
// REQUIRES: the board's cell inside the grid (the reader tests it).
void memo_indicatori_v_max(scenario& s, const dati_indicatori& b);

#endif  // COMPILER_POSA_H_
