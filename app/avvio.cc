// Command dispatch.
#include "app/avvio.h"

#include <filesystem>
#include <iostream>
#include <vector>

#include "app/compila.h"
#include "app/controllo.h"
#include "app/corsa.h"
#include "app/disegno.h"
#include "app/ispeziona.h"
#include "app/lsp.h"
#include "app/riga_comando.h"
#include "app/stato_uscita.h"
#include "port/sistema.h"

int avvia(std::span<const std::string> argomenti, std::string_view argv0,
          piattaforma& p, std::ostream& out, std::ostream& err) {
  const std::vector<std::string_view> args(argomenti.begin(), argomenti.end());
  const esito_riga_comando letto = leggi_riga_comando(args);
  if (!letto.valide) {
    err << "scenario: " << letto.errore << "\n"
        << "Try 'scenario --help'.\n";
    return stato_uso;
  }
  const opzioni& o = *letto.valide;
  switch (o.cosa) {
    case comando::aiuto:
      out << testo_aiuto();
      return stato_ok;
    case comando::versione:
      out << testo_versione();
      return stato_ok;
    case comando::lsp:
      return esegui_lsp(o, std::cin, out, err);
    case comando::compila:
    case comando::controlla:
    case comando::ispeziona:
    case comando::disegna:
    case comando::corsa:
      break;
  }
  std::filesystem::path cartella;
  if (o.cartella) {
    cartella = port::percorso_da_testo(*o.cartella);
  } else if (o.cosa != comando::corsa) {
    // An author's commands work where the author stands.
    cartella = ".";
  } else {
    auto trovata = port::cartella_programma(argv0);
    if (!trovata) {
      err << "scenario: cannot find the program's folder; use --folder\n";
      return stato_file;
    }
    cartella = *trovata;
  }
  switch (o.cosa) {
    case comando::compila:
      return esegui_compilazione(o, cartella, p, err);
    case comando::controlla:
      return esegui_controllo(o, cartella, out);
    case comando::ispeziona:
      return esegui_ispezione(o, cartella, out, err);
    case comando::disegna:
      return esegui_disegno(o, cartella, err);
    case comando::corsa:
    case comando::aiuto:
    case comando::versione:
    case comando::lsp:
      break;
  }
  return esegui_corsa(o, cartella, p, err);
}
