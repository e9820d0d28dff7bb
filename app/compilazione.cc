// Compile of a folder's sources.
#include "app/compilazione.h"

#include <vector>

#include "compiler/file_compilati.h"
#include "compiler/formato.h"
#include "port/cambio.h"
#include "port/scrittura.h"
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
  // The plan is encoded piece by piece as it is written, into one buffer of
  // a write's size.
  compiler::piano_a_blocchi piano(s.tracciato, port::blocco_scrittura);
  std::vector<port::file_da_scrivere> file;
  if (s.scrivi_linea != 0) {
    file.push_back({source::nomi_file::piano(cartella, s.nome_linea),
                    {{}, [&piano] { return piano.prossimo(); }}});
  }
  file.push_back(
      {source::nomi_file::tabella(cartella, s.nome_linea, s.nome_treno),
       {f.tabella, {}}});
  file.push_back(
      {source::nomi_file::celle(cartella, s.nome_linea, s.nome_treno),
       {f.celle, {}}});
  // The three files change together or not at all: the simulator must never
  // find a plan and a table of one compile beside the grid of another.
  return port::sostituisci_insieme(file);
}

risultato_cartella compila_cartella(compiler::scenario& s,
                                    const fs::path& cartella, std::int32_t j,
                                    bool conserva_sorgenti) {
  const fs::path linea =
      source::nomi_file::sorgente_linea(cartella, s.nome_linea);
  const fs::path treno =
      source::nomi_file::sorgente_treno(cartella, s.nome_linea, s.nome_treno);
  const port::file_letto letta_linea = port::leggi_file(
      linea, static_cast<std::uint64_t>(compiler::byte_massimi_sorgente));
  const port::file_letto letta_treno = port::leggi_file(
      treno, static_cast<std::uint64_t>(compiler::byte_massimi_sorgente));

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
