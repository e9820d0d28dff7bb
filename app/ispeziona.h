// The `inspect` command: reads the three compiled files of a scenario with
// the decoders and prints what they hold, as a summary for a person or, with
// --json, as JSON with every cell and slot.
#ifndef APP_ISPEZIONA_H_
#define APP_ISPEZIONA_H_

#include <filesystem>
#include <ostream>
#include <string>

#include "app/lettura_compilati.h"
#include "app/riepilogo.h"
#include "app/riga_comando.h"

// The summary: files and sizes, route, stations, board texts, the settings
// slots 81 to 86 with the stamps and both codes, the count of every cell
// kind, the mountain sections and the plan's ends and extent. Texts are
// shown as UTF-8 with control characters replaced.
std::string testo_ispezione(const opzioni& o,
                            const std::filesystem::path& cartella,
                            const file_compilati_letti& f, const riepilogo& r);

// Prints the summary (or the JSON) of <cartella>'s compiled files of
// o.linea and o.treno to `out` and returns stato_ok; a file that is
// missing, unreadable or damaged is reported on `err` with stato_file.
int esegui_ispezione(const opzioni& o, const std::filesystem::path& cartella,
                     std::ostream& out, std::ostream& err);

#endif  // APP_ISPEZIONA_H_
