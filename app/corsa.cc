// Run order of the whole job.
#include "app/corsa.h"

#include "compiler/scenario.h"

int esegui_corsa(const opzioni& o, const std::filesystem::path& cartella,
                 piattaforma& p, std::ostream& err) {
  (void)o;
  (void)cartella;
  (void)err;
  scenario s;
  s.nome_linea = "Vendralo";
  s.nome_treno = "Kv4417";
  p.mostra_finestra("Form1", "Attendere");
  return stato_ok;
}
