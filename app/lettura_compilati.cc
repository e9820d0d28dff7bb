// Reading and decoding the compiled files.
#include "app/lettura_compilati.h"

#include "compiler/decodifica.h"
#include "port/sistema.h"
#include "source/nomi_file.h"

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
            decodifica_tabella(f.byte, out.tabella);
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
            decodifica_celle(f.byte, out.celle);
        !e.ok()) {
      return {guasto_formato(celle, e)};
    }
  }
  // The plan file is the largest by far; each file's bytes go as soon as
  // they are decoded.
  const port::file_letto f = port::leggi_file(piano);
  switch (f.stato) {
    case port::file_letto::esito::assente:
      out.ha_piano = false;
      out.byte_piano = 0;
      out.piano.svuota();
      return {};
    case port::file_letto::esito::illeggibile:
      return {non_letto(piano, f)};
    case port::file_letto::esito::letto:
      break;
  }
  out.byte_piano = f.byte.size();
  if (const compiler::esito_decodifica e = decodifica_piano(f.byte, out.piano);
      !e.ok()) {
    return {guasto_formato(piano, e)};
  }
  out.ha_piano = true;
  return {};
}
