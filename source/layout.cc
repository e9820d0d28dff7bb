// Line layouts of the source formats.
#include "source/layout.h"

#include <algorithm>
#include <cassert>

namespace source {

riga_sorgente& riga_sorgente::spazi(std::size_t n, std::int64_t valore) {
  return spazi(n, std::string_view(std::to_string(valore)));
}

riga_sorgente& riga_sorgente::spazi(std::size_t n, std::string_view valore) {
  testo_ += ',';
  testo_.append(n, ' ');
  testo_ += valore;
  return *this;
}

riga_sorgente& riga_sorgente::spazi(std::size_t n,
                                    std::span<const std::int64_t> valori) {
  for (const std::int64_t v : valori) spazi(n, v);
  return *this;
}

riga_sorgente& riga_sorgente::vuoto(std::size_t n) {
  return spazi(n, std::string_view());
}

riga_sorgente& riga_sorgente::colonna(std::size_t larghezza,
                                      std::int64_t valore) {
  const std::string cifre = std::to_string(valore);
  return spazi(larghezza > cifre.size() ? larghezza - cifre.size() : 0,
               std::string_view(cifre));
}

riga_sorgente& riga_sorgente::colonne(std::span<const std::size_t> larghezze,
                                      std::span<const std::int64_t> valori) {
  assert(larghezze.size() == valori.size());
  for (std::size_t i = 0; i < valori.size(); ++i) {
    colonna(larghezze[i], valori[i]);
  }
  return *this;
}

std::string testo_cartello(std::span<const std::string_view> righe) {
  std::size_t larga = 0;
  for (const std::string_view r : righe) larga = std::max(larga, r.size());
  std::string t;
  for (const std::string_view r : righe) {
    t += '(';
    t += r;
    t.append(larga - r.size(), ' ');
    t += ')';
  }
  return t;
}

}  // namespace source
