// Station slots, stop cells and approach codes.
#include "compiler/stazione.h"

#include <utility>

#include "compiler/arrotonda.h"

namespace {

// Fault numbers: DO NOT CHANGE (the report shows them to the author).
constexpr std::int32_t errore_tabella_piena = 10;
constexpr std::int32_t errore_fuori_griglia = 15;
constexpr std::int32_t errore_distanza_stazioni = 22;
constexpr std::int32_t errore_fermata = 24;

// A station must begin this many metres after the previous one ends.
constexpr std::int64_t distanza_minima = 350;

esito_stazione rifiuta(scenario& s, std::int32_t codice) {
  s.codice_errore = codice;
  return esito_stazione::rifiutata;
}

}  // namespace

esito_stazione memo_stazione(scenario& s, voce_dati v, std::int64_t lunghezza,
                             std::size_t k, std::int64_t cartello_libero) {
  const std::int64_t p = v.valore_c;
  const std::int64_t l = lunghezza;
  const std::uint8_t cat = v.categoria;
  const bool breve = cat == 5 || cat == 6;
  std::int64_t a = 0;
  std::int64_t b = 0;
  if (breve) {
    a = p - l;
    b = p + 150;
    v.cifra_2 = 0;
  } else if (cat == 7 || cat == 8) {
    a = p - l;
    b = p + l;
    v.cifra_2 = 0;
  } else {
    a = rnd(static_cast<double>(p) - static_cast<double>(l) / 2.0);
    b = rnd(static_cast<double>(p) + static_cast<double>(l) / 2.0);
    if (v.cifra_2 != 0) b += 50;
  }
  if (l < 600) v.cifra_3 = 0;
  if (k == prima_stazione) v.cifra_2 = v.cifra_3 = 0;
  v.valore_a = bassi_32(a);
  v.valore_b = bassi_32(b);

  // The stop cell of a stopping station, from the stored end.
  const bool con_fermata = cat < 25;
  const double fine = static_cast<double>(v.valore_b) / metri_cella;
  const auto ultima = static_cast<std::int64_t>(s.celle.size()) - 1;
  std::int64_t fermata = 0;
  if (con_fermata) {
    if (!(fine - 1.0 > 1.0)) return rifiuta(s, errore_fermata);
    fermata = rnd(fine - 1.0);
    if (fermata > ultima) {
      s.posizione_errore = v.valore_c;
      s.codice_errore = errore_fuori_griglia;
      return esito_stazione::fuori_griglia;
    }
  }
  if (k > prima_stazione && std::int64_t{v.valore_a} - distanza_minima <
                                s.tabella_dati[k - 1].valore_b) {
    s.posizione_errore = v.valore_c;
    return rifiuta(s, errore_distanza_stazioni);
  }
  // Stations and board texts meet with one slot to spare.
  if (static_cast<std::int64_t>(k) + 1 >= cartello_libero) {
    return rifiuta(s, errore_tabella_piena);
  }

  // Approach cells lie in front of the stop cell, after cell 1.
  if (con_fermata && !breve) {
    for (std::int64_t n = 1; n <= 4; ++n) {
      const double e = fine - static_cast<double>(n) - 1.0;
      if (e > 1.0) {
        s.celle[static_cast<std::size_t>(rnd(e))].avviso = bassi_8(80 + n);
      }
    }
  }
  if (con_fermata) {
    cella& c = s.celle[static_cast<std::size_t>(fermata)];
    c.tipo_cella = static_cast<std::uint8_t>(tipo::fermata);
    c.valore1 = bassi_16(static_cast<std::int64_t>(k));
  }
  s.tabella_dati[k] = std::move(v);
  return esito_stazione::posata;
}
