// The command line: the whole run (default), the compile or the check of an
// author's sources, the inspection and the plot of compiled files, the
// language server for the authors' editors, plus --help and --version.
#ifndef APP_RIGA_COMANDO_H_
#define APP_RIGA_COMANDO_H_

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/stato_uscita.h"

enum class comando {
  corsa,
  compila,
  controlla,
  ispeziona,
  disegna,
  lsp,
  aiuto,
  versione
};

struct opzioni {
  comando cosa = comando::corsa;
  std::optional<std::string> cartella;  // --folder; default: the program's
  // --route and --train (compile, check, inspect, plot)
  std::string linea = "Vendralo";
  std::string treno = "Kv4417";
  bool conserva_sorgenti = false;      // --keep-sources (whole run only)
  bool severo = false;                 // --strict (check only)
  bool json = false;                   // --json (inspect only)
  bool punti = false;                  // --points (inspect --json only)
  std::optional<std::string> uscita;   // --output (plot only)
  std::optional<std::string> notepad;  // --notepad++ DIR (lsp only)
  std::optional<std::string> vscode;   // --vscode DIR (lsp only)
};

struct esito_riga_comando {
  std::optional<opzioni> valide;
  std::string errore;  // usage fault, when valide is empty
};

esito_riga_comando leggi_riga_comando(std::span<const std::string_view> args);

// Letters, digits, '_' and '-' only, not empty.
bool identificatore_valido(std::string_view id);

std::string testo_aiuto();
std::string testo_versione();

#endif  // APP_RIGA_COMANDO_H_
