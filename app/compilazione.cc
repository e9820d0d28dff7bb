// Compile of a folder's sources.
#include "app/compilazione.h"

#include <optional>

#include "source/nomi_file.h"

namespace fs = std::filesystem;

void elimina_sorgente(const fs::path& p) {
  if (port::tipo_di(p) == port::tipo_voce::file) (void)port::rimuovi(p);
}

compiler::sorgente come_sorgente(const port::file_letto& f) {
  switch (f.stato) {
    case port::file_letto::esito::letto:
      return {compiler::sorgente::stato::letta, f.byte, {}};
    case port::file_letto::esito::assente:
      return {compiler::sorgente::stato::assente, {}, f.motivo};
    case port::file_letto::esito::illeggibile:
      break;
  }
  return {compiler::sorgente::stato::illeggibile, {}, f.motivo};
}

port::io_status scrivi_file_compilati(const compiler::scenario& s,
                                      const compiler::file_codificati& f,
                                      const fs::path& cartella) {
  // All temporaries are written before any target is replaced, so a write
  // that fails leaves the earlier set of compiled files whole.
  std::optional<port::file_sostitutivo> piano;
  if (s.scrivi_linea != 0) {
    piano.emplace(source::nomi_file::piano(cartella, s.nome_linea));
    if (port::io_status st = piano->apri(); !st.ok()) return st;
    if (port::io_status st = piano->scrivi(f.piano); !st.ok()) return st;
  }
  port::file_sostitutivo tabella(
      source::nomi_file::tabella(cartella, s.nome_linea, s.nome_treno));
  if (port::io_status st = tabella.apri(); !st.ok()) return st;
  if (port::io_status st = tabella.scrivi(f.tabella); !st.ok()) return st;
  port::file_sostitutivo celle(
      source::nomi_file::celle(cartella, s.nome_linea, s.nome_treno));
  if (port::io_status st = celle.apri(); !st.ok()) return st;
  if (port::io_status st = celle.scrivi(f.celle); !st.ok()) return st;
  if (piano) {
    if (port::io_status st = piano->conferma(); !st.ok()) return st;
  }
  if (port::io_status st = tabella.conferma(); !st.ok()) return st;
  return celle.conferma();
}

risultato_cartella compila_cartella(compiler::scenario& s,
                                    const fs::path& cartella, std::int32_t j,
                                    bool conserva_sorgenti) {
  const fs::path linea =
      source::nomi_file::sorgente_linea(cartella, s.nome_linea);
  const fs::path treno =
      source::nomi_file::sorgente_treno(cartella, s.nome_linea, s.nome_treno);
  const port::file_letto letta_linea = port::leggi_file(linea);
  const port::file_letto letta_treno = port::leggi_file(treno);

  compiler::risultato_compilazione r = memorizza_percorso(
      s, {come_sorgente(letta_linea), come_sorgente(letta_treno)}, j);
  if (!conserva_sorgenti) {
    if (r.elimina.linea) elimina_sorgente(linea);
    if (r.elimina.treno) elimina_sorgente(treno);
  }
  if (r.esito == compiler::esito_compilazione::guasto) {
    return {esito_cartella::guasto, {}, std::move(r.guasto)};
  }
  if (port::io_status st = scrivi_file_compilati(s, r.file, cartella);
      !st.ok()) {
    return {esito_cartella::errore_file, std::move(st), {}};
  }
  return {};
}
