// Command dispatch through the command table.
#include "app/avvio.h"

#include <filesystem>
#include <vector>

#include "app/comandi.h"
#include "app/riga_comando.h"
#include "app/stato_uscita.h"
#include "port/sistema.h"

int avvia(std::span<const std::string> argomenti, std::string_view argv0,
          finestra::piattaforma& p, std::ostream& out, std::ostream& err) {
  const std::vector<std::string_view> args(argomenti.begin(), argomenti.end());
  const esito_riga_comando letto = leggi_riga_comando(args);
  if (!letto.valide) {
    err << "scenario: " << letto.errore << "\n"
        << "Provare 'scenario --help'.\n";
    return stato_uso;
  }
  const opzioni& o = *letto.valide;
  if (o.aiuto) {
    out << testo_aiuto();
    return stato_ok;
  }
  if (o.versione) {
    out << testo_versione();
    return stato_ok;
  }
  std::filesystem::path cartella;
  if (o.cartella) {
    cartella = port::percorso_da_testo(*o.cartella);
  } else if (o.comando->cartella == cartella_predefinita::corrente) {
    cartella = ".";
  } else {
    auto trovata = port::cartella_programma(argv0);
    if (!trovata) {
      err << "scenario: non si trova la cartella del programma: usare "
             "--folder\n";
      return stato_file;
    }
    cartella = *trovata;
  }
  return o.comando->esegui({o, cartella, p, out, err});
}
