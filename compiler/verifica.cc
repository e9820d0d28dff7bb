// Check of a pair of sources.
#include "compiler/verifica.h"

#include <algorithm>
#include <string>
#include <tuple>

#include "compiler/file_compilati.h"
#include "compiler/guasti.h"
#include "compiler/lettura_sorgente.h"
#include "compiler/percorso.h"
#include "source/nomi_file.h"

namespace compiler {

namespace {

scenario con_nomi(std::string_view nome_linea, std::string_view nome_treno) {
  scenario s;
  s.nome_linea = nome_linea;
  s.nome_treno = nome_treno;
  s.scrivi_linea = 1;
  return s;
}

bool ha_guasti(const std::vector<diagnosi>& d) {
  return std::any_of(d.begin(), d.end(),
                     [](const diagnosi& x) { return !x.avviso(); });
}

// The same fault as the compile's `c`: its number, position and row.
bool stesso_guasto(const diagnosi& d, const diagnosi& c) {
  if (d.numero != c.numero || d.posizione != c.posizione) return false;
  return c.luogo.file.empty() ||
         (d.luogo.file == c.luogo.file && d.luogo.riga == c.luogo.riga);
}

}  // namespace

void metti_primo(std::vector<diagnosi>& trovate, diagnosi primo) {
  const auto uguale =
      std::find_if(trovate.begin(), trovate.end(),
                   [&](const diagnosi& d) { return stesso_guasto(d, primo); });
  if (uguale != trovate.end()) {
    std::rotate(trovate.begin(), uguale, uguale + 1);
  } else {
    trovate.insert(trovate.begin(), std::move(primo));
  }
}

esito_verifica diagnosi_in_ordine(std::string_view nome_linea,
                                  std::string_view nome_treno,
                                  const sorgenti& in) {
  scenario s = con_nomi(nome_linea, nome_treno);
  raccolta_verifica r;
  lettura_condivisa c{s, {}, &r, {}, {}, nullptr};
  leggi_sorgenti(c, in);
  if (!ha_guasti(r.trovate) && !s.celle.empty()) {
    std::vector<diagnosi> dopo;
    (void)dopo_la_lettura(s, c.righe, in, /*tutti=*/true, dopo);
    for (diagnosi& d : dopo) r.aggiungi(std::move(d));
  }

  // File order: the line source, the train source, then the rest.
  const std::string linea = source::nomi_file::nome_sorgente_linea(nome_linea);
  const std::string treno =
      source::nomi_file::nome_sorgente_treno(nome_linea, nome_treno);
  auto ordine = [&](const diagnosi& d) {
    const int file = d.luogo.file == linea ? 0 : d.luogo.file == treno ? 1 : 2;
    return std::make_tuple(file, d.luogo.riga, d.luogo.campo.riga,
                           d.luogo.campo.colonna);
  };
  std::vector<diagnosi> trovate = std::move(r.trovate);
  std::stable_sort(trovate.begin(), trovate.end(),
                   [&](const diagnosi& a, const diagnosi& b) {
                     return ordine(a) < ordine(b);
                   });
  return {std::move(trovate), r.guasti_tralasciati, r.avvisi_tralasciati};
}

esito_verifica verifica_sorgenti(std::string_view nome_linea,
                                 std::string_view nome_treno,
                                 const sorgenti& in) {
  esito_verifica e = diagnosi_in_ordine(nome_linea, nome_treno, in);
  scenario s = con_nomi(nome_linea, nome_treno);
  risultato_compilazione r = memorizza_percorso(s, in, 1);
  if (r.guasto) metti_primo(e.trovate, std::move(*r.guasto));
  return e;
}

}  // namespace compiler
