// Station slots, stop cells and approach codes.
#include "compiler/stazione.h"

#include <utility>

#include "compiler/arrotonda.h"
#include "compiler/griglia.h"
#include "compiler/guasti.h"

namespace compiler {

namespace {

// Short stations (5, 6) end 150 m after their position and get no approach
// codes; long ones (7, 8) reach a full length on each side.
constexpr std::int64_t coda_stazione_corta = 150;
// "cifra_2" lengthens an ordinary station by this many metres at its end.
constexpr std::int64_t allungamento_cifra_2 = 50;
// Approach codes 81 to 84 stand in the four cells before the stop cell.
constexpr std::uint8_t base_avviso_stazione = 80;
constexpr std::int64_t celle_avviso_stazione = 4;

bool corta(std::uint8_t cat) { return cat == 5 || cat == 6; }
bool lunga(std::uint8_t cat) { return cat == 7 || cat == 8; }

}  // namespace

tratto_stazione tratto_di(const voce_dati& v, std::int64_t lunghezza) {
  const std::int64_t p = v.valore_c;
  const std::int64_t l = lunghezza;
  if (corta(v.categoria)) return {p - l, p + coda_stazione_corta};
  if (lunga(v.categoria)) return {p - l, p + l};
  tratto_stazione t{rnd(static_cast<double>(p) - static_cast<double>(l) / 2.0),
                    rnd(static_cast<double>(p) + static_cast<double>(l) / 2.0)};
  if (v.cifra_2 != 0) t.fine += allungamento_cifra_2;
  return t;
}

bool ha_cella_fermata(std::int64_t fine) {
  return static_cast<double>(fine) / metri_cella - 1.0 > 1.0;
}

std::int64_t cella_fermata(std::int64_t fine) {
  return rnd(static_cast<double>(fine) / metri_cella - 1.0);
}

posa_stazione memo_stazione(scenario& s, voce_dati v, std::int64_t lunghezza,
                            std::size_t k, std::int64_t cartello_libero) {
  const std::uint8_t cat = v.categoria;
  const tratto_stazione t = tratto_di(v, lunghezza);
  posa_stazione esito;
  esito.tratto = t;
  auto rifiuta = [&](std::int32_t codice) {
    s.codice_errore = codice;
    esito.esito = esito_stazione::rifiutata;
    return esito;
  };
  auto azzera = [](std::uint8_t& cifra, azzeramento& perche, azzeramento p) {
    if (cifra != 0 && perche == azzeramento::no) perche = p;
    cifra = 0;
  };
  // The first station's rule is named first: it holds whatever the rest.
  if (k == prima_stazione) {
    azzera(v.cifra_2, esito.cifra_2, azzeramento::prima_stazione);
    azzera(v.cifra_3, esito.cifra_3, azzeramento::prima_stazione);
  }
  if (corta(cat) || lunga(cat)) {
    azzera(v.cifra_2, esito.cifra_2, azzeramento::corta_o_lunga);
  }
  if (lunghezza < lunghezza_cifra_3) {
    azzera(v.cifra_3, esito.cifra_3, azzeramento::meno_di_600);
  }
  v.valore_a = bassi_32(t.inizio);
  v.valore_b = bassi_32(t.fine);

  // The stop cell of a stopping station, from the stored end.
  griglia g(s.celle);
  const bool con_fermata = cat < categoria_senza_fermata;
  std::int64_t fermata = 0;
  if (con_fermata) {
    if (!ha_cella_fermata(v.valore_b)) {
      return rifiuta(guasto::fermata_stazione);
    }
    fermata = cella_fermata(v.valore_b);
    esito.cella_fermata = fermata;
    if (fermata > g.ultima()) {
      s.posizione_errore = v.valore_c;
      s.codice_errore = guasto::fuori_griglia;
      esito.esito = esito_stazione::fuori_griglia;
      return esito;
    }
  }
  if (k > prima_stazione &&
      std::int64_t{v.valore_a} - distanza_minima_stazioni <
          s.tabella_dati[k - 1].valore_b) {
    s.posizione_errore = v.valore_c;
    return rifiuta(guasto::distanza_stazioni);
  }
  // Stations and board texts meet with one slot to spare.
  if (static_cast<std::int64_t>(k) + 1 >= cartello_libero) {
    return rifiuta(guasto::tabella_piena);
  }

  // Approach cells lie in front of the stop cell, after cell 1.
  if (con_fermata && !corta(cat)) {
    const double fine = static_cast<double>(v.valore_b) / metri_cella;
    for (std::int64_t n = 1; n <= celle_avviso_stazione; ++n) {
      const double e = fine - static_cast<double>(n) - 1.0;
      if (e > 1.0) {
        g[rnd(e)].avviso = bassi_8(base_avviso_stazione + n);
      } else {
        ++esito.avvisi_saltati;
      }
    }
  }
  if (con_fermata) {
    cella& c = g[fermata];
    if (!libera(c)) esito.sovrascritta = c.tipo_cella;
    metti_tipo(c, tipo::fermata);
    c.valore1 = bassi_16(static_cast<std::int64_t>(k));
  }
  s.tabella_dati[k] = std::move(v);
  return esito;
}

}  // namespace compiler
