// Run order of the whole job: the two sources, the notes, the order form and
// the timetable sheet, then the compile of the sources. The sources are one
// batch of writes, the documents another, the compiled files a third.
#include "app/corsa.h"

#include <string_view>
#include <vector>

#include "app/compilazione.h"
#include "app/rapporto.h"
#include "app/stato_uscita.h"
#include "compiler/scenario.h"
#include "content/dati_linea.h"
#include "content/dati_note.h"
#include "content/dati_rallentamenti.h"
#include "content/dati_scheda.h"
#include "content/dati_treno.h"
#include "port/scrittura.h"
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

// A text file of the run and its bytes.
struct testo_corsa {
  std::filesystem::path nome;
  content::documento d;
};

}  // namespace

int esegui_corsa(const opzioni& o, const std::filesystem::path& cartella,
                 finestra::piattaforma& p, std::ostream& err) {
  compiler::scenario s;
  s.nome_linea = nome_linea_scenario;
  s.nome_treno = nome_treno_scenario;
  p.mostra_finestra("Form1", "Attendere");

  const std::string_view l = s.nome_linea;
  const std::string_view t = s.nome_treno;
  namespace nomi = source::nomi_file;
  // The run's text files in run order: the two sources, then the three
  // documents. Each is made whole in memory before any is written, so a text
  // the code page cannot hold stops the run with nothing written.
  const testo_corsa testi[] = {
      {nomi::sorgente_linea(cartella, l), content::dati_linea()},
      {nomi::sorgente_treno(cartella, l, t), content::dati_treno()},
      {nomi::documento(cartella, l, t, "note.txt"), content::dati_note()},
      {nomi::documento(cartella, l, t, "rallentamenti.txt"),
       content::dati_rallentamenti()},
      {nomi::documento(cartella, l, t, "scheda_treno.txt"),
       content::dati_scheda()},
  };
  for (const testo_corsa& k : testi) {
    if (!k.d.ok()) {
      err << "scenario: " << port::testo_percorso(k.nome)
          << ": testo che la codifica Windows-1252 non contiene: " << k.d.guasto
          << "\n";
      return stato_file;
    }
  }
  std::vector<port::file_da_scrivere> sorgenti;
  std::vector<port::file_da_scrivere> documenti;
  for (const testo_corsa& k : testi) {
    (sorgenti.size() < 2 ? sorgenti : documenti)
        .push_back({k.nome, {k.d.byte, {}}});
  }
  // Sources that the compile deletes at once need not reach the disk.
  port::io_status w = port::scrivi_gruppo(sorgenti, o.ha("--keep-sources"));
  if (w.ok()) w = port::scrivi_gruppo(documenti, /*durevole=*/true);
  if (!w.ok()) {
    err << "scenario: non si può scrivere " << w.message << "\n";
    if (!o.ha("--keep-sources")) togli_sorgenti(s, cartella);
    return stato_file;
  }

  const risultato_cartella r =
      compila_cartella(s, cartella, 1, o.ha("--keep-sources"));
  return riporta_compilazione(r, cartella, p, err);
}
