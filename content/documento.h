// The document writer shared by the writers of the scenario's text files:
// a list of lines, each written with CR LF in the single-byte Windows-1252
// code page, the file replaced whole.
#ifndef CONTENT_DOCUMENTO_H_
#define CONTENT_DOCUMENTO_H_

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "port/sistema.h"
#include "source/cp1252.h"

// The line that ends a line list; it is never written.
inline constexpr std::string_view fine_documento = "riferimento fine del file";
// A line list holds at most this many lines before its end marker.
inline constexpr std::size_t righe_massime = 1000;

// Writes the lines (UTF-8 source text) up to the end marker, each followed
// by CR LF. A character outside the code page, or a list longer than
// righe_massime, is reported with the file and line and writes nothing.
port::io_status scrivi_documento(const std::filesystem::path& file,
                                 std::span<const std::string> righe);

#endif  // CONTENT_DOCUMENTO_H_
