// Compile driver: read, finish, stamp, write.
#include "compiler/percorso.h"

#include <cassert>
#include <optional>

#include "compiler/codici_gara.h"
#include "compiler/file_compilati.h"
#include "compiler/lettore.h"
#include "compiler/rifinitura.h"
#include "source/nomi_file.h"

namespace {

// Fault number for a value too large for its field (here a text too long for
// the 16-bit length of the table file): DO NOT CHANGE.
constexpr std::int32_t guasto_lettura = 25;

void azzera_guasto(scenario& s) {
  s.codice_errore = 0;
  s.posizione_errore = 0;
  s.file_errore.clear();
  s.riga_errore = 0;
  s.motivo_errore.clear();
}

bool testi_scrivibili(const scenario& s) {
  for (const voce_dati& v : s.tabella_dati) {
    if (v.testo.size() > lunghezza_massima_testo) return false;
  }
  return true;
}

}  // namespace

esito_compilazione timbra(scenario& s) {
  assert(s.celle.size() > 1);
  voce_dati& linea = s.tabella_dati[voce_linea];
  cella& prima = s.celle[1];
  if (linea.numero_1 != 0 || prima.valore1 != 0) {
    return esito_compilazione::timbro_1250;
  }
  linea.numero_1 = timbro_tabella;
  prima.valore1 = timbro_celle;
  if (linea.valore_d != 0 || prima.valore2 != 0) {
    return esito_compilazione::timbro_1251;
  }
  linea.valore_d = codice_gara_st(s);
  // The plain code is at most 25 * 255, well inside 16 bits.
  prima.valore2 = static_cast<std::int16_t>(codice_gara_og(s));
  return esito_compilazione::compilato;
}

io_status scrivi_file_compilati(const scenario& s,
                                const std::filesystem::path& cartella) {
  // All temporaries are written before any target is replaced, so a write
  // that fails leaves the earlier set of compiled files whole.
  std::optional<file_sostitutivo> piano;
  if (s.scrivi_linea != 0) {
    piano.emplace(nomi_file::piano(cartella, s.nome_linea));
    if (io_status st = piano->apri(); !st.ok()) return st;
    if (io_status st = scrivi_piano(*piano, s.tracciato); !st.ok()) return st;
  }
  file_sostitutivo tabella(
      nomi_file::tabella(cartella, s.nome_linea, s.nome_treno));
  if (io_status st = tabella.apri(); !st.ok()) return st;
  if (io_status st = tabella.scrivi(codifica_tabella(s.tabella_dati));
      !st.ok()) {
    return st;
  }
  file_sostitutivo celle(
      nomi_file::celle(cartella, s.nome_linea, s.nome_treno));
  if (io_status st = celle.apri(); !st.ok()) return st;
  if (io_status st = celle.scrivi(codifica_celle(s.celle)); !st.ok()) {
    return st;
  }
  if (piano) {
    if (io_status st = piano->conferma(); !st.ok()) return st;
  }
  if (io_status st = tabella.conferma(); !st.ok()) return st;
  return celle.conferma();
}

risultato_compilazione memorizza_percorso(scenario& s,
                                          const std::filesystem::path& cartella,
                                          std::int32_t j,
                                          bool conserva_sorgenti) {
  s.scrivi_linea = j;
  azzera_guasto(s);
  s.tabella_dati.fill(voce_dati{});
  // The reader sizes both afresh from the route length; dropping the old
  // ones first keeps a second compile from holding two plans at once.
  s.celle.clear();
  s.tracciato.svuota();

  memorizza_dati(s, cartella, conserva_sorgenti);
  if (s.codice_errore != 0) return {esito_compilazione::guasto_sorgente, {}};
  if (!testi_scrivibili(s)) {
    s.codice_errore = guasto_lettura;
    return {esito_compilazione::guasto_sorgente, {}};
  }

  rifinitura(s);
  if (s.codice_errore != 0) return {esito_compilazione::guasto_sorgente, {}};

  if (const esito_compilazione e = timbra(s);
      e != esito_compilazione::compilato) {
    return {e, {}};
  }
  if (io_status st = scrivi_file_compilati(s, cartella); !st.ok()) {
    return {esito_compilazione::errore_file, std::move(st)};
  }
  return {};
}
