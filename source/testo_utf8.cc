// Readable UTF-8 of Windows-1252 texts.
#include "source/testo_utf8.h"

#include "source/cp1252.h"

namespace source {

namespace {

constexpr char32_t sostituto = 0xFFFD;

}  // namespace

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
