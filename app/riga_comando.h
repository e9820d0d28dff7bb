// The command line: the command named by the first argument (the whole run
// when none is), the options every command shares, and the command's own
// options as its row in the command table declares them; plus --help and
// --version.
#ifndef APP_RIGA_COMANDO_H_
#define APP_RIGA_COMANDO_H_

#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/comandi.h"

struct opzioni {
  const voce_comando* comando = nullptr;  // set by leggi_riga_comando
  bool aiuto = false;                     // --help (alone, or after a command)
  bool versione = false;                  // --version
  std::optional<std::string> cartella;    // --folder; default: the row's
  std::string linea = "Vendralo";         // --route
  std::string treno = "Kv4417";           // --train
  // The command's own options given, by name; a flag has an empty value.
  std::map<std::string, std::string, std::less<>> proprie;

  bool ha(std::string_view nome) const { return proprie.contains(nome); }
  std::optional<std::string> valore(std::string_view nome) const {
    const auto i = proprie.find(nome);
    if (i == proprie.end()) return std::nullopt;
    return i->second;
  }
};

struct esito_riga_comando {
  std::optional<opzioni> valide;
  std::string errore;  // usage fault, when valide is empty
};

esito_riga_comando leggi_riga_comando(std::span<const std::string_view> args);

// Letters, digits, '_' and '-' only, not empty.
bool identificatore_valido(std::string_view id);

// The help, built from the command table, and the version line.
std::string testo_aiuto();
std::string testo_versione();

#endif  // APP_RIGA_COMANDO_H_
