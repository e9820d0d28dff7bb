// Compile report and exit status.
#include "app/rapporto.h"

#include "app/diagnostica.h"
#include "app/errore.h"
#include "app/stato_uscita.h"
#include "compiler/guasti.h"
#include "port/sistema.h"

namespace {

// A source that is missing or cannot be read is a file fault, not a fault in
// its content.
bool guasto_di_file(const compiler::scenario& s) {
  return s.codice_errore == compiler::guasto::manca_linea ||
         !s.motivo_errore.empty();
}

}  // namespace

bool ha_posizione(std::int32_t codice) {
  const compiler::voce_guasto* g = compiler::cerca_guasto(codice);
  return g != nullptr && g->con_posizione;
}

std::string_view significato_guasto(std::int32_t codice) {
  const compiler::voce_guasto* g = compiler::cerca_guasto(codice);
  return g != nullptr ? g->significato : "Errore di compilazione.";
}

std::string testo_guasto(const compiler::scenario& s,
                         const std::filesystem::path& cartella) {
  std::string t = messaggio_errore(std::to_string(s.codice_errore));
  t += '\n';
  if (ha_posizione(s.codice_errore)) {
    t += "Posizione: " + std::to_string(s.posizione_errore) + " m\n";
  }
  t += significato_guasto(s.codice_errore);
  t += '\n';
  if (!s.file_errore.empty()) {
    t += "File: " + port::testo_percorso(cartella / s.file_errore);
    if (s.riga_errore > 0) t += ", riga " + std::to_string(s.riga_errore);
    if (!s.motivo_errore.empty()) t += ": " + s.motivo_errore;
    t += '\n';
  }
  // A fault found in a field: the form editors understand, with the line
  // and a caret under the field.
  if (s.campo_errore.riga > 0) {
    t += testo_diagnosi(compiler::guasto_del_modello(s), cartella);
  }
  return t;
}

int riporta_compilazione(const risultato_cartella& r,
                         const compiler::scenario& s,
                         const std::filesystem::path& cartella, piattaforma& p,
                         std::ostream& err) {
  switch (r.esito) {
    case esito_cartella::compilato:
      return stato_ok;
    case esito_cartella::guasto_sorgente:
      err << testo_guasto(s, cartella);
      err.flush();
      return guasto_di_file(s) ? stato_file : stato_guasto_compilazione;
    case esito_cartella::timbro_1250:
      return errore(p, "1250");
    case esito_cartella::timbro_1251:
      return errore(p, "1251");
    case esito_cartella::errore_file:
      err << "scenario: " << r.file.message << '\n';
      err.flush();
      return stato_file;
  }
  return stato_file;
}
