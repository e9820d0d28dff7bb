// The features an author placed, read back from the cells and the table
// into the values of the source rows: signals, speed boards, speed
// restrictions, speed marks, the kilometre references in their order, and
// the line speed, gradient and adhesion as runs of equal values. The
// packed fields are read through compiler/formato.h.
#ifndef VISTE_ELEMENTI_H_
#define VISTE_ELEMENTI_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "compiler/formato.h"
#include "compiler/scenario.h"

namespace viste {

// A signal cell (kind 1): the row's "sx", "s1".."s3", "rapp", "dx",
// "d1".."d3", and "tempo_segnale" as stored.
struct segnale_letto {
  std::size_t cella = 0;
  compiler::coppia_lati uno, due, tre;  // s1/d1, s2/d2, s3/d3
  compiler::lati_segnale lati;          // rapp, sx, dx
  std::uint8_t tempo = 0;

  // sx * 3 + dx, what the approach codes behind the signal carry: the kind
  // of the signal.
  std::int64_t codice() const { return lati.sx * compiler::peso_sx + lati.dx; }
};

// A speed board cell (kind 6): the three speeds of each side, km/h, and
// the stripes of each side.
struct indicatore_letto {
  std::size_t cella = 0;
  std::array<compiler::coppia_lati, 3> velocita;  // a, b, c
  compiler::coppia_lati strisce;
};

// A speed restriction: its start cell (kind 3), the end cell (kind 2) with
// the same values after it, and the warning cell (kind 4) 1200 m before
// the start with its countdown cells (kind 5) when they are there. A cell
// of kind 2 or 4 that belongs to no start is a restriction of its own with
// the start missing.
struct rallentamento_letto {
  std::optional<std::size_t> inizio;
  std::optional<std::size_t> fine;
  std::optional<std::size_t> avviso;
  bool conto_alla_rovescia = false;
  std::int16_t velocita = 0;  // "valore1", km/h
  std::int16_t d_v = 0;       // "valore2"
  std::int16_t f_tt = 0;      // "valore3"
};

// A speed mark (kind 12, or 13 for a speed below 1).
struct abbattimento_letto {
  std::size_t cella = 0;
  bool nullo = false;
  std::int16_t velocita = 0;  // "valore1", km/h, for kind 12
};

// Consecutive cells with the same line speed, gradient and adhesion.
struct tratto_profilo {
  std::size_t prima_cella = 0;
  std::size_t ultima_cella = 0;  // inclusive
  std::uint8_t velocita_linea = 0;
  std::uint8_t pendenza_linea = 0;
  std::uint8_t aderenza_linea = 0;
};

// One of slots 81 to 83: where the kilometre reference starts, its value
// there in metres and its direction "valore_c" (1: kilometres decrease).
struct progressiva_letta {
  std::size_t voce = 0;
  std::int32_t inizio = 0;
  std::int32_t valore = 0;
  std::int32_t verso = 0;
};

struct elementi_linea {
  std::vector<segnale_letto> segnali;
  std::vector<indicatore_letto> indicatori;
  std::vector<rallentamento_letto> rallentamenti;  // by their first cell
  std::vector<abbattimento_letto> abbattimenti;
  std::vector<tratto_profilo> profilo;
  // The references that hold anything, in route order (rising start).
  std::vector<progressiva_letta> progressive;
};

elementi_linea elementi_di(
    const std::vector<compiler::cella>& celle,
    const std::array<compiler::voce_dati, compiler::numero_voci>& tabella);

// The first cell of a restriction, whichever of its cells is there.
std::size_t prima_cella(const rallentamento_letto& r);

}  // namespace viste

#endif  // VISTE_ELEMENTI_H_
