// Fatal report.
#include "app/errore.h"

#include "app/stato_uscita.h"

std::string messaggio_errore(std::string_view a) {
  std::string testo = " Errore n. ";
  testo += a;
  return testo;
}

int errore(finestra::piattaforma& p, std::string_view a,
           std::string_view seguito) {
  std::string testo = messaggio_errore(a);
  if (!seguito.empty()) {
    testo += '\n';
    testo += seguito;
  }
  p.mostra_messaggio(testo);
  return stato_guasto_compilazione;
}
