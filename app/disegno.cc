// The plot command: the drawing of the compiled files, written to its file.
#include "app/disegno.h"

#include <string>

#include "app/stato_uscita.h"
#include "port/scrittura.h"
#include "port/sistema.h"
#include "source/nomi_file.h"
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
                   std::ostream& out, std::ostream& err) {
  const bool su_uscita = o.valore("--output") == "-";
  const fs::path pagina = file_disegno(o, cartella);
  // The page never takes the place of a file the plot reads.
  if (!su_uscita) {
    for (const fs::path& letto :
         {source::nomi_file::tabella(cartella, o.linea, o.treno),
          source::nomi_file::celle(cartella, o.linea, o.treno),
          source::nomi_file::piano(cartella, o.linea)}) {
      if (port::stesso_file(pagina, letto)) {
        err << "scenario: --output " << port::testo_percorso(pagina)
            << " è il file compilato " << port::testo_percorso(letto)
            << ", che plot legge: scegliere un altro file\n";
        return stato_uso;
      }
    }
  }
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
  if (su_uscita) {
    // Whether it was written, the command's caller checks.
    out << svg;
    return stato_ok;
  }
  if (port::io_status st = port::sostituisci_file(pagina, svg); !st.ok()) {
    err << "scenario: " << st.message << "\n";
    return stato_file;
  }
  return stato_ok;
}
