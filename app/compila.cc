// The compile command.
#include "app/compila.h"

#include "app/compilazione.h"
#include "app/rapporto.h"
#include "compiler/scenario.h"

int esegui_compilazione(const opzioni& o, const std::filesystem::path& cartella,
                        finestra::piattaforma& p, std::ostream& err) {
  compiler::scenario s;
  s.nome_linea = o.linea;
  s.nome_treno = o.treno;
  const risultato_cartella r =
      compila_cartella(s, cartella, 1, /*conserva_sorgenti=*/true);
  return riporta_compilazione(r, cartella, p, err);
}
