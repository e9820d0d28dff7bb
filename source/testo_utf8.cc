// Readable UTF-8 of Windows-1252 texts.
#include "source/testo_utf8.h"

#include "source/cp1252.h"

namespace source {

namespace {

constexpr char32_t sostituto = 0xFFFD;

}  // namespace

std::optional<carattere_utf8> leggi_utf8(std::string_view s) {
  const auto b0 = static_cast<unsigned char>(s[0]);
  if (b0 < 0x80) return carattere_utf8{b0, 1};
  std::size_t n = 0;
  char32_t c = 0;
  char32_t minimo = 0;
  if ((b0 & 0xE0) == 0xC0) {
    n = 2;
    c = b0 & 0x1Fu;
    minimo = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    n = 3;
    c = b0 & 0x0Fu;
    minimo = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    n = 4;
    c = b0 & 0x07u;
    minimo = 0x10000;
  } else {
    return std::nullopt;
  }
  if (s.size() < n) return std::nullopt;
  for (std::size_t k = 1; k < n; ++k) {
    const auto b = static_cast<unsigned char>(s[k]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (b & 0x3Fu);
  }
  if (c < minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    return std::nullopt;
  }
  return carattere_utf8{c, n};
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

std::string utf8_leggibile(std::string_view byte) {
  // The code page maps 0x80..0x9F to printable characters or U+FFFD, so the
  // only controls left are the ASCII ones, which UTF-8 keeps as single
  // bytes below 0x80.
  const std::string utf8 = da_cp1252(byte);
  std::string out;
  out.reserve(utf8.size());
  for (char c : utf8) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      aggiungi_utf8(out, sostituto);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace source
