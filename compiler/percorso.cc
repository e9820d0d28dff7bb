// Compile driver: read, finish, stamp, encode.
#include "compiler/percorso.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "compiler/codici_gara.h"
#include "compiler/file_compilati.h"
#include "compiler/guasti.h"
#include "compiler/rifinitura.h"

namespace compiler {

namespace {

void svuota(file_codificati& f) {
  f.piano.clear();
  f.tabella.clear();
  f.celle.clear();
}

// The diagnosis of fault `numero` at the row `righe` remembers, if any.
diagnosi alla_riga(const scenario& s, const sorgenti& in, std::int32_t numero,
                   std::int32_t posizione, const riferimento_riga* r) {
  diagnosi d = guasto_senza_luogo(numero, posizione);
  if (r != nullptr) {
    d.luogo =
        luogo_di(*r, in.linea.byte, in.treno.byte, s.nome_linea, s.nome_treno);
  }
  return d;
}

template <class M, class K>
const riferimento_riga* riga_di(const M& mappa, const K& chiave) {
  const auto i = mappa.find(chiave);
  return i == mappa.end() ? nullptr : &i->second;
}

}  // namespace

bool dopo_la_lettura(scenario& s, const righe_lette& righe, const sorgenti& in,
                     bool tutti, std::vector<diagnosi>& trovati) {
  bool testi = true;
  for (std::size_t k = 0; k < s.tabella_dati.size(); ++k) {
    const std::size_t n = s.tabella_dati[k].testo.size();
    if (n <= lunghezza_massima_testo) continue;
    // A text longer than the table file's 16-bit length field.
    testi = false;
    s.codice_errore = guasto::lettura;
    diagnosi d = alla_riga(s, in, guasto::lettura, 0, riga_di(righe.testi, k));
    d.messaggio = "il testo è lungo " + std::to_string(n) +
                  " byte: la tabella ne tiene al massimo " +
                  std::to_string(lunghezza_massima_testo);
    trovati.push_back(std::move(d));
    if (!tutti) return false;
  }
  if (!testi) return false;

  std::vector<guasto_rifinitura> dal_passo;
  rifinitura(s, &dal_passo);
  if (!dal_passo.empty()) {
    if (!tutti) {
      // The compile keeps the pass's last fault, as the model does.
      const guasto_rifinitura& g = dal_passo.back();
      trovati.push_back(alla_riga(s, in, g.numero, g.posizione,
                                  riga_di(righe.celle, g.origine)));
      return false;
    }
    std::vector<guasto_rifinitura> visti;
    for (const guasto_rifinitura& g : dal_passo) {
      if (std::find(visti.begin(), visti.end(), g) != visti.end()) continue;
      visti.push_back(g);
      trovati.push_back(alla_riga(s, in, g.numero, g.posizione,
                                  riga_di(righe.celle, g.origine)));
    }
  }
  const bool rifinita = dal_passo.empty();
  if (!timbra(s)) {
    // The row that wrote cell 1, which holds both stamps.
    diagnosi d = alla_riga(s, in, s.codice_errore, 0,
                           riga_di(righe.celle, std::int64_t{1}));
    d.messaggio =
        "la cella 1 (posizione 0 m) ha già un valore che il timbro "
        "sovrascriverebbe";
    trovati.push_back(std::move(d));
    return false;
  }
  return rifinita;
}

bool timbra(scenario& s) {
  assert(s.celle.size() > 1);
  voce_dati& linea = s.tabella_dati[voce_linea];
  cella& prima = s.celle[1];
  if (linea.numero_1 != 0 || prima.valore1 != 0) {
    s.codice_errore = guasto::timbro_1250;
    return false;
  }
  linea.numero_1 = timbro_tabella;
  prima.valore1 = timbro_celle;
  if (linea.valore_d != 0 || prima.valore2 != 0) {
    s.codice_errore = guasto::timbro_1251;
    return false;
  }
  linea.valore_d = codice_gara_st(s);
  // The plain code is at most 25 * 255, well inside 16 bits.
  prima.valore2 = static_cast<std::int16_t>(codice_gara_og(s));
  return true;
}

void codifica_file(const scenario& s, file_codificati& f) {
  svuota(f);
  if (s.scrivi_linea != 0) append_piano(f.piano, s.tracciato);
  append_tabella(f.tabella, s.tabella_dati);
  append_celle(f.celle, s.celle);
}

file_codificati codifica_file(const scenario& s) {
  file_codificati f;
  codifica_file(s, f);
  return f;
}

risultato_compilazione memorizza_percorso(scenario& s, const sorgenti& in,
                                          std::int32_t j,
                                          file_codificati spazio) {
  s.scrivi_linea = j;
  azzera_guasto(s);
  s.tabella_dati.fill(voce_dati{});
  // The reader sizes both afresh from the route length, in the memory the
  // old ones held.
  s.celle.clear();
  s.tracciato.svuota();

  risultato_compilazione r;
  r.file = std::move(spazio);
  svuota(r.file);
  esito_lettura letta = memorizza_dati(s, in);
  r.elimina = letta.elimina;
  r.esito = esito_compilazione::guasto;
  if (s.codice_errore != 0) {
    r.guasto = std::move(letta.guasto);
    return r;
  }
  std::vector<diagnosi> trovati;
  if (!dopo_la_lettura(s, letta.righe, in, /*tutti=*/false, trovati)) {
    r.guasto = std::move(trovati.back());
    return r;
  }
  r.esito = esito_compilazione::compilato;
  codifica_file(s, r.file);
  return r;
}

}  // namespace compiler
