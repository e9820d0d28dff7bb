// The report of a compile: nothing when the files were written, otherwise the
// fault number with its position, what it means and where it was found, or
// the file that could not be written; and the exit status that goes with it.
#ifndef APP_RAPPORTO_H_
#define APP_RAPPORTO_H_

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

#include "app/compilazione.h"
#include "compiler/diagnosi.h"
#include "finestra/piattaforma.h"

// The lines of a fault report, each ended by '\n':
//   " Errore n. N"
//   "Posizione: P m"            (only for the numbers that carry one)
//   the meaning of N
//   "File: F, riga R"           (when known; F is inside `cartella`), or
//   "File: F: reason"           (when the file could not be read)
//   "F:LINE:COLUMN: errore N: what the field held", the source line and a
//   caret line under the field (when the fault points at a field)
// REQUIRES: !g.avviso().
std::string testo_guasto(const compiler::diagnosi& g,
                         const std::filesystem::path& cartella);

// Reports the outcome of compila_cartella and returns the exit status:
// stato_ok, stato_guasto_compilazione for a fault in the sources (those
// the fault table shows at once go through errore), stato_file for a
// source that could not be read or a compiled file that could not be
// written.
int riporta_compilazione(const risultato_cartella& r,
                         const std::filesystem::path& cartella,
                         finestra::piattaforma& p, std::ostream& err);

#endif  // APP_RAPPORTO_H_
