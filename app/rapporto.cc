// Compile report and exit status.
#include "app/rapporto.h"

#include "app/diagnostica.h"
#include "app/errore.h"
#include "app/stato_uscita.h"
#include "compiler/guasti.h"
#include "port/sistema.h"

std::string testo_guasto(const compiler::diagnosi& g,
                         const std::filesystem::path& cartella) {
  std::string t = messaggio_errore(std::to_string(g.numero));
  t += '\n';
  const compiler::voce_guasto* v = compiler::cerca_guasto(g.numero);
  if (v != nullptr && v->con_posizione) {
    t += "Posizione: " + std::to_string(g.posizione) + " m\n";
  }
  t += compiler::significato_guasto(g.numero);
  t += '\n';
  const compiler::luogo_sorgente& l = g.luogo;
  if (!l.file.empty()) {
    t += "File: " + port::testo_percorso(cartella / l.file);
    if (l.riga > 0) t += ", riga " + std::to_string(l.riga);
    if (!g.motivo.empty()) t += ": " + g.motivo;
    t += '\n';
  }
  // A fault found in a field: the form editors understand, with the line
  // and a caret under the field.
  if (l.campo.riga > 0) t += testo_diagnosi(g, cartella);
  return t;
}

int riporta_compilazione(const risultato_cartella& r,
                         const std::filesystem::path& cartella,
                         finestra::piattaforma& p, std::ostream& err) {
  switch (r.esito) {
    case esito_cartella::compilato:
      return stato_ok;
    case esito_cartella::guasto: {
      const compiler::diagnosi& g = *r.guasto;
      const compiler::voce_guasto* v = compiler::cerca_guasto(g.numero);
      if (v != nullptr && v->in_finestra) {
        return errore(p, std::to_string(g.numero));
      }
      err << testo_guasto(g, cartella);
      err.flush();
      return compiler::di_file(g) ? stato_file : stato_guasto_compilazione;
    }
    case esito_cartella::errore_file:
      err << "scenario: " << r.file.message << '\n';
      err.flush();
      return stato_file;
  }
  return stato_file;
}
