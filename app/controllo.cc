// The check command.
#include "app/controllo.h"

#include <vector>

#include "app/compilazione.h"
#include "app/diagnostica.h"
#include "app/stato_uscita.h"
#include "compiler/guasti.h"
#include "compiler/verifica.h"
#include "port/sistema.h"
#include "source/nomi_file.h"

namespace {

std::string plurale(std::size_t n, const char* uno, const char* molti) {
  return std::to_string(n) + " " + (n == 1 ? uno : molti);
}

}  // namespace

std::string conteggio(std::size_t errori, std::size_t avvisi) {
  return plurale(errori, "errore", "errori") + ", " +
         plurale(avvisi, "avviso", "avvisi");
}

int esegui_controllo(const opzioni& o, const std::filesystem::path& cartella,
                     std::ostream& out) {
  const port::file_letto linea =
      port::leggi_file(source::nomi_file::sorgente_linea(cartella, o.linea));
  const port::file_letto treno = port::leggi_file(
      source::nomi_file::sorgente_treno(cartella, o.linea, o.treno));
  const compiler::esito_verifica e = compiler::verifica_sorgenti(
      o.linea, o.treno, {come_sorgente(linea), come_sorgente(treno)});

  std::size_t errori = e.guasti_tralasciati;
  std::size_t avvisi = e.avvisi_tralasciati;
  bool non_letto = false;
  for (const compiler::diagnosi& d : e.trovate) {
    out << testo_diagnosi(d, cartella);
    if (d.avviso()) {
      ++avvisi;
      continue;
    }
    ++errori;
    non_letto = non_letto || compiler::di_file(d);
  }
  if (e.guasti_tralasciati + e.avvisi_tralasciati > 0) {
    out << "(non mostrati: altri "
        << conteggio(e.guasti_tralasciati, e.avvisi_tralasciati)
        << "; il controllo ne mostra al massimo " << compiler::massimo_trovate
        << ")\n";
  }
  out << conteggio(errori, avvisi) << '\n';
  out.flush();
  if (non_letto) return stato_file;
  if (errori > 0 || (o.ha("--strict") && avvisi > 0))
    return stato_guasto_compilazione;
  return stato_ok;
}
