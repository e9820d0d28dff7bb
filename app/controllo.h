// The `check` command: the compile's rules run over an author's pair of
// sources, reporting every fault and every warning at once; nothing is
// written or deleted.
#ifndef APP_CONTROLLO_H_
#define APP_CONTROLLO_H_

#include <filesystem>
#include <ostream>
#include <string>

#include "app/riga_comando.h"

// "2 errori, 1 avviso": the closing count of a check.
std::string conteggio(std::size_t errori, std::size_t avvisi);

// Checks <cartella>/<o.linea>_linea.txt and <o.linea>_<o.treno>-.txt and
// writes every fault and warning to `out`, then the count. Returns 0 with
// no fault (and, with o.severo, no warning), 1 otherwise, 3 when a source
// could not be read.
int esegui_controllo(const opzioni& o, const std::filesystem::path& cartella,
                     std::ostream& out);

#endif  // APP_CONTROLLO_H_
