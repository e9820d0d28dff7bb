// The inspect command: the views of the compiled files, printed.
#include "app/ispeziona.h"

#include <string_view>

#include "app/stato_uscita.h"
#include "viste/json_ispezione.h"
#include "viste/lettura_compilati.h"
#include "viste/riepilogo.h"
#include "viste/testo_ispezione.h"

namespace {

// The option of each part, as the command table names it.
struct opzione_parte {
  std::string_view nome;
  viste::parte p;
};
constexpr opzione_parte opzioni_parti[] = {
    {"--stazioni", viste::parte::stazioni},
    {"--cartelli", viste::parte::cartelli},
    {"--progressive", viste::parte::progressive},
    {"--segnali", viste::parte::segnali},
    {"--indicatori", viste::parte::indicatori},
    {"--rallentamenti", viste::parte::rallentamenti},
    {"--abbattimenti", viste::parte::abbattimenti},
    {"--montagne", viste::parte::montagne},
    {"--profilo", viste::parte::profilo},
};

}  // namespace

std::vector<viste::parte> parti_ispezione(const opzioni& o) {
  std::vector<viste::parte> out;
  for (const opzione_parte& x : opzioni_parti) {
    if (o.ha(x.nome)) out.push_back(x.p);
  }
  return out;
}

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
  const viste::opzioni_ispezione v{cartella, o.linea, o.treno, o.ha("--points"),
                                   parti_ispezione(o)};
  if (o.ha("--json")) {
    viste::json_ispezione(out, v, f, r);
  } else {
    viste::testo_ispezione(out, v, f, r);
  }
  out.flush();
  if (!out) {
    err << "scenario: non si è potuto scrivere il risultato\n";
    return stato_file;
  }
  return stato_ok;
}
