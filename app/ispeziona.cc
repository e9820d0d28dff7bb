// The inspect command: the views of the compiled files, printed.
#include "app/ispeziona.h"

#include "app/stato_uscita.h"
#include "viste/json_ispezione.h"
#include "viste/lettura_compilati.h"
#include "viste/riepilogo.h"
#include "viste/testo_ispezione.h"

int esegui_ispezione(const opzioni& o, const std::filesystem::path& cartella,
                     std::ostream& out, std::ostream& err) {
  viste::file_compilati_letti f;
  if (viste::esito_lettura_compilati e =
          viste::leggi_compilati(cartella, o.linea, o.treno, f);
      !e.ok()) {
    err << "scenario: " << e.messaggio << "\n";
    return stato_file;
  }
  const viste::riepilogo r = viste::riassumi(f);
  if (o.ha("--json")) {
    out << viste::json_ispezione(f, r, o.ha("--points"));
  } else {
    out << viste::testo_ispezione(
        {cartella, o.linea, o.treno, o.ha("--points")}, f, r);
  }
  out.flush();
  if (!out) {
    err << "scenario: the output could not be written\n";
    return stato_file;
  }
  return stato_ok;
}
