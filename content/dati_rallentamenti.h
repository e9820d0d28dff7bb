// The speed-restriction order form handed to the driver: a one-page form
// whose table is left empty, since the train runs without restrictions.
#ifndef CONTENT_DATI_RALLENTAMENTI_H_
#define CONTENT_DATI_RALLENTAMENTI_H_

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "port/sistema.h"

// The 46 lines of the form, without the end marker. Line 5 names the
// route by its departure and arrival stations.
std::vector<std::string> righe_rallentamenti();

// Replaces <cartella>/<linea>_<treno>_rallentamenti.txt with the form.
port::io_status dati_rallentamenti(const std::filesystem::path& cartella,
                                   std::string_view linea,
                                   std::string_view treno);

#endif  // CONTENT_DATI_RALLENTAMENTI_H_
