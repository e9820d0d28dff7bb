// Texts of the compiled files (single-byte Windows-1252: station names,
// board texts, identifiers) as UTF-8, for JSON, for a drawing and for a
// terminal.
#ifndef APP_TESTO_UTF8_H_
#define APP_TESTO_UTF8_H_

#include <string>
#include <string_view>

// The code point of a Windows-1252 byte. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same
// number, as the WHATWG encoding standard and Windows' own conversion do, so
// that every byte has a code point of its own and no byte is lost.
char32_t punto_cp1252(unsigned char b);

// Appends the UTF-8 form of c. REQUIRES: c <= 0x10FFFF, not a surrogate.
void aggiungi_utf8(std::string& out, char32_t c);

// The text byte for byte as UTF-8; distinct texts stay distinct.
std::string utf8_da_cp1252(std::string_view byte);

// The text for a person to read: as utf8_da_cp1252, but every control
// character (C0, DEL and C1, the five undefined bytes among them) becomes
// U+FFFD, so that a compiled file can neither steer a terminal nor put a
// character into a drawing that XML forbids.
std::string utf8_leggibile(std::string_view byte);

#endif  // APP_TESTO_UTF8_H_
