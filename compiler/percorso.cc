// Compile driver: read, finish, stamp, encode.
#include "compiler/percorso.h"

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

bool testi_scrivibili(const scenario& s) {
  for (const voce_dati& v : s.tabella_dati) {
    if (v.testo.size() > lunghezza_massima_testo) return false;
  }
  return true;
}

}  // namespace

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
  auto fallita = [&] {
    r.guasto = guasto_senza_luogo(s.codice_errore, s.posizione_errore);
    return std::move(r);
  };
  if (!testi_scrivibili(s)) {
    // A text longer than the table file's 16-bit length field.
    s.codice_errore = guasto::lettura;
    return fallita();
  }

  rifinitura(s);
  if (s.codice_errore != 0) return fallita();
  if (!timbra(s)) return fallita();
  r.esito = esito_compilazione::compilato;
  codifica_file(s, r.file);
  return r;
}

}  // namespace compiler
