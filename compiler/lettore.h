// The source reader "memorizza_dati": reads a scenario's line source and then
// its train source into the compiled model, handing mountains, boards,
// signals and restrictions to placement. It works on the bytes the caller
// read; it opens, stats and deletes nothing, and says instead which sources
// the compile deletes.
#ifndef COMPILER_LETTORE_H_
#define COMPILER_LETTORE_H_

#include <optional>
#include <string_view>

#include "compiler/diagnosi.h"
#include "compiler/righe_lette.h"
#include "compiler/scenario.h"

namespace compiler {

// A source file as the caller found it.
struct sorgente {
  enum class stato {
    letta,        // byte holds the whole file
    assente,      // there is no such file
    illeggibile,  // it exists but could not be read; motivo says why
  };
  stato s = stato::assente;
  std::string_view byte;
  std::string_view motivo;  // the system's reason, when illeggibile
};

// The two sources of a compile: <nome_linea>_linea.txt and
// <nome_linea>_<nome_treno>-.txt.
struct sorgenti {
  sorgente linea;
  sorgente treno;
};

// Which sources a compile deletes once it has read them. The caller deletes
// them (or keeps them, when asked to).
struct sorgenti_da_eliminare {
  bool linea = false;
  bool treno = false;

  bool operator==(const sorgenti_da_eliminare&) const = default;
};

// What the reading leaves besides the model.
struct esito_lettura {
  // The sources the compile deletes: each one once it has been read, and on
  // a fault as the fault table says (101: none; 25: both; any other: the
  // one being read).
  sorgenti_da_eliminare elimina;
  // The fault stored in s.codice_errore, where the reader met it.
  std::optional<diagnosi> guasto;
  // The rows behind the model, for the faults found after the reading.
  righe_lette righe;
};

// Reads the line source, then the train source, into `s`: sizes the grid
// and (with s.scrivi_linea non-zero) the plan, fills slots 81 to 86,
// stations and board texts, and the cells.
// REQUIRES: the table cleared and s.codice_errore 0 (the driver does both);
// in.*.byte outlives the call.
// A fault stores s.codice_errore (with s.posizione_errore for the numbers
// that have one). Every fault stops the reading at once but those that end
// only the file being read (15), after which the reading goes on.
esito_lettura memorizza_dati(scenario& s, const sorgenti& in);

}  // namespace compiler

#endif  // COMPILER_LETTORE_H_
