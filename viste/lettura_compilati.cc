// Reading and decoding the compiled files.
#include "viste/lettura_compilati.h"

#include <initializer_list>
#include <optional>
#include <utility>

#include "compiler/decodifica.h"
#include "port/modifica.h"
#include "port/sistema.h"
#include "source/nomi_file.h"

namespace viste {

namespace fs = std::filesystem;

namespace {

std::string non_letto(const fs::path& p, const port::file_letto& f) {
  return port::testo_percorso(p) + ": " + f.motivo;
}

std::string guasto_formato(const fs::path& p,
                           const compiler::esito_decodifica& e) {
  return port::testo_percorso(p) + ": byte " + std::to_string(e.offset) + ": " +
         e.motivo;
}

// The names of the sources changed after the oldest of the compiled files.
std::vector<std::string> piu_recenti(
    std::initializer_list<fs::path> sorgenti,
    std::initializer_list<fs::path> compilati) {
  std::optional<fs::file_time_type> scritti;
  for (const fs::path& p : compilati) {
    const std::optional<fs::file_time_type> t = port::ultima_modifica(p);
    if (!t) return {};
    if (!scritti || *t < *scritti) scritti = t;
  }
  std::vector<std::string> out;
  for (const fs::path& p : sorgenti) {
    const std::optional<fs::file_time_type> t = port::ultima_modifica(p);
    if (t && *t > *scritti) out.push_back(port::testo_percorso(p.filename()));
  }
  return out;
}

}  // namespace

esito_lettura_compilati leggi_compilati(const fs::path& cartella,
                                        std::string_view linea,
                                        std::string_view treno,
                                        file_compilati_letti& out) {
  const fs::path tabella = source::nomi_file::tabella(cartella, linea, treno);
  const fs::path celle = source::nomi_file::celle(cartella, linea, treno);
  const fs::path piano = source::nomi_file::piano(cartella, linea);

  {
    const port::file_letto f = port::leggi_file(tabella);
    if (f.stato != port::file_letto::esito::letto) {
      return {non_letto(tabella, f)};
    }
    out.byte_tabella = f.byte.size();
    if (const compiler::esito_decodifica e =
            compiler::decodifica_tabella(f.byte, out.tabella);
        !e.ok()) {
      return {guasto_formato(tabella, e)};
    }
  }
  {
    const port::file_letto f = port::leggi_file(celle);
    if (f.stato != port::file_letto::esito::letto) {
      return {non_letto(celle, f)};
    }
    out.byte_celle = f.byte.size();
    if (const compiler::esito_decodifica e =
            compiler::decodifica_celle(f.byte, out.celle);
        !e.ok()) {
      return {guasto_formato(celle, e)};
    }
  }
  // The plan file is the largest by far; each file's bytes go as soon as
  // they are decoded.
  port::file_letto f = port::leggi_file(piano);
  switch (f.stato) {
    case port::file_letto::esito::assente:
      out.ha_piano = false;
      out.byte_piano = 0;
      out.piano.svuota();
      break;
    case port::file_letto::esito::illeggibile:
      return {non_letto(piano, f)};
    case port::file_letto::esito::letto:
      out.byte_piano = f.byte.size();
      if (const compiler::esito_decodifica e =
              out.piano.apri(std::move(f.byte));
          !e.ok()) {
        return {guasto_formato(piano, e)};
      }
      out.ha_piano = true;
      break;
  }
  out.sorgenti_piu_recenti =
      piu_recenti({source::nomi_file::sorgente_linea(cartella, linea),
                   source::nomi_file::sorgente_treno(cartella, linea, treno)},
                  {tabella, celle});
  return {};
}

}  // namespace viste
