// Which sources a file name stands for: <ID>_linea.txt is the line source of
// route ID, <ID>_<TRAIN>-.txt a train source of it. Identifiers hold
// letters, digits, '_' and '-', so a train source's name may split in more
// than one way; the route whose line source exists wins.
#ifndef LSP_NOMI_SORGENTI_H_
#define LSP_NOMI_SORGENTI_H_

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lsp/struttura.h"

namespace lsp {

struct nome_sorgente {
  tipo_sorgente tipo = tipo_sorgente::linea;
  std::string linea;
  std::string treno;  // empty for a line source
};

// The source that file name `nome` (no folder) stands for; nullopt for any
// other file. `linea_esiste` tells whether a route's line source is there.
std::optional<nome_sorgente> classifica(
    std::string_view nome,
    const std::function<bool(std::string_view)>& linea_esiste);

// The trains of route `linea` among the file names `nomi`, sorted, once
// each.
std::vector<std::string> treni_di(std::string_view linea,
                                  const std::vector<std::string>& nomi);

}  // namespace lsp

#endif  // LSP_NOMI_SORGENTI_H_
