// Entry point: reads the command line and runs the job.
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/compila.h"
#include "app/corsa.h"
#include "app/riga_comando.h"
#include "app/terminale.h"
#include "port/sistema.h"

int main(int argc, char** argv) {
  std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const esito_riga_comando letto = leggi_riga_comando(args);
  if (!letto.valide) {
    std::cerr << "scenario: " << letto.errore << "\n"
              << "Try 'scenario --help'.\n";
    return stato_uso;
  }
  const opzioni& o = *letto.valide;
  switch (o.cosa) {
    case comando::aiuto:
      std::cout << testo_aiuto();
      return stato_ok;
    case comando::versione:
      std::cout << testo_versione();
      return stato_ok;
    case comando::compila:
    case comando::corsa:
      break;
  }
  std::filesystem::path cartella;
  if (o.cartella) {
    cartella = port::percorso_da_testo(*o.cartella);
  } else if (o.cosa == comando::compila) {
    cartella = ".";
  } else {
    auto trovata = port::cartella_programma(argc > 0 ? argv[0] : "");
    if (!trovata) {
      std::cerr << "scenario: cannot find the program's folder; use --folder\n";
      return stato_file;
    }
    cartella = *trovata;
  }
  piattaforma_terminale p(std::cerr);
  if (o.cosa == comando::compila) {
    return esegui_compilazione(o, cartella, p, std::cerr);
  }
  return esegui_corsa(o, cartella, p, std::cerr);
}
