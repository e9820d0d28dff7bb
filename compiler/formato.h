// The format of the compiled files in one place: the cell length, the route
// limits, the stamps, the record sizes, the largest files a compile writes,
// and the units of the cell fields with their encode and decode. Readers,
// placement, encoders, inspect and plot all take these from here.
#ifndef COMPILER_FORMATO_H_
#define COMPILER_FORMATO_H_

#include <cstddef>
#include <cstdint>

namespace compiler {

// The simulator reads every value below from the files or relies on it:
// DO NOT CHANGE THESE VALUES.

// Metres per cell of the grid.
inline constexpr std::int64_t metri_cella = 50;
// Route lengths are at most this many metres (fault 1 above it).
inline constexpr std::int64_t lunghezza_massima = 1000000;
// The grid and the plan run this far beyond the end of the route.
inline constexpr std::int64_t coda_percorso = 7000;

// Stamps of slot 85 "numero_1" and cell 1 "valore1".
inline constexpr std::int16_t timbro_tabella = 610;
inline constexpr std::int16_t timbro_celle = 5121;

// Record sizes in bytes: a cell; a table slot without its text; the plan
// records (the type code alone, with a 16-bit integer, with a double).
inline constexpr std::size_t cella_record_size = 15;
inline constexpr std::size_t voce_record_size = 34;
inline constexpr std::size_t punto_vuoto_size = 2;
inline constexpr std::size_t punto_intero_size = 4;
inline constexpr std::size_t punto_doppio_size = 10;
// A text's length is stored in a signed 16-bit field.
inline constexpr std::size_t lunghezza_massima_testo = 32767;

// Upper index of the grid for a route of `lunghezza` metres:
// rnd((lunghezza + 7000) / 50), halves to even, in whole numbers.
// REQUIRES: |lunghezza| below 2^62.
constexpr std::int64_t ultima_cella_per(std::int64_t lunghezza) {
  const std::int64_t n = lunghezza + coda_percorso;
  std::int64_t q = n / metri_cella;
  std::int64_t r = n % metri_cella;
  if (r < 0) {  // floor division for a negative length
    q -= 1;
    r += metri_cella;
  }
  if (2 * r > metri_cella) return q + 1;
  if (2 * r == metri_cella) return q + (q & 1);
  return q;
}

// Bytes of the cell file and of the plan file of a route of `lunghezza`
// metres: every cell; two coordinates of two integer records, one double
// record per metre from 2 to L + 6998 and two empty records.
constexpr std::int64_t byte_celle(std::int64_t lunghezza) {
  return (ultima_cella_per(lunghezza) + 1) *
         static_cast<std::int64_t>(cella_record_size);
}
constexpr std::int64_t byte_piano(std::int64_t lunghezza) {
  return 2 * (2 * static_cast<std::int64_t>(punto_intero_size) +
              2 * static_cast<std::int64_t>(punto_vuoto_size) +
              static_cast<std::int64_t>(punto_doppio_size) *
                  (lunghezza + coda_percorso - 3));
}
// The largest files a compile writes; a bigger one is not a compiled file.
inline constexpr std::int64_t byte_massimi_celle =
    byte_celle(lunghezza_massima);
inline constexpr std::int64_t byte_massimi_piano =
    byte_piano(lunghezza_massima);
// The table: 87 slots, each text at most lunghezza_massima_testo bytes.
inline constexpr std::int64_t byte_massimi_tabella =
    87 * static_cast<std::int64_t>(voce_record_size + lunghezza_massima_testo);
// A source file is refused above this size before it is read. The
// scenario's own train source takes 15 KB, the synthetic route of 1000000 m
// with 2000 signals and 70 stations 130 KB; a row of some 50 bytes for each
// of five kinds of feature in every one of the 20141 cells of the longest
// route takes about 5 MB. 16 MiB is three times that.
inline constexpr std::int64_t byte_massimi_sorgente = std::int64_t{16} << 20;

// "velocita_linea": the line speed in units of 5 km/h.
inline constexpr std::int64_t kmh_per_unita_velocita = 5;
// "pendenza_linea": the gradient (per mille) plus 100.
inline constexpr std::int64_t scarto_pendenza = 100;
// The gradients whose cell byte holds them exactly.
inline constexpr std::int64_t pendenza_minima = -scarto_pendenza;
inline constexpr std::int64_t pendenza_massima = 255 - scarto_pendenza;

// The cell value of a speed in km/h is rnd(v / 5) (see rnd in arrotonda.h,
// which encodes it); its decode is exact.
constexpr std::int64_t kmh_di_velocita(std::uint8_t velocita_linea) {
  return std::int64_t{velocita_linea} * kmh_per_unita_velocita;
}
constexpr std::int64_t pendenza_di_cella(std::uint8_t pendenza_linea) {
  return std::int64_t{pendenza_linea} - scarto_pendenza;
}

// A speed board packs, in each of valore1..3, one speed of its "s" side
// times 20 with the matching speed of its "d" side divided by 5:
// rnd(vd / 5 + vs * 20); "valore4" packs the stripes, strisces * 10 +
// strisced.
inline constexpr double peso_lato_s = 20.0;
inline constexpr double divisore_lato_d = 5.0;
inline constexpr std::int64_t peso_strisce_s = 10;

// A signal packs, in each of valore1..3, one value of its "s" side times 10
// with the matching value of its "d" side: s1 * 10 + d1; "valore4" packs
// rapp * 10 + sx * 3 + dx, and the approach code of the cells behind it is
// (sx * 3 + dx) * 10 + 1 .. 4.
inline constexpr std::int64_t peso_lato_s_segnale = 10;
inline constexpr std::int64_t peso_rapp = 10;
inline constexpr std::int64_t peso_sx = 3;
inline constexpr std::int64_t peso_codice_avviso = 10;

// Kilometre references whose kilometres decrease along the route get this
// added to their value (slots 81 to 83 "valore_b").
inline constexpr std::int64_t aggiunta_progressiva_decrescente = 100;

// Whole division that rounds down, so that q * d + r == v with 0 <= r < d
// for any sign of v. REQUIRES: d > 0.
struct quoto_resto {
  std::int64_t q = 0;
  std::int64_t r = 0;
};
constexpr quoto_resto dividi_in_basso(std::int64_t v, std::int64_t d) {
  std::int64_t q = v / d;
  std::int64_t r = v % d;
  if (r < 0) {
    q -= 1;
    r += d;
  }
  return {q, r};
}

// The two sides of a packed pair of values.
struct coppia_lati {
  std::int64_t s = 0;
  std::int64_t d = 0;
  bool operator==(const coppia_lati&) const = default;
};

// A board's speeds read back in km/h: with both speeds multiples of 5 and
// the "d" one below 500, vs * 20 + vd / 5 is (vs / 5) * 100 + vd / 5, so
// the hundreds give the "s" side and the rest the "d" side. This is the one
// reading whose speeds are multiples of 5, and it encodes back to v.
constexpr coppia_lati velocita_cartello(std::int16_t v) {
  constexpr auto passo = static_cast<std::int64_t>(divisore_lato_d);
  constexpr std::int64_t centinaio = static_cast<std::int64_t>(peso_lato_s) *
                                     passo;  // (vs / 5) * 100 == vs * 20
  const quoto_resto x = dividi_in_basso(v, centinaio);
  return {x.q * passo, x.r * passo};
}
// A board's stripes, strisces * 10 + strisced, read with strisced 0 .. 9.
constexpr coppia_lati strisce_cartello(std::int16_t v) {
  const quoto_resto x = dividi_in_basso(v, peso_strisce_s);
  return {x.q, x.r};
}
// A signal's pair s * 10 + d, read with d 0 .. 9.
constexpr coppia_lati coppia_segnale(std::int16_t v) {
  const quoto_resto x = dividi_in_basso(v, peso_lato_s_segnale);
  return {x.q, x.r};
}

// A signal's "valore4", read with sx * 3 + dx 0 .. 9 and dx 0 .. 2.
struct lati_segnale {
  std::int64_t rapp = 0;
  std::int64_t sx = 0;
  std::int64_t dx = 0;
  bool operator==(const lati_segnale&) const = default;
};
constexpr lati_segnale valore4_segnale(std::int16_t v) {
  const quoto_resto x = dividi_in_basso(v, peso_rapp);
  return {x.q, x.r / peso_sx, x.r % peso_sx};
}

// Where a feature of cell i stands: its cell is rnd(p / 50 + 1), so the
// cell starts at (i - 1) * 50 m.
constexpr std::int64_t posizione_elemento(std::int64_t cella) {
  return (cella - 1) * metri_cella;
}
// Where the piecewise values (speed, gradient, adhesion, mountain type) of
// cell i start: a row at p starts at cell rnd(p / 50), so at i * 50 m.
constexpr std::int64_t inizio_tratto(std::int64_t cella) {
  return cella * metri_cella;
}
// Where a speed mark of cell i stands (kinds 12 and 13: an "abbattimento"
// row at p goes to cell rnd(p / 50)), so at i * 50 m.
constexpr std::int64_t posizione_abbattimento(std::int64_t cella) {
  return cella * metri_cella;
}

}  // namespace compiler

#endif  // COMPILER_FORMATO_H_
