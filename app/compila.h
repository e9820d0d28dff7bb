// The `compile` command: compiles an author's pair of source files into the
// three compiled files in the same folder, keeping the sources.
#ifndef APP_COMPILA_H_
#define APP_COMPILA_H_

#include <filesystem>
#include <ostream>

#include "app/riga_comando.h"
#include "finestra/piattaforma.h"

// Compiles <cartella>/<o.linea>_linea.txt and <o.linea>_<o.treno>-.txt with
// the plan file, reports a fault on `err` (1250 and 1251 in the platform's
// message box) and returns the exit status.
int esegui_compilazione(const opzioni& o, const std::filesystem::path& cartella,
                        finestra::piattaforma& p, std::ostream& err);

#endif  // APP_COMPILA_H_
