// The table of the program's commands: for each, the word that names it on
// the command line, its options, its help text, the folder it works in by
// default and the function that runs it. Parsing, help and dispatch all read
// this table, so a new command is one row here and one file of its own.
#ifndef APP_COMANDI_H_
#define APP_COMANDI_H_

#include <filesystem>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "finestra/piattaforma.h"

struct opzioni;

// What a command runs with: the options read, the folder resolved, the
// window layer and the two streams.
struct contesto_comando {
  const opzioni& o;
  std::filesystem::path cartella;
  finestra::piattaforma& p;
  std::ostream& out;
  std::ostream& err;
};

// A command's own option: a flag (no argomento) or an option with a value.
struct opzione_comando {
  std::string_view nome;       // "--json"
  std::string_view argomento;  // "FILE"; empty for a flag
};

enum class cartella_predefinita {
  programma,  // the folder that holds the program (the whole run)
  corrente,   // where the author stands
};

struct voce_comando {
  std::string_view parola;  // the first argument; empty for the whole run
  std::span<const opzione_comando> proprie;
  bool nomina_scenario;  // takes --route ID and --train ID
  cartella_predefinita cartella;
  std::string_view aiuto;  // lines of the help, each indented by six blanks
  int (*esegui)(const contesto_comando&);
  // What is wrong with options given together; empty when nothing is.
  std::string (*coerenza)(const ::opzioni&) = nullptr;
};

// Every command, the whole run first.
std::span<const voce_comando> comandi();

#endif  // APP_COMANDI_H_
