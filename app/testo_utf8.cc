// Windows-1252 to UTF-8.
#include "app/testo_utf8.h"

#include <array>

namespace {

// Bytes 0x80 to 0x9F; the rest of the code page is Latin-1, byte value and
// code point alike.
constexpr std::array<char32_t, 32> da_80_a_9f = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char32_t sostituto = 0xFFFD;

bool controllo(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace

char32_t punto_cp1252(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return da_80_a_9f[b - 0x80u];
  return b;
}

void aggiungi_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::string utf8_da_cp1252(std::string_view byte) {
  std::string out;
  out.reserve(byte.size());
  for (char b : byte) {
    aggiungi_utf8(out, punto_cp1252(static_cast<unsigned char>(b)));
  }
  return out;
}

std::string utf8_leggibile(std::string_view byte) {
  std::string out;
  out.reserve(byte.size());
  for (char b : byte) {
    const char32_t c = punto_cp1252(static_cast<unsigned char>(b));
    aggiungi_utf8(out, controllo(c) ? sostituto : c);
  }
  return out;
}
