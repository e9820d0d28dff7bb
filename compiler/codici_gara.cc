// Competition codes from the identifiers.
#include "compiler/codici_gara.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace compiler {

namespace {

// Only this many characters of the working text count.
constexpr std::size_t caratteri_codice = 25;

// Appended so that short identifiers still give 25 characters.
constexpr std::string_view riempitivo = "ppqqrrssttuuvvzzjjkkwwxxyy";

// Character codes 1..25 of the working text: train identifier, then route
// identifier, lower case, then the filler. Codes are the single bytes of the
// text read as unsigned; only ASCII letters are folded, so the result never
// depends on the host's locale.
std::array<std::int32_t, caratteri_codice> codici_caratteri(const scenario& s) {
  std::string testo = s.tabella_dati[voce_treno].testo;
  testo += s.tabella_dati[voce_linea].testo;
  for (char& c : testo) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  testo += riempitivo;  // at least 26 characters from here on
  std::array<std::int32_t, caratteri_codice> codici{};
  for (std::size_t i = 0; i < caratteri_codice; ++i) {
    codici[i] = static_cast<unsigned char>(testo[i]);
  }
  return codici;
}

}  // namespace

std::int32_t codice_gara_og(const scenario& s) {
  std::int32_t somma = 0;
  for (std::int32_t c : codici_caratteri(s)) somma += c;
  return somma;
}

std::int32_t codice_gara_st(const scenario& s) {
  const auto codici = codici_caratteri(s);
  std::int32_t somma = 0;
  for (std::size_t i = 0; i < codici.size(); ++i) {
    somma += static_cast<std::int32_t>(i + 1) * codici[i];
  }
  return somma;
}

}  // namespace compiler
