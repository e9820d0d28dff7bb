// The compile driver "memorizza_percorso": reads the two sources into the
// scenario, runs the finishing pass, stamps the model with its fixed marks
// and competition codes, and encodes the compiled files. It works on bytes
// only: the caller reads the sources, deletes the ones the outcome names
// and writes the files.
#ifndef COMPILER_PERCORSO_H_
#define COMPILER_PERCORSO_H_

#include <cstdint>
#include <optional>
#include <string>

#include "compiler/diagnosi.h"
#include "compiler/formato.h"
#include "compiler/lettore.h"
#include "compiler/scenario.h"

namespace compiler {

enum class esito_compilazione {
  compilato,  // the files are encoded
  guasto,     // "codice_errore" != 0: see the diagnosis
};

// The bytes of the three compiled files.
struct file_codificati {
  std::string piano;    // <linea>_linea.dat; empty when j == 0
  std::string tabella;  // <linea>_<treno>.sim
  std::string celle;    // <linea>_<treno>.dat
};

struct [[nodiscard]] risultato_compilazione {
  esito_compilazione esito = esito_compilazione::compilato;
  // The sources the compile deletes, whatever the outcome.
  sorgenti_da_eliminare elimina;
  // Only when compilato; empty otherwise.
  file_codificati file;
  // Only when guasto: the fault, where it was met.
  std::optional<diagnosi> guasto;
};

// Compiles the sources of s.nome_linea / s.nome_treno. j != 0 also builds
// and encodes the plan; with j == 0 the plan file is not part of the output
// (an existing one stays as it is). The encoded files reuse the capacity of
// `spazio`, whose content is dropped; a caller that compiles again and again
// passes back the files of its last compile.
risultato_compilazione memorizza_percorso(scenario& s, const sorgenti& in,
                                          std::int32_t j,
                                          file_codificati spazio = {});

// The stamps and codes of a model that was read and finished cleanly; a
// stamp's place already taken stores fault 1250 or 1251 (false).
// REQUIRES: s.celle has a cell 1.
bool timbra(scenario& s);

// The bytes of the plan (when s.scrivi_linea != 0), the table and the cells,
// into `f` (its content replaced, its capacity reused).
// REQUIRES: every testo at most lunghezza_massima_testo bytes.
void codifica_file(const scenario& s, file_codificati& f);
file_codificati codifica_file(const scenario& s);

}  // namespace compiler

#endif  // COMPILER_PERCORSO_H_
