// Run order of the whole job: the two sources, the notes, the order form and
// the timetable sheet, then the compile of the sources.
#include "app/corsa.h"

#include <functional>
#include <string_view>

#include "app/compilazione.h"
#include "app/rapporto.h"
#include "app/stato_uscita.h"
#include "compiler/scenario.h"
#include "content/dati_linea.h"
#include "content/dati_note.h"
#include "content/dati_rallentamenti.h"
#include "content/dati_scheda.h"
#include "content/dati_treno.h"
#include "port/sistema.h"
#include "source/nomi_file.h"

namespace {

constexpr const char* nome_linea_scenario = "Vendralo";
constexpr const char* nome_treno_scenario = "Kv4417";

// Source files never outlive a run: when a writer fails before the compile
// has read them, the ones already written go too. Only files go: a folder of
// a source's name is the user's, and is why that source could not be written.
void togli_sorgenti(const compiler::scenario& s,
                    const std::filesystem::path& cartella) {
  for (const std::filesystem::path& p :
       {source::nomi_file::sorgente_linea(cartella, s.nome_linea),
        source::nomi_file::sorgente_treno(cartella, s.nome_linea,
                                          s.nome_treno)}) {
    elimina_sorgente(p);
  }
}

}  // namespace

int esegui_corsa(const opzioni& o, const std::filesystem::path& cartella,
                 finestra::piattaforma& p, std::ostream& err) {
  compiler::scenario s;
  s.nome_linea = nome_linea_scenario;
  s.nome_treno = nome_treno_scenario;
  p.mostra_finestra("Form1", "Attendere");

  const std::string_view l = s.nome_linea;
  const std::string_view t = s.nome_treno;
  // The writers in run order; the first that fails stops the run.
  const std::function<port::io_status()> scrittori[] = {
      [&] { return dati_linea(cartella, l); },
      [&] { return dati_treno(cartella, l, t); },
      [&] { return dati_note(cartella, l, t); },
      [&] { return dati_rallentamenti(cartella, l, t); },
      [&] { return dati_scheda(cartella, l, t); },
  };
  for (const auto& scrivi : scrittori) {
    if (const port::io_status w = scrivi(); !w.ok()) {
      err << "scenario: cannot write " << w.message << "\n";
      if (!o.ha("--keep-sources")) togli_sorgenti(s, cartella);
      return stato_file;
    }
  }

  const risultato_cartella r =
      compila_cartella(s, cartella, 1, o.ha("--keep-sources"));
  return riporta_compilazione(r, cartella, p, err);
}
