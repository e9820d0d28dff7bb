// Nearest keywords for fields that match no record.
#include "compiler/parole_vicine.h"

#include <algorithm>
#include <span>
#include <vector>

namespace compiler {

namespace {

// The keywords as the writers set them, part by part.
constexpr std::string_view generali[] = {
    "lunghezza percorso",
    "progressiva chilometrica uno",
    "progressiva chilometrica due",
    "progressiva chilometrica tre",
    "sfondo uno",
    "sfondo due",
    "sfondo tre",
    "ripetizione segnali 4 codici",
    "ripetizione segnali 9 codici",
};

constexpr std::string_view caratteristiche[] = {
    "pendenza", "curvad1",  "curvad2",         "curvad3",
    "curvad4",  "curvad5",  "curvad6",         "curvas1",
    "curvas2",  "curvas3",  "curvas4",         "curvas5",
    "curvas6",  "montagna", "indicatori_vmax", "cartello_indicatore",
};

constexpr std::string_view treno[] = {
    "percentuale massa frenata",
    "numero vetture",
    "velocita",
    "aderenza",
    "orologio",
    "sabbia",
    "segnale",
    "rallentamento",
    "abbattimento",
    "stazione",
};

// Edits beyond which a keyword is not suggested.
constexpr std::size_t distanza_massima = 2;

char minuscola(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::span<const std::string_view> parole_di(parte_sorgente p) {
  switch (p) {
    case parte_sorgente::generale:
      return generali;
    case parte_sorgente::caratteristiche:
      return caratteristiche;
    case parte_sorgente::treno:
      break;
  }
  return treno;
}

}  // namespace

std::size_t distanza(std::string_view a, std::string_view b) {
  std::vector<std::size_t> riga(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) riga[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonale = riga[0];
    riga[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t sopra = riga[j];
      const std::size_t cambio =
          diagonale + (minuscola(a[i - 1]) == minuscola(b[j - 1]) ? 0 : 1);
      riga[j] = std::min({sopra + 1, riga[j - 1] + 1, cambio});
      diagonale = sopra;
    }
  }
  return riga[b.size()];
}

std::optional<std::string_view> parola_vicina(std::string_view campo,
                                              parte_sorgente parte) {
  std::optional<std::string_view> migliore;
  std::size_t minima = distanza_massima + 1;
  for (std::string_view p : parole_di(parte)) {
    // Lengths alone rule out most keywords.
    const std::size_t differenza = p.size() > campo.size()
                                       ? p.size() - campo.size()
                                       : campo.size() - p.size();
    if (differenza >= minima) continue;
    const std::size_t d = distanza(campo, p);
    if (d < minima) {
      minima = d;
      migliore = p;
    }
  }
  return migliore;
}

}  // namespace compiler
