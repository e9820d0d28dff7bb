// Check of a pair of sources.
#include "compiler/verifica.h"

#include <algorithm>
#include <string>
#include <tuple>

#include "compiler/file_compilati.h"
#include "compiler/guasti.h"
#include "compiler/lettura_sorgente.h"
#include "compiler/percorso.h"
#include "compiler/rifinitura.h"
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

// What the compile stops at, after the reading.
void dopo_la_lettura(scenario& s, raccolta_verifica& r) {
  for (std::size_t k = 0; k < s.tabella_dati.size(); ++k) {
    const std::size_t n = s.tabella_dati[k].testo.size();
    if (n > lunghezza_massima_testo) {
      diagnosi d = guasto_senza_luogo(guasto::lettura, 0);
      d.messaggio = "il testo della voce " + std::to_string(k) + " è lungo " +
                    std::to_string(n) + " byte: al massimo " +
                    std::to_string(lunghezza_massima_testo);
      r.trovate.push_back(std::move(d));
    }
  }
  if (ha_guasti(r.trovate)) return;

  std::vector<guasto_rifinitura> tutti;
  rifinitura(s, &tutti);
  std::vector<guasto_rifinitura> visti;
  for (const guasto_rifinitura& g : tutti) {
    if (std::find(visti.begin(), visti.end(), g) != visti.end()) continue;
    visti.push_back(g);
    const auto riga = r.righe_di_celle.find(g.origine);
    diagnosi d = guasto_senza_luogo(g.numero, g.posizione);
    if (riga != r.righe_di_celle.end()) d.luogo = riga->second;
    r.trovate.push_back(std::move(d));
  }
  if (s.celle.size() < 2) return;
  const std::string cella_1 =
      "la cella 1 (posizione 0 m) ha già un valore che il timbro "
      "sovrascriverebbe";
  if (!timbra(s)) {
    diagnosi d = guasto_senza_luogo(s.codice_errore, 0);
    d.messaggio = cella_1;
    r.trovate.push_back(std::move(d));
  }
}

// The same fault as the compile's `c`: a fault found after the reading has
// no row in the compile's report, but may have one in a check.
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

std::vector<diagnosi> diagnosi_in_ordine(std::string_view nome_linea,
                                         std::string_view nome_treno,
                                         const sorgenti& in) {
  scenario s = con_nomi(nome_linea, nome_treno);
  raccolta_verifica r;
  lettura_condivisa c{s, {}, &r, {}};
  leggi_sorgenti(c, in);
  if (!ha_guasti(r.trovate) && !s.celle.empty()) dopo_la_lettura(s, r);

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
  return trovate;
}

std::vector<diagnosi> verifica_sorgenti(std::string_view nome_linea,
                                        std::string_view nome_treno,
                                        const sorgenti& in) {
  std::vector<diagnosi> trovate =
      diagnosi_in_ordine(nome_linea, nome_treno, in);
  scenario s = con_nomi(nome_linea, nome_treno);
  risultato_compilazione r = memorizza_percorso(s, in, 1);
  if (r.guasto) metti_primo(trovate, std::move(*r.guasto));
  return trovate;
}

}  // namespace compiler
