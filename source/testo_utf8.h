// Texts of the compiled files (single-byte Windows-1252: station names,
// board texts, identifiers) for a person to read, on a terminal or in a
// drawing, and the UTF-8 form of one character.
#ifndef SOURCE_TESTO_UTF8_H_
#define SOURCE_TESTO_UTF8_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace source {

// One character of UTF-8 text: its code point and its length in bytes.
struct carattere_utf8 {
  char32_t codice = 0;
  std::size_t lunghezza = 0;
};

// The character at the front of `s`; nullopt when the bytes there are not
// one well-formed character: a stray or missing continuation byte, a
// sequence cut short by the end of `s`, an overlong form, a surrogate or a
// code point past U+10FFFF. Every reader of UTF-8 in the program decodes
// through this. REQUIRES: s is not empty.
std::optional<carattere_utf8> leggi_utf8(std::string_view s);

// Appends the UTF-8 form of c. REQUIRES: c <= 0x10FFFF, not a surrogate.
void aggiungi_utf8(std::string& out, char32_t c);

// The text as UTF-8 through the code page's table (da_cp1252, which gives
// U+FFFD for the five bytes it leaves undefined), with every control
// character (C0 and DEL) replaced by U+FFFD too, so that a compiled file can
// neither steer a terminal nor put a character into a drawing that XML
// forbids.
std::string utf8_leggibile(std::string_view byte);

}  // namespace source

#endif  // SOURCE_TESTO_UTF8_H_
