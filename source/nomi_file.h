// Names of the files of a scenario, built from its route and train
// identifiers with the platform's own path separator.
#ifndef SOURCE_NOMI_FILE_H_
#define SOURCE_NOMI_FILE_H_

#include <filesystem>
#include <string>
#include <string_view>

namespace source {

namespace nomi_file {

using std::filesystem::path;

// Names without a folder, for reports: <linea>_linea.txt and
// <linea>_<treno>-.txt.
std::string nome_sorgente_linea(std::string_view linea);
std::string nome_sorgente_treno(std::string_view linea, std::string_view treno);

// Sources: <linea>_linea.txt and <linea>_<treno>-.txt
path sorgente_linea(const path& cartella, std::string_view linea);
path sorgente_treno(const path& cartella, std::string_view linea,
                    std::string_view treno);

// Compiled files: <linea>_linea.dat, <linea>_<treno>.sim, <linea>_<treno>.dat
path piano(const path& cartella, std::string_view linea);
path tabella(const path& cartella, std::string_view linea,
             std::string_view treno);
path celle(const path& cartella, std::string_view linea,
           std::string_view treno);

// Driver documents: <linea>_<treno>_<coda>, coda being "scheda_treno.txt",
// "rallentamenti.txt" or "note.txt".
path documento(const path& cartella, std::string_view linea,
               std::string_view treno, std::string_view coda);

}  // namespace nomi_file

}  // namespace source

#endif  // SOURCE_NOMI_FILE_H_
