// Source reader: the line file, then the train file, on the bytes the caller
// read.
#include "compiler/lettore.h"

#include <string>

#include "compiler/lettore_linea.h"
#include "compiler/lettore_treno.h"
#include "compiler/lettura_sorgente.h"
#include "source/nomi_file.h"

namespace compiler {

void leggi_sorgenti(lettura_condivisa& c, const sorgenti& in) {
  c.in = &in;
  scenario& s = c.s;
  s.tabella_dati[voce_linea].testo = s.nome_linea;
  s.tabella_dati[voce_treno].testo = s.nome_treno;
  const std::string linea =
      source::nomi_file::nome_sorgente_linea(s.nome_linea);
  if (leggi_linea(c, in.linea, linea)) {
    leggi_treno(
        c, in.treno,
        source::nomi_file::nome_sorgente_treno(s.nome_linea, s.nome_treno),
        linea);
  }
}

esito_lettura memorizza_dati(scenario& s, const sorgenti& in) {
  lettura_condivisa c{s, {}, nullptr, {}, {}, nullptr};
  leggi_sorgenti(c, in);
  return {c.elimina, std::move(c.guasto), std::move(c.righe)};
}

}  // namespace compiler
