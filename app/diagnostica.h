// Faults and warnings in the form compilers and editors understand:
//   FILE:LINE:COLUMN: errore N: MEANING      (or "avviso: MEANING")
// then the source line as it stands and a line with a caret under the first
// byte of the field and "~" under the rest of it.
#ifndef APP_DIAGNOSTICA_H_
#define APP_DIAGNOSTICA_H_

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "compiler/diagnosi.h"
#include "compiler/scenario.h"

// What a fault means where it was found: for faults of a value or a keyword
// (25, 5, 103) what the field held; for the others the number's meaning,
// then what was in the way, then the position in metres when it has one.
std::string significato_diagnosi(std::int32_t numero, std::int32_t posizione,
                                 std::string_view dettaglio);

// The first line, without its line end. The file is named inside
// `cartella`; a diagnosis without a file has no file part, one without a
// field no line and column.
std::string intestazione_diagnosi(const compiler::diagnosi& d,
                                  const std::filesystem::path& cartella);

// The source line (Windows-1252 shown as UTF-8, control bytes escaped,
// tabs kept) and the caret line under the field, each ended by '\n'; empty
// when there is no field. Columns count bytes of the line, from 1.
std::string riquadro(const compiler::campo_sorgente& c);

// A related row: "FILE:LINE:COLUMN: nota: TEXT" and its box.
std::string testo_nota(const compiler::nota_diagnosi& n,
                       const std::filesystem::path& cartella);

// The whole text of a diagnosis: its first line and its box, then its
// notes.
std::string testo_diagnosi(const compiler::diagnosi& d,
                           const std::filesystem::path& cartella);

#endif  // APP_DIAGNOSTICA_H_
