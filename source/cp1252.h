// The Windows-1252 code page of the scenario's text files and of the texts
// in the compiled table: UTF-8 text to single bytes, and single bytes back
// to UTF-8 for reports, JSON and SVG.
#ifndef SOURCE_CP1252_H_
#define SOURCE_CP1252_H_

#include <string>
#include <string_view>

namespace source {

// Encodes UTF-8 text as Windows-1252 into `out`. Returns false (and leaves
// `out` unspecified) when a character has no single-byte form or the UTF-8
// is malformed; `scartato` then describes the fault, in Italian ("il
// carattere U+0101 non sta nella tabella Windows-1252").
bool in_cp1252(std::string_view utf8, std::string& out, std::string& scartato);

// The UTF-8 text of Windows-1252 bytes. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD.
std::string da_cp1252(std::string_view byte);

// The same for a terminal or an editor: every control byte (C0 and DEL)
// written as "\xHH", so that a source can neither steer a terminal nor
// break a line; with `tab` a tab stays itself, for a line shown whole.
std::string da_cp1252_visibile(std::string_view byte, bool tab = false);

// How many characters da_cp1252_visibile makes of one byte: 4 for an
// escaped control byte, 1 for any other.
int larghezza_visibile(char byte, bool tab = false);

}  // namespace source

#endif  // SOURCE_CP1252_H_
