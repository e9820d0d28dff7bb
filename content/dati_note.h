// The notes page: a short letter from the scenario's author to the driver
// on how the route and the train were modelled.
#ifndef CONTENT_DATI_NOTE_H_
#define CONTENT_DATI_NOTE_H_

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "port/sistema.h"

// The 40 lines of the notes as UTF-8 text, without the end marker; the
// document writer turns the accented letters into single bytes.
std::vector<std::string> righe_note();

// Replaces <cartella>/<linea>_<treno>_note.txt with the notes.
port::io_status dati_note(const std::filesystem::path& cartella,
                          std::string_view linea, std::string_view treno);

#endif  // CONTENT_DATI_NOTE_H_
