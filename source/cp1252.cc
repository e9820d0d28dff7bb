// The Windows-1252 code page: UTF-8 text to single bytes and back.
#include "source/cp1252.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "source/testo_utf8.h"

namespace source {

namespace {

// Unicode code points of the bytes 0x80..0x9F; 0 marks the five bytes the
// code page leaves undefined.
constexpr std::array<char32_t, 32> alti_cp1252 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string nome_carattere(char32_t cp) {
  char testo[16];
  std::snprintf(testo, sizeof testo, "U+%04X", static_cast<unsigned>(cp));
  return testo;
}

}  // namespace

bool in_cp1252(std::string_view utf8, std::string& out, std::string& scartato) {
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::size_t inizio = i;
    const std::optional<carattere_utf8> c = leggi_utf8(utf8.substr(i));
    if (!c) {
      scartato = "UTF-8 non valido al byte " + std::to_string(inizio);
      return false;
    }
    const char32_t cp = c->codice;
    i += c->lunghezza;
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      out.push_back(static_cast<char>(static_cast<unsigned char>(cp)));
      continue;
    }
    bool trovato = false;
    for (std::size_t k = 0; k < alti_cp1252.size(); ++k) {
      if (alti_cp1252[k] != 0 && alti_cp1252[k] == cp) {
        out.push_back(static_cast<char>(0x80 + k));
        trovato = true;
        break;
      }
    }
    if (!trovato) {
      scartato = "il carattere " + nome_carattere(cp) +
                 " non sta nella tabella Windows-1252";
      return false;
    }
  }
  return true;
}

std::string da_cp1252(std::string_view byte) {
  std::string out;
  out.reserve(byte.size());
  for (const char c : byte) {
    const auto b = static_cast<unsigned char>(c);
    char32_t cp = b;
    if (b >= 0x80 && b <= 0x9F) {
      cp = alti_cp1252[b - 0x80];
      if (cp == 0) cp = 0xFFFD;
    }
    aggiungi_utf8(out, cp);
  }
  return out;
}

namespace {

bool di_controllo(char c, bool tab) {
  const auto u = static_cast<unsigned char>(c);
  return (u < 0x20 || u == 0x7f) && !(tab && c == '\t');
}

}  // namespace

int larghezza_visibile(char byte, bool tab) {
  return di_controllo(byte, tab) ? 4 : 1;
}

std::string da_cp1252_visibile(std::string_view byte, bool tab) {
  std::string out;
  std::size_t da = 0;
  for (std::size_t i = 0; i < byte.size(); ++i) {
    if (!di_controllo(byte[i], tab)) continue;
    out += da_cp1252(byte.substr(da, i - da));
    constexpr char cifre[] = "0123456789ABCDEF";
    const auto u = static_cast<unsigned char>(byte[i]);
    out += "\\x";
    out += cifre[u >> 4];
    out += cifre[u & 0xf];
    da = i + 1;
  }
  out += da_cp1252(byte.substr(da));
  return out;
}

}  // namespace source
