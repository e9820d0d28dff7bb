// The train source file of the scenario: the train's values, adhesion, speed
// limits along the route, the stations of its run and the lineside signals,
// written for the compiler to read.
#ifndef CONTENT_DATI_TRENO_H_
#define CONTENT_DATI_TRENO_H_

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "port/sistema.h"

// The 273 lines of the train source file, without the end marker. Only the
// file name depends on the identifiers, never the content.
std::vector<std::string> righe_treno();

// Replaces <cartella>/<linea>_<treno>-.txt with the train source file.
port::io_status dati_treno(const std::filesystem::path& cartella,
                           std::string_view linea, std::string_view treno);

#endif  // CONTENT_DATI_TRENO_H_
