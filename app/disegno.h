// The `plot` command: one SVG page of a scenario's compiled files, written
// to a file.
#ifndef APP_DISEGNO_H_
#define APP_DISEGNO_H_

#include <filesystem>
#include <ostream>

#include "app/riga_comando.h"

// The file the plot goes to: --output FILE, or <cartella>/<linea>_<treno>.svg.
std::filesystem::path file_disegno(const opzioni& o,
                                   const std::filesystem::path& cartella);

// Reads <cartella>'s compiled files of o.linea and o.treno, draws them and
// replaces file_disegno with the page (a device or a FIFO there is written
// through), or writes it to `out` with --output -. Returns stato_ok;
// stato_uso, with why on `err`, when the page would take the place of one
// of the files it is drawn from; or stato_file with the file and the reason.
int esegui_disegno(const opzioni& o, const std::filesystem::path& cartella,
                   std::ostream& out, std::ostream& err);

#endif  // APP_DISEGNO_H_
