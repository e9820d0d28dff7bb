// The source reader "memorizza_dati": reads a scenario's line source file and
// then its train source file into the compiled model, handing mountains,
// boards, signals and restrictions to placement.
#ifndef COMPILER_LETTORE_H_
#define COMPILER_LETTORE_H_

#include <filesystem>

#include "compiler/scenario.h"

// Reads <cartella>/<nome_linea>_linea.txt, then
// <cartella>/<nome_linea>_<nome_treno>-.txt, into `s`: sizes the grid and
// (with s.scrivi_linea non-zero) the plan, fills slots 81 to 86, stations
// and board texts, and the cells.
// REQUIRES: the table cleared and s.codice_errore 0 (the driver does both).
// A fault stores s.codice_errore (with s.posizione_errore for the numbers
// that have one) and, when it was found in a row, s.file_errore and the row's
// s.riga_errore; a file that cannot be read also sets s.motivo_errore. Every
// fault but 15 stops the reading at once; 15 ends the file being read and the
// reading goes on. Each source is deleted once read, and on a fault as the
// fault's number says; conserva_sorgenti keeps every source on disk.
void memorizza_dati(scenario& s, const std::filesystem::path& cartella,
                    bool conserva_sorgenti);

#endif  // COMPILER_LETTORE_H_
