// Source file names to routes and trains.
#include "lsp/nomi_sorgenti.h"

#include <algorithm>

namespace lsp {

namespace {

constexpr std::string_view coda_linea = "_linea.txt";
constexpr std::string_view coda_treno = "-.txt";

bool identificatore(std::string_view id) {
  if (id.empty()) return false;
  return std::all_of(id.begin(), id.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           (c >= '0' && c <= '9') || c == '_' || c == '-';
  });
}

}  // namespace

std::optional<nome_sorgente> classifica(
    std::string_view nome,
    const std::function<bool(std::string_view)>& linea_esiste) {
  if (nome.ends_with(coda_linea)) {
    const std::string_view id = nome.substr(0, nome.size() - coda_linea.size());
    if (identificatore(id)) {
      return nome_sorgente{tipo_sorgente::linea, std::string(id), {}};
    }
  }
  if (!nome.ends_with(coda_treno)) return std::nullopt;
  const std::string_view radice =
      nome.substr(0, nome.size() - coda_treno.size());
  std::optional<nome_sorgente> primo;
  for (std::size_t k = radice.find('_'); k != std::string_view::npos;
       k = radice.find('_', k + 1)) {
    const std::string_view linea = radice.substr(0, k);
    const std::string_view treno = radice.substr(k + 1);
    if (!identificatore(linea) || !identificatore(treno)) continue;
    nome_sorgente n{tipo_sorgente::treno, std::string(linea),
                    std::string(treno)};
    if (linea_esiste(linea)) return n;
    if (!primo) primo = std::move(n);
  }
  return primo;
}

std::vector<std::string> treni_di(std::string_view linea,
                                  const std::vector<std::string>& nomi) {
  std::vector<std::string> treni;
  for (const std::string& n : nomi) {
    const std::string_view v = n;
    if (!v.ends_with(coda_treno) || v.size() <= linea.size() + 1 ||
        !v.starts_with(linea) || v[linea.size()] != '_') {
      continue;
    }
    const std::string_view treno = v.substr(
        linea.size() + 1, v.size() - linea.size() - 1 - coda_treno.size());
    if (identificatore(treno)) treni.emplace_back(treno);
  }
  std::sort(treni.begin(), treni.end());
  treni.erase(std::unique(treni.begin(), treni.end()), treni.end());
  return treni;
}

}  // namespace lsp
