// The `plot` command: one SVG page of a scenario's compiled files, written
// to a file.
#ifndef APP_DISEGNO_H_
#define APP_DISEGNO_H_

#include <filesystem>
#include <ostream>

#include "app/riga_comando.h"

// The file the plot goes to: o.uscita, or <cartella>/<linea>_<treno>.svg.
std::filesystem::path file_disegno(const opzioni& o,
                                   const std::filesystem::path& cartella);

// Reads <cartella>'s compiled files of o.linea and o.treno, draws them and
// replaces file_disegno with the page; returns stato_ok, or stato_file with
// the file and the reason on `err`.
int esegui_disegno(const opzioni& o, const std::filesystem::path& cartella,
                   std::ostream& err);

#endif  // APP_DISEGNO_H_
