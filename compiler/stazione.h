// A station of the train's run into the table: the stretch of route it
// covers, its stop cell and the approach codes in front of the stop.
#ifndef COMPILER_STAZIONE_H_
#define COMPILER_STAZIONE_H_

#include <cstddef>
#include <cstdint>

#include "compiler/scenario.h"

namespace compiler {

enum class esito_stazione {
  posata,
  fuori_griglia,  // fault 15 stored, with the station's position
  rifiutata,      // fault 24, 22 (with the position) or 10 stored
};

// Stations of this category and above have no stop cell.
inline constexpr std::uint8_t categoria_senza_fermata = 25;
// Below this length "cifra_3" is cleared.
inline constexpr std::int64_t lunghezza_cifra_3 = 600;
// A station must begin this many metres after the previous one ends.
inline constexpr std::int64_t distanza_minima_stazioni = 350;

// The stretch a station covers, "valore_a" to "valore_b", from its position
// "valore_c", its "categoria", its "cifra_2" as read and its length.
struct tratto_stazione {
  std::int64_t inizio = 0;
  std::int64_t fine = 0;
};
tratto_stazione tratto_di(const voce_dati& v, std::int64_t lunghezza);

// The stop cell of a station that ends at `fine` metres: rnd(fine / 50 - 1);
// it exists only when fine / 50 - 1 > 1 (fault 24 otherwise).
bool ha_cella_fermata(std::int64_t fine);
std::int64_t cella_fermata(std::int64_t fine);

// What placing a station did besides storing its row: the columns the
// rules cleared, the approach codes that fell at cell 1 or before, and the
// occupied cell its stop cell overwrote. The check makes its warnings from
// these answers.
enum class azzeramento {
  no,
  prima_stazione,  // the first station has neither column
  corta_o_lunga,   // "cifra_2" of categories 5 to 8
  meno_di_600,     // "cifra_3" of a station shorter than 600 m
};
struct posa_stazione {
  esito_stazione esito = esito_stazione::posata;
  tratto_stazione tratto;
  azzeramento cifra_2 = azzeramento::no;
  azzeramento cifra_3 = azzeramento::no;
  std::int64_t avvisi_saltati = 0;
  std::int64_t cella_fermata = 0;  // when the category has one
  std::uint8_t sovrascritta = 0;   // the kind the stop cell held, if not free
};

// Stores station `v` into slot k. `v` holds the columns of its row as read:
// "valore_c" the position P (a multiple of 50), "categoria", "opzione",
// "cifra_1" to "cifra_3", "numero_1" to "numero_5", "sosta", "valore_d" and
// "testo"; `lunghezza` is its length (a multiple of 100). Derives
// "valore_a" and "valore_b", clears "cifra_2" and "cifra_3" where the rules
// say, and for a category below 25 writes the stop cell (kind 10) and, but
// for categories 5 and 6, the approach codes. `cartello_libero` is the next
// free board slot (board texts fill the table from slot 80 down).
// Every test runs before anything is written: a station that is not
// `posata` leaves the table and the grid unchanged.
// REQUIRES: k >= 1; the grid exists.
// A column is reported as cleared only when its row gave it non-zero.
[[nodiscard]] posa_stazione memo_stazione(scenario& s, voce_dati v,
                                          std::int64_t lunghezza, std::size_t k,
                                          std::int64_t cartello_libero);

}  // namespace compiler

#endif  // COMPILER_STAZIONE_H_
