// Nearest keywords for fields that match no record.
#include "compiler/parole_vicine.h"

#include <algorithm>
#include <vector>

#include "source/descrizioni.h"

namespace compiler {

namespace {

// Edits beyond which a keyword is not suggested.
constexpr std::size_t distanza_massima = 2;

char minuscola(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

source::parte_record parte_di(parte_sorgente p) {
  switch (p) {
    case parte_sorgente::generale:
      return source::parte_record::generale;
    case parte_sorgente::caratteristiche:
      return source::parte_record::caratteristiche;
    case parte_sorgente::treno:
      break;
  }
  return source::parte_record::treno;
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
  // The writers' keywords of the part, as the descriptions give them.
  for (const source::descrizione_record& r : source::descrizioni()) {
    if (r.parte != parte_di(parte)) continue;
    for (std::string_view p : r.parole) {
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
  }
  return migliore;
}

}  // namespace compiler
