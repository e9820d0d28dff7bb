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
#include <vector>

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

// The steps after a clean reading: every text within its 16-bit length,
// the finishing pass, the stamps. Each fault found goes to `trovati`,
// pointing at the row behind it (`righe`, in the sources `in`). With
// `tutti`, as a check wants, every fault of each step, and the stamps even
// after the finishing pass found faults; otherwise the first step that
// fails ends it, with that step's fault (the finishing pass keeps its
// last) in the model. True when nothing was found.
// REQUIRES: the reading stored no fault; the grid has a cell 1.
bool dopo_la_lettura(scenario& s, const righe_lette& righe, const sorgenti& in,
                     bool tutti, std::vector<diagnosi>& trovati);

// The bytes of the plan (when s.scrivi_linea != 0), the table and the cells,
// into `f` (its content replaced, its capacity reused).
// REQUIRES: every testo at most lunghezza_massima_testo bytes.
void codifica_file(const scenario& s, file_codificati& f);
file_codificati codifica_file(const scenario& s);

}  // namespace compiler

#endif  // COMPILER_PERCORSO_H_
