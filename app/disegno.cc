// The plot command: the drawing of the compiled files, written to its file.
#include "app/disegno.h"

#include <string>

#include "app/stato_uscita.h"
#include "port/sistema.h"
#include "viste/disegno.h"
#include "viste/lettura_compilati.h"
#include "viste/riepilogo.h"
#include "viste/testi.h"

namespace fs = std::filesystem;

fs::path file_disegno(const opzioni& o, const fs::path& cartella) {
  if (const auto u = o.valore("--output")) return port::percorso_da_testo(*u);
  return cartella / port::percorso_da_testo(o.linea + "_" + o.treno + ".svg");
}

int esegui_disegno(const opzioni& o, const fs::path& cartella,
                   std::ostream& err) {
  viste::file_compilati_letti f;
  if (viste::esito_lettura_compilati e =
          viste::leggi_compilati(cartella, o.linea, o.treno, f);
      !e.ok()) {
    err << "scenario: " << e.messaggio << "\n";
    return stato_file;
  }
  // Sources newer than the files drawn: said here too, not only on the
  // page.
  if (const std::string a = viste::avviso_sorgenti(f); !a.empty()) {
    err << "scenario: " << a << "\n";
  }
  const std::string svg = viste::disegno_svg(f, viste::riassumi(f));
  if (port::io_status st =
          port::sostituisci_file(file_disegno(o, cartella), svg);
      !st.ok()) {
    err << "scenario: " << st.message << "\n";
    return stato_file;
  }
  return stato_ok;
}
