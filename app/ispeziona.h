// The `inspect` command: reads the three compiled files of a scenario and
// prints what they hold, as a summary for a person or, with --json, as JSON
// with every cell and slot; an option for a part prints that part alone.
#ifndef APP_ISPEZIONA_H_
#define APP_ISPEZIONA_H_

#include <filesystem>
#include <ostream>
#include <vector>

#include "app/riga_comando.h"
#include "viste/opzioni.h"

// The parts the options ask for alone (--segnali, --profilo, ...); empty
// when none is given.
std::vector<viste::parte> parti_ispezione(const opzioni& o);

// Prints the summary (or the JSON) of <cartella>'s compiled files of
// o.linea and o.treno to `out` and returns stato_ok; a file that is
// missing, unreadable or damaged is reported on `err` with stato_file.
int esegui_ispezione(const opzioni& o, const std::filesystem::path& cartella,
                     std::ostream& out, std::ostream& err);

#endif  // APP_ISPEZIONA_H_
