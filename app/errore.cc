// Fatal report.
#include "app/errore.h"

#include <cstdlib>

std::string messaggio_errore(std::string_view a) {
  std::string testo = " Errore n. ";
  testo += a;
  return testo;
}

void errore(piattaforma& p, std::string_view a) {
  p.mostra_messaggio(messaggio_errore(a));
  p.termina(stato_errore);
  std::abort();  // termina never returns; a platform that did is a bug
}
