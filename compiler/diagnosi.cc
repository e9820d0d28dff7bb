// Diagnoses from the model's fault.
#include "compiler/diagnosi.h"

#include "compiler/guasti.h"

namespace compiler {

diagnosi guasto_del_modello(const scenario& s) {
  const voce_guasto* g = cerca_guasto(s.codice_errore);
  diagnosi d;
  d.numero = s.codice_errore;
  d.posizione = (g != nullptr && g->con_posizione) ? s.posizione_errore : 0;
  d.luogo = {s.file_errore, s.riga_errore, s.campo_errore};
  d.messaggio = s.motivo_errore.empty() ? s.dettaglio_errore : s.motivo_errore;
  return d;
}

}  // namespace compiler
