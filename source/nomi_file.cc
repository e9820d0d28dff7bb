// File names of a scenario.
#include "source/nomi_file.h"

#include <string>

namespace source {

namespace nomi_file {

namespace {

path unisci(const path& cartella, std::string_view a, std::string_view b,
            std::string_view c = {}, std::string_view d = {}) {
  std::string nome;
  nome.append(a).append(b).append(c).append(d);
  return cartella / nome;
}

}  // namespace

std::string nome_sorgente_linea(std::string_view linea) {
  return std::string(linea) + "_linea.txt";
}

std::string nome_sorgente_treno(std::string_view linea,
                                std::string_view treno) {
  std::string nome(linea);
  nome.append("_").append(treno).append("-.txt");
  return nome;
}

path sorgente_linea(const path& cartella, std::string_view linea) {
  return cartella / nome_sorgente_linea(linea);
}

path sorgente_treno(const path& cartella, std::string_view linea,
                    std::string_view treno) {
  return cartella / nome_sorgente_treno(linea, treno);
}

path piano(const path& cartella, std::string_view linea) {
  return unisci(cartella, linea, "_linea.dat");
}

path tabella(const path& cartella, std::string_view linea,
             std::string_view treno) {
  return unisci(cartella, linea, "_", treno, ".sim");
}

path celle(const path& cartella, std::string_view linea,
           std::string_view treno) {
  return unisci(cartella, linea, "_", treno, ".dat");
}

path documento(const path& cartella, std::string_view linea,
               std::string_view treno, std::string_view coda) {
  std::string nome;
  nome.append(linea).append("_").append(treno).append("_").append(coda);
  return cartella / nome;
}

}  // namespace nomi_file

}  // namespace source
